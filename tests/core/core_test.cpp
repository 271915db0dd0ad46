// The conversions as the buttons run them, and the page's extraction: each row of cases.tsv, a
// test of its group. Then the text encodings: the UTF-8 check, and the text edge in-process,
// natively its POSIX half (iconv), under Wine its Windows half.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <ranges>
#include <string>
#include <vector>

#include "core/link_finder.h"
#include "core/link_list.h"
#include "core/text_encoding.h"
#include "encoding/encoding.h"
#ifdef _WIN32
#include "encoding/wide.h"
#endif

namespace tarvik {
namespace {

#define UTF8(text) std::string(reinterpret_cast<const char*>(u8##text))

// In the order of LinkCommand, as tarvik-link names them; then the page's extraction.
constexpr std::string_view CommandNames[] = {"thunder", "flashget",      "xuanfeng",
                                             "rayfile", "base64-encode", "base64-decode",
                                             "decode",  "extract"};

// Undoes the escapes \t \r \n \\ and \xHH; another escape throws.
std::string Unescape(std::string_view field) {
    std::string bytes;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\') {
            bytes += field[i];
        } else if (field.at(++i) == 'x') {
            bytes += static_cast<char>(std::stoi(std::string(field.substr(i + 1, 2)), nullptr, 16));
            i += 2;
        } else {
            bytes += std::string_view("\t\r\n\\").at(std::string_view("trn\\").find(field[i]));
        }
    }
    return bytes;
}

// A line of cases.tsv, group TAB command TAB input TAB expected, as a test of its group
// (Thunder.Line12), so that a failure names the command.
struct Row : testing::Test {
    explicit Row(const std::string& text) : text(text) {}
    void TestBody() override {
        std::vector<std::string_view> fields;
        for (const auto field : std::views::split(text, '\t'))
            fields.emplace_back(field.begin(), field.end());
        const auto name = std::ranges::find(CommandNames, fields.at(1));
        ASSERT_TRUE(fields.size() == 4 && name != std::ranges::end(CommandNames));
        const std::string input = Unescape(fields[2]);
        const std::string expected =
            fields[3] == "<error>" ? std::string(LinkFormatErrorText) : Unescape(fields[3]);
        std::string output = "<earlier>";
        const CommandOutcome outcome =
            fields[1] == "extract"
                ? ExtractLinkAddresses(input, output)
                : RunLinkListCommand(LinkCommand(name - CommandNames), input, output);
        EXPECT_EQ(outcome == CommandOutcome::NoChange ? "<kept>" : output, expected)
            << fields[1] << " " << testing::PrintToString(input);
    }
    std::string text;
};

// Registered before main runs; without the file no row would fail.
const bool RowsRegistered = [] {
    std::ifstream file(TARVIK_CORE_CASES, std::ios::binary);
    if (!file) throw std::ios_base::failure("cannot read " TARVIK_CORE_CASES);
    std::string text;
    for (int line = 1; std::getline(file, text); ++line) {
        if (text.empty() || text.starts_with('#')) continue;
        testing::RegisterTest(text.substr(0, text.find('\t')).c_str(),
                              ("Line" + std::to_string(line)).c_str(), nullptr, nullptr, __FILE__,
                              __LINE__, [text]() -> testing::Test* { return new Row(text); });
    }
    return true;
}();

TEST(Encoding, OnlyValidUtf8IsUtf8AndGbkConvertsExactlyOrNotAtAll) {
    for (const std::string_view utf8 :
         {"h/\xE4\xB8\xAD\xF0\x9F\x98\x80", "caf\xC3\xA9", "\xF4\x8F\xBF\xBF"})
        EXPECT_TRUE(IsUtf8Text(utf8)) << testing::PrintToString(utf8);
    for (const std::string_view gbk :
         {"http://h/a.zip", "\xCE\xC4", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xE4\xB8",
          "\xE4\xB8\x41", "\xF0\x9F\x98\x41", "\xF4\x90\x80\x80", "\xF5\x80\x80\x80"})
        EXPECT_FALSE(IsUtf8Text(gbk)) << testing::PrintToString(gbk);
    const auto convert = [](auto function, std::string_view text) {
        std::string output = "<earlier>";
        return function(text, output) ? output : "<refused>";
    };
    std::string gbk, utf8;  // mostly beyond ASCII, as a Chinese page is
    for (int i = 0; i < 5000; ++i) gbk += "a\xCE\xC4\xBC\xFE", utf8 += UTF8("a文件");
    EXPECT_EQ(convert(ToGbk, utf8), gbk);
    EXPECT_EQ(convert(ToUtf8, gbk), utf8);
    EXPECT_EQ(convert(ToUtf8, ""), "");
    EXPECT_EQ(convert(ToGbk, UTF8("한국어")), "<refused>");  // no GBK form, never "???"
}

#ifdef _WIN32
// Typed text is GBK where it can be, else UTF-8 (three bytes a character here); an unpaired
// surrogate becomes U+FFFD.
TEST(Encoding, TypedTextKeepsEveryCharacter) {
    EXPECT_EQ(TypedTextFromWide(L"h/\u6587\u4EF6"), "h/\xCE\xC4\xBC\xFE");
    EXPECT_EQ(TypedTextFromWide(L"\uD55C\uAD6D\uC5B4"), UTF8("한국어"));
    EXPECT_EQ(TypedTextFromWide(L"a\xD800"), "a\xEF\xBF\xBD");
}
#endif

}  // namespace
}  // namespace tarvik
