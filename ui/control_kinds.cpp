// The three kinds of control and the operations each adds to the generic behaviour.
#include "ui/control_layer.h"
#include "ui/control_records.h"

namespace tarvik {
namespace {

// 0x407: the control and its frame are repainted from scratch, background included.
constexpr UINT RedrawWhole = RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_FRAME;

// The answer to a colour request: the control's colours on the device context, and the brush
// that fills it. With only a text colour set, the background is a system colour of the kind.
std::optional<LRESULT> PaintColours(const ControlRecord& control, HDC context,
                                    int systemBackground) {
    if (control.textColour == NoColour && control.backgroundColour == NoColour) return {};
    if (control.textColour != NoColour) SetTextColor(context, control.textColour);
    if (control.backgroundColour == NoColour) {
        SetBkColor(context, GetSysColor(systemBackground));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(systemBackground));
    }
    SetBkColor(context, control.backgroundColour);
    return reinterpret_cast<LRESULT>(control.backgroundBrush);
}

std::optional<LRESULT> EditBoxParentMessage(ControlRecord& control, UINT message, WPARAM first,
                                            LPARAM) {
    // A read-only box asks with WM_CTLCOLORSTATIC; a disabled one is always left to the platform.
    if (message != WM_CTLCOLOREDIT && message != WM_CTLCOLORSTATIC) return {};
    if (!IsWindowEnabled(control.handle)) return {};
    return PaintColours(control, reinterpret_cast<HDC>(first), COLOR_BTNHIGHLIGHT);
}

std::optional<LRESULT> LabelParentMessage(ControlRecord& control, UINT message, WPARAM first,
                                          LPARAM) {
    if (message != WM_CTLCOLORSTATIC) return {};
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

}  // namespace

const ControlKind ButtonKind{
    .platformClass = L"Button",
    .parentMessage = nullptr,
    .release = nullptr,
    .setColour = nullptr,
};

const ControlKind EditBoxKind{
    .platformClass = L"Edit",
    .parentMessage = EditBoxParentMessage,
    .release = ReleaseBackground,
    .setColour = StoreColour,
};

const ControlKind LabelKind{
    .platformClass = L"Static",
    .parentMessage = LabelParentMessage,
    .release = ReleaseBackground,
    .setColour = StoreColour,
};

}  // namespace tarvik
