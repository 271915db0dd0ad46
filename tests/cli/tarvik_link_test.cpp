#include <gtest/gtest.h>

#ifndef _WIN32
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <string>
#include <vector>

#include "core/link_commands.h"
#include "tests/cli/program_run.h"

namespace {

// UTF-8 whatever character set the compiler stores plain literals in.
std::string Utf8(std::u8string_view text) {
    return {text.begin(), text.end()};
}

const std::string FormatErrorUtf8 = Utf8(u8"网址格式错误，请输入正确的网址！");
#ifdef _WIN32
// Without --gbk a redirected message keeps the tool's own encoding.
const std::string FormatErrorShown(tarvik::LinkFormatErrorText);
#else
const std::string FormatErrorShown = FormatErrorUtf8;
#endif

const std::string Address = "http://h/a.zip";
const std::string ThunderLink = "thunder://QUFodHRwOi8vaC9hLnppcFpa";
const std::string FlashGetLink = "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9oL2EuemlwW0ZMQVNIR0VUXQ==";
// "文件" (file) in GBK, and the Thunder link of http://h/文件.zip.
const std::string GbkAddress = "http://h/\xCE\xC4\xBC\xFE.zip";
const std::string GbkThunderLink = "thunder://QUFodHRwOi8vaC/OxLz+LnppcFpa";

struct Expected {
    std::vector<std::string> arguments;
    std::string input;
    int exitCode;
    std::string out;
    std::string err;  // a part that standard error must hold; empty: it must be empty
};

void Check(const Expected& e) {
    const ProgramRun run = RunTarvikLink(e.arguments, e.input);
    std::string call;
    for (const std::string& argument : e.arguments) call += " [" + argument + "]";
    EXPECT_EQ(run.exitCode, e.exitCode) << call << "\nstderr: " << run.err;
    EXPECT_EQ(run.out, e.out) << call;
    if (e.err.empty()) {
        EXPECT_EQ(run.err, "") << call;
    } else {
        EXPECT_NE(run.err.find(e.err), std::string::npos) << call << "\nstderr: " << run.err;
    }
}

TEST(TarvikLink, ConvertsTextAsTheWindowDoes) {
    const Expected cases[] = {
        {{"thunder", "  " + Address + "  "}, "", 0, ThunderLink + "\n", ""},
        {{"thunder", ThunderLink}, "", 0, Address + "\n", ""},
        {{"thunder", "THUNDER://QUFodHRwOi8vaC9hLnppcFpa"}, "", 0, Address + "\n", ""},
        {{"flashget", Address}, "", 0, FlashGetLink + "\n", ""},
        {{"flashget", FlashGetLink}, "", 0, Address + "\n", ""},
        {{"xuanfeng", Address}, "", 0, "qqdl://aHR0cDovL2gvYS56aXA=\n", ""},
        {{"xuanfeng", "qqdl://aHR0cDovL2gvYS56aXA="}, "", 0, Address + "\n", ""},
        {{"rayfile", "fs2you://aHR0cDovL2gvYS56aXB8NzM1"}, "", 0, Address + "\n", ""},
        {{"rayfile", Address}, "", 1, "", FormatErrorShown},
        {{"thunder", "ed2k://x"}, "", 1, "", FormatErrorShown},
        {{"flashget", "ed2k://x"}, "", 1, "", FormatErrorShown},
        {{"xuanfeng", "ed2k://x"}, "", 1, "", FormatErrorShown},
        {{"rayfile", "ed2k://x"}, "", 1, "", FormatErrorShown},
        {{"base64-encode", "a\tb\r\nc"}, "", 0, "YQliDQpj\n", ""},
        {{"base64-decode", "YQ0KYg=="}, "", 0, "a\r\nb\n", ""},
        {{"thunder", "   "}, "", 0, "", ""},
        {{"base64-encode", ""}, "", 0, "", ""},
        {{"thunder", GbkAddress}, "", 0, GbkThunderLink + "\n", ""},
        {{"thunder", GbkThunderLink}, "", 0, GbkAddress + "\n", ""},
    };
    for (const Expected& e : cases) Check(e);
}

TEST(TarvikLink, RejectsAWrongCommandLine) {
    const Expected cases[] = {
        {{}, "", 2, "", "Usage:"},
        {{"magnet"}, "", 2, "", "unknown command 'magnet'"},
        {{"--utf8", "thunder"}, "", 2, "", "unknown option '--utf8'"},
        {{"--gbk"}, "", 2, "", "Usage:"},
        {{"thunder", "a", "b"}, "", 2, "", "too many arguments"},
    };
    for (const Expected& e : cases) Check(e);

    const ProgramRun help = RunTarvikLink({"--help"}, "");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.starts_with("Usage:"));
    EXPECT_EQ(help.err, "");
}

TEST(TarvikLink, ConvertsEveryLineOfABatch) {
    const Expected cases[] = {
        {{"thunder"},
         Address + "\r\n" + ThunderLink + "\r\n  \r\nqqdl://x\r\n" + Address,
         1,
         ThunderLink + "\n" + Address + "\n\n\n" + ThunderLink + "\n",
         "line 4: " + FormatErrorShown + "\n"},
        {{"base64-encode"}, "a\rb\na\r\r\n\n", 0, "YQ1i\nYQ0=\n\n", ""},
        {{"base64-encode"}, "", 0, "", ""},
        {{"base64-encode"},
         std::string("abc\na\0b\nabc", 11),
         1,
         "YWJj\n\nYWJj\n",
         "line 2: the input holds a NUL byte"},
        {{"rayfile"}, "x\n" + GbkThunderLink + "\n", 1, "\n\n", "line 2: " + FormatErrorShown},
        {{"thunder"},
         GbkAddress + "\n" + GbkThunderLink,
         0,
         GbkThunderLink + "\n" + GbkAddress + "\n",
         ""},
    };
    for (const Expected& e : cases) Check(e);
}

TEST(TarvikLink, ConvertsBetweenUtf8AndGbkOnRequest) {
    const std::string name = Utf8(u8"http://h/文件.zip");
    const Expected cases[] = {
        {{"--gbk", "thunder", name}, "", 0, GbkThunderLink + "\n", ""},
        {{"--gbk", "thunder", GbkThunderLink}, "", 0, name + "\n", ""},
        {{"--gbk", "rayfile", name}, "", 1, "", FormatErrorUtf8},
        {{"--gbk", "base64-decode", "/w=="}, "", 1, "", "the result is not GBK text"},
        {{"--gbk", "thunder"},
         name + "\nhttp://h/\xFF.zip\n" + Utf8(u8"http://h/😀.zip\n") + "http://h/\xE6\x96\n" +
             GbkThunderLink,
         1,
         GbkThunderLink + "\n\n\n\n" + name + "\n",
         "line 2: the input is not UTF-8 text that GBK can hold\n"
         "line 3: the input is not UTF-8 text that GBK can hold\n"
         "line 4: the input is not UTF-8 text that GBK can hold\n"},
    };
    for (const Expected& e : cases) Check(e);
}

TEST(TarvikLink, ConvertsLongLinesWhole) {
    std::string base64;
    for (int group = 0; group < 2'500'000; ++group) base64 += "YWJj";
    const ProgramRun decoded = RunTarvikLink({"base64-decode"}, base64 + "\n");
    EXPECT_EQ(decoded.exitCode, 0);
    ASSERT_EQ(decoded.out.size(), 7'500'001u);
    EXPECT_EQ(decoded.out.find_first_not_of("abc"), 7'500'000u);
    EXPECT_EQ(decoded.out.find("aa"), std::string::npos);

    const std::string address = "http://h/" + std::string(1 << 20, 'a') + ".zip";
    const ProgramRun made = RunTarvikLink({"thunder"}, address + "\n");
    EXPECT_EQ(made.exitCode, 0);
    EXPECT_TRUE(made.out.starts_with("thunder://QUFodHRwOi8vaC9h"));
    EXPECT_EQ(made.out.size(), 10 + (address.size() + 4 + 2) / 3 * 4 + 1);
    const ProgramRun read = RunTarvikLink({"thunder"}, made.out);
    EXPECT_EQ(read.exitCode, 0);
    EXPECT_TRUE(read.out == address + "\n")
        << "the address came back with " << read.out.size() << " bytes";
}

#ifndef _WIN32
// A script that sends one line and waits for its answer must get it while its input stays open.
TEST(TarvikLink, AnswersALineBeforeTheInputEnds) {
    int toProgram[2], fromProgram[2];
    ASSERT_EQ(pipe(toProgram), 0);
    ASSERT_EQ(pipe(fromProgram), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, toProgram[0], 0);
    posix_spawn_file_actions_adddup2(&actions, fromProgram[1], 1);
    posix_spawn_file_actions_addclose(&actions, toProgram[1]);
    posix_spawn_file_actions_addclose(&actions, fromProgram[0]);
    char* argv[] = {const_cast<char*>(TARVIK_LINK_PATH), const_cast<char*>("thunder"), nullptr};
    pid_t child = 0;
    ASSERT_EQ(posix_spawn(&child, TARVIK_LINK_PATH, &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(toProgram[0]);
    close(fromProgram[1]);

    const std::string line = Address + "\n";
    ASSERT_EQ(write(toProgram[1], line.data(), line.size()), std::ssize(line));
    std::string answer;
    pollfd readable{fromProgram[0], POLLIN, 0};
    while (answer.find('\n') == std::string::npos && poll(&readable, 1, 5000) == 1) {
        char bytes[256];
        const ssize_t count = read(fromProgram[0], bytes, sizeof bytes);
        if (count <= 0) break;
        answer.append(bytes, static_cast<std::size_t>(count));
    }
    EXPECT_EQ(answer, ThunderLink + "\n");

    close(toProgram[1]);
    close(fromProgram[0]);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(TarvikLink, ReportsAnOutputThatCannotBeWritten) {
    const ProgramRun single = RunTarvikLink({"thunder", Address}, "", "/dev/full");
    const ProgramRun batch = RunTarvikLink({"thunder"}, Address + "\n", "/dev/full");
    for (const ProgramRun& run : {single, batch}) {
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.err.find("cannot write the output"), std::string::npos) << run.err;
    }
}
#endif

}  // namespace
