// Byte-string operations on texts in the ANSI code page (GBK on Windows). Positions are 1-based
// and count bytes; a GBK character is two bytes and no operation looks for character boundaries.
// Each picks bytes out of its argument, so its result views the argument's storage.
#pragma once

#include <cstdint>
#include <string_view>

namespace tarvik {

// The text without the space bytes (0x20) at its two ends; tabs, CR, LF and GBK spaces stay. The
// same rule for a UTF-16 text, as the window's edge takes it from the clipboard or command line.
std::string_view TrimSpaces(std::string_view text);
std::wstring_view TrimSpaces(std::wstring_view text);

// The first field of the text split at `delimiter`: the bytes before its first occurrence, or the
// whole text. The delimiter is found byte by byte, even as the second byte of a GBK character.
std::string_view FieldAt(std::string_view text, char delimiter);

// Every byte from `position` to the end; positions below 1 start at the first byte.
std::string_view SubstringFrom(std::string_view text, int32_t position);

// Whether the text, its ASCII capitals lowered, is `lowerCase`. The platform's CharLowerA also
// lowers other letters, but never into ASCII, so against an ASCII text the answer is the same.
bool EqualsLowerCase(std::string_view text, std::string_view lowerCase);

}  // namespace tarvik
