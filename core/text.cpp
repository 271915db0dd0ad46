#include "core/text.h"

#include <algorithm>
#include <limits>

#include "core/text_views.h"

namespace tarvik {
namespace view {

std::string_view TrimSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string_view FieldAt(std::string_view text, int32_t index, std::string_view delimiter) {
    if (index < 1) return {};
    // An empty delimiter text still has its terminating NUL as first byte, and no text holds a
    // NUL: the whole text is then field 1.
    if (delimiter.empty()) return index == 1 ? text : std::string_view{};
    const char separator = delimiter.front();
    std::size_t start = 0;
    for (int32_t field = 1; field < index; ++field) {
        const auto end = text.find(separator, start);
        if (end == std::string_view::npos) return {};
        start = end + 1;
    }
    const auto end = text.find(separator, start);
    return text.substr(start, end == std::string_view::npos ? end : end - start);
}

std::string_view Substring(std::string_view text, int32_t position, int32_t length) {
    if (length <= 0) return {};
    const std::size_t start = position <= 1 ? 0 : static_cast<std::size_t>(position) - 1;
    if (start >= text.size()) return {};
    return text.substr(start, static_cast<std::size_t>(length));
}

std::string_view SubstringFrom(std::string_view text, int32_t position) {
    // Worked out directly rather than as Substring(text, position, ByteLength - position + 1):
    // that length overflows 32 bits for very negative positions and for texts of 2 GiB.
    const std::size_t start = position <= 1 ? 0 : static_cast<std::size_t>(position) - 1;
    if (start >= text.size()) return {};
    return text.substr(start);
}

}  // namespace view

std::string TrimSpaces(std::string_view text) {
    return std::string(view::TrimSpaces(view::TextOf(text)));
}

std::string FieldAt(std::string_view text, int32_t index, std::string_view delimiter) {
    return std::string(view::FieldAt(view::TextOf(text), index, view::TextOf(delimiter)));
}

std::string Substring(std::string_view text, int32_t position, int32_t length) {
    return std::string(view::Substring(view::TextOf(text), position, length));
}

std::string SubstringFrom(std::string_view text, int32_t position) {
    return std::string(view::SubstringFrom(view::TextOf(text), position));
}

int32_t ByteLength(std::string_view text) {
    // A length is a 32-bit count; a text of 2 GiB or more reports the largest one rather than
    // wrapping round to a negative length.
    constexpr auto largest = static_cast<std::size_t>(std::numeric_limits<int32_t>::max());
    return static_cast<int32_t>(std::min(view::TextOf(text).size(), largest));
}

std::string Spaces(int32_t count) {
    return count <= 0 ? std::string() : std::string(static_cast<std::size_t>(count), ' ');
}

bool TextEquals(std::string_view a, std::string_view b) {
    return view::TextOf(a) == view::TextOf(b);
}

std::string Concat(std::string_view a, std::string_view b) {
    const auto head = view::TextOf(a);
    const auto tail = view::TextOf(b);
    std::string result;
    result.reserve(head.size() + tail.size());
    result.append(head).append(tail);
    return result;
}

}  // namespace tarvik
