#include "core/base64.h"

#include <array>
#include <cstring>

namespace tarvik {
namespace {

constexpr char Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr char Pad = '=';

// Built by the compiler rather than on the first decode, so there is no fill-once flag to race on.
constexpr auto DecodeTable = [] {
    std::array<unsigned char, 256> table{};
    for (unsigned char value = 0; value < 64; ++value) {
        table[static_cast<unsigned char>(Alphabet[value])] = value;
    }
    return table;
}();

char* Encode(const unsigned char* input, std::size_t length, char* output) {
    for (; length >= 3; input += 3, length -= 3) {
        const unsigned group = input[0] << 16 | input[1] << 8 | input[2];
        *output++ = Alphabet[group >> 18];
        *output++ = Alphabet[group >> 12 & 63];
        *output++ = Alphabet[group >> 6 & 63];
        *output++ = Alphabet[group & 63];
    }
    if (length == 0) return output;
    const unsigned b0 = input[0];
    const unsigned b1 = length == 2 ? input[1] : 0;
    *output++ = Alphabet[b0 >> 2];
    *output++ = Alphabet[(b0 & 3) << 4 | b1 >> 4];
    *output++ = length == 2 ? Alphabet[(b1 & 15) << 2] : Pad;
    *output++ = Pad;
    return output;
}

// Decodes `groups` groups and returns the end of the bytes written. A group whose third or fourth
// character is a pad ends there, and the next group starts at that pad, so the groups may use
// fewer than 4 × groups characters but never more.
unsigned char* Decode(const char* text, std::size_t groups, unsigned char* output) {
    const auto* input = reinterpret_cast<const unsigned char*>(text);
    for (; groups != 0; --groups) {
        const unsigned s0 = DecodeTable[input[0]], s1 = DecodeTable[input[1]];
        const unsigned s2 = DecodeTable[input[2]], s3 = DecodeTable[input[3]];
        *output++ = static_cast<unsigned char>(s0 << 2 | s1 >> 4);
        if (input[2] == Pad) {
            input += 2;
            continue;
        }
        *output++ = static_cast<unsigned char>((s1 & 15) << 4 | s2 >> 2);
        if (input[3] == Pad) {
            input += 3;
            continue;
        }
        *output++ = static_cast<unsigned char>((s2 & 3) << 6 | s3);
        input += 4;
    }
    return output;
}

}  // namespace

std::string Base64EncodeText(std::string_view text) {
    std::string result((text.size() + 2) / 3 * 4, '\0');
    Encode(reinterpret_cast<const unsigned char*>(text.data()), text.size(), result.data());
    return result;
}

void Base64DecodeText(std::string_view text, std::string& output) {
    output.resize(text.size() / 4 * 3);
    auto* const bytes = reinterpret_cast<unsigned char*>(output.data());
    const unsigned char* const end = Decode(text.data(), text.size() / 4, bytes);
    // Read back as a text, the bytes end at the first zero byte that decoding produced.
    const auto* const zero = static_cast<const unsigned char*>(
        std::memchr(bytes, 0, static_cast<std::size_t>(end - bytes)));
    output.resize(static_cast<std::size_t>((zero != nullptr ? zero : end) - bytes));
}

}  // namespace tarvik
