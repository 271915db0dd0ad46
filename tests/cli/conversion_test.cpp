// tarvik-link's command line and conversion in-process, on streams held in memory and read in
// small pieces; the program itself, its files and system edges, are cli_test's.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/conversion.h"

namespace tarvik::cli {
namespace {

using namespace std::string_literals;
using enum LinkCommand;

#define UTF8(text) std::string(reinterpret_cast<const char*>(u8##text))

const std::string Link = "thunder://QUFodHRwOi8vaC9hLnppcFpa", Address = "http://h/a.zip";
// http://h/文件.zip in GBK, its Thunder link, and in UTF-8.
const std::string Gbk = "http://h/\xCE\xC4\xBC\xFE.zip",
                  GbkLink = "thunder://QUFodHRwOi8vaC/OxLz+LnppcFpa";
const std::string Utf8Address = UTF8("http://h/文件.zip"),
                  Wrong(LinkFormatErrorText), Utf8Wrong = UTF8("网址格式错误，请输入正确的网址！");
const std::string NotGbk = "the input is not UTF-8 text that GBK can hold";

struct Ran {
    int exitCode;
    std::string out, err;
    bool operator==(const Ran&) const = default;
};

void PrintTo(const Ran& run, std::ostream* os) {
    *os << run.exitCode << " out: \"" << run.out << "\" err: \"" << run.err << "\"";
}

// Runs one of the three ways over `input`, read as the program reads a file.
enum Way { Text, Lines, Extract };
Ran Convert(Way way, LinkCommand command, bool gbk, const std::string& input,
            std::size_t limit = 0) {
    Ran run{};
    std::size_t at = 0;
    const Streams streams{[&](char* buffer, std::size_t size) {
                              const std::size_t count = std::min(size, input.size() - at);
                              std::memcpy(buffer, input.data() + at, count);
                              at += count;
                              return static_cast<std::ptrdiff_t>(count);
                          },
                          [&run](std::string_view bytes) { run.out += bytes; },
                          [&run](std::string_view bytes) { run.err += bytes; }};
    Conversion conversion(command, gbk, true);
    if (way == Text) run.exitCode = ConvertText(conversion, input, streams);
    if (way == Lines)
        run.exitCode = ConvertLines(conversion, streams, limit ? limit : MaxLineLength);
    if (way == Extract)
        run.exitCode = ExtractLinks(conversion, streams, limit ? limit : MaxLinkLength);
    return run;
}

TEST(Conversion, TextLinesAndLinks) {
    const std::string tab = "thunder://QUFodHRwOi8vaAlaWg==";  // AAhttp://h, a tab, ZZ
    const struct {
        Way way;
        LinkCommand command;
        bool gbk;
        std::string input;
        Ran expected;
    } cases[] = {
        {Text, Thunder, false, Gbk, {0, GbkLink + "\n", ""}},
        {Text, Decode, false, "-x", {1, "", "tarvik-link: " + Utf8Wrong + "\n"}},
        {Text, Thunder, false, " ", {0, "", ""}},
        {Text, Thunder, true, Utf8Address, {0, GbkLink + "\n", ""}},
        {Text, Thunder, true, UTF8("http://h/한"), {1, "", "tarvik-link: " + NotGbk + "\n"}},
        {Text,
         Decode,
         true,
         "thunder://QUFodHRwOi8vaC/kuK3mlocuemlwWlo=",
         {0, UTF8("http://h/中文.zip\n"), ""}},  // a UTF-8 name goes out as it is
        {Text,
         Base64Decode,
         true,
         "/w==",
         {1, "", "tarvik-link: the result is not GBK text, so it has no UTF-8 form\n"}},
        // Each line answered in its place; errors quote the line's start, escaped.
        {Lines,
         Thunder,
         false,
         Address + "\r\n\nqqdl://" + std::string(33, 'x') + "\r\n\"\\" + std::string(39, 'b') +
             "\n" + Link,
         {1, Link + "\n\n\n\n" + Address + "\n",
          "line 3: " + Utf8Wrong + ": \"qqdl://" + std::string(33, 'x') +
              "\"\nline 4: " + Utf8Wrong + ": \"\\x22\\x5C" + std::string(38, 'b') + "\"...\n"}},
        {Lines,
         Decode,
         false,
         GbkLink + "\na\0b"s,
         {1, Gbk + "\n\n", "line 2: the input holds a NUL byte: \"a\\x00b\"\n"}},
        {Lines,
         Thunder,
         true,
         "http://h/\xE6\x96\n" + Utf8Address,
         {1, "\n" + GbkLink + "\n", "line 1: " + NotGbk + ": \"http://h/\\xE6\\x96\"\n"}},
        // Each distinct address once; a page that names a scheme holds no link.
        {Extract,
         Decode,
         false,
         "<a href=\"" + Link + "\">QQDL://aHR0cDovL2gvYS56aXA=,FS2YOU://aHR0cDovL2gvYi56aXB8\n" +
             tab + " " + GbkLink + " Flashget:://x thunder:/QUFo, thunder:// " + Link,
         {1, Address + "\nhttp://h/b.zip\n" + Gbk + "\n",
          "link 4: " + Utf8Wrong + ": \"" + tab + "\"\n"}},
        {Extract, Decode, true, GbkLink + " " + Link, {0, Utf8Address + "\n" + Address + "\n", ""}},
        // The first 64 KiB read ends with "Flashget://", right before the link's first character.
        {Extract,
         Decode,
         false,
         std::string((1 << 16) - 11, ' ') +
             "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9oL2EuemlwW0ZMQVNIR0VUXQ==",
         {0, Address + "\n", ""}},
    };
    for (const auto& [way, command, gbk, input, expected] : cases)
        EXPECT_EQ(Convert(way, command, gbk, input), expected) << input.substr(0, 80);
}

TEST(Conversion, RefusesWhatIsLongerThanItsLimit) {
    EXPECT_EQ(Convert(Lines, Decode, false, Link + "\n" + Link + "x\n" + Link, Link.size()),
              (Ran{1, Address + "\n",
                   "line 2: the line is longer than 34 bytes; nothing after it is read: \"" + Link +
                       "x\"\n"}));
    EXPECT_EQ(
        Convert(Extract, Decode, false, Link + "x " + Link, Link.size()),
        (Ran{1, Address + "\n", "link 1: the link is longer than 34 bytes: \"" + Link + "x\"\n"}));
}

TEST(Arguments, NamesAndUsage) {
    const struct {
        std::vector<std::string_view> arguments;
        Action action;
        LinkCommand command;
        std::string problem;
    } cases[] = {
        {{"flashget"}, Action::Convert, FlashGet, ""},
        {{"--gbk", "xuanfeng", "x"}, Action::Convert, Xuanfeng, ""},
        {{"rayfile", "--", "-x"}, Action::Convert, RayFile, ""},
        {{"base64-encode"}, Action::Convert, Base64Encode, ""},
        {{"base64-decode"}, Action::Convert, Base64Decode, ""},
        {{"extract", "a", "-", "b"}, Action::Extract, Decode, ""},
        {{"thunder", "-h"}, Action::ShowHelp, Thunder, ""},
        {{"--gbk"}, Action::RejectUsage, Thunder, "a command is missing"},
        {{"magnet"}, Action::RejectUsage, Thunder, "unknown command 'magnet'"},
        {{"thunder", "-x"}, Action::RejectUsage, Thunder, "unknown option '-x'"},
        {{"thunder", "a", "b"}, Action::RejectUsage, Thunder, "too many arguments"},
    };
    for (const auto& [arguments, action, command, problem] : cases) {
        const Invocation invocation = ParseArguments(arguments);
        EXPECT_EQ(invocation.action, action) << arguments.front();
        EXPECT_EQ(invocation.command, command) << arguments.front();
        EXPECT_EQ(invocation.problem, problem) << arguments.front();
    }
    const Invocation withText = ParseArguments(std::vector<std::string_view>{"--", "decode", "-"});
    EXPECT_EQ(withText.textIndex, 2u);
    EXPECT_TRUE(withText.gbk == false && withText.fileIndexes.empty());
    const Invocation files =
        ParseArguments(std::vector<std::string_view>{"extract", "--gbk", "a", "b"});
    EXPECT_TRUE(files.gbk && files.fileIndexes == (std::vector<std::size_t>{2, 3}));
}

}  // namespace
}  // namespace tarvik::cli
