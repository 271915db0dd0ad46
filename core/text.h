// Byte-string operations on texts in the ANSI code page (GBK on Windows).
//
// Positions are 1-based and count bytes; lengths count bytes; a GBK character is two bytes and no
// operation looks for character boundaries. No operation fails, none changes its arguments, and
// each returns a new text. A default-constructed std::string is the empty text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvik {

// The text without the space bytes (0x20) at its two ends; tabs, CR, LF and GBK spaces stay.
std::string TrimSpaces(std::string_view text);

// Field number `index` (from 1) of the text split at the first byte of `delimiter`.
std::string FieldAt(std::string_view text, int32_t index, std::string_view delimiter);

// A copy lowercased by the platform (CharLowerA on Windows, ASCII letters elsewhere).
std::string LowerCase(std::string_view text);

// At most `length` bytes from `position`; positions below 1 start at the first byte.
std::string Substring(std::string_view text, int32_t position, int32_t length);

// Every byte from `position` to the end.
std::string SubstringFrom(std::string_view text, int32_t position);

int32_t ByteLength(std::string_view text);

std::string Spaces(int32_t count);

bool TextEquals(std::string_view a, std::string_view b);

std::string Concat(std::string_view a, std::string_view b);

}  // namespace tarvik
