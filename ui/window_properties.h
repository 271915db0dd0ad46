// Names of the window properties through which the layers recognise their own windows.
#pragma once

namespace tarvik {

// On a top-level window: its window number + 1, so that a missing property (0) means "not ours".
inline constexpr wchar_t WindowNumberProperty[] = L"Tarvik.WindowNumber";
// On a top-level window: the control that had the keyboard focus when the window was deactivated.
inline constexpr wchar_t SavedFocusProperty[] = L"Tarvik.SavedFocus";
// On a control: its control number, which must agree with its control identifier.
inline constexpr wchar_t ControlNumberProperty[] = L"Tarvik.ControlNumber";

}  // namespace tarvik
