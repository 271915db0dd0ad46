#include "tool_process.h"

#include <cstdlib>

#include "remote_window.h"

namespace acceptance {

const char* const MainWindowTitle = "Tarvik专用链转换工具1.0";

namespace {

// The first start in a fresh Wine prefix sets the prefix up and takes longest.
constexpr ULONGLONG StartTimeoutMs = 60000;

struct WindowSearch {
    DWORD processId;
    const char* className;
    const char* title;  // nullptr: any
    HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search->processId || !IsWindowVisible(window)) return TRUE;
    if (search->className && ClassName(window) != search->className) return TRUE;
    if (search->title && WindowText(window, 1000) != search->title) return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindTopLevel(DWORD processId, const char* className, const char* title) {
    WindowSearch search{processId, className, title, nullptr};
    EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

std::unique_ptr<ToolProcess> ToolProcess::Start(std::string& error) {
    const char* path = std::getenv("TARVIK_ACCEPTANCE_TOOL");
    if (!path || !*path) {
        error = "TARVIK_ACCEPTANCE_TOOL is not set: run run-acceptance";
        return nullptr;
    }
    std::string commandLine = std::string("\"") + path + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
        error = "cannot start " + commandLine + ": error " + std::to_string(GetLastError());
        return nullptr;
    }
    CloseHandle(started.hThread);
    std::unique_ptr<ToolProcess> tool(new ToolProcess(started.hProcess, started.dwProcessId));

    ULONGLONG deadline = GetTickCount64() + StartTimeoutMs;
    for (;;) {
        DWORD exitCode = 0;
        if (tool->WaitForExit(0, exitCode)) {
            error = "the tool ended at start with exit code " + std::to_string(exitCode);
            return nullptr;
        }
        if (!tool->window_)
            tool->window_ = FindTopLevel(started.dwProcessId, nullptr, MainWindowTitle);
        if (tool->window_) {
            bool complete = true;
            for (int number = 0; number < ControlCount; ++number) {
                complete = complete && tool->ControlWindow(number) != nullptr;
            }
            // The tool is ready for the user once it waits for input.
            if (complete && WaitForInputIdle(tool->process_, 0) == 0) {
                return tool;
            }
        }
        if (GetTickCount64() > deadline) {
            error = tool->window_
                        ? "the window did not get its thirteen controls or never waited for input"
                        : "no window titled Tarvik专用链转换工具1.0 appeared";
            return nullptr;
        }
        Sleep(20);
    }
}

ToolProcess::~ToolProcess() {
    DWORD exitCode = 0;
    for (int attempt = 0; attempt < 5 && !WaitForExit(0, exitCode); ++attempt) {
        if (HWND box = MessageBoxWindow()) {
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        } else if (IsWindow(window_)) {
            PostMessageA(window_, WM_CLOSE, 0, 0);
        }
        WaitForExit(1000, exitCode);
    }
    if (!WaitForExit(0, exitCode)) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
}

int ToolProcess::FocusedControl() const {
    HWND focus = FocusedWindowOf(window_);
    if (!focus) return -1;
    if (GetParent(focus) != window_) return -2;
    int number = GetDlgCtrlID(focus);
    return number >= 0 && number < ControlCount ? number : -2;
}

HWND ToolProcess::MessageBoxWindow() const {
    return FindTopLevel(processId_, "#32770", nullptr);
}

bool ToolProcess::WaitForExit(DWORD timeoutMs, DWORD& exitCode) const {
    if (WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return false;
    GetExitCodeProcess(process_, &exitCode);
    return true;
}

}  // namespace acceptance
