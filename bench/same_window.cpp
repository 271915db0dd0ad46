// The floor for tarvik.exe's start-up: the same window made the plainest way. The same manifest,
// icon and imported DLLs, common controls and COM set up, one window class, and the thirteen
// controls of MainWindowLayout at their places in the stock GUI font, the window created hidden
// and shown once they are in. No layers, no records, no events: what start-up costs beyond this
// is the tool's own. Closing the window ends it with exit code 0.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include "ui/main_window.h"

namespace {

constexpr char ClassName[] = "SameWindow";
constexpr char Title[] = TARVIK_TITLE;
constexpr DWORD WindowStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD ControlStyle = WS_CHILD | WS_VISIBLE | WS_GROUP;
constexpr DWORD TextBoxStyle =
    WS_TABSTOP | ES_AUTOHSCROLL | WS_VSCROLL | ES_AUTOVSCROLL | ES_MULTILINE | ES_RIGHT | ES_CENTER;

// The tool opens its online page through SHELL32. Holding the function's address, read once at
// start, imports the DLL here too.
auto* volatile ShellImport = &ShellExecuteExA;

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM first, LPARAM second) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, first, second);
}

// Each text of the layout is a whole string literal, so it ends with a NUL.
HWND AddControl(HINSTANCE instance, HWND window, const tarvik::ControlLayout& c, int dpi) {
    const char* className = "Static";
    DWORD style = ControlStyle | SS_LEFT, extendedStyle = 0;
    if (c.kind == tarvik::ControlLayout::Button) {
        className = "Button";
        style = ControlStyle | WS_TABSTOP | BS_PUSHBUTTON;
    } else if (c.kind == tarvik::ControlLayout::EditBox) {
        className = "Edit";
        style = ControlStyle | TextBoxStyle;
        extendedStyle = WS_EX_CLIENTEDGE;
    }
    return CreateWindowExA(
        extendedStyle, className, c.text.data(), style, MulDiv(c.x, dpi, 96), MulDiv(c.y, dpi, 96),
        MulDiv(c.width, dpi, 96), MulDiv(c.height, dpi, 96), window,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.number)), instance, nullptr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (ShellImport == nullptr) return 1;
    InitCommonControls();
    CoInitialize(nullptr);

    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = ClassName;
    if (RegisterClassExA(&windowClass) == 0) return 1;

    int dpi = 96;
    if (HDC screen = GetDC(nullptr)) {
        dpi = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    RECT outer{0, 0, MulDiv(tarvik::MainWindowClientWidth, dpi, 96),
               MulDiv(tarvik::MainWindowClientHeight, dpi, 96)};
    AdjustWindowRectEx(&outer, WindowStyle, FALSE, 0);
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;
    HWND window = CreateWindowExA(0, ClassName, Title, WindowStyle,
                                  (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                                  (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
                                  nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 1;
    const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    for (const tarvik::ControlLayout& control : tarvik::MainWindowLayout) {
        HWND handle = AddControl(instance, window, control, dpi);
        if (handle == nullptr) return 1;
        SendMessageA(handle, WM_SETFONT, font, TRUE);
    }
    ShowWindow(window, SW_SHOWNORMAL);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    CoUninitialize();
    return 0;
}
