// The tool's one window and its thirteen controls.
#pragma once

namespace tarvik {

// Opens MainWindow centred on the screen and adds controls 0 to 12 in number order. False when
// the window cannot be opened (then no control is added) or a control could not be added (the
// others are added all the same).
bool BuildMainWindow();

}  // namespace tarvik
