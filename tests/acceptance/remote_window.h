// Reading and changing the windows of another process. Every call that needs an answer from the
// other process is sent with a time limit, so a tool that hangs makes a scenario fail, not stall.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace acceptance {

inline constexpr UINT ReplyTimeoutMs = 10000;

// The window's text as the ANSI code page holds it; "" when the window does not answer.
std::string WindowText(HWND window, UINT timeoutMs = ReplyTimeoutMs);

// false when the window did not take the text in time.
bool ReplaceWindowText(HWND window, std::string_view text, UINT timeoutMs = ReplyTimeoutMs);

std::string ClassName(HWND window);

// Whether the window's thread answers a sent message within the time.
bool Answers(HWND window, UINT timeoutMs);

// The window that has the keyboard focus in the thread that owns `window`; nullptr for none.
HWND FocusedWindowOf(HWND window);

// Rectangles in screen coordinates: the whole window, and its client area.
RECT ScreenRect(HWND window);
RECT ClientScreenRect(HWND window);

// The window's rectangle in the client coordinates of `parent`.
RECT RectInClientOf(HWND window, HWND parent);

POINT Centre(const RECT& rect);
inline LONG Width(const RECT& rect) {
    return rect.right - rect.left;
}
inline LONG Height(const RECT& rect) {
    return rect.bottom - rect.top;
}

// The non-empty texts of the window's children of one class, one a line, in Z order.
std::string ChildTexts(HWND window, std::string_view className);

// The GBK text converted to UTF-8, the encoding X programs type.
std::string GbkToUtf8(std::string_view gbk);

}  // namespace acceptance
