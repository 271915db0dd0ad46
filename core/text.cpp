#include "core/text.h"

#include <algorithm>

namespace tarvik {

std::string_view TrimSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string_view FieldAt(std::string_view text, char delimiter) {
    return text.substr(0, text.find(delimiter));
}

std::string_view SubstringFrom(std::string_view text, int32_t position) {
    const std::size_t start = position <= 1 ? 0 : static_cast<std::size_t>(position) - 1;
    return start >= text.size() ? std::string_view{} : text.substr(start);
}

bool EqualsLowerCase(std::string_view text, std::string_view lowerCase) {
    return std::ranges::equal(text, lowerCase, [](char a, char b) {
        return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
    });
}

}  // namespace tarvik
