// Base64EncodeBuffer and the encoding text procedures on any bytes, NUL and 0x80..0xFF included.
//
// Properties:
// - the routine writes exactly 4 × ⌈length / 3⌉ characters and a NUL into a buffer of exactly
//   that size, the characters those of the plain rules, and returns their number;
// - decoding them with Base64DecodeBuffer gives back every byte, NULs too;
// - Base64EncodeText agrees with the plain rules, has 4 × ⌈length / 3⌉ characters for the text
//   before the first NUL, and Base64DecodeText gives that text back; appending works in place.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/base64.h"
#include "plain_rules.h"
#include "property.h"

namespace {

std::size_t EncodedLength(std::size_t length) {
    return (length + 2) / 3 * 4;
}

void CheckBuffer(const uint8_t* data, std::size_t size) {
    const auto length = static_cast<int32_t>(size);
    FUZZ_EXPECT(tarvik::Base64EncodedLength(size) == EncodedLength(size));
    const std::size_t encodedLength = EncodedLength(size);
    const auto encoded = std::make_unique<char[]>(encodedLength + 1);
    std::fill_n(encoded.get(), encodedLength + 1, '#');

    const int32_t count = tarvik::Base64EncodeBuffer(data, length, encoded.get(), 0);
    const plain::BufferResult expected =
        plain::EncodeBuffer(plain::Bytes(data, data + size), length);
    FUZZ_EXPECT(count == static_cast<int32_t>(encodedLength));
    FUZZ_EXPECT(count == expected.count);
    FUZZ_EXPECT(std::equal(expected.written.begin(), expected.written.end(), encoded.get()));
    FUZZ_EXPECT(encoded[encodedLength] == '\0');

    const auto decoded = std::make_unique<unsigned char[]>(size + 1);
    FUZZ_EXPECT(tarvik::Base64DecodeBuffer(encoded.get(), count, decoded.get(), 0) == length);
    FUZZ_EXPECT(std::equal(data, data + size, decoded.get()));
}

void CheckText(const std::string& bytes) {
    const std::string text = plain::TextOf(bytes);
    const std::string encoded = tarvik::Base64EncodeText(bytes);
    FUZZ_EXPECT_EQ(encoded, plain::EncodeText(bytes));
    FUZZ_EXPECT(encoded.size() == EncodedLength(text.size()));
    FUZZ_EXPECT_EQ(tarvik::Base64DecodeText(encoded), text);

    std::string own = bytes;
    tarvik::AppendBase64EncodeText(own, own);
    FUZZ_EXPECT_EQ(own, bytes + encoded);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    CheckBuffer(data, size);
    CheckText(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
