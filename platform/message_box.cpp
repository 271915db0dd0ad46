#include "platform/message_box.h"

#include <windows.h>

#include <string>

#include "platform/disabled_window_list.h"

namespace tarvik {
namespace {

BOOL CALLBACK DisableIfOwnWindow(HWND window, LPARAM threadIdParameter) noexcept {
    const auto threadId = static_cast<DWORD>(threadIdParameter);
    // The foreground window is asked again each time: disabling a window can move it.
    if (GetWindowThreadProcessId(window, nullptr) == threadId && IsWindowVisible(window) &&
        IsWindowEnabled(window) && window != GetForegroundWindow() &&
        RecordDisabledWindow(threadId, window)) {
        EnableWindow(window, FALSE);
    }
    return TRUE;
}

// The foreground window when it is one of this process's windows: the box is modal to it.
HWND OwnerOfBox() {
    HWND foreground = GetForegroundWindow();
    if (foreground == nullptr) return nullptr;
    DWORD processId = 0;
    GetWindowThreadProcessId(foreground, &processId);
    return processId == GetCurrentProcessId() ? foreground : nullptr;
}

}  // namespace

int ShowMessage(std::string_view title, std::string_view text) {
    const DWORD threadId = GetCurrentThreadId();
    EnumWindows(DisableIfOwnWindow, static_cast<LPARAM>(threadId));
    const std::string titleText(title);
    const std::string messageText(text);
    const int answer = MessageBoxA(OwnerOfBox(), messageText.c_str(), titleText.c_str(), MB_OK);
    EnableWindowsDisabledBy(threadId);
    return answer;
}

}  // namespace tarvik
