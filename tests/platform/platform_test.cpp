// The clipboard, the message box, the scheme registry and the launcher under Wine.
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

// Started through the shell by a test below, this program writes down its folder and command line.
const bool startedByTheShell = [] {
    if (std::strstr(GetCommandLineA(), "--opened ") == nullptr) return false;
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    std::ofstream(std::getenv("TARVIK_LAUNCH_RECORD")) << folder << "\\\n" << GetCommandLineA();
    ExitProcess(0);
}();

TEST(Clipboard, TextAsUnicodeAndGbkAnUnendedBlockAndAFailedWriteKeepingTheEarlierText) {
    HWND owner = CreateWindowExW(0, L"Static", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, 0, 0, 0);
    ASSERT_NE(WriteClipboardText(owner, L"中文"), ClipboardWriteFailed);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_EQ(TextOfBlock<char>(GetClipboardData(CF_TEXT)), "\xD6\xD0\xCE\xC4");
    EXPECT_EQ(TextOfBlock<char>(GetClipboardData(CF_LOCALE)), "\x04\x08");  // 0x0804, LE
    CloseClipboard();
    // Wine ends every text block it puts on the clipboard; another program need not. 3 characters
    // cut down from 64, so that more follow them, end at the block's size, counted in characters.
    HGLOBAL block = GlobalAlloc(GMEM_FIXED, 64 * sizeof(wchar_t));
    std::fill_n(static_cast<wchar_t*>(block), 64, L'x');
    block = GlobalReAlloc(block, 3 * sizeof(wchar_t), 0);
    EXPECT_EQ(TextOfBlock<wchar_t>(block), L"xxx");
    GlobalFree(block);
    // Refused at the first format, or at the last one, after the others were taken.
    ASSERT_NE(WriteClipboardText(owner, L"earlier 한"), ClipboardWriteFailed);
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
    std::string states;  // a letter a window, enabled or disabled, while the box is up and after
    const auto note = [&](HWND = nullptr) {
        for (HWND w : windows) states += IsWindowEnabled(w) ? 'e' : 'd';
    };
    harness::BoxAnswerer answerer(note);
    EXPECT_EQ(ShowMessage("title", "text"), IDOK);
    note();
    EXPECT_EQ(answerer.owner, windows[0]);
    EXPECT_EQ(states, "dddeeede");
}

// The user's command first, else the one for every user; a path in any case names this program,
// another type or a longer text than any path another program.
TEST(SchemeRegistry, TheUsersCommandFirstAPathInAnyCaseAndAnUnreadableCommandIsAnothers) {
    const std::wstring scheme = L"Software\\Classes\\tarvik-test", tarvik = LR"("C:\t\t.exe")";
    const std::tuple<HKEY, DWORD, std::wstring, SchemeOpener> cases[] = {
        {HKEY_LOCAL_MACHINE, REG_SZ, tarvik, SchemeOpener::ThisProgram},
        {HKEY_CURRENT_USER, REG_SZ, LR"("c:\T\T.EXE" "%1")", SchemeOpener::ThisProgram},
        {HKEY_CURRENT_USER, REG_BINARY, tarvik, SchemeOpener::AnotherProgram},
        {HKEY_CURRENT_USER, REG_SZ, std::wstring(0x9000, L'a'), SchemeOpener::AnotherProgram},
    };
    for (const auto& [root, type, text, expected] : cases) {
        RegSetKeyValueW(root, (scheme + L"\\shell\\open\\command").c_str(), nullptr, type,
                        text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
        EXPECT_EQ(OpenerOfScheme(L"tarvik-test", LR"(C:\t\t.exe)", false), expected) << text.size();
    }
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) RegDeleteTreeW(root, scheme.c_str());
}

// Parsed back by the platform's own parser, as the started program would see it.
TEST(Launcher, TheCommandLineParsesBackIntoTheTargetAndItsParameters) {
    for (const char* target : {R"(C:\a b\c.exe)", R"("C:\a b\c.exe")"}) {
        const std::string line = LaunchCommandLine(target, "x \"y z\"");
        const std::wstring wide(line.begin(), line.end());
        int count = 0;
        OwnedLocal<LPWSTR> arguments(CommandLineToArgvW(wide.c_str(), &count));
        EXPECT_EQ(std::vector<std::wstring>(arguments.Get(), arguments.Get() + count),
                  (std::vector<std::wstring>{LR"(C:\a b\c.exe)", L"x", L"y z"}))
            << target;
    }
}

TEST(Launcher, ADocumentOpensThroughTheShellAndOneNobodyCanOpenFailsWithoutAWord) {
    CoInitialize(nullptr);
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string opener = std::string("\"") + self + "\" --opened \"";
    // Written to HKEY_CLASSES_ROOT itself: Wine 8 does not merge HKCU's classes into it.
    RegSetValueA(HKEY_CLASSES_ROOT, ".tarviktest", REG_SZ, "TarvikTest", 10);
    RegSetValueA(HKEY_CLASSES_ROOT, "TarvikTest\\shell\\open\\command", REG_SZ,
                 (opener + "%1\"").c_str(), static_cast<DWORD>(opener.size() + 3));
    const std::string folder = std::string(std::getenv("TEMP")) + "\\tarvik launcher\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string document = folder + "a.tarviktest", record = folder + "record.txt";
    std::ofstream(document) << 1;
    SetEnvironmentVariableA("TARVIK_LAUNCH_RECORD", record.c_str());
    for (const auto& [target, opened] : {std::pair{document, Launched},
                                         {"\"" + document + "\"", Launched},
                                         {"tarvik-none:x", LaunchFailed}}) {
        DeleteFileA(record.c_str());
        harness::BoxAnswerer answerer;
        EXPECT_EQ(OpenInShell(target), opened) << target;
        EXPECT_EQ(answerer.count, 0) << target;
        std::string got;
        if (!opened) continue;
        harness::WaitUntil([&] { return !std::getline(std::ifstream(record), got, '\0').fail(); });
        EXPECT_EQ(got, folder + "\n" + opener + document + "\"");  // in the document's own folder
    }
    RegDeleteTreeA(HKEY_CLASSES_ROOT, ".tarviktest");
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "TarvikTest");
}

}  // namespace
}  // namespace tarvik
