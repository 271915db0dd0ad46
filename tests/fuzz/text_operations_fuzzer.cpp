// The nine text operations on fuzzed texts and 32-bit arguments, each against the plain rules.
// Texts come as the caller's bytes: they may run past a NUL, and the operations read only the
// text before it. Numbers are drawn near the text's ends and at the 32-bit extremes, where the
// position and length arithmetic overflows if it is done carelessly.
#include <fuzzer/FuzzedDataProvider.h>

#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/text.h"
#include "plain_rules.h"
#include "property.h"

namespace {

int32_t Number(FuzzedDataProvider& input, std::size_t textLength) {
    const auto length = static_cast<int32_t>(textLength);
    switch (input.ConsumeIntegralInRange(0, 3)) {
        case 0:
            return input.ConsumeIntegralInRange<int32_t>(-3, length + 3);
        case 1:
            return input.PickValueInArray<int32_t>(
                {INT32_MIN, INT32_MIN + 1, -length, INT32_MAX - length, INT32_MAX - 1, INT32_MAX});
        case 2:
            return input.ConsumeIntegral<int32_t>();
        default:
            return length - input.ConsumeIntegralInRange<int32_t>(0, 25);
    }
}

void CheckOne(FuzzedDataProvider& input) {
    const std::string a = input.ConsumeRandomLengthString(4096);
    const std::string b = input.ConsumeRandomLengthString(64);
    const std::string textA = plain::TextOf(a);
    const std::string textB = plain::TextOf(b);
    const int32_t first = Number(input, textA.size());
    const int32_t second = Number(input, textA.size());

    switch (input.ConsumeIntegralInRange(0, 8)) {
        case 0:
            FUZZ_EXPECT_EQ(tarvik::TrimSpaces(a), plain::TrimSpaces(textA));
            break;
        case 1:
            FUZZ_EXPECT_EQ(tarvik::FieldAt(a, first, b), plain::FieldAt(textA, first, textB));
            break;
        case 2: {
            const std::string lowered = tarvik::LowerCase(a);
            FUZZ_EXPECT_EQ(lowered, plain::LowerCase(textA));
            break;
        }
        case 3:
            FUZZ_EXPECT_EQ(tarvik::Substring(a, first, second),
                           plain::Substring(textA, first, second));
            break;
        case 4:
            FUZZ_EXPECT_EQ(tarvik::SubstringFrom(a, first), plain::SubstringFrom(textA, first));
            break;
        case 5:
            FUZZ_EXPECT(tarvik::ByteLength(a) == plain::ByteLength(textA));
            break;
        case 6: {
            // Large counts are real requests for memory; keep them to what a fuzz run can hold.
            const int32_t count = first > (1 << 16) ? first % (1 << 16) : first;
            FUZZ_EXPECT_EQ(tarvik::Spaces(count), plain::Spaces(count));
            break;
        }
        case 7:
            FUZZ_EXPECT(tarvik::TextEquals(a, b) == plain::TextEquals(textA, textB));
            FUZZ_EXPECT(tarvik::TextEquals(a, a));
            break;
        default:
            FUZZ_EXPECT_EQ(tarvik::Concat(a, b), plain::Concat(textA, textB));
            break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    while (input.remaining_bytes() > 0) CheckOne(input);
    return 0;
}
