// The numbers that name the tool's one window and its thirteen controls. Every user-interface
// operation takes one of these; platform handles stay inside the window and control layers.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarvik {

enum WindowNumber : std::int32_t {
    MainWindow = 0,
};

// In creation order, which is also the order of Tab (labels excepted).
enum ControlNumber : std::int32_t {
    NoControl = -1,
    InputLabel = 0,
    Base64EncodeButton = 1,
    Base64DecodeButton = 2,
    OutputLabel = 3,
    ThunderButton = 4,
    RayFileButton = 5,
    CopyButton = 6,
    PasteButton = 7,
    OnlineButton = 8,
    InputBox = 9,
    OutputBox = 10,
    FlashGetButton = 11,
    XuanfengButton = 12,
};

inline constexpr std::int32_t ControlCount = 13;

// Whether a table has one entry per control in number order, so that a control number indexes it.
template <class Entry, std::size_t Size>
constexpr bool OneEntryPerControl(const Entry (&table)[Size]) {
    if (Size != ControlCount) return false;
    for (std::int32_t number = 0; number < ControlCount; ++number) {
        if (table[number].number != number) return false;
    }
    return true;
}

}  // namespace tarvik
