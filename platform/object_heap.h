// ObjectHeap: the private, growable heap from which the window and control layers, the event
// records and the platform lists take their records. It is made first at start-up and destroyed
// whole at exit, so nothing in it is released piecemeal when the tool ends.
#pragma once

#include <cstddef>
#include <type_traits>

namespace tarvik {

bool CreateObjectHeap();
void DestroyObjectHeap();

// A zero-filled block, or nullptr when the heap is missing or full.
void* AllocateObject(std::size_t size);
// Grows a block, zero-filling the new part; nullptr (the old block kept) on failure.
void* ReallocateObject(void* object, std::size_t size);
void FreeObject(void* object);

// Records kept in ObjectHeap are plain data: zero bytes are their initial state.
template <class Record>
Record* NewObject() {
    static_assert(std::is_trivially_default_constructible_v<Record> &&
                  std::is_trivially_destructible_v<Record>);
    return static_cast<Record*>(AllocateObject(sizeof(Record)));
}

}  // namespace tarvik
