// The tool's one window and its thirteen controls. Built from UTF-8 with -fexec-charset=GBK: the
// texts below are GBK bytes in the program.
#pragma once

#include <cstdint>
#include <string_view>

#include "ui/control_numbers.h"

namespace tarvik {

struct ControlLayout {
    enum Kind { Label, Button, EditBox };
    ControlNumber number;
    Kind kind;
    std::int32_t x, y, width, height;
    std::string_view text;
};

// The client area at 96 DPI: the layout below with a margin of 10 at the left, right and bottom.
inline constexpr std::int32_t MainWindowClientWidth = 430, MainWindowClientHeight = 210;

// Places in the client area at 96 DPI; BuildMainWindow scales them with the DPI setting.
// Read top to bottom: the input label with the Base64 buttons to its right, the input box, the
// output label with Copy, Paste and the online button, the output box, and the bottom row.
inline constexpr ControlLayout MainWindowLayout[] = {
    {InputLabel, ControlLayout::Label, 10, 10, 150, 20, "请输入要转换的链接地址："},
    {Base64EncodeButton, ControlLayout::Button, 240, 5, 80, 25, "Base64加密"},
    {Base64DecodeButton, ControlLayout::Button, 340, 5, 80, 25, "Base64解密"},
    {OutputLabel, ControlLayout::Label, 10, 95, 70, 20, "结果输出："},
    {ThunderButton, ControlLayout::Button, 10, 175, 100, 25, "迅雷专用链转换"},
    {RayFileButton, ControlLayout::Button, 340, 175, 80, 25, "RayFile解密"},
    {CopyButton, ControlLayout::Button, 180, 90, 60, 20, "复制"},
    {PasteButton, ControlLayout::Button, 260, 90, 60, 20, "粘贴"},
    {OnlineButton, ControlLayout::Button, 340, 90, 80, 20, "使用在线版"},
    {InputBox, ControlLayout::EditBox, 10, 35, 410, 50, ""},
    {OutputBox, ControlLayout::EditBox, 10, 115, 410, 50, ""},
    {FlashGetButton, ControlLayout::Button, 115, 175, 100, 25, "快车专用链转换"},
    {XuanfengButton, ControlLayout::Button, 220, 175, 100, 25, "旋风专用链转换"},
};

// Opens MainWindow centred on the screen and adds controls 0 to 12 in number order. False when
// the window cannot be opened (then no control is added) or a control could not be added (the
// others are added all the same).
bool BuildMainWindow();

}  // namespace tarvik
