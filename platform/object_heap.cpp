#include "platform/object_heap.h"

#include <windows.h>

namespace tarvik {
namespace {
HANDLE objectHeap = nullptr;
}

bool CreateObjectHeap() {
    if (objectHeap == nullptr) objectHeap = HeapCreate(0, 4096, 0);
    return objectHeap != nullptr;
}

void DestroyObjectHeap() {
    if (objectHeap != nullptr) HeapDestroy(objectHeap);
    objectHeap = nullptr;
}

void* AllocateObject(std::size_t size) {
    if (objectHeap == nullptr) return nullptr;
    return HeapAlloc(objectHeap, HEAP_ZERO_MEMORY, size);
}

void* ReallocateObject(void* object, std::size_t size) {
    if (object == nullptr) return AllocateObject(size);
    if (objectHeap == nullptr) return nullptr;
    return HeapReAlloc(objectHeap, HEAP_ZERO_MEMORY, object, size);
}

void FreeObject(void* object) {
    if (objectHeap != nullptr && object != nullptr) HeapFree(objectHeap, 0, object);
}

}  // namespace tarvik
