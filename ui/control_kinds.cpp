// The three kinds of control and the operations each adds to the generic behaviour.
#include "ui/control_layer.h"
#include "ui/control_records.h"

namespace tarvik {
namespace {

// 0x407: the control and its frame are repainted from scratch, background included.
constexpr UINT RedrawWhole = RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_FRAME;

// The answer to a color request: the control's colors on the device context, and the brush
// that fills it. With only a text color set, the background is a system color of the kind.
std::optional<LRESULT> PaintColors(const ControlRecord& control, HDC context,
                                   int systemBackground) {
    if (control.textColor == NoColor && control.backgroundColor == NoColor) return {};
    if (control.textColor != NoColor) SetTextColor(context, control.textColor);
    if (control.backgroundColor == NoColor) {
        SetBkColor(context, GetSysColor(systemBackground));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(systemBackground));
    }
    SetBkColor(context, control.backgroundColor);
    return reinterpret_cast<LRESULT>(control.backgroundBrush);
}

std::optional<LRESULT> EditBoxParentMessage(ControlRecord& control, UINT message, WPARAM first,
                                            LPARAM) {
    // A read-only box asks with WM_CTLCOLORSTATIC; a disabled one is always left to the platform.
    if (message != WM_CTLCOLOREDIT && message != WM_CTLCOLORSTATIC) return {};
    if (!IsWindowEnabled(control.handle)) return {};
    return PaintColors(control, reinterpret_cast<HDC>(first), COLOR_BTNHIGHLIGHT);
}

std::optional<LRESULT> LabelParentMessage(ControlRecord& control, UINT message, WPARAM first,
                                          LPARAM) {
    if (message != WM_CTLCOLORSTATIC) return {};
    return PaintColors(control, reinterpret_cast<HDC>(first), COLOR_BTNFACE);
}

void ReleaseBackground(ControlRecord& control) {
    ReleaseBrush(control.backgroundBrush);
    control.backgroundBrush = nullptr;
}

void StoreColor(ControlRecord& control, std::int32_t selector, std::int32_t color) {
    if (selector == TextColor) {
        control.textColor = color;
    } else if (selector == BackgroundColor) {
        ReleaseBackground(control);
        control.backgroundColor = color;
        if (color != NoColor) control.backgroundBrush = AcquireBrush(color);
    }
    RedrawWindow(control.handle, nullptr, nullptr, RedrawWhole);
}

}  // namespace

const ControlKind ButtonKind{
    .platformClass = L"Button",
    .parentMessage = nullptr,
    .release = nullptr,
    .setColor = nullptr,
};

const ControlKind EditBoxKind{
    .platformClass = L"Edit",
    .parentMessage = EditBoxParentMessage,
    .release = ReleaseBackground,
    .setColor = StoreColor,
};

const ControlKind LabelKind{
    .platformClass = L"Static",
    .parentMessage = LabelParentMessage,
    .release = ReleaseBackground,
    .setColor = StoreColor,
};

}  // namespace tarvik
