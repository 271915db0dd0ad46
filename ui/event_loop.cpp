#include "ui/event_loop.h"

#include "ui/control_numbers.h"
#include "ui/dispatch_table.h"
#include "ui/event_source.h"
#include "ui/window_layer.h"

namespace tarvik {

bool HandleEvent(std::int32_t code) {
    if (code == ControlEvent) {
        // The event type tells a press from a focus change, but every event of a button is a
        // press and the edit boxes have no command, so it is not consulted.
        RunControlCommand(static_cast<ControlNumber>(CurrentEventControl()));
        return true;
    }
    if (code == CloseWindowEvent && CurrentEventWindow() == MainWindow) {
        CloseNumberedWindow(MainWindow);
        return false;
    }
    return true;
}

void RunEventLoop() {
    while (HandleEvent(WaitForEvent())) {
    }
}

}  // namespace tarvik
