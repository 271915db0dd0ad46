#include "core/base64.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace tarvik {
namespace {

constexpr char Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr char Pad = '=';

// For each of a group's four places, what a character there adds to the group's three bytes: bits
// 0-7 hold the first byte, 8-15 the second, 16-23 the third. A group is then four look-ups and
// three ORs. A pad, worth 0, also sets PadMark in the third and fourth places, the one case where
// a group yields fewer than three bytes. Built by the compiler rather than on the first decode,
// so there is no fill-once flag to race on.
constexpr std::uint32_t PadMark = 1u << 24;
constexpr auto DecodeTables = [] {
    std::array<std::array<std::uint32_t, 256>, 4> tables{};
    for (std::uint32_t value = 0; value < 64; ++value) {
        const auto c = static_cast<unsigned char>(Alphabet[value]);
        tables[0][c] = value << 2;
        tables[1][c] = value >> 4 | (value & 15) << 12;
        tables[2][c] = value >> 2 << 8 | (value & 3) << 22;
        tables[3][c] = value << 16;
    }
    tables[2][static_cast<unsigned char>(Pad)] = tables[3][static_cast<unsigned char>(Pad)] =
        PadMark;
    return tables;
}();

std::uint32_t GroupBits(const unsigned char* group) {
    return DecodeTables[0][group[0]] | DecodeTables[1][group[1]] | DecodeTables[2][group[2]] |
           DecodeTables[3][group[3]];
}

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
// fewer than 4 × groups characters but never more. Each group's bytes go out in one store of four,
// so `output` needs a byte of room after the last group.
unsigned char* Decode(const unsigned char* input, std::size_t groups, unsigned char* output) {
    for (; groups != 0; --groups) {
        const std::uint32_t bits = GroupBits(input);
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(output, &bits, sizeof bits);
        } else {
            for (int i = 0; i < 3; ++i) output[i] = static_cast<unsigned char>(bits >> 8 * i);
        }
        if ((bits & PadMark) != 0) {
            const bool thirdIsPad = input[2] == Pad;
            output += thirdIsPad ? 1 : 2;
            input += thirdIsPad ? 2 : 3;
        } else {
            output += 3;
            input += 4;
        }
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
    // Links often lose their "=" on the way. A text with no pad anywhere may thus end in a group
    // of 2 or 3 characters, which stands for 1 or 2 bytes, as browsers' atob reads it. Once a pad
    // has been seen the groups after it are out of step, so such a text keeps its tail unread.
    const std::size_t tail = text.size() % 4;
    const bool readTail = tail >= 2 && text.find(Pad) == std::string_view::npos;
    output.resize((text.size() + 3) / 4 * 3 + 1);
    auto* const bytes = reinterpret_cast<unsigned char*>(output.data());
    const auto* const input = reinterpret_cast<const unsigned char*>(text.data());
    unsigned char* end = Decode(input, text.size() / 4, bytes);
    if (readTail) {
        // Filled up with 'A', worth 0, the group decodes whole; its first tail - 1 bytes are the
        // real ones, and the bits left over after them are dropped.
        unsigned char group[4] = {'A', 'A', 'A', 'A'};
        std::memcpy(group, input + text.size() - tail, tail);
        Decode(group, 1, end);
        end += tail - 1;
    }
    // Read back as a text, the bytes end at the first zero byte that decoding produced.
    const auto* const zero = static_cast<const unsigned char*>(
        std::memchr(bytes, 0, static_cast<std::size_t>(end - bytes)));
    output.resize(static_cast<std::size_t>((zero != nullptr ? zero : end) - bytes));
}

}  // namespace tarvik
