// The conversions as the buttons run them, and the page's extraction: each row of cases.tsv, a
// test of its group. Then the UTF-8 check.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <ranges>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "core/link_finder.h"
#include "core/link_list.h"
#include "core/text_encoding.h"

namespace tarvik {
namespace {

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
    explicit Row(std::string text) : text(std::move(text)) {}
    void TestBody() override {
        std::vector<std::string_view> fields;
        for (const auto field : std::views::split(text, '\t'))
            fields.emplace_back(field.begin(), field.end());
        const auto name = std::ranges::find(CommandNames, fields.at(1));
        ASSERT_TRUE(fields.size() == 4 && name != std::end(CommandNames));
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
    if (!file) throw std::runtime_error("cannot read " TARVIK_CORE_CASES);
    std::string text;
    for (int line = 1; std::getline(file, text); ++line) {
        if (text.empty() || text.starts_with('#')) continue;
        testing::RegisterTest(text.substr(0, text.find('\t')).c_str(),
                              ("Line" + std::to_string(line)).c_str(), nullptr, nullptr, __FILE__,
                              __LINE__, [text]() -> testing::Test* { return new Row(text); });
    }
    return true;
}();

TEST(TextEncoding, OnlyValidUtf8BeyondAsciiIsUtf8) {
    for (const std::string_view utf8 :
         {"h/\xE4\xB8\xAD\xF0\x9F\x98\x80", "caf\xC3\xA9", "\xF4\x8F\xBF\xBF"})
        EXPECT_TRUE(IsUtf8Text(utf8)) << testing::PrintToString(utf8);
    for (const std::string_view gbk :
         {"http://h/a.zip", "\xCE\xC4", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xE4\xB8",
          "\xE4\xB8\x41", "\xF0\x9F\x98\x41", "\xF4\x90\x80\x80", "\xF5\x80\x80\x80"})
        EXPECT_FALSE(IsUtf8Text(gbk)) << testing::PrintToString(gbk);
}

}  // namespace
}  // namespace tarvik
