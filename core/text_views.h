// The text operations that only pick bytes out of their argument, as views into it, so that the
// link commands can run without allocating. Each gives exactly the bytes of its namesake in text.h,
// which wraps it. The arguments must be texts already: they may not contain a NUL (see TextOf).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace tarvik::view {

// The text that a byte string holds. A caller's string_view may run past a NUL, but a text ends
// at its first NUL, as the platform's byte strings do, so every text operation reads only this.
constexpr std::string_view TextOf(std::string_view bytes) {
    return bytes.substr(0, bytes.find('\0'));
}

// True when `bytes` starts inside `owner`'s buffer, which writing to `owner` may move or overwrite.
inline bool LiesWithin(std::string_view bytes, const std::string& owner) {
    const std::less<const char*> before;
    const char* const begin = owner.data();
    return !before(bytes.data(), begin) && before(bytes.data(), begin + owner.capacity() + 1);
}

std::string_view TrimSpaces(std::string_view text);
std::string_view FieldAt(std::string_view text, int32_t index, std::string_view delimiter);
std::string_view Substring(std::string_view text, int32_t position, int32_t length);
std::string_view SubstringFrom(std::string_view text, int32_t position);

}  // namespace tarvik::view
