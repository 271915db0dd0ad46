// The control layer: the controls of the numbered windows, named by control number. Every
// operation on a number that names no control does nothing (GetControlText then yields "").
// Captions are the program's own GBK texts; a control's text is read and set as the UTF-16 that
// the user sees, and whoever hands it to the program or takes it from there converts it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvik {

// Selectors of SetControlColor and of the kinds' colour operations.
enum ColourSelector : std::int32_t {
    TextColour = 1,
    BackgroundColour = 2,
};
// A colour value meaning "the platform's colour".
inline constexpr std::int32_t NoColour = -1;

// Bit of AddEditBox's flag word for a box without the sunken border (WS_EX_CLIENTEDGE). It is no
// window style (WS_GROUP has the same value), so it never reaches the box's style.
inline constexpr std::uint32_t WithoutClientEdge = 0x20000;

// Once at start-up, after the window layer: the default GUI font, the brush lock, the control
// table and the common-control classes.
bool InitializeControlLayer();

// Each creates a child, with the GBK caption, of the window that takes new controls and returns
// its handle, or nullptr (and keeps no record) when the control cannot be created. A number
// already in use is freed first.
HWND AddLabel(std::int32_t number, std::int32_t x, std::int32_t y, std::int32_t width,
              std::int32_t height, std::string_view text);
HWND AddButton(std::int32_t number, std::int32_t x, std::int32_t y, std::int32_t width,
               std::int32_t height, std::string_view text);
HWND AddEditBox(std::int32_t number, std::int32_t x, std::int32_t y, std::int32_t width,
                std::int32_t height, std::string_view text, std::uint32_t flags);

// The whole text, line breaks as the control stores them (CR LF).
std::wstring GetControlText(std::int32_t number);
void SetControlText(std::int32_t number, std::wstring_view text);

// Gives the control the keyboard focus; -1 takes the focus from every control.
void FocusControl(std::int32_t number);

// Colours are 0x00BBGGRR values or NoColour. Labels and edit boxes only; a button ignores them.
void SetControlColor(std::int32_t number, std::int32_t selector, std::int32_t colour);

// nullptr when the number names no control.
HWND ControlHandle(std::int32_t number);

}  // namespace tarvik
