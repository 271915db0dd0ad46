// The tool's main loop: one event at a time from the event source, the command of the control it
// names, and back to waiting, until MainWindow is closed.
#pragma once

#include <cstdint>

namespace tarvik {

// Acts on the event that WaitForEvent just returned. On the close request of MainWindow it closes
// the window and answers false: the loop is over.
bool HandleEvent(std::int32_t code);

// Waits and handles events until MainWindow has been closed.
void RunEventLoop();

}  // namespace tarvik
