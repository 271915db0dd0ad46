#include "clipboard.h"

#include <cstring>

namespace acceptance {

HeldClipboard::HeldClipboard()
    : owner_(
          CreateWindowExA(0, "Static", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)),
      held_(owner_ && OpenClipboard(owner_)) {}

HeldClipboard::~HeldClipboard() {
    if (held_) CloseClipboard();
    if (owner_) DestroyWindow(owner_);
}

bool PutClipboardText(std::string_view text) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!block) return false;
    if (char* bytes = static_cast<char*>(GlobalLock(block))) {
        std::memcpy(bytes, text.data(), text.size());
        bytes[text.size()] = '\0';
        GlobalUnlock(block);
    }
    HeldClipboard clipboard;
    if (!clipboard.held() || !EmptyClipboard() || !SetClipboardData(CF_TEXT, block)) {
        GlobalFree(block);
        return false;
    }
    return true;
}

std::optional<std::string> ClipboardText() {
    HeldClipboard clipboard;
    if (!clipboard.held()) return std::nullopt;
    HANDLE data = GetClipboardData(CF_TEXT);
    if (!data) return std::nullopt;
    const char* bytes = static_cast<const char*>(GlobalLock(data));
    if (!bytes) return std::nullopt;
    std::string text(bytes);
    GlobalUnlock(data);
    return text;
}

}  // namespace acceptance
