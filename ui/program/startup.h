// What tarvik.exe does from its entry until its event loop, and after it.
#pragma once

namespace tarvik {

// Once per process: ObjectHeap, the event queue, the window layer with the current event, and the
// control layer. False when something the window cannot do without could not be made.
bool ProgramStart();

// MainWindow as the user first sees it: built, InputBox focused, OutputBox drawn in blue. False
// when the window or one of its controls could not be made whole.
bool OpenMainWindow();

// The whole program: start-up, the event loop until MainWindow is closed, and the end of the
// process, with exit code 0, or 1 when start-up failed. With --register or --unregister it
// changes the tool's registration as an opener of links instead, and opens no window.
[[noreturn]] void RunProgram();

}  // namespace tarvik
