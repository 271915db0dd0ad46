// What the control layer keeps per control, and the per-kind operation tables. Only the control
// layer, the kinds and the procedures in front of the controls look inside.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

namespace tarvik {

struct ControlKind;

struct ControlRecord {
    HWND handle;
    const ControlKind* kind;
    WNDPROC previousProcedure;  // the platform's procedure, which ControlProcedure hands on to
    std::int32_t textColor;
    std::int32_t backgroundColor;
    HBRUSH backgroundBrush;  // shared with every control of the same background color
};

// One immutable table per kind. A missing operation means the generic behaviour.
struct ControlKind {
    const wchar_t* platformClass;
    // Messages that the platform sends to the parent about this control; nothing to decline.
    std::optional<LRESULT> (*parentMessage)(ControlRecord& control, UINT message, WPARAM first,
                                            LPARAM second);
    void (*release)(ControlRecord& control);
    void (*setColor)(ControlRecord& control, std::int32_t selector, std::int32_t color);
};

extern const ControlKind ButtonKind;
extern const ControlKind EditBoxKind;
extern const ControlKind LabelKind;

// The record of a native control that is one of ours (its identifier and number property agree
// and name its record), else nullptr.
ControlRecord* FindControlRecord(HWND control);

// Runs at the control's WM_NCDESTROY: the kind's release, then the record goes.
void ReleaseControl(HWND control);

// The shared background brushes, one per color, counted.
HBRUSH AcquireBrush(COLORREF color);
void ReleaseBrush(HBRUSH brush);

}  // namespace tarvik
