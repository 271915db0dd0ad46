#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/base64.h"
#include "core/link_commands.h"

namespace tarvik {
namespace {

using namespace std::string_literals;
using enum LinkCommand;
using enum CommandOutcome;

const std::string Error(LinkFormatErrorText);

struct CommandCase {
    LinkCommand command;
    std::string input;
    CommandOutcome outcome;
    std::string output;  // what the output box holds afterwards; it held "kept" before
};

// Each case also runs through the batch's entry, which appends a new text after what the buffer
// held and appends nothing otherwise; it takes only texts, so inputs holding a NUL skip it.
void ExpectCases(std::initializer_list<CommandCase> cases) {
    for (const auto& [command, input, outcome, expected] : cases) {
        std::string output = "kept";
        EXPECT_EQ(RunLinkCommand(command, input, output), outcome) << input;
        EXPECT_EQ(output, expected) << "command " << static_cast<int>(command) << ": " << input;
        if (input.find('\0') != std::string::npos) continue;
        std::string appended = "kept";
        EXPECT_EQ(AppendLinkCommandResult(command, input, appended), outcome) << input;
        EXPECT_EQ(appended, outcome == NewText ? "kept" + expected : "kept") << input;
    }
}

TEST(LinkCommands, WorkedExamples) {
    const std::string flashGet = "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9oL2EuemlwW0ZMQVNIR0VUXQ==";
    ExpectCases({
        {Thunder, "  http://h/a.zip  ", NewText, "thunder://QUFodHRwOi8vaC9hLnppcFpa"},
        {Thunder, "thunder://QUFodHRwOi8vaC9hLnppcFpa", NewText, "http://h/a.zip"},
        {Thunder, "THUNDER://QUFodHRwOi8vaC9hLnppcFpa", NewText, "http://h/a.zip"},
        {FlashGet, "http://h/a.zip", NewText, flashGet},
        {FlashGet, flashGet, NewText, "http://h/a.zip"},
        {Xuanfeng, "http://h/a.zip", NewText, "qqdl://aHR0cDovL2gvYS56aXA="},
        {Xuanfeng, "qqdl://aHR0cDovL2gvYS56aXA=", NewText, "http://h/a.zip"},
        {RayFile, "fs2you://aHR0cDovL2gvYS56aXB8NzM1", NewText, "http://h/a.zip"},
        {RayFile, "http://h/a.zip", FormatError, Error},
        {Thunder, "ed2k://x", FormatError, Error},
        {FlashGet, "ed2k://x", FormatError, Error},
        {Xuanfeng, "ed2k://x", FormatError, Error},
        {RayFile, "ed2k://x", FormatError, Error},
    });
}

TEST(LinkCommands, EdgesOfTheInput) {
    ExpectCases({
        {Base64Encode, "   ", NoChange, "kept"},
        {Thunder, "\tthunder://QUFodHRwOi8vaC9hLnppcFpa", FormatError, Error},
        {Thunder, "http://h/a.zip\r\n", NewText, "thunder://QUFodHRwOi8vaC9hLnppcA0KWlo="},
        {Thunder, "thunder://QUFodHRwOi8vaC9hLnppcFpa\r\n", NewText, "http://h/a.zip"},
        {Thunder, "HTTP://H/A.ZIP", NewText, "thunder://QUFIVFRQOi8vSC9BLlpJUFpa"},
        {Thunder, "http:", NewText, "thunder://QUFodHRwOlpa"},
        {Thunder, "http:x", FormatError, Error},
        {Thunder, "thunder:", NewText, ""},
        {Thunder, "thunder://QUFhYmNkZQBmWlo=", NewText, "abc"},  // "AAabcde", NUL, "fZZ"
        {Thunder, "qqdl://aHR0cDovL2gvYS56aXA=", FormatError, Error},
        {FlashGet, "FlashGet://W0ZMQVNIR0VUXWh0dHA6Ly9oL2EuemlwW0ZMQVNIR0VUXQ==&abc", NewText,
         "http://h/a.zip"},
        {FlashGet, "flashget://W0ZMQVNIR0VUXWh0dHA6Ly9oL2FiYy56aXBbRkxBU0hHRVRd&abc", NewText,
         "http://h/abc.zip[FL"},
        {FlashGet, "flashget://W0ZMQVNIR0VUXWh0dHA=", NewText, ""},  // "[FLASHGET]http"
        {RayFile, "FS2YOU://aHR0cDovL2gvYS56aXA=", NewText, "http://h/a.zip"},
        {RayFile, "fs2you://fGFi", NewText, ""},  // "|ab"
        {Base64Encode, " a\r\nb ", NewText, "YQ0KYg=="},
        // The input box's text ends at its first NUL.
        {Thunder, "http://h/a.zip\0ZZ"s, NewText, "thunder://QUFodHRwOi8vaC9hLnppcFpa"},
        {Base64Decode, " \0YWJj"s, NoChange, "kept"},
        // The error is an outcome, not a text: decoding may give the error text's bytes.
        {Base64Decode, Base64EncodeText(Error), NewText, Error},
    });
}

TEST(LinkCommands, ReadingAMadeLinkGivesTheTrimmedAddressBack) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> byte(1, 255);
    std::string link, read;
    for (int length = 0; length < 200; ++length) {
        std::string address = "http://";
        for (int i = 0; i < length; ++i) address += static_cast<char>(byte(random));
        while (address.back() == ' ') address.pop_back();
        for (auto command : {Thunder, FlashGet, Xuanfeng}) {
            ASSERT_EQ(RunLinkCommand(command, "  " + address + " ", link), NewText);
            ASSERT_EQ(RunLinkCommand(command, link, read), NewText);
            ASSERT_EQ(read, address) << link;
        }
    }
}

TEST(LinkCommands, LongAddressesMakeWholeLinks) {
    std::string address = "http://h/";
    while (address.size() < 100 * 1024) address += "\xC8\xED\xBC\xFE/";
    const auto link = ThunderCommand(address);
    ASSERT_TRUE(link);
    EXPECT_EQ(link->size(), 10 + Base64EncodedLength(address.size() + 4));
    EXPECT_EQ(ThunderCommand(*link), address);
}

// A caller that reuses one buffer may hand it in as the input too.
TEST(LinkCommands, InputMayLieInTheOutputBuffer) {
    std::string buffer = "http://h/a.zip";
    ASSERT_EQ(RunLinkCommand(FlashGet, buffer, buffer), NewText);
    ASSERT_EQ(RunLinkCommand(FlashGet, buffer, buffer), NewText);
    EXPECT_EQ(buffer, "http://h/a.zip");
}

}  // namespace
}  // namespace tarvik
