#include "ui/program/startup.h"

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "platform/object_heap.h"
#include "ui/control_layer.h"
#include "ui/control_numbers.h"
#include "ui/event_loop.h"
#include "ui/event_source.h"
#include "ui/main_window.h"
#include "ui/program/command_line.h"
#include "ui/program/link_registration.h"
#include "ui/window_layer.h"

namespace tarvik {
namespace {

constexpr std::int32_t Blue = 0xFF0000;  // 0x00BBGGRR

enum ExitCode : unsigned {
    ExitNormally = 0,
    ExitStartFailed = 1,
};

// Closes what is still open, destroys ObjectHeap whole and ends the process.
[[noreturn]] void ProgramEnd(ExitCode exitCode) {
    CloseAllWindows();
    DestroyObjectHeap();
    ExitProcess(exitCode);
}

}  // namespace

bool ProgramStart() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!CreateObjectHeap() || !CreatePendingEventQueue()) return false;
    if (!InitializeWindowLayer(instance) || !CreateCurrentEvent()) return false;
    if (!InitializeControlLayer()) return false;
    // The control layer registered the common controls it names; this older call registers the
    // rest (list and tree views, progress bars, tool tips...), so that any of them can be added.
    InitCommonControls();
    // The shell, which opens the online page, expects a single-threaded apartment on this thread.
    CoInitialize(nullptr);
    return true;
}

bool OpenMainWindow() {
    if (!BuildMainWindow()) return false;
    FocusControl(InputBox);
    SetControlColor(OutputBox, TextColor, Blue);
    return true;
}

void RunProgram() {
    const ProgramArguments arguments = ReadProgramArguments();
    if (arguments.action != ProgramArguments::OpenWindow)
        ExitProcess(ChangeLinkRegistration(arguments.action == ProgramArguments::Register));
    // Without its whole window the tool could only wait for an event that never comes, or offer
    // controls that answer nothing.
    if (!ProgramStart() || !OpenMainWindow()) ProgramEnd(ExitStartFailed);
    OpenWithText(arguments.text);
    RunEventLoop();
    ProgramEnd(ExitNormally);
}

}  // namespace tarvik
