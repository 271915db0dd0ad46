// A Windows program started as its own process and known only from outside, as a user and other
// programs know it: its top-level window, that window's controls by number, their texts, message
// boxes, the clipboard and the screen. The tests that start a program, the tests of message boxes
// and the clipboard, and the start-up probe use it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace harness {

// Long enough for a busy machine; a test waits this long only when something is wrong.
inline constexpr DWORD SettleMs = 10000;

class Program {
  public:
    // `commandLine` starts with the program's path, in quotes where it holds spaces.
    explicit Program(std::string commandLine);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    // Ends a program still running.
    ~Program();

    HANDLE Process() const { return process_; }
    // The first visible top-level window of the process once it answers messages; nullptr when
    // the program ends first or shows none within the time.
    HWND WaitForWindow(DWORD timeoutMs = 60000);
    HWND Control(int number) const { return GetDlgItem(window_, number); }
    // A message box (dialog) of the process, or nullptr.
    HWND Dialog() const;
    // The exit code once the process has ended within the time, STILL_ACTIVE while it runs.
    DWORD ExitCode(DWORD timeoutMs);

  private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    HWND window_ = nullptr;
};

// Polls until `condition` holds or the time is up; whether it held.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = SettleMs);

// A window's text as the ANSI code page holds it, up to 4 KiB, through a sent message with a time
// limit, so that a hung program fails a test instead of stalling it.
std::string Text(HWND window);

// Types the text into a control of any process, one character message a byte.
void Type(HWND control, std::string_view text);

// Holds the clipboard open for a window of its own while it lives, as another program would.
struct ClipboardHolder {
    ClipboardHolder() = default;
    ClipboardHolder(const ClipboardHolder&) = delete;
    ~ClipboardHolder() {
        if (held) CloseClipboard();
        DestroyWindow(window);
    }
    HWND window =
        CreateWindowExA(0, "Static", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    bool held = OpenClipboard(window) != FALSE;
};

// The message boxes that came up on this thread while a BoxAnswerer lived: the last one's owner,
// title and text (0xFFFF is the identifier of a box's text). Each is looked at by `whileUp` and
// answered with OK from a timer, which the box's own message loop runs.
inline struct {
    int count;
    HWND owner;
    std::string title, text;
    std::function<void(HWND box)> whileUp;
} seen;

struct BoxAnswerer {
    explicit BoxAnswerer(std::function<void(HWND box)> whileUp = nullptr) {
        seen = {0, nullptr, {}, {}, std::move(whileUp)};
    }
    ~BoxAnswerer() { KillTimer(nullptr, timer); }
    // A named CALLBACK: on 32-bit Windows a lambda converts to a pointer of the wrong calling
    // convention.
    static void CALLBACK Answer(HWND, UINT, UINT_PTR, DWORD) {
        HWND box = FindWindowA("#32770", nullptr);
        if (box == nullptr || GetWindowThreadProcessId(box, nullptr) != GetCurrentThreadId())
            return;
        seen = {seen.count + 1, GetWindow(box, GW_OWNER), Text(box), Text(GetDlgItem(box, 0xFFFF)),
                seen.whileUp};
        if (seen.whileUp) seen.whileUp(box);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
    UINT_PTR timer = SetTimer(nullptr, 0, 50, Answer);
};

// The whole screen as a PNG file, taken from the X display.
bool SaveScreenshot(const std::string& path);

}  // namespace harness
