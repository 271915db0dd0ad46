// Byte-string operations on texts in the ANSI code page (GBK on Windows). Positions are 1-based
// and count bytes; a GBK character is two bytes and no operation looks for character boundaries.
// Each picks bytes out of its argument, so its result views the argument's storage.
#pragma once

#include <cstdint>
#include <string_view>

namespace tarvik {

// The text without the space bytes (0x20) at its two ends; tabs, CR, LF and GBK spaces stay.
std::string_view TrimSpaces(std::string_view text);

// Field number `index` (from 1) of the text split at the first byte of `delimiter`; an empty
// delimiter splits nothing.
std::string_view FieldAt(std::string_view text, int32_t index, std::string_view delimiter);

// Every byte from `position` to the end; positions below 1 start at the first byte.
std::string_view SubstringFrom(std::string_view text, int32_t position);

}  // namespace tarvik
