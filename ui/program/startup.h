// What tarvik.exe does before its event loop and after it.
#pragma once

namespace tarvik {

enum ExitCode : unsigned {
    ExitNormally = 0,
    ExitStartFailed = 1,  // a heap, a layer, MainWindow or one of its controls could not be made
};

// Once per process: ObjectHeap, the event queue, the window layer with the current event, and the
// control layer. False when something the window cannot do without could not be made.
bool ProgramStart();

// MainWindow as the user first sees it: built, InputBox focused, OutputBox drawn in blue. False
// when the window or one of its controls could not be made whole.
bool OpenMainWindow();

// Closes what is still open, destroys ObjectHeap whole and ends the process.
[[noreturn]] void ProgramEnd(ExitCode exitCode);

}  // namespace tarvik
