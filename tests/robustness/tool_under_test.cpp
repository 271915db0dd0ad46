#include "tool_under_test.h"

#include <psapi.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace robustness {
namespace {

// "Tarvik专用链转换工具1.0" in GBK.
const std::string MainWindowTitle =
    "Tarvik\xD7\xA8\xD3\xC3\xC1\xB4\xD7\xAA\xBB\xBB\xB9\xA4\xBE\xDF"
    "1.0";
constexpr int ControlCount = 13;
constexpr DWORD StartTimeoutMs = 60000;
constexpr DWORD MessageTimeoutMs = 60000;

// Texts cross to the tool's window as characters, converted here with explicit lengths. Wine's
// own conversion for an ANSI message reads past the NUL of a text that ends in a lone GBK lead
// byte (it takes the NUL for the character's second byte), which would blame the tool for bytes
// this driver sent.
std::wstring Wide(const std::string& text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    wide.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), size)));
    return wide;
}

std::string Ansi(const std::wstring& wide) {
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    std::string text(wide.size() * 2, '\0');
    text.resize(static_cast<std::size_t>(
        WideCharToMultiByte(CP_ACP, 0, wide.data(), size, text.data(),
                            static_cast<int>(text.size()), nullptr, nullptr)));
    return text;
}

// The build gives the tool's path as a Linux path; Wine reaches it through drive Z:.
// TARVIK_ROBUSTNESS_TOOL names another build of the tool to try.
std::string ToolPath() {
    const char* other = std::getenv("TARVIK_ROBUSTNESS_TOOL");
    std::string path = other != nullptr && *other != '\0' ? other : TARVIK_EXE_PATH;
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// A window of the process that has the title, or any other than `except` when there is no title.
struct WindowSearch {
    DWORD processId;
    const std::string* title;
    HWND except;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<WindowSearch*>(parameter);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search.processId || !IsWindowVisible(window)) return TRUE;
    if (search.title != nullptr ? *search.title != WindowTitle(window) : window == search.except) {
        return TRUE;
    }
    search.found = window;
    return FALSE;
}

// A window of the driver's own, which owns what it puts on the clipboard.
HWND ClipboardOwner() {
    static HWND owner =
        CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    return owner;
}

// The tool may hold the clipboard for a moment while it reads or writes it.
bool OpenClipboardSoon() {
    for (int attempt = 0; attempt < 200; ++attempt) {
        if (OpenClipboard(ClipboardOwner())) return true;
        Sleep(10);
    }
    return false;
}

}  // namespace

std::string WindowTitle(HWND window) {
    char title[256] = {};
    GetWindowTextA(window, title, sizeof title);
    return title;
}

HWND FindProcessWindow(DWORD processId, const std::string& title) {
    WindowSearch search{processId, &title, nullptr, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindOtherProcessWindow(DWORD processId, HWND except) {
    WindowSearch search{processId, nullptr, except, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::unique_ptr<ToolUnderTest> ToolUnderTest::Start(std::string& error) {
    std::string commandLine = "\"" + ToolPath() + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
        error = "cannot start " + commandLine + ": error " + std::to_string(GetLastError());
        return nullptr;
    }
    CloseHandle(started.hThread);
    std::unique_ptr<ToolUnderTest> tool(new ToolUnderTest(started.hProcess, started.dwProcessId));

    const ULONGLONG deadline = GetTickCount64() + StartTimeoutMs;
    while (GetTickCount64() < deadline) {
        if (!tool->Running()) {
            error = "the tool ended during start-up";
            return nullptr;
        }
        tool->window_ = FindProcessWindow(tool->processId_, MainWindowTitle);
        bool complete = tool->window_ != nullptr;
        for (int control = 0; complete && control < ControlCount; ++control) {
            complete = tool->ControlWindow(control) != nullptr;
        }
        if (complete && WaitForInputIdle(tool->process_, 0) == 0) return tool;
        Sleep(50);
    }
    error = "the window and its controls did not appear within a minute";
    return nullptr;
}

ToolUnderTest::~ToolUnderTest() {
    if (!closed_ && !Close()) TerminateProcess(process_, 1);
    CloseHandle(process_);
}

bool ToolUnderTest::SetText(int control, const std::string& text) {
    DWORD_PTR result = 0;
    const std::wstring wide = Wide(text);
    return SendMessageTimeoutW(ControlWindow(control), WM_SETTEXT, 0,
                               reinterpret_cast<LPARAM>(wide.c_str()), SMTO_NORMAL,
                               MessageTimeoutMs, &result) != 0 &&
           result == TRUE;
}

std::optional<std::string> ToolUnderTest::Text(int control) {
    HWND window = ControlWindow(control);
    const auto length = [window]() -> std::optional<std::size_t> {
        DWORD_PTR characters = 0;
        if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, MessageTimeoutMs,
                                 &characters)) {
            return std::nullopt;
        }
        return characters;
    };
    // The tool may run a press between the two questions; a text read into a buffer sized for
    // the one before would come back cut, so the length is asked again until it holds still.
    for (std::optional<std::size_t> before = length(); before;) {
        std::wstring text(*before + 1, L'\0');
        DWORD_PTR copied = 0;
        if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(),
                                 reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL,
                                 MessageTimeoutMs, &copied)) {
            return std::nullopt;
        }
        const std::optional<std::size_t> after = length();
        if (after == before) {
            text.resize(std::min<std::size_t>(copied, *before));
            return Ansi(text);
        }
        before = after;
    }
    return std::nullopt;
}

bool ToolUnderTest::Press(int control) {
    return PostMessageA(ControlWindow(control), BM_CLICK, 0, 0) != 0;
}

std::optional<std::string> ToolUnderTest::WaitForChange(int control, const std::string& old,
                                                        DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    do {
        if (auto text = Text(control); text && *text != old) return text;
        Sleep(20);
    } while (GetTickCount64() < deadline && Running());
    return std::nullopt;
}

bool ToolUnderTest::Settle() {
    // Xuanfeng gives a new text for any input that is not empty: a link, or the error text. The
    // sentinel is set before the tool takes its next posted press; only a conversion can replace
    // it, so this follows presses that leave the output box alone (Paste, Copy).
    const std::string sentinel = "\x02 settling \x02";
    return SetText(OutputBox, sentinel) && Press(XuanfengButton) &&
           WaitForChange(OutputBox, sentinel, 120000).has_value();
}

bool ToolUnderTest::Answers(DWORD timeoutMs) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result) != 0;
}

bool ToolUnderTest::Running() {
    return WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

MemoryUse ToolUnderTest::Memory() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process_, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                              sizeof counters)) {
        return {0, 0, 0};
    }
    return {counters.PrivateUsage, counters.PagefileUsage, counters.WorkingSetSize};
}

std::optional<DWORD> ToolUnderTest::Close() {
    closed_ = true;
    if (Running()) PostMessageA(window_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_, 10000) != WAIT_OBJECT_0) return std::nullopt;
    DWORD exitCode = 0;
    GetExitCodeProcess(process_, &exitCode);
    return exitCode;
}

std::string ThroughEditBox(const std::string& text) {
    return Ansi(Wide(text));
}

bool PutClipboardBlock(const void* bytes, std::size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (block == nullptr) return false;
    if (void* locked = GlobalLock(block)) {
        std::memcpy(locked, bytes, size);
        GlobalUnlock(block);
    }
    if (!OpenClipboardSoon()) {
        GlobalFree(block);
        return false;
    }
    EmptyClipboard();
    const bool taken = SetClipboardData(CF_TEXT, block) != nullptr;
    CloseClipboard();
    if (!taken) GlobalFree(block);
    return taken;
}

bool PutClipboardText(const std::string& text) {
    return PutClipboardBlock(text.c_str(), text.size() + 1);
}

std::optional<std::string> ClipboardText() {
    if (!OpenClipboardSoon()) return std::nullopt;
    std::optional<std::string> text;
    if (HANDLE block = GetClipboardData(CF_TEXT)) {
        if (const auto* bytes = static_cast<const char*>(GlobalLock(block))) {
            const char* end = bytes + GlobalSize(block);
            text.emplace(bytes, std::find(bytes, end, '\0'));
            GlobalUnlock(block);
        }
    }
    CloseClipboard();
    return text;
}

}  // namespace robustness
