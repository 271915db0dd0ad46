// The conversions on their worked examples and edges, and the text operations they rest on.
#include <gtest/gtest.h>

#include <string>

#include "core/base64.h"
#include "core/link_commands.h"
#include "core/text.h"

namespace tarvik {
namespace {

using enum LinkCommand;
const std::string Kept = "<kept>";  // no change: the output box keeps its text
const std::string Error(LinkFormatErrorText);
const std::string FlashGetLink = "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9oL2EuemlwW0ZMQVNIR0VUXQ==";

const struct {
    LinkCommand command;
    std::string input, output;
} Examples[] = {
    // clang-format off
    {Thunder, "  http://h/a.zip  ", "thunder://QUFodHRwOi8vaC9hLnppcFpa"},
    {Thunder, "thunder://QUFodHRwOi8vaC9hLnppcFpa", "http://h/a.zip"},
    {Thunder, "THUNDER://QUFodHRwOi8vaC9hLnppcFpa\r\n", "http://h/a.zip"},
    {FlashGet, "http://h/a.zip", FlashGetLink},  {FlashGet, FlashGetLink, "http://h/a.zip"},
    {FlashGet, "FLASHGET://W0ZMQVNIR0VUXWh0dHA6Ly9oL2EuemlwW0ZMQVNIR0VUXQ==&a", "http://h/a.zip"},
    {FlashGet, "flashget://W0ZMQVNIR0VUXWh0dHA6Ly9oL2FiYy56aXBbRkxBU0hHRVRd&abc",
     "http://h/abc.zip[FL"},
    {FlashGet, "flashget://W0ZMQVNIR0VUXWh0dHA=", ""},  // "[FLASHGET]http": markers only
    {Xuanfeng, "http://h/a.zip", "qqdl://aHR0cDovL2gvYS56aXA="},
    {Xuanfeng, "QQDL://aHR0cDovL2gvYS56aXA=", "http://h/a.zip"},
    {RayFile, "fs2you://aHR0cDovL2gvYS56aXB8NzM1", "http://h/a.zip"},
    {RayFile, "FS2YOU://fGFi", ""} /* "|ab" */,  {RayFile, "http://h/a.zip", Error},
    {Thunder, "ed2k://x", Error},  {Xuanfeng, "\tqqdl://aHR0cDovL2gvYS56aXA=", Error},
    {Thunder, "http://h/a.zip\r\n", "thunder://QUFodHRwOi8vaC9hLnppcA0KWlo="},
    {Thunder, "HTTP://H/A.ZIP", "thunder://QUFIVFRQOi8vSC9BLlpJUFpa"},
    {Thunder, "http:", "thunder://QUFodHRwOlpa"},  {Thunder, "http:x", Error},
    {Xuanfeng, "rtsp://b", "qqdl://cnRzcDovL2I="},  {Xuanfeng, "mms://a", "qqdl://bW1zOi8vYQ=="},
    {Xuanfeng, "ftp://x/y", "qqdl://ZnRwOi8veC95"},  {Xuanfeng, "https://d", "qqdl://aHR0cHM6Ly9k"},
    {Thunder, "thunder:", ""},  {Thunder, "   ", Kept},
    {Thunder, "thunder://QUFhYmNkZQBmWlo=", "abc"},  // "AAabcde", NUL, "fZZ"
    {Decode, "ThUnDeR://QUFodHRwOi8vaC9hLnppcFpa", "http://h/a.zip"},
    {Decode, FlashGetLink, "http://h/a.zip"},
    {Decode, "qqdl://aHR0cDovL2gvYS56aXA=", "http://h/a.zip"},
    {Decode, "fs2you://aHR0cDovL2gvYS56aXB8NzM1", "http://h/a.zip"},
    {Decode, "http://h/a.zip", Error},  {Decode, " ", Kept},
    {Base64Encode, " a\r\nb ", "YQ0KYg=="},  {Base64Encode, "ab", "YWI="},
    {Base64Encode, "a", "YQ=="},
    {Base64Encode, "\xFF\xEF>?", "/+8+Pw=="},  {Base64Decode, "/+8+Pw==", "\xFF\xEF>?"},
    {Base64Decode, "YWJjZA==", "abcd"},  {Base64Decode, "YWJjZA", "abc"},  {Base64Decode, "YQ", ""},
    {Base64Decode, "YWI=YWJj", "ab\x01\x85\x89"},  {Base64Decode, "YQ==YWJj", "a"},
    {Base64Decode, "YWI=&abc", "ab"},  {Base64Decode, "=WJj", "\x01" "bc"},
    {Base64Decode, "AAAA", ""},  {Base64Decode, "YWJj\r\nYWJj", "abc"},
    // clang-format on
};

TEST(LinkCommands, WorkedExamples) {
    for (const auto& [command, input, expected] : Examples) {
        std::string output = Kept;
        EXPECT_EQ(RunLinkCommand(command, input, output) == CommandOutcome::NoChange,
                  expected == Kept);
        EXPECT_EQ(output, expected) << "command " << static_cast<int>(command) << ": " << input;
    }
}

// The buffer routines on a buffer of junk: the counts, and the NUL after what they wrote.
TEST(Base64, BufferRoutinesCountWhatTheyWrite) {
    char text[10] = "#########";
    unsigned char bytes[8] = "#######";
    EXPECT_EQ(Base64EncodeBuffer(reinterpret_cast<const unsigned char*>("abcd"), 4, text, 0), 8);
    EXPECT_STREQ(text, "YWJjZA==");
    EXPECT_EQ(Base64DecodeBuffer("YWJjZA==", 8, bytes, 0), 4);
    EXPECT_STREQ(reinterpret_cast<char*>(bytes), "abcd");
    EXPECT_EQ(Base64DecodeBuffer("YWJjZA", 6, bytes, 0),
              0);  // its whole group is written all the same
    EXPECT_STREQ(reinterpret_cast<char*>(bytes), "abc");
}

TEST(TextOperations, SliceAtTheEdgesOfTheText) {
    std::string results;
    for (const std::string_view result :
         {TrimSpaces("  \ta\xA1\xA1 d\r\n  "), TrimSpaces("   "), FieldAt("a/b//d", 4, "/"),
          FieldAt("a/b", 3, "/"), FieldAt("a/b", 0, "/"), FieldAt("a|b", 1, "|x"),
          FieldAt("a/b", 1, ""), FieldAt("a/b", 2, ""), SubstringFrom("abc", INT32_MIN),
          SubstringFrom("abc", 3), SubstringFrom("abc", 4)}) {
        results.append(result).append(",");
    }
    EXPECT_EQ(results, "\ta\xA1\xA1 d\r\n,,d,,,a,a/b,,abc,c,,");
}

}  // namespace
}  // namespace tarvik
