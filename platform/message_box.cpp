#include "platform/message_box.h"

#include <windows.h>

#include <string>

#include "platform/object_heap.h"
#include "encoding/wide.h"

namespace tarvik {
namespace {

// DisabledWindowList: each window that a box disabled, with the thread that disabled it, so that
// a thread enables again only the windows that it disabled itself. Records are appended at the
// end so that windows are enabled in the order they were disabled. Only the user-interface
// thread shows boxes, so the list takes no lock.
struct DisabledWindow {
    DWORD threadId;
    HWND window;
    DisabledWindow* next;
};
DisabledWindow* disabledWindowList = nullptr;

BOOL CALLBACK DisableIfOwnWindow(HWND window, LPARAM threadIdParameter) noexcept {
    const auto threadId = static_cast<DWORD>(threadIdParameter);
    if (!DisabledWhileABoxIsUp(window)) return TRUE;
    // Without a record nothing would enable the window again, so it stays enabled.
    auto* record = NewObject<DisabledWindow>();
    if (record == nullptr) return TRUE;
    *record = DisabledWindow{threadId, window, nullptr};
    DisabledWindow** end = &disabledWindowList;
    while (*end != nullptr) end = &(*end)->next;
    *end = record;
    EnableWindow(window, FALSE);
    return TRUE;
}

void EnableWindowsDisabledBy(DWORD threadId) {
    for (DisabledWindow** link = &disabledWindowList; *link != nullptr;) {
        DisabledWindow* record = *link;
        if (record->threadId != threadId) {
            link = &record->next;
            continue;
        }
        *link = record->next;
        EnableWindow(record->window, TRUE);
        FreeObject(record);
    }
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

bool DisabledWhileABoxIsUp(HWND window) {
    // The foreground window is asked again each time: disabling a window can move it.
    return GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId() &&
           IsWindowVisible(window) && IsWindowEnabled(window) && window != GetForegroundWindow();
}

int ShowMessage(std::string_view title, std::string_view text) {
    const DWORD threadId = GetCurrentThreadId();
    EnumWindows(DisableIfOwnWindow, static_cast<LPARAM>(threadId));
    const std::wstring titleText = WideFromBytes(title, GbkCodePage);
    const std::wstring messageText = WideFromBytes(text, GbkCodePage);
    const int answer = MessageBoxW(OwnerOfBox(), messageText.c_str(), titleText.c_str(), MB_OK);
    EnableWindowsDisabledBy(threadId);
    return answer;
}

}  // namespace tarvik
