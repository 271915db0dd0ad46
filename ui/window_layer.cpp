#include "ui/window_layer.h"

#include <algorithm>
#include <charconv>
#include <string>

#include "platform/object_heap.h"
#include "encoding/wide.h"
#include "ui/numbered_table.h"
#include "ui/window_procedure.h"
#include "ui/window_properties.h"

namespace tarvik {
namespace {

constexpr std::int32_t WindowTableStep = 16;
constexpr std::uint32_t LayerFlags = CentreOnScreen | CreateInvisible;

struct WindowLayer {
    HINSTANCE instance;
    HICON classIcon;
    HCURSOR classCursor;
    NumberedTable<WindowRecord, WindowTableStep> table;
    std::int32_t target;  // the window that new controls join, -1 for none
};
WindowLayer layer{nullptr, nullptr, nullptr, {}, -1};

struct ClassName {
    wchar_t text[32];
    // Without a printf, whose formatting code would be a tenth of the program.
    explicit ClassName(std::int32_t number) {
        char digits[12];
        char* end = std::to_chars(digits, std::end(digits), number).ptr;
        *std::copy(digits, end, std::copy_n(L"WindowClass_", 12, text)) = L'\0';
    }
};

bool RegisterWindowClass(const ClassName& name) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = layer.instance;
    windowClass.hIcon = layer.classIcon;
    windowClass.hCursor = layer.classCursor;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = name.text;
    return RegisterClassExW(&windowClass) != 0;
}

struct Placement {
    DWORD style;
    int x, y, width, height;
};

Placement Place(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                std::uint32_t flags) {
    Placement placement{flags & ~LayerFlags, x, y, width, height};
    if (placement.style == 0) placement.style = WS_CAPTION;

    RECT outer{0, 0, width, height};
    AdjustWindowRect(&outer, placement.style, FALSE);
    placement.width = outer.right - outer.left;
    placement.height = outer.bottom - outer.top;

    if (flags & CentreOnScreen) {
        const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
        const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
        placement.width = std::min(placement.width, screenWidth);
        placement.height = std::min(placement.height, screenHeight);
        placement.x = (screenWidth - placement.width) / 2;
        placement.y = (screenHeight - placement.height) / 2;
    }
    return placement;
}

int ShowCommand(DWORD style) {
    if (style & WS_MAXIMIZE) return SW_MAXIMIZE;
    if (style & WS_MINIMIZE) return SW_SHOWMINIMIZED;
    return SW_SHOWNORMAL;
}

HACCEL CreateTabAccelerators() {
    ACCEL entries[] = {
        {FVIRTKEY | FNOINVERT, VK_TAB, NextControlCommand},
        {FVIRTKEY | FNOINVERT | FSHIFT, VK_TAB, PreviousControlCommand},
    };
    return CreateAcceleratorTableW(entries, static_cast<int>(std::size(entries)));
}

}  // namespace

bool InitializeWindowLayer(HINSTANCE instance) {
    layer = WindowLayer{instance, nullptr, nullptr, {}, -1};
    if (!layer.table.MakeRoomFor(WindowTableStep - 1)) return false;
    layer.classIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    layer.classCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    return true;
}

HWND OpenNumberedWindow(std::int32_t number, std::int32_t x, std::int32_t y, std::int32_t width,
                        std::int32_t height, std::string_view title, std::uint32_t flags) {
    if (number < 0 || !layer.table.MakeRoomFor(number)) return nullptr;
    CloseNumberedWindow(number);

    // Everything that can fail is made before the window is shown. A window without its number
    // would raise no close event and could never be closed; one without its table would take Tab
    // as a key.
    const ClassName className(number);
    if (!RegisterWindowClass(className)) return nullptr;
    auto* record = NewObject<WindowRecord>();
    const Placement placement = Place(x, y, width, height, flags);
    const std::wstring caption = WideFromBytes(title, GbkCodePage);
    HWND window = record == nullptr
                      ? nullptr
                      : CreateWindowExW(0, className.text, caption.c_str(), placement.style,
                                        placement.x, placement.y, placement.width, placement.height,
                                        nullptr, nullptr, layer.instance, nullptr);
    HACCEL accelerators = window == nullptr ? nullptr : CreateTabAccelerators();
    if (accelerators == nullptr ||
        !SetPropW(window, WindowNumberProperty, reinterpret_cast<HANDLE>(INT_PTR{number} + 1))) {
        if (accelerators != nullptr) DestroyAcceleratorTable(accelerators);
        if (window != nullptr) DestroyWindow(window);
        FreeObject(record);
        UnregisterClassW(className.text, layer.instance);
        return nullptr;
    }
    *record =
        WindowRecord{window, accelerators, (placement.style & (WS_MINIMIZE | WS_MAXIMIZE)) != 0};
    layer.table.entries[number] = record;

    if (!(flags & CreateInvisible)) ShowWindow(window, ShowCommand(placement.style));
    layer.target = number;
    return window;
}

void CloseNumberedWindow(std::int32_t number) {
    WindowRecord* record = FindWindowRecord(number);
    if (record == nullptr) return;
    HWND window = record->handle;
    if (HWND owner = GetWindow(window, GW_OWNER)) SetActiveWindow(owner);
    RemovePropW(window, WindowNumberProperty);
    RemovePropW(window, SavedFocusProperty);
    DestroyWindow(window);
    UnregisterClassW(ClassName(number).text, layer.instance);
    if (record->accelerators != nullptr) DestroyAcceleratorTable(record->accelerators);
    layer.table.entries[number] = nullptr;
    FreeObject(record);
    if (layer.target == number) layer.target = -1;
}

void CloseAllWindows() {
    for (std::int32_t number = 0; number < layer.table.room; ++number) CloseNumberedWindow(number);
}

WindowRecord* FindWindowRecord(std::int32_t number) {
    return layer.table.At(number);
}

HWND WindowHandle(std::int32_t number) {
    const WindowRecord* record = FindWindowRecord(number);
    return record != nullptr ? record->handle : nullptr;
}

HWND ControlTargetWindow() {
    return WindowHandle(layer.target);
}

std::int32_t WindowNumberFromHandle(HWND window) {
    for (; window != nullptr; window = GetAncestor(window, GA_PARENT)) {
        const auto property = reinterpret_cast<INT_PTR>(GetPropW(window, WindowNumberProperty));
        if (property != 0) return static_cast<std::int32_t>(property - 1);
    }
    return -1;
}

HACCEL WindowAccelerators(HWND window) {
    if (window == nullptr) return nullptr;
    const auto property = reinterpret_cast<INT_PTR>(GetPropW(window, WindowNumberProperty));
    const WindowRecord* record = FindWindowRecord(static_cast<std::int32_t>(property - 1));
    return record != nullptr && record->handle == window ? record->accelerators : nullptr;
}

}  // namespace tarvik
