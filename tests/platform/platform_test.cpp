// The clipboard, the message box and the launcher under Wine.
#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <tuple>
#include <vector>

#include "platform/clipboard.h"
#include "platform/launcher.h"
#include "platform/message_box.h"
#include "platform/object_heap.h"
#include "platform/owned.h"
#include "platform/scheme_registry.h"
#include "tests/harness/program.h"

// SetClipboardData fails at its nth call from now when asked to (the import name is x86-64's).
static int failSetClipboardDataAt = 0;
extern "C" {
extern decltype(&SetClipboardData) __real___imp_SetClipboardData;
HANDLE WINAPI SetClipboardDataFailing(UINT format, HANDLE block) {
    if (failSetClipboardDataAt > 0 && --failSetClipboardDataAt == 0) return nullptr;
    return __real___imp_SetClipboardData(format, block);
}
decltype(&SetClipboardData) __wrap___imp_SetClipboardData = SetClipboardDataFailing;
}

namespace tarvik {
namespace {

// Started through the shell by a launch under test, this program writes down its working
// directory and its command line, and ends.
const bool startedByTheShell = [] {
    if (std::strstr(GetCommandLineA(), "--opened ") == nullptr) return false;
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    std::ofstream(std::getenv("TARVIK_LAUNCH_RECORD")) << folder << "\n" << GetCommandLineA();
    ExitProcess(0);
}();

// 3 characters cut down from 64, so that more follow them: Wine ends every text block it puts on
// the clipboard; another program need not. It ends at its size, counted in characters.
std::wstring TextOfUnendedBlock() {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 64 * sizeof(wchar_t));
    std::fill_n(static_cast<wchar_t*>(GlobalLock(block)), 64, L'x');
    GlobalUnlock(block);
    block = GlobalReAlloc(block, 3 * sizeof(wchar_t), GMEM_MOVEABLE);
    const std::wstring text = TextOfBlock<wchar_t>(block).value_or(L"");
    GlobalFree(block);
    return text;
}

TEST(Clipboard, TextAsUnicodeAndGbkAnUnendedBlockAndAFailedWriteKeepingTheEarlierText) {
    HWND owner = CreateWindowExW(0, L"Static", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, 0, 0, 0);
    ASSERT_NE(WriteClipboardText(owner, L"中文"), ClipboardWriteFailed);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_EQ(TextOfBlock<char>(GetClipboardData(CF_TEXT)), "\xD6\xD0\xCE\xC4");
    EXPECT_EQ(*static_cast<const LCID*>(GlobalLock(GetClipboardData(CF_LOCALE))), 0x0804u);
    GlobalUnlock(GetClipboardData(CF_LOCALE));
    CloseClipboard();
    ASSERT_NE(WriteClipboardText(owner, L"earlier 한"), ClipboardWriteFailed);
    EXPECT_EQ(TextOfUnendedBlock(), L"xxx");
    // Refused at the first format, or at the last one, after the others were taken.
    for (const int at : {1, 3}) {
        failSetClipboardDataAt = at;
        EXPECT_EQ(WriteClipboardText(owner, L"new"), ClipboardWriteFailed);
        EXPECT_EQ(ReadClipboardText(), L"earlier 한") << at;
    }
}

TEST(ShowMessage, OwnedByTheForegroundWindowWhileTheThreadsOtherWindowsWait) {
    ASSERT_TRUE(CreateObjectHeap());
    // The foreground window, another one, one disabled before, and a hidden one.
    HWND windows[4];
    for (int i = 0; i < 4; ++i)
        windows[i] = CreateWindowExA(0, "Static", "", WS_POPUP | (i < 3 ? WS_VISIBLE : 0), 0, 0, 99,
                                     99, nullptr, nullptr, nullptr, nullptr);
    EnableWindow(windows[2], FALSE);
    SetForegroundWindow(windows[0]);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(DisabledWhileABoxIsUp(windows[i]), i == 1) << i;
    std::string whileUp;  // a letter a window: enabled or disabled
    const auto states = [&] {
        std::string s;
        for (HWND w : windows) s += IsWindowEnabled(w) ? 'e' : 'd';
        return s;
    };
    harness::BoxAnswerer answerer([&](HWND) { whileUp = states(); });
    EXPECT_EQ(ShowMessage("title", "text"), IDOK);
    EXPECT_EQ(answerer.owner, windows[0]);
    EXPECT_EQ(GetActiveWindow(), windows[0]);
    EXPECT_EQ(whileUp + "/" + states(), "ddde/eede");
}

TEST(SchemeRegistry, TheUsersCommandFirstAPathInAnyCaseAndAnUnreadableCommandIsAnothers) {
    const std::wstring scheme = L"Software\\Classes\\tarvik-test",
                       key = scheme + L"\\shell\\open\\command", other = LR"("C:\other.exe")";
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), nullptr, REG_SZ, other.c_str(),
                    static_cast<DWORD>((other.size() + 1) * sizeof(wchar_t)));
    const std::tuple<DWORD, std::wstring, SchemeOpener> cases[] = {
        {REG_SZ, LR"("c:\TARVIK\tarvik.EXE" "%1")", SchemeOpener::ThisProgram},
        {REG_BINARY, L"x", SchemeOpener::AnotherProgram},
        {REG_SZ, L"\"" + std::wstring(0x9000, L'a') + L"\" \"%1\"", SchemeOpener::AnotherProgram},
    };
    for (const auto& [type, text, expected] : cases) {
        RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), nullptr, type, text.c_str(),
                        static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
        EXPECT_EQ(OpenerOfScheme(L"tarvik-test", LR"(C:\tarvik\tarvik.exe)", false), expected)
            << text.size();
    }
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) RegDeleteTreeW(root, scheme.c_str());
}

// Parsed back by the platform's own parser, as the started program would see it.
std::vector<std::wstring> Arguments(const std::string& commandLine) {
    const std::wstring wide(commandLine.begin(), commandLine.end());
    int count = 0;
    OwnedLocal<LPWSTR> arguments(CommandLineToArgvW(wide.c_str(), &count));
    return std::vector<std::wstring>(arguments.Get(), arguments.Get() + count);
}

TEST(Launcher, TheCommandLineParsesBackIntoTheTargetAndItsParameters) {
    const struct {
        const char *target, *parameters;
        std::vector<std::wstring> arguments;
    } cases[] = {
        {R"(C:\Program Files\a b.exe)", "", {LR"(C:\Program Files\a b.exe)"}},
        {R"(C:\a b\c.exe)", "x \"y z\"", {LR"(C:\a b\c.exe)", L"x", L"y z"}},
        {R"("C:\a b\c.exe")", "x", {LR"(C:\a b\c.exe)", L"x"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Arguments(LaunchCommandLine(c.target, c.parameters)), c.arguments);
}

TEST(Launcher, ADocumentOpensThroughTheShellAndOneNobodyCanOpenFailsWithoutAWord) {
    CoInitialize(nullptr);
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string command = std::string("\"") + self + "\" --opened \"%1\"";
    // Written to HKEY_CLASSES_ROOT itself: Wine 8 does not merge HKCU's classes into it.
    RegSetValueA(HKEY_CLASSES_ROOT, ".tarviktest", REG_SZ, "TarvikTest", 10);
    RegSetValueA(HKEY_CLASSES_ROOT, "TarvikTest\\shell\\open\\command", REG_SZ, command.c_str(),
                 static_cast<DWORD>(command.size()));
    const std::string folder = std::string(std::getenv("TEMP")) + "\\tarvik launcher\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const char* name : {"a.tarviktest", "a.tarviknone"}) std::ofstream(folder + name) << 1;
    const std::string document = folder + "a.tarviktest", record = folder + "record.txt";
    SetEnvironmentVariableA("TARVIK_LAUNCH_RECORD", record.c_str());
    for (const auto& [target, opened] : {std::pair{document, Launched},
                                         {"\"" + document + "\"", Launched},
                                         {folder + "a.tarviknone", LaunchFailed},
                                         {"tarvik-none:x", LaunchFailed}}) {
        DeleteFileA(record.c_str());
        harness::BoxAnswerer answerer;
        EXPECT_EQ(OpenInShell(target), opened) << target;
        EXPECT_EQ(answerer.count, 0) << target;
        std::string startedIn, started;
        if (!opened) continue;
        harness::WaitUntil([&] {
            std::ifstream file(record);
            return static_cast<bool>(std::getline(std::getline(file, startedIn), started));
        });
        EXPECT_EQ(startedIn + "\\", folder);  // the document's own folder
        EXPECT_EQ(Arguments(started).back(), std::wstring(document.begin(), document.end()));
    }
    RegDeleteTreeA(HKEY_CLASSES_ROOT, ".tarviktest");
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "TarvikTest");
}

}  // namespace
}  // namespace tarvik
