// tarvik-link run as scripts run it: through the shell (cmd.exe under Wine), streams in files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#endif

#include "core/link_commands.h"
#include "core/text_encoding.h"

namespace {

using Strings = std::vector<std::string>;
using namespace std::string_literals;

#define UTF8(text) std::string(reinterpret_cast<const char*>(u8##text))

const std::string Link = "thunder://QUFodHRwOi8vaC9hLnppcFpa", Address = "http://h/a.zip",
                  FlashGetLink = "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9oL2EuemlwW0ZMQVNIR0VUXQ==";
// http://h/文件.zip in GBK, its Thunder link, and in UTF-8.
const std::string Gbk = "http://h/\xCE\xC4\xBC\xFE.zip",
                  GbkLink = "thunder://QUFodHRwOi8vaC/OxLz+LnppcFpa";
const std::string Utf8Address = UTF8("http://h/文件.zip"), Me = "tarvik-link: ";
const std::string NotGbk = "the input is not UTF-8 text that GBK can hold",
                  Help = "\nTry 'tarvik-link --help'.\n";
#ifdef _WIN32
const std::string Wrong(tarvik::LinkFormatErrorText);  // messages keep the texts' encoding
#else
const std::string Wrong = UTF8("网址格式错误，请输入正确的网址！");
#endif

std::string Read(const char* path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

// Runs the program with the arguments, in.txt holding `input`; gives the exit code.
int TarvikLink(const Strings& arguments, const std::string& input,
               std::string redirection = " >out.txt") {
    std::ofstream("in.txt", std::ios::binary) << input;
    std::string command = "\"" TARVIK_LINK_PATH "\"";
    for (const std::string& argument : arguments) command += " \"" + argument + "\"";
    command += " <in.txt 2>err.txt" + redirection;
#ifdef _WIN32
    // Wine's drive Z: is the Linux file system; cmd.exe /c drops the first and the last quote.
    command = "\"\"Z:" + command.substr(1);
    std::replace(command.begin(), command.begin() + command.find(' '), '/', '\\');
    std::wstring wide(command.size() + 2, L'\0');
    // Arguments are GBK or UTF-8 texts, whatever the system's code page.
    const bool utf8 = tarvik::IsUtf8Text(command);
    MultiByteToWideChar(utf8 ? CP_UTF8 : 936, 0, (command + "\"").c_str(), -1, wide.data(),
                        static_cast<int>(wide.size()));
    return _wsystem(wide.c_str());
#else
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
#endif
}

void Check(const Strings& arguments, const std::string& input, const std::string& out,
           const std::string& err, int exitCode) {
    EXPECT_EQ(TarvikLink(arguments, input), exitCode) << arguments.front();
    EXPECT_EQ(Read("out.txt"), out) << arguments.front();
    EXPECT_EQ(Read("err.txt"), err) << arguments.front();
}

// The conversions themselves are the core tests'; here each command is found by its name.
TEST(TarvikLink, ConvertsOneTextOrEveryLine) {
    Check({"flashget", Address}, "", FlashGetLink + "\n", "", 0);
    Check({"xuanfeng", Address}, "", "qqdl://aHR0cDovL2gvYS56aXA=\n", "", 0);
    Check({"rayfile", "fs2you://aHR0cDovL2gvYS56aXB8NzM1"}, "", Address + "\n", "", 0);
    Check({"base64-encode", "ab"}, "", "YWI=\n", "", 0);
    Check({"thunder", Gbk}, "", GbkLink + "\n", "", 0);
    Check({"base64-decode", "YQ0KYg=="}, "", "a\r\nb\n", "", 0);
    Check({"decode", "--", "-x"}, "", "", Me + Wrong + "\n", 1);
    Check({"thunder", "--gbk", Utf8Address}, "", GbkLink + "\n", "", 0);
    Check({"--gbk", "thunder", UTF8("http://h/한")}, "", "", Me + NotGbk + "\n", 1);  // never '?'
    Check({"--gbk", "decode", "thunder://QUFodHRwOi8vaC/kuK3mlocuemlwWlo="}, "",
          UTF8("http://h/中文.zip\n"), "", 0);
    Check({"--gbk", "base64-decode", "/w=="}, "", "",
          Me + "the result is not GBK text, so it has no UTF-8 form\n", 1);
    Check({"thunder"}, Address + "\r\n\nqqdl://x\r\n\"\\" + std::string(40, 'b') + "\n" + Link,
          Link + "\n\n\n\n" + Address + "\n",
          "line 3: " + Wrong + ": \"qqdl://x\"\nline 4: " + Wrong + ": \"\\x22\\x5C" +
              std::string(38, 'b') + "\"...\n",
          1);
    Check({"decode"}, GbkLink + "\na\0b"s, Gbk + "\n\n",
          "line 2: the input holds a NUL byte: \"a\\x00b\"\n", 1);
    Check({"--gbk", "thunder"}, "http://h/\xE6\x96\n" + Utf8Address, "\n" + GbkLink + "\n",
          "line 1: " + NotGbk + ": \"http://h/\\xE6\\x96\"\n", 1);
}

TEST(TarvikLink, TakesTheUsualCommandLine) {
    Check({"--version"}, "", "tarvik-link " TARVIK_VERSION "\n", "", 0);
    Check({"--gbk"}, "", "", Me + "a command is missing" + Help, 2);
    Check({"magnet"}, "", "", Me + "unknown command 'magnet'" + Help, 2);
    Check({"thunder", "-x"}, "", "", Me + "unknown option '-x'" + Help, 2);
    Check({"thunder", "a", "b"}, "", "", Me + "too many arguments" + Help, 2);
    Check({"extract", "a"}, "", "", Me + "extract takes no TEXT" + Help, 2);
    EXPECT_EQ(TarvikLink({"thunder", "-h"}, ""), 0);
    EXPECT_TRUE(Read("out.txt").starts_with("Usage: tarvik-link"));
}

TEST(TarvikLink, ExtractsEachDistinctAddressOnce) {
    const std::string tab = "thunder://QUFodHRwOi8vaAlaWg==";  // AAhttp://h, a tab, ZZ
    Check({"extract"},
          "<a href=\"" + Link + "\">QQDL://aHR0cDovL2gvYS56aXA=,FS2YOU://aHR0cDovL2gvYi56aXB8\n" +
              tab + " " + GbkLink + " Flashget:://x thunder:/QUFo 支持 thunder:// 链接",
          Address + "\nhttp://h/b.zip\n" + Gbk + "\n", "link 4: " + Wrong + ": \"" + tab + "\"\n",
          1);
    Check({"--gbk", "extract"}, GbkLink + " " + Link, Utf8Address + "\n" + Address + "\n", "", 0);
    // The first 64 KiB read ends with "Flashget", right before its colon.
    Check({"extract"}, std::string((1 << 16) - 8, ' ') + FlashGetLink, Address + "\n", "", 0);
}

#ifndef _WIN32
TEST(TarvikLink, EndsAsScriptsExpect) {
    for (const Strings& arguments : {Strings{"thunder", Address}, Strings{"extract"}}) {
        EXPECT_EQ(TarvikLink(arguments, Link, " >/dev/full"), 1);
        EXPECT_EQ(Read("err.txt"), Me + "cannot write the output: No space left on device\n");
    }
    // A closed pipe ends it quietly; a coprocess gets each answer before it sends the next line.
    std::string links;
    while (links.size() < (1 << 20)) links += Link + "\n";
    EXPECT_EQ(TarvikLink({"thunder"}, links, " | head -n 1 >out.txt"), 0);
    EXPECT_EQ(Read("out.txt") + Read("err.txt"), Address + "\n");
    const char* coprocess =
        "rm -f out.txt; { echo http://h/a.zip; for i in $(seq 99); do [ -s out.txt ] && echo "
        "thunder://QUFodHRwOi8vaC9hLnppcFpa && break; sleep 0.1; done; } | " TARVIK_LINK_PATH
        " thunder >out.txt";
    EXPECT_EQ(std::system(coprocess), 0);
    EXPECT_EQ(Read("out.txt"), Link + "\n" + Address + "\n");
}
#endif

}  // namespace
