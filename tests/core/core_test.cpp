// The conversions as the buttons run them, one test for each row of cases.tsv under its group
// (Thunder.Line12), then the UTF-8 check and Base64 on every byte.
#include <gtest/gtest.h>

#include <algorithm>
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

// Undoes the escapes \t \r \n \\ and \xHH.
std::string Unescape(std::string_view field) {
    std::string bytes;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\' || i + 1 == field.size()) {
            bytes += field[i];
            continue;
        }
        const char kind = field[++i];
        if (kind == 'x') {
            bytes += static_cast<char>(std::stoi(std::string(field.substr(i + 1, 2)), nullptr, 16));
            i += 2;
            continue;
        }
        constexpr std::string_view Kinds = "trn\\", Bytes = "\t\r\n\\";
        const std::size_t at = Kinds.find(kind);
        if (at == Kinds.npos) {
            ADD_FAILURE() << "unknown escape \\" << kind;
        } else {
            bytes += Bytes[at];
        }
    }
    return bytes;
}

// One line of cases.tsv: group TAB command TAB input TAB expected.
class RowTest : public testing::Test {
  public:
    RowTest(int line, std::string text) : line_(line), text_(std::move(text)) {}
    void TestBody() override {
        std::vector<std::string_view> fields;
        std::string_view rest = text_;
        for (std::size_t tab; (tab = rest.find('\t')) != rest.npos; rest.remove_prefix(tab + 1))
            fields.push_back(rest.substr(0, tab));
        fields.push_back(rest);
        ASSERT_EQ(fields.size(), 4u) << "cases.tsv:" << line_ << " has not four fields";
        const auto name = std::ranges::find(CommandNames, fields[1]);
        ASSERT_NE(name, std::end(CommandNames)) << "cases.tsv:" << line_ << ": " << fields[1];
        const std::string input = Unescape(fields[2]);
        const std::string expected =
            fields[3] == "<error>" ? std::string(LinkFormatErrorText) : Unescape(fields[3]);
        std::string output = "<earlier>";
        const auto command = static_cast<LinkCommand>(name - std::begin(CommandNames));
        const bool kept = RunLinkListCommand(command, input, output) == CommandOutcome::NoChange;
        EXPECT_EQ(kept ? "<kept>" : output, expected)
            << "cases.tsv:" << line_ << ": " << fields[1] << " " << testing::PrintToString(input);
    }

  private:
    int line_;
    std::string text_;
};

const int RowCount = [] {
    std::ifstream file(TARVIK_CORE_CASES, std::ios::binary);
    int rows = 0;
    std::string text;
    for (int line = 1; std::getline(file, text); ++line) {
        if (text.empty() || text.starts_with('#')) continue;
        const std::string group = text.substr(0, text.find('\t'));
        const std::string name = "Line" + std::to_string(line);
        testing::RegisterTest(group.c_str(), name.c_str(), nullptr, nullptr, __FILE__, __LINE__,
                              [=]() -> testing::Test* { return new RowTest(line, text); });
        ++rows;
    }
    return rows;
}();

TEST(CasesFile, IsRead) {
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
