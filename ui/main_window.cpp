// Built from UTF-8 with -fexec-charset=GBK: the texts below are GBK bytes in the program.
#include "ui/main_window.h"

#include <cstdint>
#include <iterator>
#include <string_view>

#include "ui/control_layer.h"
#include "ui/control_numbers.h"
#include "ui/window_layer.h"

namespace tarvik {
namespace {

constexpr std::string_view MainWindowTitle = "Tarvik专用链转换工具1.0";
// WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, centred: it can be minimised, never resized.
constexpr std::uint32_t MainWindowFlags = 0xCA0000 | CentreOnScreen;
// WS_VSCROLL | ES_AUTOVSCROLL | ES_MULTILINE | ES_RIGHT | ES_CENTER: the platform resolves the
// two alignment bits to right alignment, and a right-aligned multi-line box wraps its lines.
constexpr std::uint32_t TextBoxFlags = 0x200047;

enum class Kind { Label, Button, EditBox };

struct ControlLayout {
    ControlNumber number;
    Kind kind;
    std::int32_t x, y, width, height;
    std::string_view text;
};

// Read top to bottom: the input label with the Base64 buttons to its right, the input box, the
// output label with Copy, Paste and the online button, the output box, and the bottom row.
constexpr ControlLayout MainWindowLayout[] = {
    {InputLabel, Kind::Label, 10, 10, 150, 20, "请输入要转换的链接地址："},
    {Base64EncodeButton, Kind::Button, 240, 5, 80, 25, "Base64加密"},
    {Base64DecodeButton, Kind::Button, 340, 5, 80, 25, "Base64解密"},
    {OutputLabel, Kind::Label, 10, 95, 70, 20, "结果输出："},
    {ThunderButton, Kind::Button, 10, 175, 100, 25, "迅雷专用链转换"},
    {RayFileButton, Kind::Button, 340, 175, 80, 25, "RayFile解密"},
    {CopyButton, Kind::Button, 180, 90, 60, 20, "复制"},
    {PasteButton, Kind::Button, 260, 90, 60, 20, "粘贴"},
    {OnlineButton, Kind::Button, 340, 90, 80, 20, "使用在线版"},
    {InputBox, Kind::EditBox, 10, 35, 410, 50, ""},
    {OutputBox, Kind::EditBox, 10, 115, 410, 50, ""},
    {FlashGetButton, Kind::Button, 115, 175, 100, 25, "快车专用链转换"},
    {XuanfengButton, Kind::Button, 220, 175, 100, 25, "旋风专用链转换"},
};

constexpr bool InNumberOrder() {
    for (std::int32_t number = 0; number < ControlCount; ++number) {
        if (MainWindowLayout[number].number != number) return false;
    }
    return std::size(MainWindowLayout) == ControlCount;
}
static_assert(InNumberOrder(), "controls are added in number order, 0 to 12");

HWND AddControl(const ControlLayout& c) {
    switch (c.kind) {
        case Kind::Label:
            return AddLabel(c.number, c.x, c.y, c.width, c.height, c.text);
        case Kind::Button:
            return AddButton(c.number, c.x, c.y, c.width, c.height, c.text);
        case Kind::EditBox:
            return AddEditBox(c.number, c.x, c.y, c.width, c.height, c.text, TextBoxFlags);
    }
    return nullptr;
}

}  // namespace

bool BuildMainWindow() {
    // Shown once its controls are in: controls added to a visible window are each drawn, and
    // the window repainted, on their way in, which under Wine made start-up take twice as long.
    HWND window = OpenNumberedWindow(MainWindow, 502, 331, 430, 210, MainWindowTitle,
                                     MainWindowFlags | CreateInvisible);
    if (window == nullptr) return false;
    bool whole = true;
    for (const ControlLayout& control : MainWindowLayout) whole &= AddControl(control) != nullptr;
    ShowWindow(window, SW_SHOWNORMAL);
    return whole;
}

}  // namespace tarvik
