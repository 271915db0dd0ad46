// The conversions as the buttons run them, one test for each row of cases.tsv under its group
// (Thunder.Line12), then the UTF-8 check and Base64 on every byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/base64.h"
#include "core/link_list.h"
#include "core/text_encoding.h"

namespace tarvik {
namespace {

// In the order of LinkCommand, as tarvik-link names them.
constexpr std::string_view CommandNames[] = {
    "thunder", "flashget", "xuanfeng", "rayfile", "base64-encode", "base64-decode", "decode"};

struct Row {
    int line = 0;
    std::string group, command, input, expected;
    std::string problem;  // why the line could not be read as a row
};

// Undoes \t \r \n \\ and \xHH; false for any other backslash.
bool Unescape(std::string& field) {
    std::string bytes;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\') {
            bytes += field[i];
            continue;
        }
        const char kind = i + 1 < field.size() ? field[++i] : '\0';
        if (kind == 't' || kind == 'r' || kind == 'n' || kind == '\\') {
            bytes += kind == 't' ? '\t' : kind == 'r' ? '\r' : kind == 'n' ? '\n' : '\\';
        } else if (kind == 'x' && i + 2 < field.size() && std::isxdigit(field[i + 1]) &&
                   std::isxdigit(field[i + 2])) {
            bytes += static_cast<char>(std::stoi(field.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            return false;
        }
    }
    field = std::move(bytes);
    return true;
}

// A line that cannot be read as a row becomes a failing test of the group "CasesFile".
std::vector<Row> ReadRows() {
    std::ifstream file(TARVIK_CORE_CASES, std::ios::binary);
    if (!file) return {Row{0, "CasesFile", "", "", "", "cannot open " TARVIK_CORE_CASES}};
    std::vector<Row> rows;
    std::string text;
    for (int line = 1; std::getline(file, text); ++line) {
        if (text.empty() || text.starts_with('#')) continue;
        std::vector<std::string> fields(1);
        for (const char c : text) {
            if (c == '\t') {
                fields.emplace_back();
            } else {
                fields.back() += c;
            }
        }
        Row& row = rows.emplace_back();
        row.line = line;
        const bool known = fields.size() == 4 && std::ranges::count(CommandNames, fields[1]) == 1;
        if (known && Unescape(fields[2]) && Unescape(fields[3])) {
            row.group = fields[0], row.command = fields[1];
            row.input = fields[2], row.expected = fields[3];
        } else {
            row.group = "CasesFile", row.problem = "not a row: " + text;
        }
    }
    return rows;
}

class RowTest : public testing::Test {
  public:
    explicit RowTest(Row row) : row_(std::move(row)) {}
    void TestBody() override {
        ASSERT_EQ(row_.problem, "") << "cases.tsv:" << row_.line;
        const auto command = static_cast<LinkCommand>(
            std::ranges::find(CommandNames, row_.command) - std::begin(CommandNames));
        std::string output = "<earlier>";
        const CommandOutcome outcome = RunLinkListCommand(command, row_.input, output);
        const std::string expected =
            row_.expected == "<error>" ? std::string(LinkFormatErrorText) : row_.expected;
        EXPECT_EQ(outcome == CommandOutcome::NoChange ? "<kept>" : output, expected)
            << "cases.tsv:" << row_.line << ": " << row_.command << " "
            << testing::PrintToString(row_.input);
    }

  private:
    Row row_;
};

const bool RowsRegistered = [] {
    for (Row& row : ReadRows()) {
        const std::string name = "Line" + std::to_string(row.line);
        testing::RegisterTest(row.group.c_str(), name.c_str(), nullptr, nullptr, __FILE__, __LINE__,
                              [row]() -> testing::Test* { return new RowTest(row); });
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

TEST(Base64, EveryByteAtEveryOffsetComesBack) {
    std::string bytes, decoded;  // from 1: a zero byte would end the decoded text
    for (int byte = 1; byte < 256; ++byte) bytes += static_cast<char>(byte);
    for (std::size_t start = 0; start < 3; ++start) {
        std::string encoded = Base64EncodeText(bytes.substr(start));
        Base64DecodeText(encoded, decoded);
        EXPECT_EQ(decoded, bytes.substr(start)) << "from byte " << start;
        std::erase(encoded, '=');  // as a link that lost its "=" holds it
        Base64DecodeText(encoded, decoded);
        EXPECT_EQ(decoded, bytes.substr(start)) << "from byte " << start << ", no \"=\"";
    }
}

}  // namespace
}  // namespace tarvik
