// What the process does before the window is built and after the event loop has ended.
#pragma once

namespace tarvik {

// Exit codes of the tool.
enum ExitCode : unsigned {
    ExitNormally = 0,
    ExitStartFailed = 1,  // the heap, the layers or MainWindow could not be made
};

// Makes, in order, ObjectHeap, the event queue, the window layer with the current event, the
// control layer, the launcher's lock, the common controls and COM. False when something the
// window cannot do without (a heap record, a table) could not be made.
bool ProgramStart();

// Closes what is still open, destroys ObjectHeap whole and ends the process.
[[noreturn]] void ProgramEnd(ExitCode exitCode = ExitNormally);

}  // namespace tarvik
