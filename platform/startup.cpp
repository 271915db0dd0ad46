#include "platform/startup.h"

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "platform/launcher.h"
#include "platform/object_heap.h"
#include "ui/control_layer.h"
#include "ui/event_source.h"
#include "ui/window_layer.h"

namespace tarvik {

bool ProgramStart() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!CreateObjectHeap()) return false;
    if (!CreatePendingEventQueue()) return false;
    if (!InitializeWindowLayer(instance) || !CreateCurrentEvent()) return false;
    if (!InitializeControlLayer()) return false;
    InitializeLauncher();
    InitCommonControls();
    // The shell, which opens the online page, expects a single-threaded apartment on this thread.
    CoInitialize(nullptr);
    return true;
}

void ProgramEnd(ExitCode exitCode) {
    CloseAllWindows();
    DestroyObjectHeap();
    ExitProcess(exitCode);
}

}  // namespace tarvik
