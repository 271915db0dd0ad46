// The conversions as the buttons run them, and the page's extraction: each row of cases.tsv, a
// test of its group. Then the UTF-8 check.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
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

// One line of cases.tsv, group TAB command TAB input TAB expected, run as a test of its group
// (Thunder.Line12), so that a failure names the command.
void CheckRow(int line, const std::string& text) {
    std::vector<std::string_view> fields;
    std::string_view rest = text;
    for (std::size_t tab; (tab = rest.find('\t')) != rest.npos; rest.remove_prefix(tab + 1))
        fields.push_back(rest.substr(0, tab));
    fields.push_back(rest);
    const auto name = std::ranges::find(CommandNames, fields.at(1));
    ASSERT_TRUE(fields.size() == 4 && name != std::end(CommandNames)) << "cases.tsv:" << line;
    const std::string input = Unescape(fields[2]);
    const std::string expected =
        fields[3] == "<error>" ? std::string(LinkFormatErrorText) : Unescape(fields[3]);
    std::string output = "<earlier>";
    const auto command = static_cast<LinkCommand>(name - std::begin(CommandNames));
    const CommandOutcome outcome = fields[1] == "extract"
                                       ? ExtractLinkAddresses(input, output)
                                       : RunLinkListCommand(command, input, output);
    EXPECT_EQ(outcome == CommandOutcome::NoChange ? "<kept>" : output, expected)
        << "cases.tsv:" << line << ": " << fields[1] << " " << testing::PrintToString(input);
}

struct Row : testing::Test {
    std::function<void()> body;
    void TestBody() override { body(); }
};

const int RowCount = [] {
    std::ifstream file(TARVIK_CORE_CASES, std::ios::binary);
    int rows = 0;
    std::string text;
    for (int line = 1; std::getline(file, text); ++line) {
        if (text.empty() || text.starts_with('#')) continue;
        testing::RegisterTest(text.substr(0, text.find('\t')).c_str(),
                              ("Line" + std::to_string(line)).c_str(), nullptr, nullptr, __FILE__,
                              __LINE__, [=]() -> testing::Test* {
                                  auto* row = new Row;
                                  row->body = [=] { CheckRow(line, text); };
                                  return row;
                              });
        ++rows;
    }
    return rows;
}();

TEST(Cases, AreRead) {
    EXPECT_GT(RowCount, 0) << TARVIK_CORE_CASES;
}

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
