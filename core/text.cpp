#include "core/text.h"

#include <algorithm>

namespace tarvik {
namespace {

template <class Char>
std::basic_string_view<Char> TrimmedOfSpaces(std::basic_string_view<Char> text) {
    const auto first = text.find_first_not_of(Char{' '});
    if (first == text.npos) return {};
    return text.substr(first, text.find_last_not_of(Char{' '}) - first + 1);
}

}  // namespace

std::string_view TrimSpaces(std::string_view text) {
    return TrimmedOfSpaces(text);
}

std::wstring_view TrimSpaces(std::wstring_view text) {
    return TrimmedOfSpaces(text);
}

std::string_view FieldAt(std::string_view text, char delimiter) {
    return text.substr(0, text.find(delimiter));
}

std::string_view SubstringFrom(std::string_view text, int32_t position) {
    const std::size_t start = position <= 1 ? 0 : static_cast<std::size_t>(position) - 1;
    return start >= text.size() ? std::string_view{} : text.substr(start);
}

bool EqualsLowerCase(std::string_view text, std::string_view lowerCase) {
    // The iterator forms here and in link_commands.cpp: the page's libc++ 14 has no std::ranges
    // algorithms yet.
    return std::equal(text.begin(), text.end(), lowerCase.begin(), lowerCase.end(),
                      [](char a, char b) {
                          return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
                      });
}

}  // namespace tarvik
