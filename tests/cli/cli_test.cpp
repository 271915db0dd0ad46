// tarvik-link started as a script starts it, with no shell between: its arguments, its streams
// and files, its exit status. Each case works in a folder of its own, so that the native runs can
// go in parallel. What the commands convert is conversion_test's.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <csignal>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "core/link_commands.h"
#include "core/text_encoding.h"

namespace {

using Strings = std::vector<std::string>;
namespace fs = std::filesystem;

#define UTF8(text) std::string(reinterpret_cast<const char*>(u8##text))

const std::string Link = "thunder://QUFodHRwOi8vaC9hLnppcFpa", Address = "http://h/a.zip";
// http://h/文件.zip in GBK, its Thunder link, and in UTF-8.
const std::string Gbk = "http://h/\xCE\xC4\xBC\xFE.zip",
                  GbkLink = "thunder://QUFodHRwOi8vaC/OxLz+LnppcFpa";
const std::string Utf8Address = UTF8("http://h/文件.zip"), Me = "tarvik-link: ";
#ifdef _WIN32
const std::string Wrong(tarvik::LinkFormatErrorText);  // messages keep the texts' encoding
#else
const std::string Wrong = UTF8("网址格式错误，请输入正确的网址！");
#endif

class TarvikLink : public testing::Test {
  protected:
    TarvikLink() { fs::create_directory(folder_); }
    ~TarvikLink() override { fs::remove_all(folder_); }

    void Put(const std::string& name, const std::string& bytes) {
        std::ofstream(folder_ / fs::u8path(name), std::ios::binary) << bytes;
    }
    std::string Get(const char* name) {
        std::ostringstream bytes;
        bytes << std::ifstream(folder_ / name, std::ios::binary).rdbuf();
        return bytes.str();
    }

    // Runs the program in the case's folder, `input` its standard input, out.txt and err.txt its
    // other two; gives the exit code.
    int Run(const Strings& arguments, const std::string& input);
#ifdef _WIN32
    int Run(const std::vector<std::wstring>& arguments);
#else
    // The program on the three descriptors, ended or not.
    pid_t Start(const Strings& arguments, int in, int out, int err);
    int Wait(pid_t program);
    int Open(const char* name, int flags) {
        return open((folder_ / name).c_str(), flags | O_CLOEXEC, 0600);
    }
#endif

    void Check(const Strings& arguments, const std::string& input, const std::string& out,
               const std::string& err, int exitCode) {
        EXPECT_EQ(Run(arguments, input), exitCode) << arguments.front();
        EXPECT_EQ(Get("out.txt"), out) << arguments.front();
        EXPECT_EQ(Get("err.txt"), err) << arguments.front();
    }

    const fs::path folder_ =
        fs::temp_directory_path() / ("tarvik-cli-" + std::to_string(getpid()) + "-" +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
};

#ifdef _WIN32
// Arguments are GBK or UTF-8 texts, whatever the system's code page.
int TarvikLink::Run(const Strings& arguments, const std::string& input) {
    std::vector<std::wstring> wide;
    for (const std::string& argument : arguments) {
        const UINT codePage = tarvik::IsUtf8Text(argument) ? CP_UTF8 : 936;
        std::wstring text(argument.size(), L'\0');
        text.resize(MultiByteToWideChar(codePage, 0, argument.data(), int(argument.size()),
                                        text.data(), int(text.size())));
        wide.push_back(text);
    }
    Put("in.txt", input);
    return Run(wide);
}

// Each argument quoted, a quote inside escaped (the tests' arguments end in no backslash).
int TarvikLink::Run(const std::vector<std::wstring>& arguments) {
    std::wstring line = L"\"" + fs::path(TARVIK_LINK_PATH).wstring() + L"\"";
    for (const std::wstring& argument : arguments) {
        line += L" \"";
        for (const wchar_t c : argument)
            line += c == L'"' ? std::wstring(L"\\\"") : std::wstring(1, c);
        line += L"\"";
    }
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
    if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, folder_.c_str(),
                       &startup, &process)) {
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
pid_t TarvikLink::Start(const Strings& arguments, int in, int out, int err) {
    std::vector<char*> argv{const_cast<char*>(TARVIK_LINK_PATH)};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder_.c_str());
    const int streams[] = {in, out, err};
    for (const int stream : {0, 1, 2})
        posix_spawn_file_actions_adddup2(&actions, streams[stream], stream);
    pid_t program = -1;
    EXPECT_EQ(posix_spawn(&program, TARVIK_LINK_PATH, &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    return program;
}

int TarvikLink::Wait(pid_t program) {
    int status = 0;
    waitpid(program, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

int TarvikLink::Run(const Strings& arguments, const std::string& input) {
    Put("in.txt", input);
    const int in = Open("in.txt", O_RDONLY), out = Open("out.txt", O_WRONLY | O_CREAT | O_TRUNC),
              err = Open("err.txt", O_WRONLY | O_CREAT | O_TRUNC);
    const int exitCode = Wait(Start(arguments, in, out, err));
    for (const int file : {in, out, err}) close(file);
    return exitCode;
}
#endif

// Each command is found by its name and reads its TEXT as typed: on Windows from the wide command
// line, whatever the system's code page (cli_test_english runs this on code page 1252).
TEST_F(TarvikLink, ReadsArgumentsAsTyped) {
    Check({"thunder", Gbk}, "", GbkLink + "\n", "", 0);
    Check({"--gbk", "thunder", Utf8Address}, "", GbkLink + "\n", "", 0);
    Check({"decode", "--", "-x"}, "", "", Me + Wrong + "\n", 1);
#ifdef _WIN32
    // Without a GBK form a text goes in as UTF-8; an unpaired surrogate as U+FFFD.
    Check({"base64-encode", UTF8("한")}, "", "7ZWc\n", "", 0);
    EXPECT_EQ(Run({L"base64-encode", L"a\xD800"}), 0);
    EXPECT_EQ(Get("out.txt"), "Ye+/vQ==\n");
#endif
}

TEST_F(TarvikLink, AnswersEveryLineOfItsInput) {
    Check({"decode"}, Link + "\r\nqqdl://x\n" + GbkLink, Address + "\n\n" + Gbk + "\n",
          "line 2: " + Wrong + ": \"qqdl://x\"\n", 1);
    Check({"--gbk", "thunder"}, Utf8Address, GbkLink + "\n", "", 0);
}

TEST_F(TarvikLink, TakesTheUsualCommandLine) {
    Check({"--version"}, "", "tarvik-link " TARVIK_VERSION "\n", "", 0);
    Check({"magnet"}, "", "", Me + "unknown command 'magnet'\nTry 'tarvik-link --help'.\n", 2);
    EXPECT_EQ(Run({"thunder", "-h"}, ""), 0);
    EXPECT_TRUE(Get("out.txt").starts_with("Usage: tarvik-link"));
}

// The files as one stream: link numbers and the once-only rule run across them.
TEST_F(TarvikLink, ExtractsFromFilesInOrder) {
    Put(UTF8("页.html"), "<a href=\"" + Link + "\">\nthunder://QUFaWg==\n");
    Put("b.html", "qqdl://aHR0cDovL2gvYS56aXA= fs2you://fHg=\n");
    Check(
        {"extract", UTF8("页.html"), "-", "b.html"}, GbkLink, Address + "\n" + Gbk + "\n",
        "link 2: " + Wrong + ": \"thunder://QUFaWg==\"\nlink 5: " + Wrong + ": \"fs2you://fHg=\"\n",
        1);
    Check({"extract", "missing.html", "-"}, Link, Address + "\n",
          Me + "cannot open missing.html: No such file or directory\n", 1);
    Check({"extract"}, "a thunder:// b", "", "", 0);
}

#ifndef _WIN32
TEST_F(TarvikLink, TellsATerminalUserHowToEndTheInput) {
    const int terminal = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_TRUE(terminal >= 0 && grantpt(terminal) == 0 && unlockpt(terminal) == 0);
    const int in = open(ptsname(terminal), O_RDWR | O_NOCTTY | O_CLOEXEC),
              out = Open("out.txt", O_WRONLY | O_CREAT | O_TRUNC),
              err = Open("err.txt", O_WRONLY | O_CREAT | O_TRUNC);
    const pid_t program = Start({"thunder"}, in, out, err);
    ASSERT_EQ(write(terminal, "http://h/a.zip\n\x04", 16), 16);  // a line, then Ctrl+D
    EXPECT_EQ(Wait(program), 0);
    for (const int file : {terminal, in, out, err}) close(file);
    EXPECT_EQ(Get("out.txt"), Link + "\n");
    EXPECT_EQ(Get("err.txt"), Me + "reading standard input from the terminal; Ctrl+D ends it\n");
}

// A line of the output read within ten seconds, or what came until then.
std::string ReadLine(int pipe) {
    std::string line;
    pollfd ready{pipe, POLLIN, 0};
    for (char c = 0; c != '\n' && poll(&ready, 1, 10000) == 1 && read(pipe, &c, 1) == 1;) line += c;
    return line;
}

TEST_F(TarvikLink, EndsAsScriptsExpect) {
    const int full = open("/dev/full", O_WRONLY | O_CLOEXEC);
    for (const Strings& arguments : {Strings{"thunder", Address}, Strings{"extract"}}) {
        Put("in.txt", Link);
        const int in = Open("in.txt", O_RDONLY),
                  err = Open("err.txt", O_WRONLY | O_CREAT | O_TRUNC);
        EXPECT_EQ(Wait(Start(arguments, in, full, err)), 1);
        EXPECT_EQ(Get("err.txt"), Me + "cannot write the output: No space left on device\n");
        close(in), close(err);
    }
    close(full);
    // A coprocess gets each answer before it sends the next line; a closed pipe ends the program
    // at once and quietly, by its signal, as it ends cat.
    std::signal(SIGPIPE, SIG_IGN);  // here; the program restores its own
    int input[2], output[2];
    ASSERT_TRUE(pipe2(input, O_CLOEXEC) == 0 && pipe2(output, O_CLOEXEC) == 0);
    const int err = Open("err.txt", O_WRONLY | O_CREAT | O_TRUNC);
    const pid_t program = Start({"thunder"}, input[0], output[1], err);
    close(input[0]), close(output[1]), close(err);
    ASSERT_EQ(write(input[1], "http://h/a.zip\n", 15), 15);
    EXPECT_EQ(ReadLine(output[0]), Link + "\n");
    ASSERT_EQ(write(input[1], (Link + "\n").c_str(), Link.size() + 1), Link.size() + 1);
    EXPECT_EQ(ReadLine(output[0]), Address + "\n");
    close(output[0]);
    std::string links;
    while (links.size() < (1 << 20)) links += Link + "\n";
    EXPECT_NE(write(input[1], links.data(), links.size()), std::ssize(links));
    close(input[1]);
    EXPECT_EQ(Wait(program), 128 + SIGPIPE);
    EXPECT_EQ(Get("err.txt"), "");
}
#endif

}  // namespace
