// Clipboard text for every reader: written as Unicode text, as the GBK bytes of the ANSI text
// format where the text has a GBK form, and with the Chinese (PRC) locale that those bytes are
// in; read as Unicode text.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvik {

// What WriteClipboardText returns when the clipboard did not take the text.
inline constexpr std::uintptr_t ClipboardWriteFailed = 0;

// The handle of the Unicode block the clipboard took, or ClipboardWriteFailed, in which case the
// clipboard keeps the text it held. The clipboard is opened for `owner`: emptied without an owner,
// it takes no data on Windows.
std::uintptr_t WriteClipboardText(HWND owner, std::wstring_view text);

// The clipboard's text, or the empty text when it holds none or cannot be read.
std::wstring ReadClipboardText();

// The text of a block in CF_TEXT (char) or CF_UNICODETEXT (wchar_t): its units up to the first
// NUL, and never past its size, since the program that wrote it need not have ended it with one.
// Nothing when it cannot be locked.
template <class Unit>
std::optional<std::basic_string<Unit>> TextOfBlock(HANDLE block);

}  // namespace tarvik
