// Names of the window properties through which the layers recognise their own windows.
#pragma once

namespace tarvik {

// On a top-level window: its window number + 1, so that a missing property (0) means "not ours".
inline constexpr char WindowNumberProperty[] = "Tarvik.WindowNumber";
// On a top-level window: the control that had the keyboard focus when the window was deactivated.
inline constexpr char SavedFocusProperty[] = "Tarvik.SavedFocus";
// On a control: its control number, which must agree with its control identifier.
inline constexpr char ControlNumberProperty[] = "Tarvik.ControlNumber";

}  // namespace tarvik
