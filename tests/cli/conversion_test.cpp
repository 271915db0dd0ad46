// tarvik-link's command lines run in-process, on streams held in memory; the program itself,
// its files and system edges, are cli_test's.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "cli/arguments.h"
#include "cli/conversion.h"

namespace tarvik::cli {
namespace {

#define UTF8(text) std::string(reinterpret_cast<const char*>(u8##text))

const std::string Link = "thunder://QUFodHRwOi8vaC9hLnppcFpa", Address = "http://h/a.zip";
// http://h/文件.zip in GBK, its Thunder link, and in UTF-8.
const std::string Gbk = "http://h/\xCE\xC4\xBC\xFE.zip",
                  GbkLink = "thunder://QUFodHRwOi8vaC/OxLz+LnppcFpa";
const std::string Utf8Address = UTF8("http://h/文件.zip"),
                  Wrong = UTF8("网址格式错误，请输入正确的网址！");
const std::string NotGbk = "the input is not UTF-8 text that GBK can hold",
                  Me = "tarvik-link: ", Try = "\nTry 'tarvik-link --help'.\n";
const std::string Tab = "thunder://QUFodHRwOi8vaAlaWg==";  // AAhttp://h, a tab, ZZ

// The exit status, the output and the errors.
using Ran = std::tuple<int, std::string, std::string>;

// Streams on `input`, read as the program reads a file, that write into `ran`.
Streams InMemory(std::string_view input, Ran& ran) {
    return {[input](char* buffer, std::size_t size) mutable {
                const std::size_t count = input.copy(buffer, size);
                input.remove_prefix(count);
                return static_cast<std::ptrdiff_t>(count);
            },
            [&ran](std::string_view bytes) { std::get<1>(ran) += bytes; },
            [&ran](std::string_view bytes) { std::get<2>(ran) += bytes; }};
}

// The command line run in-process, its TEXT as given.
Ran TarvikLink(const std::vector<std::string_view>& arguments, std::string_view input) {
    Ran ran{};
    const Invocation invocation = ParseArguments(arguments);
    std::optional<std::string> text;
    if (invocation.textIndex) text = std::string(arguments[*invocation.textIndex]);
    std::get<0>(ran) = Run(invocation, text, true, InMemory(input, ran));
    return ran;
}

TEST(TarvikLink, CommandsTextsLinesAndLinks) {
    const std::string x33(33, 'x'), b39(39, 'b'), help = std::string(HelpText) + "\n";
    const struct {
        std::vector<std::string_view> arguments;
        std::string input;
        Ran expected;
    } cases[] = {
        // clang-format off
        {{"thunder", " "}, "", {0, "", ""}},
        {{"--gbk", "decode", "thunder://QUFodHRwOi8vaC/kuK3mlocuemlwWlo="}, "",
         {0, UTF8("http://h/中文.zip\n"), ""}},  // a UTF-8 name goes out as it is
        {{"base64-decode", "--gbk", "/w=="}, "",
         {1, "", Me + "the result is not GBK text, so it has no UTF-8 form\n"}},
        // Each line answered in its place; errors quote the line's first 40 bytes, escaped.
        {{"thunder"}, Address + "\r\n\nqqdl://" + x33 + "\r\n\"\\" + b39 + "\n" + Link,
         {1, Link + "\n\n\n\n" + Address + "\n", "line 3: " + Wrong + ": \"qqdl://" + x33 +
          "\"\nline 4: " + Wrong + ": \"\\x22\\x5C" + b39.substr(1) + "\"...\n"}},
        {{"decode"}, GbkLink + "\n" + std::string("a\0b", 3),
         {1, Gbk + "\n\n", "line 2: the input holds a NUL byte: \"a\\x00b\"\n"}},
        {{"--gbk", "thunder"}, "http://h/\xE6\x96\n" + Utf8Address,
         {1, "\n" + GbkLink + "\n", "line 1: " + NotGbk + ": \"http://h/\\xE6\\x96\"\n"}},
        // Each distinct address once; a page that only names a scheme holds no link.
        {{"extract"}, "<a href=\"" + Link + "\">QQDL://aHR0cDovL2gvYS56aXA=," +
         "FS2YOU://aHR0cDovL2gvYi56aXB8\n" + Tab + " " + GbkLink + " thunder:/QUFo thunder:// " + Link,
         {1, Address + "\nhttp://h/b.zip\n" + Gbk + "\n", "link 4: " + Wrong + ": \"" + Tab + "\"\n"}},
        {{"extract", "--gbk"}, GbkLink + " " + Link, {0, Utf8Address + "\n" + Address + "\n", ""}},
        // The first 64 KiB read ends right after "Flashget://".
        {{"extract"}, std::string((1 << 16) - 11, ' ') +
         "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9oL2EuemlwW0ZMQVNIR0VUXQ==", {0, Address + "\n", ""}},
        {{"thunder", "-h"}, "", {0, help, ""}},  {{"--version"}, "", {0, "tarvik-link " TARVIK_VERSION "\n", ""}},
        {{"--gbk"}, "", {2, "", Me + "a command is missing" + Try}},
        {{"magnet"}, "", {2, "", Me + "unknown command 'magnet'" + Try}},
        {{"thunder", "-x"}, "", {2, "", Me + "unknown option '-x'" + Try}},
        {{"thunder", "a", "b"}, "", {2, "", Me + "too many arguments" + Try}},
        // clang-format on
    };
    for (const auto& [arguments, input, expected] : cases)
        EXPECT_EQ(TarvikLink(arguments, input), expected)
            << arguments.front() << input.substr(0, 80);
}

// Limited to a link's length: a longer line ends the reading, a longer link is reported.
TEST(TarvikLink, RefusesWhatIsLongerThanItsLimit) {
    const auto run = [](auto convert, std::string_view input) {
        Ran ran{};
        Conversion conversion(LinkCommand::Decode, false, true);
        std::get<0>(ran) = convert(conversion, InMemory(input, ran), Link.size());
        return ran;
    };
    const std::string tooLong = " is longer than 34 bytes", quoted = ": \"" + Link + "x\"\n";
    EXPECT_EQ(run(ConvertLines, Link + "\n" + Link + "x\n" + Link),
              (Ran{1, Address + "\n",
                   "line 2: the line" + tooLong + "; nothing after it is read" + quoted}));
    EXPECT_EQ(run(ExtractLinks, Link + "x " + Link),
              (Ran{1, Address + "\n", "link 1: the link" + tooLong + quoted}));
}

}  // namespace
}  // namespace tarvik::cli
