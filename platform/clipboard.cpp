#include "platform/clipboard.h"

#include "platform/clipboard_text_block.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

namespace tarvik {
namespace {

// The clipboard is open for this object's lifetime, and closed on every path that opened it.
class OpenedClipboard {
  public:
    OpenedClipboard() : isOpen_(OpenClipboard(nullptr) != FALSE) {}
    ~OpenedClipboard() {
        if (isOpen_) CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;

    bool IsOpen() const { return isOpen_; }

  private:
    bool isOpen_;
};

// A global memory block that is freed unless its ownership has passed to the clipboard.
class OwnedGlobal {
  public:
    explicit OwnedGlobal(HGLOBAL block) : block_(block) {}
    ~OwnedGlobal() {
        if (block_ != nullptr) GlobalFree(block_);
    }
    OwnedGlobal(const OwnedGlobal&) = delete;
    OwnedGlobal& operator=(const OwnedGlobal&) = delete;

    HGLOBAL Get() const { return block_; }
    void PassedOn() { block_ = nullptr; }

  private:
    HGLOBAL block_;
};

// A global memory block locked for this object's lifetime.
class LockedGlobal {
  public:
    explicit LockedGlobal(HGLOBAL block)
        : block_(block), bytes_(static_cast<char*>(GlobalLock(block))) {}
    ~LockedGlobal() {
        if (bytes_ != nullptr) GlobalUnlock(block_);
    }
    LockedGlobal(const LockedGlobal&) = delete;
    LockedGlobal& operator=(const LockedGlobal&) = delete;

    char* Bytes() const { return bytes_; }

  private:
    HGLOBAL block_;
    char* bytes_;
};

// The text and its NUL in a movable block, or no block.
HGLOBAL TextBlock(std::string_view text) {
    OwnedGlobal block(GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1));
    if (block.Get() == nullptr) return nullptr;
    {
        LockedGlobal locked(block.Get());
        if (locked.Bytes() == nullptr) return nullptr;
        std::memcpy(locked.Bytes(), text.data(), text.size());
        locked.Bytes()[text.size()] = '\0';
    }
    HGLOBAL filled = block.Get();
    block.PassedOn();
    return filled;
}

}  // namespace

std::uintptr_t WriteClipboardText(std::string_view text) {
    // The block is ready before the clipboard is emptied, so that a failure to make it leaves
    // the user's clipboard as it was.
    OwnedGlobal block(TextBlock(text));
    if (block.Get() == nullptr) return 0;
    OpenedClipboard clipboard;
    if (!clipboard.IsOpen() || !EmptyClipboard()) return 0;
    HANDLE taken = SetClipboardData(CF_TEXT, block.Get());
    if (taken == nullptr) return 0;
    block.PassedOn();
    return reinterpret_cast<std::uintptr_t>(taken);
}

std::string TextOfBlock(HGLOBAL block) {
    LockedGlobal locked(block);
    if (locked.Bytes() == nullptr) return {};
    const char* bytes = locked.Bytes();
    const char* end = bytes + GlobalSize(block);
    return std::string(bytes, std::find(bytes, end, '\0'));
}

std::string ReadClipboardText() {
    OpenedClipboard clipboard;
    if (!clipboard.IsOpen()) return {};
    HANDLE block = GetClipboardData(CF_TEXT);
    return block == nullptr ? std::string() : TextOfBlock(block);
}

}  // namespace tarvik
