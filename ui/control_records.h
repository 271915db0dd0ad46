// What the control layer keeps per control, and the per-kind operation tables. Only the control
// layer, the kinds and the procedures in front of the controls look inside.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvik {

struct ControlKind;

struct ControlRecord {
    HWND handle;
    const ControlKind* kind;
    WNDPROC previousProcedure;  // what the control procedure hands every message to
    WNDPROC editProcedure;      // edit boxes: the platform's procedure behind EditBoxProcedure
    std::int32_t textColour;
    std::int32_t backgroundColour;
    HBRUSH backgroundBrush;  // shared with every control of the same background colour
};

// One immutable table per kind. A missing operation means the generic behaviour.
struct ControlKind {
    std::int32_t number;
    const char* platformClass;
    // Messages that the platform sends to the parent about this control; NotHandled to decline.
    LRESULT (*parentMessage)(ControlRecord& control, UINT message, WPARAM first, LPARAM second);
    void (*release)(ControlRecord& control);
    std::int32_t (*getState)(const ControlRecord& control);
    void (*setState)(ControlRecord& control, std::int32_t state);
    std::string (*getText)(const ControlRecord& control);
    void (*setText)(ControlRecord& control, std::string_view text);
    void (*setColour)(ControlRecord& control, std::int32_t selector, std::int32_t colour);
    std::int32_t (*getColour)(const ControlRecord& control, std::int32_t selector);
    void (*activate)(ControlRecord& control);
};

extern const ControlKind ButtonKind;
extern const ControlKind EditBoxKind;
extern const ControlKind LabelKind;

// The record of a native control that is one of ours (its identifier and number property agree
// and name its record), else nullptr.
ControlRecord* FindControlRecord(HWND control);

// Runs at the control's WM_NCDESTROY: the kind's release, then the record goes.
void ReleaseControl(HWND control);

// The shared background brushes, one per colour, counted.
HBRUSH AcquireBrush(COLORREF colour);
void ReleaseBrush(HBRUSH brush);

}  // namespace tarvik
