// tarvik-link started as a script starts it, with no shell between: its arguments, its streams
// and files, its exit status. Each case works in a folder of its own, so that the native runs can
// go in parallel. What the commands convert is conversion_test's.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <tuple>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#endif

#include "core/link_commands.h"

namespace {

using Strings = std::vector<std::string>;
namespace fs = std::filesystem;

#define UTF8(text) std::string(reinterpret_cast<const char*>(u8##text))

const std::string Link = "thunder://QUFodHRwOi8vaC9hLnppcFpa", Address = "http://h/a.zip";
// http://h/文件.zip as typed, and its link. Windows reads the characters typed whatever its code
// page, and its messages keep the texts' GBK.
const std::string Gbk = "http://h/\xCE\xC4\xBC\xFE.zip", Me = "tarvik-link: ";
#ifdef _WIN32
const std::string Typed = UTF8("http://h/文件.zip"), Wrong(tarvik::LinkFormatErrorText);
#else
const std::string Typed = Gbk, Wrong = UTF8("网址格式错误，请输入正确的网址！");
#endif
const std::string TypedLink = "thunder://QUFodHRwOi8vaC/OxLz+LnppcFpa";

// The exit status, the output and the errors.
using Ran = std::tuple<int, std::string, std::string>;

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

    // Runs the program in the case's folder on `input`: its exit code, output and errors.
    Ran Run(const Strings& arguments, const std::string& input = "") {
        Put("in.txt", input);
        const int exitCode = RunOnFiles(arguments);
        return {exitCode, Get("out.txt"), Get("err.txt")};
    }

#ifdef _WIN32
    // The arguments are UTF-8 and hold no quote.
    int RunOnFiles(const Strings& arguments) {
        std::wstring line = L"\"" + fs::path(TARVIK_LINK_PATH).wstring() + L"\"";
        for (const std::string& argument : arguments)
            line += L" \"" +
                    fs::path(reinterpret_cast<const char8_t*>(argument.c_str())).wstring() + L"\"";
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
                           folder_.c_str(), &startup, &process)) {
            WaitForSingleObject(process.hProcess, 60000);
            GetExitCodeProcess(process.hProcess, &exitCode);
            CloseHandle(process.hProcess);
            CloseHandle(process.hThread);
        }
        for (HANDLE file : {startup.hStdInput, startup.hStdOutput, startup.hStdError})
            CloseHandle(file);
        return static_cast<int>(exitCode);
    }
#else
    int RunOnFiles(const Strings& arguments) {
        const int in = Open("in.txt", O_RDONLY), out = Open("out.txt"), err = Open("err.txt");
        const int exitCode = Wait(Start(arguments, in, out, err));
        for (const int file : {in, out, err}) close(file);
        return exitCode;
    }
    int Open(const char* name, int flags = O_WRONLY | O_CREAT | O_TRUNC) {
        return open((folder_ / name).c_str(), flags | O_CLOEXEC, 0600);
    }
    pid_t Start(const Strings& arguments, int in, int out, int err) {
        std::vector<char*> argv{const_cast<char*>(TARVIK_LINK_PATH)};
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
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
    EXPECT_EQ(Run({"thunder", Typed}), (Ran{0, TypedLink + "\n", ""}));
    EXPECT_EQ(Run({"--gbk", "thunder", UTF8("http://h/文件.zip")}), (Ran{0, TypedLink + "\n", ""}));
    EXPECT_EQ(Run({"decode", "--", "-x"}), (Ran{1, "", Me + Wrong + "\n"}));
    // The files as one stream: link numbers and the once-only rule run across them.
    Put(UTF8("页.html"), "<a href=\"" + Link + "\">\nthunder://QUFaWg==\n");
    Put("b.html", "qqdl://aHR0cDovL2gvYS56aXA= fs2you://fHg=\n");
    EXPECT_EQ(Run({"extract", UTF8("页.html"), "-", "b.html"}, TypedLink),
              (Ran{1, Address + "\n" + Gbk + "\n",
                   "link 2: " + Wrong + ": \"thunder://QUFaWg==\"\nlink 5: " + Wrong +
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
    std::string line;  // what comes within ten seconds
    pollfd ready{output[0], POLLIN, 0};
    for (char c = 0; c != '\n' && poll(&ready, 1, 10000) == 1 && read(output[0], &c, 1) == 1;)
        line += c;
    EXPECT_EQ(line, Link + "\n");
    close(output[0]);
    const std::string lines(1 << 20, '\n');
    EXPECT_NE(write(input[1], lines.data(), lines.size()), std::ssize(lines));
    close(input[1]);
    EXPECT_EQ(Wait(coprocess), 128 + SIGPIPE);
    EXPECT_EQ(Get("err.txt"), "");
}
#endif

}  // namespace
