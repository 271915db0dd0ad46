// Without CharLowerA only the ASCII capitals are lowercased. Bytes 0x80..0xFF stay as they are:
// they are halves of GBK characters, and the tool compares lowercased text only with lower-case
// ASCII literals.
#include "core/text.h"
#include "core/text_views.h"

namespace tarvik {

std::string LowerCase(std::string_view text) {
    std::string result(view::TextOf(text));
    for (char& byte : result) {
        if (byte >= 'A' && byte <= 'Z') byte = static_cast<char>(byte - 'A' + 'a');
    }
    return result;
}

}  // namespace tarvik
