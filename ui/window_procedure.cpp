// Which platform messages become events, and with which fields. The window procedure reads top to
// bottom like its table: one handler per message, everything else to the platform's default.
#include "ui/window_procedure.h"

#include <optional>

#include "ui/control_records.h"
#include "ui/event_source.h"
#include "ui/focus_navigation.h"
#include "ui/window_layer.h"
#include "ui/window_properties.h"

namespace tarvik {
namespace {

// The control's parent-message handler, when the control is one of ours and its kind has one.
std::optional<LRESULT> OfferToControl(HWND control, UINT message, WPARAM first, LPARAM second) {
    ControlRecord* record = FindControlRecord(control);
    if (record == nullptr || record->kind->parentMessage == nullptr) return {};
    return record->kind->parentMessage(*record, message, first, second);
}

std::optional<LRESULT> OnCommand(WPARAM first, LPARAM second) {
    const auto control = reinterpret_cast<HWND>(second);
    if (control != nullptr) {
        if (auto answer = OfferToControl(control, WM_COMMAND, first, second)) return answer;
        StoreImmediateEvent(ControlEvent, GetDlgCtrlID(control), HIWORD(first));
        return 0;
    }
    if (HIWORD(first) != 1) return {};  // a menu command: this tool has no menu
    if (LOWORD(first) == NextControlCommand) MoveFocus(FocusDirection::Forward);
    if (LOWORD(first) == PreviousControlCommand) MoveFocus(FocusDirection::Backward);
    return 0;
}

LRESULT OnClose(std::int32_t windowNumber) {
    // The window stays: only the event loop closes it, when it takes this event.
    if (windowNumber >= 0) PostEvent(CloseWindowEvent, windowNumber, windowNumber, 0);
    return 0;
}

LRESULT OnMove(std::int32_t windowNumber) {
    if (windowNumber >= 0) PostEvent(MoveWindowEvent, windowNumber, windowNumber, 0);
    return 0;
}

LRESULT OnSize(std::int32_t windowNumber, WPARAM kind) {
    WindowRecord* record = FindWindowRecord(windowNumber);
    if (record == nullptr) return 0;
    switch (kind) {
        case SIZE_RESTORED:
            if (record->minimisedOrMaximised) {
                record->minimisedOrMaximised = false;
                PostEvent(RestoreWindowEvent, 0, windowNumber, 0);
            }
            break;
        case SIZE_MINIMIZED:
            record->minimisedOrMaximised = true;
            PostEvent(MinimizeWindowEvent, 0, windowNumber, 0);
            return 0;
        case SIZE_MAXIMIZED:
            record->minimisedOrMaximised = true;
            PostEvent(MaximizeWindowEvent, 0, windowNumber, 0);
            break;
    }
    PostEvent(SizeWindowEvent, 0, windowNumber, 0);
    return 0;
}

// Answers 1 without the default processing, which would give the focus to the window itself
// instead of the control that had it.
LRESULT OnActivate(HWND window, std::int32_t windowNumber, WPARAM state) {
    if (LOWORD(state) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window, focus)) {
            SetPropW(window, SavedFocusProperty, focus);
        } else {
            RemovePropW(window, SavedFocusProperty);
        }
        return 1;
    }
    const auto saved = static_cast<HWND>(GetPropW(window, SavedFocusProperty));
    if (saved != nullptr && IsWindow(saved)) SetFocus(saved);
    PostEvent(ActivateWindowEvent, 0, windowNumber, 0);
    return 1;
}

BOOL CALLBACK ForwardColorChange(HWND control, LPARAM) {
    SendMessageW(control, WM_SYSCOLORCHANGE, 0, 0);
    return TRUE;
}

// Nothing for a message that the platform's default handles.
std::optional<LRESULT> HandleWindowMessage(HWND window, std::int32_t windowNumber, UINT message,
                                           WPARAM first, LPARAM second) {
    switch (message) {
        case WM_COMMAND:
            return OnCommand(first, second);
        case WM_CLOSE:
            return OnClose(windowNumber);
        case WM_MOVE:
            return OnMove(windowNumber);
        case WM_SIZE:
            return OnSize(windowNumber, first);
        case WM_ACTIVATE:
            return OnActivate(window, windowNumber, first);
        case WM_ERASEBKGND:
            // The platform erases with the class background.
            PostEvent(RepaintEvent, 0, windowNumber, 0);
            return {};
        case WM_SYSCOLORCHANGE:
            EnumChildWindows(window, ForwardColorChange, 0);
            return {};
        case WM_NOTIFY:
            if (second == 0) return {};
            return OfferToControl(reinterpret_cast<const NMHDR*>(second)->hwndFrom, message, first,
                                  second);
        case WM_HSCROLL:
        case WM_VSCROLL:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSTATIC:
            return OfferToControl(reinterpret_cast<HWND>(second), message, first, second);
        case WM_NCDESTROY:
            RemovePropW(window, SavedFocusProperty);
            return 1;
        default:
            return {};
    }
}

}  // namespace

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM first, LPARAM second) noexcept {
    const std::int32_t windowNumber = WindowNumberFromHandle(window);
    StoreCurrentWindow(windowNumber);
    const auto result = HandleWindowMessage(window, windowNumber, message, first, second);
    return result ? *result : DefWindowProcW(window, message, first, second);
}

LRESULT CALLBACK ControlProcedure(HWND control, UINT message, WPARAM first,
                                  LPARAM second) noexcept {
    const ControlRecord* record = FindControlRecord(control);
    if (record == nullptr) return DefWindowProcW(control, message, first, second);
    // An edit box's focus changes are queued, before the box itself takes them.
    if (record->kind == &EditBoxKind && (message == WM_SETFOCUS || message == WM_KILLFOCUS)) {
        PostEvent(ControlEvent, GetDlgCtrlID(control), WindowNumberFromHandle(control),
                  message == WM_SETFOCUS ? FocusGainedType : FocusLostType);
    }
    const LRESULT result =
        CallWindowProcW(record->previousProcedure, control, message, first, second);
    if (message == WM_NCDESTROY) ReleaseControl(control);
    return result;
}

}  // namespace tarvik
