// The window as it opens: title, size, place, and its thirteen controls.
#include "scenario.h"

namespace acceptance {
namespace {

struct ControlLook {
    int number;
    const char* className;
    const char* text;
    RECT rect;  // in the main window's client area
    LONG style;
    LONG extendedStyle;
};

constexpr LONG Label = 0x50020000;    // child, visible, group; SS_LEFT
constexpr LONG Button = 0x50030000;   // child, visible, group, tab stop; BS_PUSHBUTTON
constexpr LONG EditBox = 0x502300C7;  // ... with vertical scroll bar, multi-line, both alignments

const ControlLook Controls[] = {
    {InputLabel, "Static", "请输入要转换的链接地址：", {10, 10, 160, 30}, Label, 0},
    {Base64EncodeButton, "Button", "Base64加密", {240, 5, 320, 30}, Button, 0},
    {Base64DecodeButton, "Button", "Base64解密", {340, 5, 420, 30}, Button, 0},
    {OutputLabel, "Static", "结果输出：", {10, 95, 80, 115}, Label, 0},
    {ThunderButton, "Button", "迅雷专用链转换", {10, 175, 110, 200}, Button, 0},
    {RayFileButton, "Button", "RayFile解密", {340, 175, 420, 200}, Button, 0},
    {CopyButton, "Button", "复制", {180, 90, 240, 110}, Button, 0},
    {PasteButton, "Button", "粘贴", {260, 90, 320, 110}, Button, 0},
    {OnlineButton, "Button", "使用在线版", {340, 90, 420, 110}, Button, 0},
    {InputBox, "Edit", "", {10, 35, 420, 85}, EditBox, WS_EX_CLIENTEDGE},
    {OutputBox, "Edit", "", {10, 115, 420, 165}, EditBox, WS_EX_CLIENTEDGE},
    {FlashGetButton, "Button", "快车专用链转换", {115, 175, 215, 200}, Button, 0},
    {XuanfengButton, "Button", "旋风专用链转换", {220, 175, 320, 200}, Button, 0},
};

std::string Hex(LONG value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(value));
    return text;
}

using WindowOpens = ToolScenario;

TEST_F(WindowOpens, TitleSizeAndPlace) {
    EXPECT_EQ(WindowText(Window()), MainWindowTitle);

    RECT client{};
    GetClientRect(Window(), &client);
    EXPECT_EQ(Width(client), 430);
    EXPECT_EQ(Height(client), 210);

    RECT frame = ScreenRect(Window());
    EXPECT_EQ(frame.left, (GetSystemMetrics(SM_CXSCREEN) - Width(frame)) / 2) << "not centred";
    EXPECT_EQ(frame.top, (GetSystemMetrics(SM_CYSCREEN) - Height(frame)) / 2) << "not centred";

    // A caption, a system menu and a minimise button; no maximise button and no sizing border.
    LONG style = GetWindowLongPtrA(Window(), GWL_STYLE);
    LONG frameBits = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME |
                     WS_POPUP | WS_CHILD | WS_VISIBLE | WS_DISABLED | WS_MINIMIZE | WS_MAXIMIZE;
    EXPECT_EQ(Hex(style & frameBits), Hex(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE));
    EXPECT_EQ(GetWindowLongPtrA(Window(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
}

TEST_F(WindowOpens, ThirteenControls) {
    int children = 0;
    for (HWND child = GetWindow(Window(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        ++children;
    }
    EXPECT_EQ(children, 13);

    for (const ControlLook& expected : Controls) {
        SCOPED_TRACE("control " + std::to_string(expected.number));
        HWND control = ControlWindow(expected.number);
        ASSERT_TRUE(control);
        EXPECT_EQ(ClassName(control), expected.className);
        EXPECT_EQ(WindowText(control), expected.text);
        RECT rect = RectInClientOf(control, Window());
        EXPECT_EQ(rect.left, expected.rect.left);
        EXPECT_EQ(rect.top, expected.rect.top);
        EXPECT_EQ(Width(rect), Width(expected.rect));
        EXPECT_EQ(Height(rect), Height(expected.rect));
        EXPECT_EQ(Hex(GetWindowLongPtrA(control, GWL_STYLE)), Hex(expected.style));
        EXPECT_EQ(Hex(GetWindowLongPtrA(control, GWL_EXSTYLE)), Hex(expected.extendedStyle));
        EXPECT_TRUE(IsWindowEnabled(control));
    }
}

TEST_F(WindowOpens, InputBoxHasTheFocus) {
    EXPECT_EQ(GetForegroundWindow(), Window());
    EXPECT_EQ(FocusedControl(), InputBox);
}

}  // namespace
}  // namespace acceptance
