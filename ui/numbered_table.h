// The window layer's and the control layer's tables: a record pointer per number, kept in
// ObjectHeap and grown a step beyond each number that does not fit yet.
#pragma once

#include <cstdint>

#include "platform/object_heap.h"

namespace tarvik {

template <class Record, std::int32_t Step>
struct NumberedTable {
    Record** entries;
    std::int32_t room;

    // False, with the table as it was, when the heap cannot grow it.
    bool MakeRoomFor(std::int32_t number) {
        if (number < room) return true;
        const std::int32_t grown = number + Step;
        void* table = ReallocateObject(entries, sizeof(Record*) * grown);
        if (table == nullptr) return false;
        entries = static_cast<Record**>(table);
        room = grown;
        return true;
    }

    // nullptr for an empty place or a number outside the table.
    Record* At(std::int32_t number) const {
        return number >= 0 && number < room ? entries[number] : nullptr;
    }
};

}  // namespace tarvik
