// tarvik.exe as links reach it, on its command line, and made their opener by --register. Built
// from UTF-8 with -fexec-charset=GBK.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/harness/program.h"
#include "ui/control_numbers.h"

namespace {

using namespace tarvik;
using harness::FromGbk;
using harness::Text;
const std::string Tool = harness::ToolPath();
const std::wstring Address = L"http://h/a.zip";

TEST(LinkHandler, StartedWithATextOrALink) {
    harness::Program plain(Tool + " \" http://h/a.zip \"");
    ASSERT_NE(plain.WaitForWindow(), nullptr);
    EXPECT_EQ(Text(plain.Control(InputBox)) + Text(plain.Control(OutputBox)), Address);
    harness::Program linked(Tool + " \"  THUNDER://QUFodHRwOi8vaC9hLnppcFpa \"");
    HWND window = linked.WaitForWindow();
    EXPECT_TRUE(harness::Shows(window, OutputBox, Address));
    GUITHREADINFO focus{};
    focus.cbSize = sizeof focus;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &focus);
    EXPECT_EQ(focus.hwndFocus, linked.Control(OutputBox));
}

// Each scheme's name and command in the user's classes.
std::string Classes() {
    std::string found;
    for (const std::string scheme : {"thunder", "flashget", "qqdl", "fs2you"})
        for (const std::string& key : {scheme, scheme + "\\shell\\open\\command"}) {
            char text[1024] = "";
            DWORD size = sizeof text;
            RegGetValueA(HKEY_CURRENT_USER, ("Software\\Classes\\" + key).c_str(), nullptr,
                         RRF_RT_REG_SZ, nullptr, text, &size);
            found += text + std::string(";");
        }
    return found;
}

// Runs the tool with the option, answers its message, and gives its text and the exit code.
std::wstring RunAnswered(const std::string& option) {
    harness::Program program(Tool + option);
    harness::WaitUntil([&] { return program.Dialog() != nullptr; }, 60000);
    const std::wstring said = Text(GetDlgItem(program.Dialog(), 0xFFFF));
    PostMessageA(program.Dialog(), WM_COMMAND, IDOK, 0);
    return said + std::to_wstring(program.ExitCode(harness::SettleMs));
}

TEST(LinkHandler, RegisteredWritesItsCommandUnregisteredLeavesTheClassesAsBefore) {
    // Another program opens flashget links for the user, and qqdl links for every user.
    const std::string foreign = "\"C:\\other.exe\" \"%1\"", command = Tool + " \"%1\"";
    for (const auto& [root, key] :
         {std::pair{HKEY_CURRENT_USER, "flashget"}, {HKEY_LOCAL_MACHINE, "qqdl"}})
        RegSetKeyValueA(
            root, ("Software\\Classes\\" + std::string(key) + "\\shell\\open\\command").c_str(),
            nullptr, REG_SZ, foreign.c_str(), static_cast<DWORD>(foreign.size() + 1));
    // A key that takes no lasting key under it: the write of fs2you's command fails.
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Classes\\fs2you", 0, nullptr, REG_OPTION_VOLATILE,
                    KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegCloseKey(key);
    const std::string before = Classes();
    EXPECT_TRUE(
        RunAnswered(" --register")
            .ends_with(FromGbk(
                "由其他程序打开，未作更改：flashget: qqdl:\n这些链接未能登记：fs2you:\n1")));
    EXPECT_EQ(Classes(), "URL:thunder;" + command + ";;" + foreign + ";;;;;");

    // What was found: the one it took, the two nobody registered for the user, the other's.
    EXPECT_EQ(RunAnswered(" --unregister"),
              FromGbk("本工具不再打开这些链接：thunder:\n本工具原本就不打开这些链接：qqdl: "
                      "fs2you:\n这些链接由其他程序打开，未作更改：flashget:\n0"));
    EXPECT_EQ(Classes(), before);
    for (const char* key : {"Software\\Classes\\flashget", "Software\\Classes\\fs2you"})
        RegDeleteTreeA(HKEY_CURRENT_USER, key);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Classes\\qqdl");
}

}  // namespace
