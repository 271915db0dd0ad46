// tarvik-link's command line and conversion in-process, on streams held in memory; the program
// itself, its files and system edges, are cli_test's. Also the page's extraction, which shares
// the link finder.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/conversion.h"
#include "core/link_finder.h"

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
                  Wrong = UTF8("网址格式错误，请输入正确的网址！");
const std::string NotGbk = "the input is not UTF-8 text that GBK can hold";
const std::string Tab = "thunder://QUFodHRwOi8vaAlaWg==";  // AAhttp://h, a tab, ZZ

struct Ran {
    int exitCode;
    std::string out, err;
    bool operator==(const Ran&) const = default;
};
void PrintTo(const Ran& ran, std::ostream* os) {
    *os << ran.exitCode << " out: \"" << ran.out << "\" err: \"" << ran.err << "\"";
}

// Runs one of the three ways over `input`, read as the program reads a file.
enum Way { Text, Lines, Extract };
Ran Convert(Way way, LinkCommand command, bool gbk, const std::string& input,
            std::size_t limit = MaxLineLength) {
    Ran ran{};
    std::string_view rest = input;
    const Streams streams{[&rest](char* buffer, std::size_t size) {
                              const std::size_t count = rest.copy(buffer, size);
                              rest.remove_prefix(count);
                              return static_cast<std::ptrdiff_t>(count);
                          },
                          [&ran](std::string_view bytes) { ran.out += bytes; },
                          [&ran](std::string_view bytes) { ran.err += bytes; }};
    Conversion conversion(command, gbk, true);
    ran.exitCode = way == Text ? ConvertText(conversion, input, streams)
                   : way == Lines
                       ? ConvertLines(conversion, streams, limit)
                       : ExtractLinks(conversion, streams, std::min(limit, MaxLinkLength));
    return ran;
}

TEST(Conversion, TextLinesAndLinks) {
    const std::string x33(33, 'x'), b39(39, 'b');
    const struct {
        Way way;
        LinkCommand command;
        bool gbk;
        std::string input;
        Ran expected;
    } cases[] = {
        // clang-format off
        {Text, Thunder, false, " ", {0, "", ""}},
        {Text, Decode, true, "thunder://QUFodHRwOi8vaC/kuK3mlocuemlwWlo=",
         {0, UTF8("http://h/中文.zip\n"), ""}},  // a UTF-8 name goes out as it is
        {Text, Base64Decode, true, "/w==",
         {1, "", "tarvik-link: the result is not GBK text, so it has no UTF-8 form\n"}},
        // Each line answered in its place; errors quote the line's first 40 bytes, escaped.
        {Lines, Thunder, false, Address + "\r\n\nqqdl://" + x33 + "\r\n\"\\" + b39 + "\n" + Link,
         {1, Link + "\n\n\n\n" + Address + "\n", "line 3: " + Wrong + ": \"qqdl://" + x33 +
          "\"\nline 4: " + Wrong + ": \"\\x22\\x5C" + b39.substr(1) + "\"...\n"}},
        {Lines, Decode, false, GbkLink + "\na\0b"s,
         {1, Gbk + "\n\n", "line 2: the input holds a NUL byte: \"a\\x00b\"\n"}},
        {Lines, Thunder, true, "http://h/\xE6\x96\n" + Utf8Address,
         {1, "\n" + GbkLink + "\n", "line 1: " + NotGbk + ": \"http://h/\\xE6\\x96\"\n"}},
        // Each distinct address once; a page that only names a scheme holds no link.
        {Extract, Decode, false, "<a href=\"" + Link + "\">QQDL://aHR0cDovL2gvYS56aXA=," +
         "FS2YOU://aHR0cDovL2gvYi56aXB8\n" + Tab + " " + GbkLink + " thunder:/QUFo thunder:// " + Link,
         {1, Address + "\nhttp://h/b.zip\n" + Gbk + "\n", "link 4: " + Wrong + ": \"" + Tab + "\"\n"}},
        {Extract, Decode, true, GbkLink + " " + Link, {0, Utf8Address + "\n" + Address + "\n", ""}},
        // The first 64 KiB read ends right after "Flashget://".
        {Extract, Decode, false, std::string((1 << 16) - 11, ' ') +
         "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9oL2EuemlwW0ZMQVNIR0VUXQ==", {0, Address + "\n", ""}},
        // clang-format on
    };
    for (const auto& [way, command, gbk, input, expected] : cases)
        EXPECT_EQ(Convert(way, command, gbk, input), expected) << input.substr(0, 80);
}

TEST(Conversion, RefusesWhatIsLongerThanItsLimit) {
    const std::string tooLong = " is longer than 34 bytes";
    EXPECT_EQ(
        Convert(Lines, Decode, false, Link + "\n" + Link + "x\n" + Link, Link.size()),
        (Ran{1, Address + "\n",
             "line 2: the line" + tooLong + "; nothing after it is read: \"" + Link + "x\"\n"}));
    EXPECT_EQ(Convert(Extract, Decode, false, Link + "x " + Link, Link.size()),
              (Ran{1, Address + "\n", "link 1: the link" + tooLong + ": \"" + Link + "x\"\n"}));
}

// As the page extracts: lines joined by CR LF, a broken link's line the GBK error.
TEST(Conversion, PageExtraction) {
    const std::string error(LinkFormatErrorText);
    const struct {
        std::string text, expected;
    } cases[] = {
        {"names thunder:// only", "<kept>"},
        {Link + " thunder://QUFaWg== " + Link, Address + "\r\n" + error},
        {"qqdl://YQ" + Link, error + "\r\n" + Address},  // a run that ends in the next scheme
    };
    for (const auto& [text, expected] : cases) {
        std::string output = "<kept>";
        ExtractLinkAddresses(text, output);
        EXPECT_EQ(output, expected) << text;
    }
}

TEST(Arguments, NamesAndUsage) {
    const struct {
        std::vector<std::string_view> arguments;
        Action action;
        LinkCommand command;
        std::string problem;
    } cases[] = {
        // clang-format off
        {{"--gbk", "xuanfeng", "x"}, Action::Convert, Xuanfeng, ""},
        {{"rayfile", "--", "-x"}, Action::Convert, RayFile, ""},
        {{"extract", "a", "-", "b"}, Action::Extract, Decode, ""},
        {{"thunder", "-h"}, Action::ShowHelp, Thunder, ""},
        {{"--gbk"}, Action::RejectUsage, Thunder, "a command is missing"},
        {{"thunder", "-x"}, Action::RejectUsage, Thunder, "unknown option '-x'"},
        {{"thunder", "a", "b"}, Action::RejectUsage, Thunder, "too many arguments"},
        // clang-format on
    };
    for (const auto& [arguments, action, command, problem] : cases) {
        const Invocation invocation = ParseArguments(arguments);
        EXPECT_TRUE(invocation.action == action && invocation.command == command &&
                    invocation.problem == problem)
            << arguments.front() << ": " << invocation.problem;
    }
}

}  // namespace
}  // namespace tarvik::cli
