// Tarvik专用链转换工具: start the services, open the window, and run the loop until the window
// is closed.
#include <windows.h>

#include "ui/event_loop.h"
#include "ui/program/startup.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace tarvik;
    // Without its whole window the tool could only wait for an event that never comes, or offer
    // controls that answer nothing.
    if (!ProgramStart() || !OpenMainWindow()) ProgramEnd(ExitStartFailed);
    RunEventLoop();
    ProgramEnd(ExitNormally);
}
