// Clipboard text in the plain ANSI text format (CF_TEXT), written and read whole.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvik {

// Non-zero (the handle of the block the clipboard took) on success, 0 on failure; on failure the
// clipboard keeps what it held.
std::uintptr_t WriteClipboardText(std::string_view text);

// The clipboard's text, or the empty text when it holds none or cannot be read.
std::string ReadClipboardText();

// The text of a CF_TEXT block: its bytes up to the first NUL, and never past its size, since the
// program that wrote it need not have ended it with one. Nothing when it cannot be locked.
std::optional<std::string> TextOfBlock(void* block);

}  // namespace tarvik
