// The worked examples and edges of the link commands, the codec and the text operations. The fuzz
// targets hold the same code against a plain restatement of the rules on any input.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/base64.h"
#include "core/link_commands.h"
#include "core/text.h"

namespace tarvik {
namespace {

using enum LinkCommand;
const std::string Error(LinkFormatErrorText);
const std::string Kept = "kept";  // the output box's text before a press that changes nothing
const std::string FlashGetLink = "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9oL2EuemlwW0ZMQVNIR0VUXQ==";

TEST(LinkCommands, WorkedExamplesAndEdges) {
    const struct {
        LinkCommand command;
        std::string input, output;
    } cases[] = {
        {Thunder, "  http://h/a.zip  ", "thunder://QUFodHRwOi8vaC9hLnppcFpa"},
        {Thunder, "thunder://QUFodHRwOi8vaC9hLnppcFpa", "http://h/a.zip"},
        {Thunder, "THUNDER://QUFodHRwOi8vaC9hLnppcFpa\r\n", "http://h/a.zip"},
        {FlashGet, "http://h/a.zip", FlashGetLink},
        {FlashGet, FlashGetLink, "http://h/a.zip"},
        {FlashGet, "FLASHGET://W0ZMQVNIR0VUXWh0dHA6Ly9oL2EuemlwW0ZMQVNIR0VUXQ==&abc",
         "http://h/a.zip"},
        {FlashGet, "flashget://W0ZMQVNIR0VUXWh0dHA6Ly9oL2FiYy56aXBbRkxBU0hHRVRd&abc",
         "http://h/abc.zip[FL"},
        {FlashGet, "flashget://W0ZMQVNIR0VUXWh0dHA=", ""},  // "[FLASHGET]http": markers only
        {Xuanfeng, "http://h/a.zip", "qqdl://aHR0cDovL2gvYS56aXA="},
        {Xuanfeng, "QQDL://aHR0cDovL2gvYS56aXA=", "http://h/a.zip"},
        {RayFile, "fs2you://aHR0cDovL2gvYS56aXB8NzM1", "http://h/a.zip"},
        {RayFile, "FS2YOU://fGFi", ""},  // "|ab"
        {RayFile, "http://h/a.zip", Error},
        {Thunder, "ed2k://x", Error},
        {FlashGet, "thunder://QUFodHRwOi8vaC9hLnppcFpa", Error},
        {Xuanfeng, "\tqqdl://aHR0cDovL2gvYS56aXA=", Error},
        {Thunder, "http://h/a.zip\r\n", "thunder://QUFodHRwOi8vaC9hLnppcA0KWlo="},
        {Thunder, "HTTP://H/A.ZIP", "thunder://QUFIVFRQOi8vSC9BLlpJUFpa"},
        {Thunder, "http:", "thunder://QUFodHRwOlpa"},
        {Xuanfeng, "rtsp://b", "qqdl://cnRzcDovL2I="},
        {Xuanfeng, "mms://a", "qqdl://bW1zOi8vYQ=="},
        {Xuanfeng, "ftp://x/y", "qqdl://ZnRwOi8veC95"},
        {Xuanfeng, "https://d", "qqdl://aHR0cHM6Ly9k"},
        {Thunder, "http:x", Error},
        {Thunder, "httpx://h", Error},
        {Thunder, "thunder:", ""},
        {Thunder, "thunder:/QUFodHRwOi8vaC9hLnppcFpa", "\x1D\x1D\x1C\x0E\x8B\xCB\xDA\x0B\xD8K\x9E"},
        {Thunder, "thunder://QUFhYmNkZQBmWlo=", "abc"},  // "AAabcde", NUL, "fZZ"
        {Thunder, "   ", Kept},
        {Decode, "ThUnDeR://QUFodHRwOi8vaC9hLnppcFpa", "http://h/a.zip"},
        {Decode, FlashGetLink, "http://h/a.zip"},
        {Decode, "qqdl://aHR0cDovL2gvYS56aXA=", "http://h/a.zip"},
        {Decode, "fs2you://aHR0cDovL2gvYS56aXB8NzM1", "http://h/a.zip"},
        {Decode, "http://h/a.zip", Error},
        {Decode, " ", Kept},
        {Base64Encode, " a\r\nb ", "YQ0KYg=="},
        {Base64Encode, "abc", "YWJj"},
        {Base64Encode, "ab", "YWI="},
        {Base64Encode, "a", "YQ=="},
        {Base64Encode, "\xFF\xEF>?", "/+8+Pw=="},
        {Base64Decode, "/+8+Pw==", "\xFF\xEF>?"},
        {Base64Decode, "YWJjZA==", "abcd"},
        {Base64Decode, "YWI=", "ab"},
        {Base64Decode, "YWJjZA", "abc"},
        {Base64Decode, "YQ", ""},
        {Base64Decode, "YWI=YWJj", "ab\x01\x85\x89"},
        {Base64Decode, "YQ==YWJj", "a"},
        {Base64Decode, "YWI=&abc", "ab"},
        {Base64Decode, "=WJj",
         "\x01"
         "bc"},
        {Base64Decode, "AAAA", ""},
        {Base64Decode, "YWJj\r\nYWJj", "abc"},
        {Base64Decode, "-_\x80\xFF", ""},
        {Base64Decode, Base64EncodeText(Error), Error},  // the error is an outcome, not a text
    };
    for (const auto& [command, input, expected] : cases) {
        std::string output = Kept;
        const CommandOutcome outcome = RunLinkCommand(command, input, output);
        EXPECT_EQ(output, expected) << "command " << static_cast<int>(command) << ": " << input;
        EXPECT_EQ(outcome, expected == Kept ? CommandOutcome::NoChange
                           : expected == Error && command != Base64Decode
                               ? CommandOutcome::FormatError
                               : CommandOutcome::NewText)
            << input;
    }
}

TEST(LinkCommands, MadeLinksReadBackToTheTrimmedAddress) {
    std::mt19937 random(7);
    std::string link, read;
    for (int length = 0; length < 300; ++length) {
        std::string address = "http://";
        for (int i = 0; i < length; ++i) address += static_cast<char>(1 + random() % 255);
        while (address.back() == ' ') address.pop_back();
        for (const LinkCommand command : {Thunder, FlashGet, Xuanfeng, Base64Encode}) {
            ASSERT_EQ(RunLinkCommand(command, "  " + address + " ", link), CommandOutcome::NewText);
            ASSERT_EQ(RunLinkCommand(command == Base64Encode ? Base64Decode : Decode, link, read),
                      CommandOutcome::NewText);
            ASSERT_EQ(read, address) << link;
        }
    }
}

// Output buffers start full of junk, so a missing NUL or a wrong count shows.
TEST(Base64, BufferRoutinesCountTheirBytesAndEndThemWithNul) {
    const struct {
        bool encode;
        std::string input, written;
        int32_t count;
    } cases[] = {{false, "", "", 0},
                 {false, "YWJjZA==", "abcd", 4},
                 {false, "YWJjZA", "abc", 0},
                 {false, "AAAA", std::string(3, '\0'), 3},
                 {true, "", "", 0},
                 {true,
                  std::string("\0\xFF"
                              "a\x80",
                              4),
                  "AP9hgA==", 8}};
    for (const auto& [encode, input, written, count] : cases) {
        std::string output(16, '#');
        const auto length = static_cast<int32_t>(input.size());
        EXPECT_EQ(encode ? Base64EncodeBuffer(reinterpret_cast<const unsigned char*>(input.data()),
                                              length, output.data(), 1)
                         : Base64DecodeBuffer(input.data(), length,
                                              reinterpret_cast<unsigned char*>(output.data()), 1),
                  count)
            << input;
        EXPECT_EQ(output.substr(0, written.size() + 1), written + '\0') << input;
    }
}

TEST(TextOperations, SliceAtTheEdgesOfTheText) {
    const struct {
        std::string_view result, expected;
    } cases[] = {
        {TrimSpaces("  ab d  "), "ab d"},
        {TrimSpaces("   "), ""},
        {TrimSpaces("\ta\xA1\xA1\r\n "), "\ta\xA1\xA1\r\n"},
        {FieldAt("a/b/d", 3, "/"), "d"},
        {FieldAt("a/b/d", 4, "/"), ""},
        {FieldAt("a/b", 0, "/"), ""},
        {FieldAt("a/b", -1, "/"), ""},
        {FieldAt("a//b", 2, "/"), ""},
        {FieldAt("a|b", 1, "|x"), "a"},
        {FieldAt("a/b", 1, ""), "a/b"},
        {FieldAt("a/b", 2, ""), ""},
        {SubstringFrom("abcdef", 3), "cdef"},
        {SubstringFrom("abcdef", INT32_MIN), "abcdef"},
        {SubstringFrom("abcdef", 6), "f"},
        {SubstringFrom("abcdef", 7), ""},
    };
    for (const auto& [result, expected] : cases) EXPECT_EQ(result, expected);
}

}  // namespace
}  // namespace tarvik
