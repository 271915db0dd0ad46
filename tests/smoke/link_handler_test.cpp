// tarvik.exe as links reach it: on its command line, as a list in its input box, and from the
// shell once --register has made it their opener. Built from UTF-8 with -fexec-charset=GBK.
#include <windows.h>

#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>

#include "core/link_commands.h"
#include "tests/harness/program.h"
#include "ui/control_numbers.h"

namespace {

using namespace tarvik;
using harness::Text;
const std::string Link = "thunder://QUFodHRwOi8vaC9hLnppcFpa", Address = "http://h/a.zip";

// The tool beside the tests' folder, in quotes.
std::string Tool() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string test(path);
    return "\"" + test.substr(0, test.rfind("\\tests\\")) + "\\tarvik.exe\"";
}

// Whether the control comes to show the text; the window may still be adding its controls.
bool Shows(HWND window, int control, const std::string& text) {
    return harness::WaitUntil([&] { return Text(GetDlgItem(window, control)) == text; });
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

TEST(LinkHandler, StartedWithALinkOrATextAndGivenAList) {
    harness::Program plain(Tool() + " \" " + Address + " \"");
    ASSERT_NE(plain.WaitForWindow(), nullptr);
    EXPECT_EQ(Text(plain.Control(InputBox)), Address);
    EXPECT_EQ(Text(plain.Control(OutputBox)), "");
    harness::Program linked(Tool() + " \"  THUNDER://QUFodHRwOi8vaC9hLnppcFpa \"");
    HWND window = linked.WaitForWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(Shows(window, OutputBox, Address));
    EXPECT_EQ(Text(linked.Control(InputBox)), "THUNDER://QUFodHRwOi8vaC9hLnppcFpa");
    EXPECT_EQ(FocusOf(linked.Control(OutputBox)), linked.Control(OutputBox));

    const std::string list = " " + Link + "\r\n\r\n" + Address + " \r\nftp//x";
    SendMessageA(linked.Control(InputBox), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(list.c_str()));
    PostMessageA(linked.Control(ThunderButton), BM_CLICK, 0, 0);
    const std::string converted = Address + "\r\n\r\n" + Link + "\r\n" + LinkFormatErrorText.data();
    EXPECT_TRUE(Shows(window, OutputBox, converted)) << Text(linked.Control(OutputBox));
}

// Each scheme's key in the user's classes, and its command.
std::string Classes() {
    std::string found;
    for (const std::string scheme : {"thunder", "flashget", "qqdl", "fs2you"}) {
        const std::string key = "Software\\Classes\\" + scheme;
        char command[1024] = "";
        DWORD size = sizeof command;
        HKEY opened = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &opened) != 0) continue;
        RegCloseKey(opened);
        RegGetValueA(HKEY_CURRENT_USER, (key + "\\shell\\open\\command").c_str(), nullptr,
                     RRF_RT_REG_SZ, nullptr, command, &size);
        found += scheme + "=" + command + ";";
    }
    return found;
}

// The message that the tool says, answered, and its exit code.
DWORD RunAnswered(const std::string& option, std::string& said) {
    harness::Program program(Tool() + option);
    harness::WaitUntil([&] { return program.Dialog() != nullptr; }, 60000);
    said = Text(GetDlgItem(program.Dialog(), 0xFFFF));
    PostMessageA(program.Dialog(), WM_COMMAND, IDOK, 0);
    return program.ExitCode(harness::SettleMs);
}

TEST(LinkHandler, RegisteredOpensLinksFromTheShellUnregisteredLeavesTheClassesAsBefore) {
    const char* foreign = "\"C:\\other.exe\" \"%1\"";
    RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Classes\\flashget\\shell\\open\\command", nullptr,
                    REG_SZ, foreign, static_cast<DWORD>(strlen(foreign) + 1));
    // A key that takes no lasting key under it: every write of fs2you's command fails.
    HKEY unwritable = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Classes\\fs2you", 0, nullptr, REG_OPTION_VOLATILE,
                    KEY_ALL_ACCESS, nullptr, &unwritable, nullptr);
    RegCloseKey(unwritable);
    const std::string before = Classes(), command = Tool() + " \"%1\"";
    std::string said;
    EXPECT_EQ(RunAnswered(" --register", said), 1u);
    EXPECT_NE(said.find("由其他程序打开，未作更改：flashget:\n这些链接未能登记：fs2you:"),
              std::string::npos)
        << said;
    ASSERT_EQ(Classes(),
              "thunder=" + command + ";flashget=" + foreign + ";qqdl=" + command + ";fs2you=;");

    // Wine's shell finds handlers in the machine's classes only.
    HKEY machine = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Classes\\thunder", 0, nullptr, 0, KEY_ALL_ACCESS,
                    nullptr, &machine, nullptr);
    EXPECT_EQ(RegCopyTreeA(HKEY_CURRENT_USER, "Software\\Classes\\thunder", machine), 0);
    RegCloseKey(machine);
    SHELLEXECUTEINFOW open{};
    open.cbSize = sizeof open;
    open.fMask = SEE_MASK_NOCLOSEPROCESS;
    open.lpFile = L"thunder://QUFodHRwOi8vaC9hLnppcFpa";
    ASSERT_TRUE(ShellExecuteExW(&open));
    HWND window = nullptr;
    harness::WaitUntil(
        [&] {
            DWORD process = 0;
            window = FindWindowA(nullptr, "Tarvik专用链转换工具1.0");
            GetWindowThreadProcessId(window, &process);
            return window && process == GetProcessId(open.hProcess);
        },
        60000);
    EXPECT_TRUE(Shows(window, OutputBox, Address));
    PostMessageA(window, WM_CLOSE, 0, 0);
    WaitForSingleObject(open.hProcess, harness::SettleMs);
    CloseHandle(open.hProcess);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Classes\\thunder");

    EXPECT_EQ(RunAnswered(" --unregister", said), 0u);
    EXPECT_EQ(Classes(), before);
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Classes\\flashget");
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Classes\\fs2you");
}

}  // namespace
