#include "core/text.h"

namespace tarvik {

std::string_view TrimSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string_view FieldAt(std::string_view text, int32_t index, std::string_view delimiter) {
    if (index < 1) return {};
    if (delimiter.empty()) return index == 1 ? text : std::string_view{};
    for (; index > 1; --index) {
        const auto end = text.find(delimiter.front());
        if (end == std::string_view::npos) return {};
        text.remove_prefix(end + 1);
    }
    return text.substr(0, text.find(delimiter.front()));
}

std::string_view SubstringFrom(std::string_view text, int32_t position) {
    const std::size_t start = position <= 1 ? 0 : static_cast<std::size_t>(position) - 1;
    return start >= text.size() ? std::string_view{} : text.substr(start);
}

}  // namespace tarvik
