// tarvik-link: its command lines run in-process on streams held in memory; then the program
// started as a script starts it, with no shell between, each case in a folder of its own.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#endif

#include "cli/arguments.h"
#include "cli/conversion.h"

namespace tarvik::cli {
namespace {

namespace fs = std::filesystem;

#define UTF8(text) std::string(reinterpret_cast<const char*>(u8##text))

const std::string Link = "thunder://QUFodHRwOi8vaC9hLnppcFpa", Address = "http://h/a.zip";
// http://h/文件.zip in GBK and in UTF-8, and its Thunder link.
const std::string Gbk = "http://h/\xCE\xC4\xBC\xFE.zip", Utf8Address = UTF8("http://h/文件.zip"),
                  GbkLink = "thunder://QUFodHRwOi8vaC/OxLz+LnppcFpa";
const std::string Me = "tarvik-link: ", Wrong = UTF8("网址格式错误，请输入正确的网址！");
const std::string NotGbk = "the input is not UTF-8 text that GBK can hold",
                  Try = "\nTry 'tarvik-link --help'.\n",
                  Tab = "thunder://QUFodHRwOi8vaAlaWg==";  // AAhttp://h, a tab, ZZ

// The exit status, the output and the errors.
using Ran = std::tuple<int, std::string, std::string>;

// `run` in-process, on streams that read `input` as the program reads a file.
Ran InProcess(std::string_view input, const std::function<int(const Streams&)>& run) {
    Ran ran{};
    std::get<0>(ran) = run({[&input](char* buffer, std::size_t size) {
                                const std::size_t count = input.copy(buffer, size);
                                input.remove_prefix(count);
                                return static_cast<std::ptrdiff_t>(count);
                            },
                            [&ran](std::string_view bytes) { std::get<1>(ran) += bytes; },
                            [&ran](std::string_view bytes) { std::get<2>(ran) += bytes; }});
    return ran;
}

TEST(Conversion, CommandsTextsLinesAndLinks) {
    const std::string x33(33, 'x'), b39(39, 'b'), help = std::string(HelpText) + "\n";
    // A link of exactly the limit, and one byte longer; each quoted by its first 40 bytes.
    const std::string link = "thunder://" + std::string(MaxLinkLength - 10, 'A'),
                      quoted = ": \"" + link.substr(0, 40) + "\"...\n";
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
        {{"extract"}, link + " " + link + "A " + Link,
         {1, Address + "\n", "link 1: " + Wrong + quoted +
         "link 2: the link is longer than 1 MiB" + quoted}},
        // The first 64 KiB read ends right after "Flashget://".
        {{"extract"}, std::string((1 << 16) - 11, ' ') +
         "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9oL2EuemlwW0ZMQVNIR0VUXQ==", {0, Address + "\n", ""}},
        {{"thunder", "-h"}, "", {0, help, ""}},  {{"--version"}, "", {0, "tarvik-link " TARVIK_VERSION "\n", ""}},
        {{"decode", "--", "-x"}, "", {1, "", Me + Wrong + "\n"}},
        {{"--gbk"}, "", {2, "", Me + "a command is missing" + Try}},
        {{"magnet"}, "", {2, "", Me + "unknown command 'magnet'" + Try}},
        {{"thunder", "-x"}, "", {2, "", Me + "unknown option '-x'" + Try}},
        {{"thunder", "a", "b"}, "", {2, "", Me + "too many arguments" + Try}},
        // clang-format on
    };
    for (const auto& [arguments, input, expected] : cases) {
        const Invocation invocation = ParseArguments(arguments);
        std::optional<std::string> text;  // TEXT as given
        if (invocation.textIndex) text = std::string(arguments[*invocation.textIndex]);
        const auto run = [&](const Streams& streams) {
            return cli::Run(invocation, text, true, streams);
        };
        EXPECT_EQ(InProcess(input, run), expected) << arguments.front() << input.substr(0, 80);
    }
    // A line longer than the limit ends the reading.
    Conversion conversion(LinkCommand::Decode, false, true);
    const auto lines = [&](const Streams& streams) {
        return ConvertLines(conversion, streams, 34);
    };
    EXPECT_EQ(InProcess(Link + "\n" + Link + "x\n" + Link, lines),
              (Ran{1, Address + "\n",
                   "line 2: the line is longer than 34 bytes; nothing after it is read: \"" + Link +
                       "x\"\n"}));
}

// As typed: Windows reads the characters whatever its code page; its messages keep the texts' GBK.
#ifdef _WIN32
const std::string Typed = Utf8Address, TypedWrong(LinkFormatErrorText);
#else
const std::string Typed = Gbk, TypedWrong = Wrong;
#endif

class TarvikLink : public testing::Test {
  protected:
    TarvikLink() { fs::create_directory(folder_); }
    ~TarvikLink() override { fs::remove_all(folder_); }

    void Put(const std::string& name, const std::string& bytes) {
        std::ofstream(folder_ / fs::u8path(name), std::ios::binary) << bytes;
    }
    std::string Get(const char* name) {
        std::ifstream file(folder_ / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), {}};
    }

#ifdef _WIN32
    // The program run in the case's folder; the arguments are UTF-8 and hold no quote.
    Ran Run(const std::vector<std::string>& arguments, const std::string& input = "") {
        Put("in.txt", input);
        std::wstring line = L"\"" + fs::path(TARVIK_LINK_PATH).wstring() + L"\"";
        for (const auto& word : arguments) line += L" \"" + fs::u8path(word).wstring() + L'"';
        SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
        const auto open = [&](const char* name, DWORD access, DWORD disposition) {
            return CreateFileW((folder_ / name).c_str(), access, FILE_SHARE_READ, &inherited,
                               disposition, 0, nullptr);
        };
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = open("in.txt", GENERIC_READ, OPEN_EXISTING);
        startup.hStdOutput = open("out.txt", GENERIC_WRITE, CREATE_ALWAYS);
        startup.hStdError = open("err.txt", GENERIC_WRITE, CREATE_ALWAYS);
        PROCESS_INFORMATION process{};
        DWORD exitCode = 255;
        if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                           folder_.c_str(), &startup, &process))
            WaitForSingleObject(process.hProcess, 60000);
        GetExitCodeProcess(process.hProcess, &exitCode);  // keeps 255 if the program did not start
        for (HANDLE handle : {startup.hStdInput, startup.hStdOutput, startup.hStdError,
                              process.hProcess, process.hThread})
            CloseHandle(handle);
        return {static_cast<int>(exitCode), Get("out.txt"), Get("err.txt")};
    }
#else
    Ran Run(const std::vector<std::string>& arguments, const std::string& input = "") {
        Put("in.txt", input);
        const int in = Open("in.txt", O_RDONLY), out = Open("out.txt"), err = Open("err.txt");
        const int exitCode = Wait(Start(arguments, in, out, err));
        for (const int file : {in, out, err}) close(file);
        return {exitCode, Get("out.txt"), Get("err.txt")};
    }
    int Open(const char* name, int flags = O_WRONLY | O_CREAT | O_TRUNC) {
        return open((folder_ / name).c_str(), flags | O_CLOEXEC, 0600);
    }
    pid_t Start(const std::vector<std::string>& arguments, int in, int out, int err) {
        std::vector<char*> argv{const_cast<char*>(TARVIK_LINK_PATH)};
        for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        const pid_t program = fork();
        if (program == 0 && chdir(folder_.c_str()) == 0 && dup2(in, 0) == 0 && dup2(out, 1) == 1 &&
            dup2(err, 2) == 2)
            execv(TARVIK_LINK_PATH, argv.data());
        if (program == 0) _exit(127);
        return program;
    }
    static int Wait(pid_t program) {
        int status = 0;
        waitpid(program, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
#endif

    const fs::path folder_ =
        fs::temp_directory_path() / ("tarvik-cli-" + std::to_string(getpid()) + "-" +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
};

// cli_test_english runs this on Windows' code page 1252.
TEST_F(TarvikLink, ReadsArgumentsAndFilesAsTyped) {
    EXPECT_EQ(Run({"thunder", Typed}), (Ran{0, GbkLink + "\n", ""}));
    EXPECT_EQ(Run({"--gbk", "thunder", Utf8Address}), (Ran{0, GbkLink + "\n", ""}));
    // The files as one stream: link numbers and the once-only rule run across them.
    Put(UTF8("页.html"), "<a href=\"" + Link + "\">\nthunder://QUFaWg==\n");
    Put("b.html", "qqdl://aHR0cDovL2gvYS56aXA= fs2you://fHg=\n");
    EXPECT_EQ(Run({"extract", UTF8("页.html"), "-", "b.html"}, GbkLink),
              (Ran{1, Address + "\n" + Gbk + "\n",
                   "link 2: " + TypedWrong + ": \"thunder://QUFaWg==\"\nlink 5: " + TypedWrong +
                       ": \"fs2you://fHg=\"\n"}));
    EXPECT_EQ(
        Run({"extract", "missing.html", "-"}, Link),
        (Ran{1, Address + "\n", Me + "cannot open missing.html: No such file or directory\n"}));
}

#ifndef _WIN32
// A terminal user is told how to end the input; a full disk and a coprocess are handled as
// scripts expect.
TEST_F(TarvikLink, TalksToTerminalsAndScripts) {
    const int terminal = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_TRUE(terminal >= 0 && grantpt(terminal) == 0 && unlockpt(terminal) == 0);
    const int in = open(ptsname(terminal), O_RDWR | O_NOCTTY | O_CLOEXEC), out = Open("out.txt"),
              err = Open("err.txt"), full = open("/dev/full", O_WRONLY | O_CLOEXEC);
    const pid_t reader = Start({"thunder"}, in, out, err);
    ASSERT_EQ(write(terminal, "http://h/a.zip\n\x04", 16), 16);  // a line, then Ctrl+D
    EXPECT_EQ(Wait(reader), 0);
    EXPECT_EQ(Wait(Start({"thunder", Address}, in, full, err)), 1);
    for (const int file : {terminal, in, out, err, full}) close(file);
    EXPECT_EQ(Get("out.txt") + Get("err.txt"),
              Link + "\n" + Me + "reading standard input from the terminal; Ctrl+D ends it\n" + Me +
                  "cannot write the output: No space left on device\n");
    // A coprocess gets each answer before it sends the next line; a closed pipe ends the program
    // at once and quietly, by its signal, as it ends cat.
    std::signal(SIGPIPE, SIG_IGN);  // here; the program restores its own
    int input[2], output[2];
    ASSERT_TRUE(pipe2(input, O_CLOEXEC) == 0 && pipe2(output, O_CLOEXEC) == 0);
    const pid_t coprocess = Start({"thunder"}, input[0], output[1], Open("err.txt"));
    close(input[0]), close(output[1]);
    ASSERT_EQ(write(input[1], "http://h/a.zip\n", 15), 15);
    char answer[64] = {};  // written at once, and here within ten seconds
    pollfd ready{output[0], POLLIN, 0};
    EXPECT_TRUE(poll(&ready, 1, 10000) == 1 && read(output[0], answer, 63) > 0);
    EXPECT_EQ(answer, Link + "\n");
    close(output[0]);
    const std::string lines(1 << 20, '\n');
    EXPECT_NE(write(input[1], lines.data(), lines.size()), std::ssize(lines));
    close(input[1]);
    EXPECT_EQ(Wait(coprocess), 128 + SIGPIPE);
    EXPECT_EQ(Get("err.txt"), "");
}
#endif

}  // namespace
}  // namespace tarvik::cli
