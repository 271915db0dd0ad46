// The control layer: the controls of the numbered windows, named by control number. Every
// operation on a number that names no control does nothing (GetControlText then yields "").
// Captions are the program's own GBK texts; a control's text is read and set as the UTF-16 that
// the user sees, and whoever hands it to the program or takes it from there converts it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "ui/control_numbers.h"

namespace tarvik {

// Selectors of SetControlColor and of the kinds' color operations.
enum ColorSelector : std::int32_t {
    TextColor = 1,
    BackgroundColor = 2,
};
// A color value meaning "the platform's color".
inline constexpr std::int32_t NoColor = -1;

// Bit of AddEditBox's flag word for a box without the sunken border (WS_EX_CLIENTEDGE). It is no
// window style (WS_GROUP has the same value), so it never reaches the box's style.
inline constexpr std::uint32_t WithoutClientEdge = 0x20000;

// Once at start-up, after the window layer: the default GUI font, the brush lock, the control
// table and the common-control classes.
bool InitializeControlLayer();

// Each creates a child, with the GBK caption, of the window that takes new controls and returns
// its handle, or nullptr (and keeps no record) when the control cannot be created. A number
// already in use is freed first.
HWND AddLabel(ControlNumber number, std::int32_t x, std::int32_t y, std::int32_t width,
              std::int32_t height, std::string_view text);
HWND AddButton(ControlNumber number, std::int32_t x, std::int32_t y, std::int32_t width,
               std::int32_t height, std::string_view text);
HWND AddEditBox(ControlNumber number, std::int32_t x, std::int32_t y, std::int32_t width,
                std::int32_t height, std::string_view text, std::uint32_t flags);

// The whole text, line breaks as the control stores them (CR LF).
std::wstring GetControlText(ControlNumber number);
void SetControlText(ControlNumber number, std::wstring_view text);

// Gives the control the keyboard focus; NoControl takes the focus from every control.
void FocusControl(ControlNumber number);

// Colors are 0x00BBGGRR values or NoColor. Labels and edit boxes only; a button ignores them.
void SetControlColor(ControlNumber number, ColorSelector selector, std::int32_t color);

// nullptr when the number names no control.
HWND ControlHandle(ControlNumber number);

}  // namespace tarvik
