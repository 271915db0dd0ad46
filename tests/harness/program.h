// Windows programs known from outside, as a user knows them: windows, controls by number, texts,
// message boxes. For the tests and the start-up probe.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace harness {

// Long enough for a busy machine; a test waits this long only when something is wrong.
inline constexpr DWORD SettleMs = 10000;

// A program started from its command line, ended with the test if it still runs.
class Program {
  public:
    explicit Program(std::string commandLine);
    Program(const Program&) = delete;
    ~Program();
    HANDLE Process() const { return process_; }
    // The first visible top-level window once it answers messages, or nullptr.
    HWND WaitForWindow(DWORD timeoutMs = 60000);
    HWND Control(int number) const { return GetDlgItem(window_, number); }
    HWND Dialog() const;  // a message box of the process, or nullptr
    // The exit code once the process has ended within the time, STILL_ACTIVE while it runs.
    DWORD ExitCode(DWORD timeoutMs);

  private:
    HANDLE process_ = nullptr;
    HWND window_ = nullptr;
};

std::string ToolPath();  // tarvik.exe beside the tests' folder, in quotes
// Polls until `condition` holds or the time is up; whether it held.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = SettleMs);
// A window's text as UTF-16, which an ANSI read could not check, read with a time limit.
std::wstring Text(HWND window);
// Whether the control comes to show the text in time; the window may still be adding it.
bool Shows(HWND window, int control, std::wstring_view text);
// The UTF-16 of a GBK text, converted here rather than by the code under test.
std::wstring FromGbk(std::string_view text);

// While it lives, answers each message box of this thread with OK from a timer, which the box's
// own loop runs, after `whileUp` has looked at it; it counts the boxes and keeps the last one's
// owner, title and text. One at a time per thread.
struct BoxAnswerer {
    explicit BoxAnswerer(std::function<void(HWND box)> whileUp = nullptr);
    ~BoxAnswerer();
    int count = 0;
    HWND owner = nullptr;
    std::wstring title, text;
    std::function<void(HWND box)> whileUp;
    UINT_PTR timer = 0;
};

}  // namespace harness
