#include "platform/clipboard.h"

#include <algorithm>
#include <cstring>

#include "platform/owned.h"
#include "encoding/wide.h"

namespace tarvik {
namespace {

// Chinese (PRC): the locale, and so the code page (936), of the ANSI text.
constexpr LCID ChineseLocale = 0x0804;

// The bytes in a movable block, or no block.
HGLOBAL Block(const void* data, std::size_t size) {
    OwnedGlobal block(GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size));
    void* bytes = block ? GlobalLock(block.Get()) : nullptr;
    if (bytes == nullptr) return nullptr;
    GlobalLockHeld locked(block.Get());
    std::memcpy(bytes, data, size);
    return block.PassOn();
}

// A text and its NUL in a block.
template <class Unit>
HGLOBAL TextBlock(std::basic_string_view<Unit> text) {
    const std::basic_string<Unit> ended(text);
    return Block(ended.c_str(), (ended.size() + 1) * sizeof(Unit));
}

// Hands a block made beforehand to the clipboard; false, and the block freed, when there is no
// block (a null block would ask for the data to be made later) or the clipboard refuses it.
bool Put(UINT format, HGLOBAL made) {
    OwnedGlobal block(made);
    if (!block || SetClipboardData(format, block.Get()) == nullptr) return false;
    block.PassOn();
    return true;
}

}  // namespace

template <class Unit>
std::optional<std::basic_string<Unit>> TextOfBlock(HANDLE block) {
    const auto* units = block != nullptr ? static_cast<const Unit*>(GlobalLock(block)) : nullptr;
    if (units == nullptr) return std::nullopt;
    GlobalLockHeld locked(block);
    const Unit* end = units + GlobalSize(block) / sizeof(Unit);
    return std::basic_string<Unit>(units, std::find(units, end, Unit{}));
}
template std::optional<std::string> TextOfBlock<char>(HANDLE);
template std::optional<std::wstring> TextOfBlock<wchar_t>(HANDLE);

std::uintptr_t WriteClipboardText(HWND owner, std::wstring_view text) {
    // The blocks are ready before the clipboard is emptied, so that a failure to make them leaves
    // the user's clipboard as it was. A text without a GBK form has no ANSI text at all: a "?" in
    // its place would be another text.
    const std::optional<std::string> gbk = BytesFromWide(text, GbkCodePage);
    OwnedGlobal unicode(TextBlock(text)), locale(Block(&ChineseLocale, sizeof ChineseLocale)),
        ansi(gbk ? TextBlock<char>(*gbk) : nullptr);
    if (!unicode || !locale || (gbk && !ansi)) return ClipboardWriteFailed;
    OpenClipboardHeld clipboard(OpenClipboard(owner) != FALSE);
    if (!clipboard) return ClipboardWriteFailed;
    const auto earlierWide = TextOfBlock<wchar_t>(GetClipboardData(CF_UNICODETEXT));
    const auto earlierBytes = TextOfBlock<char>(GetClipboardData(CF_TEXT));
    if (!EmptyClipboard()) return ClipboardWriteFailed;
    const auto taken = reinterpret_cast<std::uintptr_t>(unicode.Get());
    if (Put(CF_UNICODETEXT, unicode.PassOn()) && Put(CF_LOCALE, locale.PassOn()) &&
        (!gbk || Put(CF_TEXT, ansi.PassOn()))) {
        return taken;
    }
    // The write failed after the clipboard was emptied: the user's earlier text goes back, in both
    // formats as it was, over whatever of the new text the clipboard took.
    if (earlierWide) Put(CF_UNICODETEXT, TextBlock<wchar_t>(*earlierWide));
    if (earlierBytes) Put(CF_TEXT, TextBlock<char>(*earlierBytes));
    return ClipboardWriteFailed;
}

std::wstring ReadClipboardText() {
    OpenClipboardHeld clipboard(OpenClipboard(nullptr) != FALSE);
    if (!clipboard) return {};
    return TextOfBlock<wchar_t>(GetClipboardData(CF_UNICODETEXT)).value_or(std::wstring());
}

}  // namespace tarvik
