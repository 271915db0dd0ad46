// One owner for every platform resource that must be given back: a global memory block, a lock on
// one, the open clipboard, a lock, a local allocation, an open registry key. The release runs when
// the owner goes, on every path, unless the resource was passed on; an owner is never copied.
#pragma once

#include <windows.h>

#include <utility>

namespace tarvik {

template <class Handle, void (*Release)(Handle), Handle Empty = Handle{}>
class Owned {
  public:
    explicit Owned(Handle handle = Empty) : handle_(handle) {}
    ~Owned() {
        if (handle_ != Empty) Release(handle_);
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != Empty; }
    // Someone else releases it from now on (the clipboard took the block).
    Handle PassOn() { return std::exchange(handle_, Empty); }

  private:
    Handle handle_;
};

inline void FreeGlobal(HGLOBAL block) {
    GlobalFree(block);
}
inline void UnlockGlobal(HGLOBAL block) {
    GlobalUnlock(block);
}
inline void CloseOpenClipboard(bool) {
    CloseClipboard();
}
inline void LeaveLock(CRITICAL_SECTION* lock) {
    LeaveCriticalSection(lock);
}
inline void CloseKey(HKEY key) {
    RegCloseKey(key);
}
template <class Block>
void FreeLocal(Block* block) {
    LocalFree(block);
}

using OwnedGlobal = Owned<HGLOBAL, FreeGlobal>;
// Holds the block locked; made from the block only when GlobalLock succeeded.
using GlobalLockHeld = Owned<HGLOBAL, UnlockGlobal>;
// Made from the result of OpenClipboard.
using OpenClipboardHeld = Owned<bool, CloseOpenClipboard, false>;
// Made from the critical section just entered.
using LockHeld = Owned<CRITICAL_SECTION*, LeaveLock>;
using OwnedKey = Owned<HKEY, CloseKey>;
template <class Block>
using OwnedLocal = Owned<Block*, FreeLocal<Block>>;

}  // namespace tarvik
