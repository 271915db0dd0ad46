#include "ui/control_layer.h"

#include <commctrl.h>

#include <cstring>

#include "platform/object_heap.h"
#include "platform/owned.h"
#include "ui/control_records.h"
#include "ui/window_layer.h"
#include "ui/window_procedure.h"
#include "ui/window_properties.h"

namespace tarvik {
namespace {

constexpr std::int32_t ControlTableStep = 50;
constexpr DWORD LabelBaseStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT;
constexpr DWORD ButtonBaseStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD EditBoxBaseStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD CommonControlClasses = ICC_TAB_CLASSES | ICC_HOTKEY_CLASS | ICC_DATE_CLASSES |
                                       ICC_USEREX_CLASSES | ICC_INTERNET_CLASSES;

struct SharedBrush {
    SharedBrush* next;
    COLORREF colour;
    HBRUSH brush;
    std::int32_t users;
};

struct ControlLayer {
    HFONT font;
    ControlRecord** table;  // in ObjectHeap, indexed by control number
    std::int32_t room;
    CRITICAL_SECTION brushLock;
    SharedBrush* brushes;
};
ControlLayer layer{};

bool MakeRoomFor(std::int32_t number) {
    if (number < layer.room) return true;
    const std::int32_t room = number + ControlTableStep;
    void* table = ReallocateObject(layer.table, sizeof(ControlRecord*) * room);
    if (table == nullptr) return false;
    layer.table = static_cast<ControlRecord**>(table);
    layer.room = room;
    return true;
}

ControlRecord* RecordOf(std::int32_t number) {
    if (number < 0 || number >= layer.room) return nullptr;
    return layer.table[number];
}

void DropRecord(std::int32_t number) {
    ControlRecord* record = layer.table[number];
    if (record->kind->release != nullptr) record->kind->release(*record);
    layer.table[number] = nullptr;
    FreeObject(record);
}

template <class Procedure>
WNDPROC Subclass(HWND control, Procedure procedure) {
    return reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

HWND AddControl(const ControlKind& kind, std::int32_t number, std::int32_t x, std::int32_t y,
                std::int32_t width, std::int32_t height, std::string_view text, DWORD style,
                DWORD extendedStyle) {
    if (number < 0 || !MakeRoomFor(number)) return nullptr;
    if (ControlRecord* old = RecordOf(number)) {
        DestroyWindow(old->handle);
        // A control whose window was already gone never reached its release: drop it here.
        if (RecordOf(number) == old) DropRecord(number);
    }

    HWND parent = ControlTargetWindow();
    const std::string caption(text);
    // A child's menu argument is its control identifier, set here without a call of its own.
    HWND control = CreateWindowExA(
        extendedStyle, kind.platformClass, caption.c_str(), style, x, y, width, height, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(number)),
        parent != nullptr ? reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE))
                          : nullptr,
        nullptr);
    if (control == nullptr) return nullptr;
    // A control without its number property is not recognised as ours, and would answer nothing.
    auto* record = NewObject<ControlRecord>();
    if (record == nullptr ||
        !SetPropA(control, ControlNumberProperty, reinterpret_cast<HANDLE>(INT_PTR{number}))) {
        FreeObject(record);
        DestroyWindow(control);
        return nullptr;
    }
    *record = ControlRecord{control, &kind, nullptr, nullptr, NoColour, NoColour, nullptr};
    layer.table[number] = record;

    if (&kind == &EditBoxKind) record->editProcedure = Subclass(control, EditBoxProcedure);
    record->previousProcedure = Subclass(control, ControlProcedure);

    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(layer.font), TRUE);
    return control;
}

}  // namespace

bool InitializeControlLayer() {
    InitializeCriticalSection(&layer.brushLock);
    layer.font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    if (!MakeRoomFor(ControlTableStep - 1)) return false;
    INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), CommonControlClasses};
    InitCommonControlsEx(&classes);
    return true;
}

HWND AddLabel(std::int32_t number, std::int32_t x, std::int32_t y, std::int32_t width,
              std::int32_t height, std::string_view text) {
    return AddControl(LabelKind, number, x, y, width, height, text, LabelBaseStyle, 0);
}

HWND AddButton(std::int32_t number, std::int32_t x, std::int32_t y, std::int32_t width,
               std::int32_t height, std::string_view text) {
    return AddControl(ButtonKind, number, x, y, width, height, text, ButtonBaseStyle, 0);
}

HWND AddEditBox(std::int32_t number, std::int32_t x, std::int32_t y, std::int32_t width,
                std::int32_t height, std::string_view text, std::uint32_t flags) {
    const DWORD extendedStyle = (flags & SwitchClientEdge) ? 0 : WS_EX_CLIENTEDGE;
    return AddControl(EditBoxKind, number, x, y, width, height, text, EditBoxBaseStyle | flags,
                      extendedStyle);
}

std::string GetControlText(std::int32_t number) {
    const ControlRecord* record = RecordOf(number);
    if (record == nullptr) return {};
    if (record->kind->getText != nullptr) return record->kind->getText(*record);

    const int length = GetWindowTextLengthA(record->handle);
    if (length <= 0) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(record->handle, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    text.resize(std::strlen(text.c_str()));
    return text;
}

void SetControlText(std::int32_t number, std::string_view text) {
    ControlRecord* record = RecordOf(number);
    if (record == nullptr) return;
    if (record->kind->setText != nullptr) return record->kind->setText(*record, text);
    // Converted here, with the text's length: the platform's own conversion of an ANSI window
    // text takes a lone GBK lead byte at the end together with the NUL after it, and the control
    // then reads on past the text.
    std::wstring wide(text.size() + 1, L'\0');
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                           wide.data(), static_cast<int>(wide.size()));
    wide.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    SetWindowTextW(record->handle, wide.c_str());
}

void FocusControl(std::int32_t number) {
    if (number == -1) {
        SetFocus(nullptr);
        return;
    }
    ControlRecord* record = RecordOf(number);
    if (record == nullptr) return;
    if (record->kind->activate != nullptr) return record->kind->activate(*record);
    SetFocus(record->handle);
}

void SetControlColor(std::int32_t number, std::int32_t selector, std::int32_t colour) {
    ControlRecord* record = RecordOf(number);
    if (record != nullptr && record->kind->setColour != nullptr) {
        record->kind->setColour(*record, selector, colour);
    }
}

HWND ControlHandle(std::int32_t number) {
    const ControlRecord* record = RecordOf(number);
    return record != nullptr ? record->handle : nullptr;
}

ControlRecord* FindControlRecord(HWND control) {
    if (control == nullptr) return nullptr;
    const int identifier = GetDlgCtrlID(control);
    const auto property = reinterpret_cast<INT_PTR>(GetPropA(control, ControlNumberProperty));
    if (identifier != property) return nullptr;
    ControlRecord* record = RecordOf(identifier);
    return record != nullptr && record->handle == control ? record : nullptr;
}

void ReleaseControl(HWND control) {
    if (FindControlRecord(control) == nullptr) return;
    const int number = GetDlgCtrlID(control);
    DropRecord(number);
    RemovePropA(control, ControlNumberProperty);
    SetWindowLongPtrA(control, GWLP_ID, -1);
}

HBRUSH AcquireBrush(COLORREF colour) {
    EnterCriticalSection(&layer.brushLock);
    LockHeld held(&layer.brushLock);
    SharedBrush* shared = layer.brushes;
    while (shared != nullptr && shared->colour != colour) shared = shared->next;
    if (shared == nullptr) {
        HBRUSH brush = CreateSolidBrush(colour);
        shared = brush != nullptr ? NewObject<SharedBrush>() : nullptr;
        if (shared != nullptr) {
            *shared = SharedBrush{layer.brushes, colour, brush, 0};
            layer.brushes = shared;
        } else if (brush != nullptr) {
            DeleteObject(brush);
        }
    }
    if (shared != nullptr) ++shared->users;
    return shared != nullptr ? shared->brush : nullptr;
}

void ReleaseBrush(HBRUSH brush) {
    if (brush == nullptr) return;
    EnterCriticalSection(&layer.brushLock);
    LockHeld held(&layer.brushLock);
    for (SharedBrush** link = &layer.brushes; *link != nullptr; link = &(*link)->next) {
        SharedBrush* shared = *link;
        if (shared->brush != brush) continue;
        if (--shared->users == 0) {
            *link = shared->next;
            DeleteObject(shared->brush);
            FreeObject(shared);
        }
        break;
    }
}

}  // namespace tarvik
