#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "core/text.h"
#include "core/text_views.h"

namespace tarvik {

std::string LowerCase(std::string_view text) {
    // The copy is NUL-terminated, as CharLowerA needs, and its address is never below 64 KiB,
    // where CharLowerA would take it for a single character.
    std::string result(view::TextOf(text));
    CharLowerA(result.data());
    return result;
}

}  // namespace tarvik
