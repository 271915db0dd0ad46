// The window layer: top-level windows named by number, each with a window class of its own, the
// Tab and Shift+Tab accelerators, and a property that leads from any descendant back to the number.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

namespace tarvik {

// Bits of OpenNumberedWindow's flag word that belong to the layer; every other bit is a window
// style passed on unchanged.
enum WindowFlag : std::uint32_t {
    CentreOnScreen = 0x1,
    CreateInvisible = 0x10000000,
};

// The two accelerator commands of every window: Tab and Shift+Tab.
inline constexpr WORD NextControlCommand = 0xFA01;
inline constexpr WORD PreviousControlCommand = 0xFA02;

struct WindowRecord {
    HWND handle;
    HACCEL accelerators;
    bool minimisedOrMaximised;
};

// Once at start-up: the window table and what every window class shares (icon 1, arrow cursor).
bool InitializeWindowLayer(HINSTANCE instance);

// The native handle, or nullptr when the window cannot be opened. The title is GBK.
HWND OpenNumberedWindow(std::int32_t number, std::int32_t x, std::int32_t y, std::int32_t width,
                        std::int32_t height, std::string_view title, std::uint32_t flags);
void CloseNumberedWindow(std::int32_t number);
// What shutdown does first: close whatever is still open.
void CloseAllWindows();

// nullptr when the number names no open window.
WindowRecord* FindWindowRecord(std::int32_t number);
HWND WindowHandle(std::int32_t number);

// The window that new controls become children of (nullptr when there is none).
HWND ControlTargetWindow();

// The number of the nearest window, from `window` up the parent chain, that is one of ours;
// -1 when there is none.
std::int32_t WindowNumberFromHandle(HWND window);

// The accelerator table of `window` itself when it is one of ours, else nullptr.
HACCEL WindowAccelerators(HWND window);

}  // namespace tarvik
