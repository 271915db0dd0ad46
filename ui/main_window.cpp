// Built from UTF-8 with -fexec-charset=GBK: the texts below are GBK bytes in the program.
#include "ui/main_window.h"

#include "ui/control_layer.h"
#include "ui/window_layer.h"

namespace tarvik {
namespace {

// From the build, which gives the window and the online page the same title.
constexpr std::string_view MainWindowTitle = TARVIK_TITLE;
// Centred; it can be minimised, never resized.
constexpr std::uint32_t MainWindowFlags = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | CentreOnScreen;
// The platform resolves the two alignment bits to right alignment, and a right-aligned multi-line
// box wraps its lines.
constexpr std::uint32_t TextBoxFlags =
    WS_VSCROLL | ES_AUTOVSCROLL | ES_MULTILINE | ES_RIGHT | ES_CENTER;

static_assert(OneEntryPerControl(MainWindowLayout), "controls are added in number order, 0 to 12");

// The layout is drawn for 96 DPI. The system scales the font with its DPI setting, so every
// length grows with it, or the captions would be cut; the manifest says the window does this
// itself, so that the system does not stretch it as a blurred bitmap.
struct Scale {
    int dpi = 96;
    Scale() {
        if (HDC screen = GetDC(nullptr)) {
            dpi = GetDeviceCaps(screen, LOGPIXELSY);
            ReleaseDC(nullptr, screen);
        }
    }
    std::int32_t operator()(std::int32_t length) const { return MulDiv(length, dpi, 96); }
};

HWND AddControl(const ControlLayout& c, const Scale& s) {
    const std::int32_t x = s(c.x), y = s(c.y), width = s(c.width), height = s(c.height);
    switch (c.kind) {
        case ControlLayout::Label:
            return AddLabel(c.number, x, y, width, height, c.text);
        case ControlLayout::Button:
            return AddButton(c.number, x, y, width, height, c.text);
        case ControlLayout::EditBox:
            return AddEditBox(c.number, x, y, width, height, c.text, TextBoxFlags);
    }
    return nullptr;
}

}  // namespace

bool BuildMainWindow() {
    // Shown once its controls are in: controls added to a visible window are each drawn, and
    // the window repainted, on their way in, which under Wine made start-up take twice as long.
    const Scale s;
    // 502, 331 is where the window would open without CentreOnScreen, which replaces it.
    HWND window = OpenNumberedWindow(MainWindow, s(502), s(331), s(MainWindowClientWidth),
                                     s(MainWindowClientHeight), MainWindowTitle,
                                     MainWindowFlags | CreateInvisible);
    if (window == nullptr) return false;
    bool whole = true;
    for (const ControlLayout& control : MainWindowLayout)
        whole &= AddControl(control, s) != nullptr;
    ShowWindow(window, SW_SHOWNORMAL);
    return whole;
}

}  // namespace tarvik
