// Tarvik专用链转换工具: start the services, build the window, and run the loop until the window
// is closed.
#include <windows.h>

#include <cstdint>

#include "platform/startup.h"
#include "ui/control_layer.h"
#include "ui/control_numbers.h"
#include "ui/event_loop.h"
#include "ui/main_window.h"

namespace {
constexpr std::int32_t Blue = 0xFF0000;  // 0x00BBGGRR
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace tarvik;
    if (!ProgramStart()) ProgramEnd(ExitStartFailed);
    // Without its window the tool could only wait for an event that never comes.
    if (!BuildMainWindow()) ProgramEnd(ExitStartFailed);
    FocusControl(InputBox);
    SetControlColor(OutputBox, TextColour, Blue);
    RunEventLoop();
    ProgramEnd();
}
