// The tool's one kind of modal message: a title, a text and an OK button, with the calling
// thread's other top-level windows disabled while it is up.
#pragma once

#include <windows.h>

#include <string_view>

namespace tarvik {

// What the box returned (0 when it failed). The title and text are GBK.
int ShowMessage(std::string_view title, std::string_view text);

// Whether a box shown now would disable the window: a visible, enabled top-level window of the
// calling thread other than the foreground window. The foreground window is left to the box,
// which disables its owner itself and enables it again before it goes, so that the owner gets
// the focus back.
bool DisabledWhileABoxIsUp(HWND window);

}  // namespace tarvik
