// Windows programs known from outside, as a user knows them: their windows, controls by number,
// texts, message boxes and the clipboard. For the tests and the start-up probe.
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
    // The command line starts with the program's path, in quotes where it holds spaces.
    explicit Program(std::string commandLine);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    // Ends a program still running.
    ~Program();

    HANDLE Process() const { return process_; }
    // The first visible top-level window once it answers messages; nullptr if none comes in time.
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

// A window's whole text as the user sees it (UTF-16; an ANSI read could undo a wrong
// conversion), sent for with a time limit: a hung program fails the test.
std::wstring Text(HWND window);

// The UTF-16 of a GBK text, converted here rather than by the code under test.
std::wstring FromGbk(std::string_view text);

// Types the text into a control of any process, one character message a UTF-16 unit.
void Type(HWND control, std::wstring_view text);

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

// While it lives, answers each message box of this thread with OK from a timer, which the box's
// own message loop runs, after `whileUp` has looked at it; it counts the boxes and keeps the last
// one's owner, title and text. One at a time per thread.
struct BoxAnswerer {
    explicit BoxAnswerer(std::function<void(HWND box)> whileUp = nullptr);
    BoxAnswerer(const BoxAnswerer&) = delete;
    ~BoxAnswerer();
    int count = 0;
    HWND owner = nullptr;
    std::wstring title, text;
    std::function<void(HWND box)> whileUp;
    UINT_PTR timer = 0;
};

}  // namespace harness
