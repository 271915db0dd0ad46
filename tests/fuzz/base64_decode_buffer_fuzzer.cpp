// Base64DecodeBuffer and the decoding text procedures on any characters: out-of-alphabet bytes,
// pads in every position, lengths that are not a multiple of 4, NULs.
//
// Properties:
// - the routine writes at most 3 × ⌊length / 4⌋ bytes and its NUL into a buffer of exactly that
//   size (AddressSanitizer reports a byte more), the bytes and the count those of the plain rules;
// - a length of 0 or less writes only the NUL and returns 0;
// - Base64DecodeText agrees with the plain rules, and appending gives the same bytes after what
//   the buffer held, even when the text lies inside that buffer.
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

void CheckBuffer(const uint8_t* data, std::size_t size) {
    const auto length = static_cast<int32_t>(size);
    const std::size_t capacity = tarvik::Base64DecodedCapacity(size);
    FUZZ_EXPECT(capacity == size / 4 * 3);
    const auto output = std::make_unique<unsigned char[]>(capacity + 1);
    std::fill_n(output.get(), capacity + 1, 0xA5);

    const int32_t count =
        tarvik::Base64DecodeBuffer(reinterpret_cast<const char*>(data), length, output.get(), 0);
    const plain::BufferResult expected =
        plain::DecodeBuffer(plain::Bytes(data, data + size), length);
    FUZZ_EXPECT(count == expected.count);
    FUZZ_EXPECT(expected.written.size() <= capacity);
    FUZZ_EXPECT(std::equal(expected.written.begin(), expected.written.end(), output.get()));
    FUZZ_EXPECT(output[expected.written.size()] == '\0');
}

void CheckNonPositiveLengths(const uint8_t* data, std::size_t size) {
    for (const int32_t length : {0, -1, -static_cast<int32_t>(size % 4096) - 1, INT32_MIN}) {
        unsigned char output[2] = {0xA5, 0xA5};
        FUZZ_EXPECT(tarvik::Base64DecodeBuffer(reinterpret_cast<const char*>(data), length, output,
                                               0) == 0);
        FUZZ_EXPECT(output[0] == '\0' && output[1] == 0xA5);
    }
}

void CheckText(const std::string& text) {
    const std::string expected = plain::DecodeText(text);
    FUZZ_EXPECT_EQ(tarvik::Base64DecodeText(text), expected);

    const std::string before = "bytes already there";
    std::string appended = before;
    tarvik::AppendBase64DecodeText(text, appended);
    FUZZ_EXPECT_EQ(appended, before + expected);

    // The text may be the buffer's own bytes, which appending moves.
    std::string own = text;
    tarvik::AppendBase64DecodeText(own, own);
    FUZZ_EXPECT_EQ(own, text + expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    CheckBuffer(data, size);
    CheckNonPositiveLengths(data, size);
    CheckText(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
