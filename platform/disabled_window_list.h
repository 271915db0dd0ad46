// DisabledWindowList: the windows that message boxes have disabled, each with the thread that
// disabled it, so that a thread enables again only the windows that it disabled itself.
#pragma once

#include <windows.h>

#include <vector>

namespace tarvik {

// False when no record can be made; the caller must then leave the window enabled, or nothing
// would ever enable it again.
bool RecordDisabledWindow(DWORD threadId, HWND window);

// Enables every window that the thread disabled and removes its records.
void EnableWindowsDisabledBy(DWORD threadId);

// The windows that the thread has disabled and not yet enabled again, oldest first.
std::vector<HWND> WindowsDisabledBy(DWORD threadId);

}  // namespace tarvik
