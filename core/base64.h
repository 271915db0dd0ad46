// Base64 (RFC 4648, standard alphabet, "=" padding) with this tool's reading of malformed input:
// characters outside the alphabet count as 0, a pad in a group's third or fourth place ends that
// group and the next group starts at that pad, and a trailing partial group yields nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvik {

constexpr std::size_t Base64EncodedLength(std::size_t inputLength) {
    return (inputLength + 2) / 3 * 4;
}
constexpr std::size_t Base64DecodedCapacity(std::size_t inputLength) {
    return inputLength / 4 * 3;
}

// Writes 4 × ⌈inputLength / 3⌉ characters and a NUL; returns the number of characters.
// outputCapacity is not read: `output` must hold Base64EncodedLength(inputLength) + 1 bytes.
// An input whose encoding would have no 32-bit count is refused: only the NUL is written.
int32_t Base64EncodeBuffer(const unsigned char* input, int32_t inputLength, char* output,
                           int32_t outputCapacity);

// Decodes ⌊inputLength / 4⌋ groups and writes a NUL after the last byte; returns the number of
// bytes written, or 0 when inputLength is not a multiple of 4 (the complete groups are written all
// the same). outputCapacity is not read: `output` must hold Base64DecodedCapacity(inputLength) + 1.
int32_t Base64DecodeBuffer(const char* input, int32_t inputLength, unsigned char* output,
                           int32_t outputCapacity);

// The Base64 form of the text's bytes, whatever its length.
std::string Base64EncodeText(std::string_view text);

// The bytes the Base64 text stands for, read as a text: they end at the first zero byte.
std::string Base64DecodeText(std::string_view text);

// Appends what Base64DecodeText gives to `output`, which `text` must not view: a batch decodes
// into one reused buffer.
void AppendBase64DecodeText(std::string_view text, std::string& output);

}  // namespace tarvik
