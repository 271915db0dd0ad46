// The procedures through which the platform reports to the tool: one for every numbered window
// and one in front of every control.
#pragma once

#include <windows.h>

namespace tarvik {

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM first, LPARAM second) noexcept;
LRESULT CALLBACK ControlProcedure(HWND control, UINT message, WPARAM first, LPARAM second) noexcept;

}  // namespace tarvik
