// The three kinds of control and the operations each adds to the generic behaviour.
#include "ui/control_layer.h"
#include "ui/control_records.h"
#include "ui/window_procedure.h"

namespace tarvik {
namespace {

// 0x407: the control and its frame are repainted from scratch, background included.
constexpr UINT RedrawWhole = RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_FRAME;

// The answer to a colour request: the control's colours on the device context, and the brush
// that fills it. With only a text colour set, the background is a system colour of the kind.
LRESULT PaintColours(const ControlRecord& control, HDC context, int systemBackground) {
    if (control.textColour == NoColour && control.backgroundColour == NoColour) return NotHandled;
    if (control.textColour != NoColour) SetTextColor(context, control.textColour);
    if (control.backgroundColour == NoColour) {
        SetBkColor(context, GetSysColor(systemBackground));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(systemBackground));
    }
    SetBkColor(context, control.backgroundColour);
    return reinterpret_cast<LRESULT>(control.backgroundBrush);
}

LRESULT EditBoxParentMessage(ControlRecord& control, UINT message, WPARAM first, LPARAM) {
    // A read-only box asks with WM_CTLCOLORSTATIC; a disabled one is always left to the platform.
    if (message != WM_CTLCOLOREDIT && message != WM_CTLCOLORSTATIC) return NotHandled;
    if (!IsWindowEnabled(control.handle)) return NotHandled;
    return PaintColours(control, reinterpret_cast<HDC>(first), COLOR_BTNHIGHLIGHT);
}

LRESULT LabelParentMessage(ControlRecord& control, UINT message, WPARAM first, LPARAM) {
    if (message != WM_CTLCOLORSTATIC) return NotHandled;
    return PaintColours(control, reinterpret_cast<HDC>(first), COLOR_BTNFACE);
}

void ReleaseBackground(ControlRecord& control) {
    ReleaseBrush(control.backgroundBrush);
    control.backgroundBrush = nullptr;
}

void StoreColour(ControlRecord& control, std::int32_t selector, std::int32_t colour) {
    if (selector == TextColour) {
        control.textColour = colour;
    } else if (selector == BackgroundColour) {
        ReleaseBackground(control);
        control.backgroundColour = colour;
        if (colour != NoColour) control.backgroundBrush = AcquireBrush(colour);
    }
    RedrawWindow(control.handle, nullptr, nullptr, RedrawWhole);
}

std::int32_t StoredColour(const ControlRecord& control, std::int32_t selector) {
    if (selector == TextColour) return control.textColour;
    if (selector == BackgroundColour) return control.backgroundColour;
    return NoColour;
}

std::int32_t ButtonChecked(const ControlRecord& control) {
    return SendMessageA(control.handle, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void CheckButton(ControlRecord& control, std::int32_t state) {
    SendMessageA(control.handle, BM_SETCHECK, state != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace

const ControlKind ButtonKind{
    .number = 1,
    .platformClass = "Button",
    .parentMessage = nullptr,
    .release = nullptr,
    .getState = ButtonChecked,
    .setState = CheckButton,
    .getText = nullptr,
    .setText = nullptr,
    .setColour = nullptr,
    .getColour = nullptr,
    .activate = nullptr,
};

const ControlKind EditBoxKind{
    .number = 2,
    .platformClass = "Edit",
    .parentMessage = EditBoxParentMessage,
    .release = ReleaseBackground,
    .getState = nullptr,
    .setState = nullptr,
    .getText = nullptr,
    .setText = nullptr,
    .setColour = StoreColour,
    .getColour = StoredColour,
    .activate = nullptr,
};

const ControlKind LabelKind{
    .number = 3,
    .platformClass = "Static",
    .parentMessage = LabelParentMessage,
    .release = ReleaseBackground,
    .getState = nullptr,
    .setState = nullptr,
    .getText = nullptr,
    .setText = nullptr,
    .setColour = StoreColour,
    .getColour = StoredColour,
    .activate = nullptr,
};

}  // namespace tarvik
