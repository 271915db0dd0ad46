// Tab and Shift+Tab, which the window procedure receives as the commands of the window's
// accelerators.
#pragma once

namespace tarvik {

enum class FocusDirection { Forward, Backward };

// Moves the focus among the enabled, visible tab stops of the active window, from the last to the
// first and back again.
void MoveFocus(FocusDirection direction);

}  // namespace tarvik
