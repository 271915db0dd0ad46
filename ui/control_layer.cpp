#include "ui/control_layer.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>
#include <vector>

#include "platform/object_heap.h"
#include "platform/owned.h"
#include "encoding/wide.h"
#include "ui/control_records.h"
#include "ui/numbered_table.h"
#include "ui/window_layer.h"
#include "ui/window_procedure.h"
#include "ui/window_properties.h"

namespace tarvik {
namespace {

constexpr std::int32_t ControlTableStep = 50;
constexpr DWORD LabelBaseStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT;
constexpr DWORD ButtonBaseStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD EditBoxBaseStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | ES_AUTOHSCROLL;
// Common controls that a window of this layer may add beside the standard ones: tabs, hot keys,
// date pickers, extended combo boxes and address fields. MainWindow has none of them yet.
constexpr DWORD CommonControlClasses = ICC_TAB_CLASSES | ICC_HOTKEY_CLASS | ICC_DATE_CLASSES |
                                       ICC_USEREX_CLASSES | ICC_INTERNET_CLASSES;

// No control of MainWindow has a background color, so no brush is ever made. The list is there
// for a label or box that is given one: one brush per color, shared and counted, rather than one
// per control, and deleted with the last control that uses it.
struct SharedBrush {
    COLORREF color;
    HBRUSH brush;
    std::int32_t users;
};

struct ControlLayer {
    HFONT font;
    NumberedTable<ControlRecord, ControlTableStep> table;
    CRITICAL_SECTION brushLock;
    std::vector<SharedBrush> brushes;
};
ControlLayer layer{};

ControlRecord* RecordOf(std::int32_t number) {
    return layer.table.At(number);
}

void DropRecord(std::int32_t number) {
    ControlRecord* record = layer.table.entries[number];
    if (record->kind->release != nullptr) record->kind->release(*record);
    layer.table.entries[number] = nullptr;
    FreeObject(record);
}

HWND AddControl(const ControlKind& kind, std::int32_t number, std::int32_t x, std::int32_t y,
                std::int32_t width, std::int32_t height, std::string_view text, DWORD style,
                DWORD extendedStyle) {
    if (number < 0 || !layer.table.MakeRoomFor(number)) return nullptr;
    if (ControlRecord* old = RecordOf(number)) {
        DestroyWindow(old->handle);
        // A control whose window was already gone never reached its release: drop it here.
        if (RecordOf(number) == old) DropRecord(number);
    }

    HWND parent = ControlTargetWindow();
    const std::wstring caption = WideFromBytes(text, GbkCodePage);
    // A child's menu argument is its control identifier, set here without a call of its own.
    HWND control = CreateWindowExW(
        extendedStyle, kind.platformClass, caption.c_str(), style, x, y, width, height, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(number)),
        parent != nullptr ? reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE))
                          : nullptr,
        nullptr);
    if (control == nullptr) return nullptr;
    // A control without its number property is not recognised as ours, and would answer nothing.
    auto* record = NewObject<ControlRecord>();
    if (record == nullptr ||
        !SetPropW(control, ControlNumberProperty, reinterpret_cast<HANDLE>(INT_PTR{number}))) {
        FreeObject(record);
        DestroyWindow(control);
        return nullptr;
    }
    *record = ControlRecord{control, &kind, nullptr, NoColor, NoColor, nullptr};
    layer.table.entries[number] = record;
    record->previousProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlProcedure)));

    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(layer.font), TRUE);
    return control;
}

// The default GUI font in the Chinese character set, so that a system of another language draws
// the captions with a face that has their characters; on a Chinese system it is the default GUI
// font itself. It lives as long as the program.
HFONT ChineseGuiFont() {
    const auto standard = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTW font;
    if (GetObjectW(standard, sizeof font, &font) == 0 || font.lfCharSet == GB2312_CHARSET) {
        return standard;
    }
    font.lfCharSet = GB2312_CHARSET;
    HFONT chinese = CreateFontIndirectW(&font);
    return chinese != nullptr ? chinese : standard;
}

}  // namespace

bool InitializeControlLayer() {
    InitializeCriticalSection(&layer.brushLock);
    layer.font = ChineseGuiFont();
    if (!layer.table.MakeRoomFor(ControlTableStep - 1)) return false;
    INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), CommonControlClasses};
    InitCommonControlsEx(&classes);
    return true;
}

HWND AddLabel(ControlNumber number, std::int32_t x, std::int32_t y, std::int32_t width,
              std::int32_t height, std::string_view text) {
    return AddControl(LabelKind, number, x, y, width, height, text, LabelBaseStyle, 0);
}

HWND AddButton(ControlNumber number, std::int32_t x, std::int32_t y, std::int32_t width,
               std::int32_t height, std::string_view text) {
    return AddControl(ButtonKind, number, x, y, width, height, text, ButtonBaseStyle, 0);
}

HWND AddEditBox(ControlNumber number, std::int32_t x, std::int32_t y, std::int32_t width,
                std::int32_t height, std::string_view text, std::uint32_t flags) {
    const DWORD extendedStyle = (flags & WithoutClientEdge) ? 0 : WS_EX_CLIENTEDGE;
    HWND box = AddControl(EditBoxKind, number, x, y, width, height, text,
                          EditBoxBaseStyle | (flags & ~WithoutClientEdge), extendedStyle);
    // The platform's default limit (32,767 characters on Windows, 30,000 under Wine) would cut a
    // pasted or typed list in the middle of a link without a word; 0 lifts it as far as the
    // platform goes.
    if (box != nullptr) SendMessageW(box, EM_SETLIMITTEXT, 0, 0);
    return box;
}

std::wstring GetControlText(ControlNumber number) {
    const ControlRecord* record = RecordOf(number);
    if (record == nullptr) return {};

    const int length = GetWindowTextLengthW(record->handle);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(record->handle, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    text.resize(std::wcslen(text.c_str()));
    return text;
}

void SetControlText(ControlNumber number, std::wstring_view text) {
    if (ControlRecord* record = RecordOf(number)) {
        SetWindowTextW(record->handle, std::wstring(text).c_str());
    }
}

void FocusControl(ControlNumber number) {
    if (number == NoControl) {
        SetFocus(nullptr);
        return;
    }
    if (const ControlRecord* record = RecordOf(number)) SetFocus(record->handle);
}

void SetControlColor(ControlNumber number, ColorSelector selector, std::int32_t color) {
    ControlRecord* record = RecordOf(number);
    if (record != nullptr && record->kind->setColor != nullptr) {
        record->kind->setColor(*record, selector, color);
    }
}

HWND ControlHandle(ControlNumber number) {
    const ControlRecord* record = RecordOf(number);
    return record != nullptr ? record->handle : nullptr;
}

ControlRecord* FindControlRecord(HWND control) {
    if (control == nullptr) return nullptr;
    const int identifier = GetDlgCtrlID(control);
    const auto property = reinterpret_cast<INT_PTR>(GetPropW(control, ControlNumberProperty));
    if (identifier != property) return nullptr;
    ControlRecord* record = RecordOf(identifier);
    return record != nullptr && record->handle == control ? record : nullptr;
}

void ReleaseControl(HWND control) {
    if (FindControlRecord(control) == nullptr) return;
    const int number = GetDlgCtrlID(control);
    DropRecord(number);
    RemovePropW(control, ControlNumberProperty);
    SetWindowLongPtrW(control, GWLP_ID, -1);
}

HBRUSH AcquireBrush(COLORREF color) {
    EnterCriticalSection(&layer.brushLock);
    LockHeld held(&layer.brushLock);
    auto shared = std::ranges::find(layer.brushes, color, &SharedBrush::color);
    if (shared == layer.brushes.end()) {
        HBRUSH brush = CreateSolidBrush(color);
        if (brush == nullptr) return nullptr;
        shared = layer.brushes.insert(shared, SharedBrush{color, brush, 0});
    }
    ++shared->users;
    return shared->brush;
}

void ReleaseBrush(HBRUSH brush) {
    if (brush == nullptr) return;
    EnterCriticalSection(&layer.brushLock);
    LockHeld held(&layer.brushLock);
    auto shared = std::ranges::find(layer.brushes, brush, &SharedBrush::brush);
    if (shared == layer.brushes.end() || --shared->users > 0) return;
    DeleteObject(shared->brush);
    layer.brushes.erase(shared);
}

}  // namespace tarvik
