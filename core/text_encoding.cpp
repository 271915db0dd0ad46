#include "core/text_encoding.h"

namespace tarvik {
namespace {

// The length of the well-formed UTF-8 sequence at the start of `text` (RFC 3629: no overlong
// forms, no surrogates, nothing above U+10FFFF), or 0 when it is not one.
std::size_t Utf8SequenceLength(std::string_view text) {
    const auto byte = [text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return 1;
    const std::size_t length = lead < 0xC2   ? 0
                               : lead < 0xE0 ? 2
                               : lead < 0xF0 ? 3
                               : lead < 0xF5 ? 4
                                             : 0;
    if (length == 0) return 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
    if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
    }
    return length;
}

}  // namespace

bool IsUtf8Text(std::string_view text) {
    bool beyondAscii = false;
    while (!text.empty()) {
        const std::size_t length = Utf8SequenceLength(text);
        if (length == 0) return false;
        beyondAscii = beyondAscii || length > 1;
        text.remove_prefix(length);
    }
    return beyondAscii;
}

}  // namespace tarvik
