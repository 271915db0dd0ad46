// Tab and Shift+Tab: the focus moves through the tab stops of the active window in the platform's
// enumeration order, which for controls created one after another is their creation order.
#include "ui/focus_navigation.h"

#include <windows.h>

namespace tarvik {
namespace {

// One pass over the candidates finds everything either direction needs, without a list.
struct TabStops {
    HWND current;
    HWND first = nullptr;
    HWND last = nullptr;
    HWND beforeCurrent = nullptr;
    HWND afterCurrent = nullptr;
    bool currentSeen = false;
};

bool IsTabStop(HWND control) {
    return IsWindowEnabled(control) && IsWindowVisible(control) &&
           (GetWindowLongPtrW(control, GWL_STYLE) & WS_TABSTOP) != 0;
}

BOOL CALLBACK VisitCandidate(HWND control, LPARAM context) {
    auto& stops = *reinterpret_cast<TabStops*>(context);
    if (!IsTabStop(control)) return TRUE;
    if (stops.first == nullptr) stops.first = control;
    if (control == stops.current) {
        stops.currentSeen = true;
        stops.beforeCurrent = stops.last;
    } else if (stops.currentSeen && stops.afterCurrent == nullptr) {
        stops.afterCurrent = control;
    }
    stops.last = control;
    return TRUE;
}

}  // namespace

void MoveFocus(FocusDirection direction) {
    HWND active = GetActiveWindow();
    if (active == nullptr) return;
    HWND focus = GetFocus();
    TabStops stops{.current = focus != nullptr && IsChild(active, focus) ? focus : nullptr};
    EnumChildWindows(active, VisitCandidate, reinterpret_cast<LPARAM>(&stops));

    // A focused control that is no tab stop itself counts as no current control.
    HWND next = nullptr;
    if (direction == FocusDirection::Forward) {
        next =
            stops.currentSeen && stops.afterCurrent != nullptr ? stops.afterCurrent : stops.first;
    } else {
        next =
            stops.currentSeen && stops.beforeCurrent != nullptr ? stops.beforeCurrent : stops.last;
    }
    if (next != nullptr) SetFocus(next);
}

}  // namespace tarvik
