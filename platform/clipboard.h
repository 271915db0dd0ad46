// Clipboard text in the plain ANSI text format (CF_TEXT), written and read whole.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvik {

// Non-zero (the handle of the block the clipboard took) on success, 0 on failure; on failure the
// clipboard keeps what it held.
std::uintptr_t WriteClipboardText(std::string_view text);

// The clipboard's text, or the empty text when it holds none or cannot be read.
std::string ReadClipboardText();

}  // namespace tarvik
