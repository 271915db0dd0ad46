#include "platform/clipboard.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "platform/owned.h"

namespace tarvik {
namespace {

// The text and its NUL in a movable block, or no block.
HGLOBAL TextBlock(std::string_view text) {
    OwnedGlobal block(GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1));
    if (!block) return nullptr;
    auto* bytes = static_cast<char*>(GlobalLock(block.Get()));
    if (bytes == nullptr) return nullptr;
    GlobalLockHeld locked(block.Get());
    std::memcpy(bytes, text.data(), text.size());
    bytes[text.size()] = '\0';
    return block.PassOn();
}

}  // namespace

std::optional<std::string> TextOfBlock(void* block) {
    const auto* bytes = block != nullptr ? static_cast<const char*>(GlobalLock(block)) : nullptr;
    if (bytes == nullptr) return std::nullopt;
    GlobalLockHeld locked(block);
    const char* end = bytes + GlobalSize(block);
    return std::string(bytes, std::find(bytes, end, '\0'));
}

std::uintptr_t WriteClipboardText(std::string_view text) {
    // The block is ready before the clipboard is emptied, so that a failure to make it leaves
    // the user's clipboard as it was.
    OwnedGlobal block(TextBlock(text));
    if (!block) return 0;
    OpenClipboardHeld clipboard(OpenClipboard(nullptr) != FALSE);
    if (!clipboard) return 0;
    const std::optional<std::string> earlier = TextOfBlock(GetClipboardData(CF_TEXT));
    if (!EmptyClipboard()) return 0;
    if (HANDLE taken = SetClipboardData(CF_TEXT, block.Get())) {
        block.PassOn();
        return reinterpret_cast<std::uintptr_t>(taken);
    }
    // The write failed after the clipboard was emptied: the user's earlier text goes back.
    if (earlier) {
        OwnedGlobal restored(TextBlock(*earlier));
        if (restored && SetClipboardData(CF_TEXT, restored.Get()) != nullptr) restored.PassOn();
    }
    return 0;
}

std::string ReadClipboardText() {
    OpenClipboardHeld clipboard(OpenClipboard(nullptr) != FALSE);
    if (!clipboard) return {};
    return TextOfBlock(GetClipboardData(CF_TEXT)).value_or(std::string());
}

}  // namespace tarvik
