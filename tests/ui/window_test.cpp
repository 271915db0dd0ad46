// MainWindow as the user sees it: geometry, frame, the thirteen controls, fonts and colours, and
// the text operations on controls. Built from UTF-8 with -fexec-charset=GBK.
#include <windows.h>

#include <string>

#include "tests/ui/ui_test_support.h"
#include "ui/control_layer.h"
#include "ui/control_numbers.h"
#include "ui/window_layer.h"

namespace tarvik::testing {
namespace {

std::string WindowText(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

using WindowTest = MainWindowTest;

TEST_F(WindowTest, ClientAreaIsExactAndTheWindowIsCentredOnTheScreen) {
    RECT client, outer;
    ASSERT_TRUE(GetClientRect(window, &client));
    ASSERT_TRUE(GetWindowRect(window, &outer));
    EXPECT_EQ(client.right - client.left, 430);
    EXPECT_EQ(client.bottom - client.top, 210);
    const LONG width = outer.right - outer.left, height = outer.bottom - outer.top;
    EXPECT_GT(width, 430);
    EXPECT_GT(height, 210);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
}

TEST_F(WindowTest, FrameHasCaptionSystemMenuAndMinimiseButCannotBeResized) {
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE),
              DWORD{WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE});
    EXPECT_EQ(style & (WS_MAXIMIZEBOX | WS_THICKFRAME | WS_CHILD), 0u);
    EXPECT_EQ(WindowText(window), "Tarvik专用链转换工具1.0");
    EXPECT_EQ(ClassOf(window), "WindowClass_0");
    EXPECT_EQ(GetParent(window), nullptr);
}

TEST_F(WindowTest, EveryControlHasItsNumberClassTextPlaceStyleAndFont) {
    struct Expected {
        std::int32_t number;
        const char* className;
        const char* text;
        RECT place;  // left, top, right, bottom in the client area
        DWORD style;
        DWORD extendedStyle;
    };
    const Expected controls[] = {
        {InputLabel, "Static", "请输入要转换的链接地址：", {10, 10, 160, 30}, 0x50020000, 0},
        {Base64EncodeButton, "Button", "Base64加密", {240, 5, 320, 30}, 0x50030000, 0},
        {Base64DecodeButton, "Button", "Base64解密", {340, 5, 420, 30}, 0x50030000, 0},
        {OutputLabel, "Static", "结果输出：", {10, 95, 80, 115}, 0x50020000, 0},
        {ThunderButton, "Button", "迅雷专用链转换", {10, 175, 110, 200}, 0x50030000, 0},
        {RayFileButton, "Button", "RayFile解密", {340, 175, 420, 200}, 0x50030000, 0},
        {CopyButton, "Button", "复制", {180, 90, 240, 110}, 0x50030000, 0},
        {PasteButton, "Button", "粘贴", {260, 90, 320, 110}, 0x50030000, 0},
        {OnlineButton, "Button", "使用在线版", {340, 90, 420, 110}, 0x50030000, 0},
        {InputBox, "Edit", "", {10, 35, 420, 85}, 0x502300C7, WS_EX_CLIENTEDGE},
        {OutputBox, "Edit", "", {10, 115, 420, 165}, 0x502300C7, WS_EX_CLIENTEDGE},
        {FlashGetButton, "Button", "快车专用链转换", {115, 175, 215, 200}, 0x50030000, 0},
        {XuanfengButton, "Button", "旋风专用链转换", {220, 175, 320, 200}, 0x50030000, 0},
    };
    const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    for (const Expected& expected : controls) {
        SCOPED_TRACE(expected.number);
        HWND control = GetDlgItem(window, expected.number);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control, ControlHandle(expected.number));
        EXPECT_EQ(ClassOf(control), expected.className);
        EXPECT_EQ(WindowText(control), expected.text);
        EXPECT_EQ(GetControlText(expected.number), expected.text);
        RECT place;
        GetWindowRect(control, &place);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
        EXPECT_EQ(place.left, expected.place.left);
        EXPECT_EQ(place.top, expected.place.top);
        EXPECT_EQ(place.right, expected.place.right);
        EXPECT_EQ(place.bottom, expected.place.bottom);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrA(control, GWL_STYLE)), expected.style);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrA(control, GWL_EXSTYLE)),
                  expected.extendedStyle);
        EXPECT_EQ(SendMessageA(control, WM_GETFONT, 0, 0), static_cast<LRESULT>(font));
    }
}

// A colour request as the platform makes it when it paints a control.
struct ColourAnswer {
    LRESULT brush;
    COLORREF text;
    COLORREF background;
};
ColourAnswer AskColours(HWND window, UINT request, HWND control, bool platformDefault = false) {
    HDC context = CreateCompatibleDC(nullptr);
    SetTextColor(context, RGB(1, 2, 3));
    SetBkColor(context, RGB(4, 5, 6));
    const auto first = reinterpret_cast<WPARAM>(context);
    const auto second = reinterpret_cast<LPARAM>(control);
    const LRESULT brush = platformDefault ? DefWindowProcA(window, request, first, second)
                                          : SendMessageA(window, request, first, second);
    ColourAnswer answer{brush, GetTextColor(context), GetBkColor(context)};
    DeleteDC(context);
    return answer;
}

TEST_F(WindowTest, OutputBoxIsBlueOnHighlightAndInputBoxIsLeftToThePlatform) {
    const ColourAnswer output = AskColours(window, WM_CTLCOLOREDIT, ControlHandle(OutputBox));
    EXPECT_EQ(output.text, 0xFF0000u);
    EXPECT_EQ(output.background, GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(output.brush, reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNHIGHLIGHT)));

    const ColourAnswer input = AskColours(window, WM_CTLCOLOREDIT, ControlHandle(InputBox));
    const ColourAnswer platform =
        AskColours(window, WM_CTLCOLOREDIT, ControlHandle(InputBox), true);
    EXPECT_EQ(input.brush, platform.brush);
    EXPECT_EQ(input.text, platform.text);
    EXPECT_EQ(input.background, platform.background);
}

TEST_F(WindowTest, BackgroundColoursShareOneBrushAndButtonsTakeNoColour) {
    SetControlColor(InputLabel, TextColour, 0x00FF00);
    const ColourAnswer label = AskColours(window, WM_CTLCOLORSTATIC, ControlHandle(InputLabel));
    EXPECT_EQ(label.text, 0x00FF00u);
    EXPECT_EQ(label.brush, reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE)));

    SetControlColor(InputBox, BackgroundColour, 0x123456);
    SetControlColor(OutputLabel, BackgroundColour, 0x123456);
    const ColourAnswer box = AskColours(window, WM_CTLCOLOREDIT, ControlHandle(InputBox));
    const ColourAnswer other = AskColours(window, WM_CTLCOLORSTATIC, ControlHandle(OutputLabel));
    EXPECT_EQ(box.background, 0x123456u);
    EXPECT_EQ(box.brush, other.brush);
    LOGBRUSH brush{};
    ASSERT_TRUE(GetObjectA(reinterpret_cast<HBRUSH>(box.brush), sizeof brush, &brush));
    EXPECT_EQ(brush.lbColor, 0x123456u);

    // The brush lives while one control still uses it.
    SetControlColor(InputBox, BackgroundColour, NoColour);
    EXPECT_NE(GetObjectType(reinterpret_cast<HBRUSH>(other.brush)), 0u);
    SetControlColor(OutputLabel, BackgroundColour, NoColour);
    EXPECT_EQ(GetObjectType(reinterpret_cast<HBRUSH>(other.brush)), 0u);

    SetControlColor(ThunderButton, TextColour, 0xFF0000);
    EXPECT_EQ(GetControlColor(ThunderButton, TextColour), NoColour);
    EXPECT_EQ(GetControlColor(OutputBox, TextColour), 0xFF0000);
    EXPECT_EQ(GetControlColor(OutputBox, 3), NoColour);
}

TEST_F(WindowTest, ControlTextIsReadAndWrittenWhole) {
    EXPECT_EQ(GetControlText(InputBox), "");
    std::string big;
    while (big.size() < 1024 * 1024) big += "thunder://QUFodHRw 迅雷\r\n";
    SetControlText(InputBox, big);
    EXPECT_EQ(GetControlText(InputBox), big);
    SetControlText(InputBox, "");
    EXPECT_EQ(GetControlText(InputBox), "");
}

TEST_F(WindowTest, NumbersThatNameNothingDoNothing) {
    for (std::int32_t number : {-2, -1, 13, 49, 50, 1000}) {
        SetControlText(number, "x");
        EXPECT_EQ(GetControlText(number), "");
        SetControlColor(number, TextColour, 0xFF0000);
        if (number != -1) FocusControl(number);  // -1 takes the focus from every control
        EXPECT_EQ(ControlHandle(number), nullptr);
    }
    EXPECT_EQ(GetFocus(), ControlHandle(InputBox));
    CloseNumberedWindow(7);
}

TEST_F(WindowTest, AWindowWhoseClassCannotBeRegisteredIsNotOpened) {
    WNDCLASSEXA taken{};
    taken.cbSize = sizeof taken;
    taken.lpfnWndProc = DefWindowProcA;
    taken.hInstance = GetModuleHandleA(nullptr);
    taken.lpszClassName = "WindowClass_3";
    ASSERT_NE(RegisterClassExA(&taken), 0);
    EXPECT_EQ(OpenNumberedWindow(3, 0, 0, 100, 100, "x", CentreOnScreen), nullptr);
    EXPECT_EQ(FindWindowRecord(3), nullptr);
    UnregisterClassA(taken.lpszClassName, taken.hInstance);
    // New controls still go to MainWindow.
    EXPECT_EQ(GetParent(AddButton(20, 0, 0, 10, 10, "x")), window);
}

TEST_F(WindowTest, ClosingTheWindowReleasesItsControlsAndClass) {
    CloseNumberedWindow(MainWindow);
    EXPECT_FALSE(IsWindow(window));
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    EXPECT_FALSE(GetClassInfoExA(GetModuleHandleA(nullptr), "WindowClass_0", &windowClass));
    for (std::int32_t number = 0; number < ControlCount; ++number) {
        EXPECT_EQ(ControlHandle(number), nullptr) << number;
    }
    // Controls need a window to live in.
    EXPECT_EQ(AddButton(ThunderButton, 0, 0, 10, 10, "x"), nullptr);
}

}  // namespace
}  // namespace tarvik::testing
