// The procedures through which the platform reports to the tool: one for every numbered window,
// one in front of every control, and one more in front of the platform's edit procedure.
#pragma once

#include <windows.h>

namespace tarvik {

// What a handler answers when it did not handle a message: the platform's default then runs.
inline constexpr LRESULT NotHandled = static_cast<LRESULT>(0xD0D0D0D1u);

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM first, LPARAM second) noexcept;
LRESULT CALLBACK ControlProcedure(HWND control, UINT message, WPARAM first, LPARAM second) noexcept;
LRESULT CALLBACK EditBoxProcedure(HWND box, UINT message, WPARAM first, LPARAM second) noexcept;

enum class FocusDirection { Forward, Backward };

// Tab and Shift+Tab: moves the focus among the enabled, visible tab stops of the active window.
void MoveFocus(FocusDirection direction);

}  // namespace tarvik
