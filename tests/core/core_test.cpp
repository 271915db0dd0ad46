// The conversions as the buttons run them: worked examples and edges; Base64 on every byte.
#include <gtest/gtest.h>

#include <string>

#include "core/base64.h"
#include "core/link_list.h"
#include "core/text_encoding.h"

namespace tarvik {
namespace {

using enum LinkCommand;
const std::string Kept = "<kept>";  // no change: the output box keeps its text
const std::string Error(LinkFormatErrorText), A = "http://h/a.zip";  // the address of the examples
const std::string FlashGetLink = "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9oL2EuemlwW0ZMQVNIR0VUXQ==";

const struct {
    LinkCommand command;
    std::string input, output;
} Examples[] = {
    // clang-format off
    {Thunder, "  http://h/a.zip  ", "thunder://QUFodHRwOi8vaC9hLnppcFpa"},
    {Thunder, "thunder://QUFodHRwOi8vaC9hLnppcFpa", A},  {FlashGet, A, FlashGetLink},
    {Thunder, "THUNDER://QUFodHRwOi8vaC9hLnppcFpa\r\n", A},  {FlashGet, FlashGetLink, A},
    {FlashGet, "FLASHGET://W0ZMQVNIR0VUXWh0dHA6Ly9oL2EuemlwW0ZMQVNIR0VUXQ==&a", A},
    {FlashGet, "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9oL2EuemlbRkxBU0hHRVRd&abc", "http://h/a.zi"},
    // As sites write links: markers only where they stand; no empty address, no control byte.
    {Thunder, "thunder://aHR0cDovL2gvYS56aXA=", A},  {Thunder, "thunder://", Error},
    {Decode, "thunder://QUFodHRwOi8vaC9hLnppcA==", A},  {RayFile, "FS2YOU://fHg=", Error},
    {FlashGet, "Flashget://aHR0cDovL2gvYS56aXA=", A},  {Thunder, "thunder://!!!", Error},
    {Thunder, "thunder://QUFodHRwOi8vaC9aWi56aXBaWg==", "http://h/ZZ.zip"},
    {Xuanfeng, "qqdl://aHR0cDovL2gvYQpiLnppcA==", Error},  {Thunder, "thunder:", Error},
    {Decode, "qqdl://aHR0cDovL2gvfw==", Error},  {Decode, FlashGetLink, A},  {Decode, " ", Kept},
    {Xuanfeng, "qqdl://aHR0cDovL2gvYWJjZGVmZ2guemkf", Error},  // a control byte in the last 16
    {Xuanfeng, A, "qqdl://aHR0cDovL2gvYS56aXA="},  {Xuanfeng, "QQDL://aHR0cDovL2gvYS56aXA=", A},
    {RayFile, "fs2you://aHR0cDovL2gvYS56aXB8NzM1", A},  {RayFile, A, Error},
    {RayFile, "fs2you://aHR0cDovL2gvgXwuemlwfDczNQ==", "http://h/\x81"},  // a GBK character's "|"
    {Thunder, "ed2k://x", Error},  {Xuanfeng, "\tqqdl://aHR0cDovL2gvYS56aXA=", Error},
    {Thunder, "http://h/a.zip\r\n", "thunder://QUFodHRwOi8vaC9hLnppcA0KWlo="},
    {Thunder, "HTTP://H/A.ZIP", "thunder://QUFIVFRQOi8vSC9BLlpJUFpa"},
    {Thunder, "http:", "thunder://QUFodHRwOlpa"},  {Thunder, "http:x", Error},
    {Xuanfeng, "rtsp://b", "qqdl://cnRzcDovL2I="},  {Xuanfeng, "mms://a", "qqdl://bW1zOi8vYQ=="},
    {Xuanfeng, "ftp://x/y", "qqdl://ZnRwOi8veC95"},  {Xuanfeng, "https://d", "qqdl://aHR0cHM6Ly9k"},
    {Thunder, "   ", Kept},  {Base64Encode, " a\r\nb ", "YQ0KYg=="},  {Decode, A, Error},
    {Decode, "qqdl://aHR0cDovL2gvYS56aXA=", A},  {Decode, "fs2you://aHR0cDovL2gvYS56aXB8NzM1", A},
    {Base64Encode, "\xFF\xEF>?", "/+8+Pw=="},  {Base64Decode, "/+8+Pw==", "\xFF\xEF>?"},
    {Base64Decode, "YWJjZA==", "abcd"},  {Base64Decode, "YWJjZA", "abc"},  {Base64Decode, "YQ", ""},
    {Base64Decode, "YWI=YWJj", "ab\x01\x85\x89"},  {Base64Decode, "YQ==YWJj", "a"},
    {Base64Decode, "YWI=&abc", "ab"},  {Base64Decode, "=WJj", "\x01" "bc"},
    {Base64Decode, "AAAA", ""},  {Base64Decode, "YWJj\r\nYWJj", "abc"},
    // A list: each line on its own, in its place; a line of spaces does not make one.
    {Xuanfeng, "qqdl://aHR0cDovL2gvYS56aXA=\n\r\n ftp://x/y \r\nx\n",
     A + "\r\n\r\nqqdl://ZnRwOi8veC95\r\n" + Error + "\r\n"},
    {Thunder, "\r\n  \r\nhttp://h/a.zip", Error},  {Base64Encode, "a\nb", "YQpi"},
    // clang-format on
};

TEST(LinkCommands, WorkedExamples) {
    for (const auto& [command, input, expected] : Examples) {
        std::string output = "<earlier>";
        const bool kept = RunLinkListCommand(command, input, output) == CommandOutcome::NoChange;
        EXPECT_EQ(kept ? Kept : output, expected)
            << "command " << static_cast<int>(command) << ": " << input;
    }
}

TEST(TextEncoding, OnlyValidUtf8BeyondAsciiIsUtf8) {
    EXPECT_TRUE(IsUtf8Text("h/\xE4\xB8\xAD\xF0\x9F\x98\x80"));
    for (const std::string_view gbk :
         {"http://h/a.zip", "\xCE\xC4", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xE4\xB8"})
        EXPECT_FALSE(IsUtf8Text(gbk)) << gbk;
}

TEST(Base64, EveryByteAtEveryOffsetComesBack) {
    std::string bytes, decoded;  // from 1: a zero byte would end the decoded text
    for (int byte = 1; byte < 256; ++byte) bytes += static_cast<char>(byte);
    for (std::size_t start = 0; start < 3; ++start) {
        Base64DecodeText(Base64EncodeText(bytes.substr(start)), decoded);
        EXPECT_EQ(decoded, bytes.substr(start)) << "from byte " << start;
    }
}

}  // namespace
}  // namespace tarvik
