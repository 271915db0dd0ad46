// A Windows program started as its own process and known only from outside, as a user and other
// programs know it: its top-level window, that window's controls by number, their texts, and the
// screen. The smoke run, the start-up probe and the start-up tests use it.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

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
    HWND Window() const { return window_; }
    HWND Control(int number) const { return GetDlgItem(window_, number); }
    // A message box (dialog) of the process, or nullptr.
    HWND Dialog() const;
    // The exit code once the process has ended within the time.
    std::optional<DWORD> WaitForExit(DWORD timeoutMs);

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

// The whole screen as a PNG file, taken from the X display.
bool SaveScreenshot(const std::string& path);

}  // namespace harness
