// One run of tarvik.exe, started as its own process and known only from outside: its process,
// its main window found by title, and that window's controls found by their numbers.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

namespace acceptance {

// "Tarvik专用链转换工具1.0" in GBK.
extern const char* const MainWindowTitle;

enum Control : int {
    InputLabel = 0,
    Base64EncodeButton = 1,
    Base64DecodeButton = 2,
    OutputLabel = 3,
    ThunderButton = 4,
    RayFileButton = 5,
    CopyButton = 6,
    PasteButton = 7,
    OnlineButton = 8,
    InputBox = 9,
    OutputBox = 10,
    FlashGetButton = 11,
    XuanfengButton = 12,
};
inline constexpr int ControlCount = 13;

class ToolProcess {
  public:
    // Starts the tool (TARVIK_ACCEPTANCE_TOOL) and waits until its window is up with all its
    // controls and waiting for input; nullptr with `error` set when that does not happen.
    static std::unique_ptr<ToolProcess> Start(std::string& error);

    ToolProcess(const ToolProcess&) = delete;
    ToolProcess& operator=(const ToolProcess&) = delete;
    // Ends a tool still running: its message boxes answered, then the window closed, then, as a
    // last resort, the process terminated.
    ~ToolProcess();

    HWND Window() const { return window_; }
    HWND ControlWindow(int number) const { return GetDlgItem(window_, number); }
    DWORD ProcessId() const { return processId_; }

    // The control number that has the keyboard focus: -1 for none, -2 for a window that is not
    // one of the main window's controls.
    int FocusedControl() const;

    // A top-level dialog (a message box) of the tool's process, or nullptr.
    HWND MessageBoxWindow() const;

    // Waits for the process to end and gives its exit code; false while it still runs.
    bool WaitForExit(DWORD timeoutMs, DWORD& exitCode) const;

  private:
    ToolProcess(HANDLE process, DWORD processId) : process_(process), processId_(processId) {}

    HANDLE process_;
    DWORD processId_;
    HWND window_ = nullptr;
};

}  // namespace acceptance
