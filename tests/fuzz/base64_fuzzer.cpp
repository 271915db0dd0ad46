// The Base64 buffer routines on any bytes: decoding against its rules restated, encoding both ways.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/base64.h"

#define CHECK(condition)   \
    ((condition) ? (void)0 \
                 : (std::fprintf(stderr, "does not hold: %s\n", #condition), std::abort()))

namespace {

// The bytes of the groups, and the count that the buffer routine returns.
std::string Decode(const std::string& text, int32_t& count) {
    const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string bytes;
    for (std::size_t group = 0, at = 0; group < text.size() / 4; ++group) {
        unsigned number = 0;  // characters outside the alphabet count as 0
        for (std::size_t i = 0; i < 4; ++i) {
            const std::size_t value = alphabet.find(text[at + i]);
            number = number << 6 | static_cast<unsigned>(value < 64 ? value : 0);
        }
        const std::size_t written = text[at + 2] == '=' ? 1 : text[at + 3] == '=' ? 2 : 3;
        for (std::size_t i = 0; i < written; ++i)
            bytes += static_cast<char>(number >> (16 - 8 * i));
        at += written == 3 ? 4 : written + 1;  // the next group starts at the pad
    }
    count = text.size() % 4 == 0 ? static_cast<int32_t>(bytes.size()) : 0;
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const auto length = static_cast<int32_t>(size);
    int32_t count = 0;
    const std::string bytes = Decode(input, count);
    std::string decoded(size + 1, '#');
    CHECK(tarvik::Base64DecodeBuffer(input.data(), length,
                                     reinterpret_cast<unsigned char*>(decoded.data()), 0) == count);
    CHECK(decoded.compare(0, bytes.size() + 1, bytes + '\0') == 0);
    CHECK(tarvik::Base64DecodeText(input) == bytes.substr(0, bytes.find('\0')));

    std::string encoded(size / 3 * 4 + 5, '#');
    count = tarvik::Base64EncodeBuffer(data, length, encoded.data(), 0);
    CHECK(count == static_cast<int32_t>((size + 2) / 3 * 4) && encoded[count] == '\0');
    encoded.resize(count);
    CHECK(Decode(encoded, count) == input && encoded == tarvik::Base64EncodeText(input));
    CHECK(encoded.find('=') >= size / 3 * 4 + size % 3 + 1);  // pads only where bytes are missing
    return 0;
}
