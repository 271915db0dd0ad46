// The UTF-8 ⇄ GBK conversion of tarvik-link's --gbk option, alone and around a command, on any
// bytes: broken UTF-8, overlong forms, surrogates, lone GBK lead bytes, characters GBK lacks.
//
// Properties:
// - a conversion that succeeds is exact: UTF-8 to GBK accepts only valid UTF-8 and its result
//   converts back to the same bytes, and so the other way round; ASCII passes unchanged;
// - a conversion replaces the caller's output text whole, whatever it held;
// - with --gbk a command gives the UTF-8 form of what it gives for the GBK form of the input
//   without --gbk, and its result is valid UTF-8; an input with a NUL is refused either way.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "cli/conversion.h"
#include "cli/gbk_conversion.h"
#include "property.h"

namespace {

using tarvik::cli::Conversion;
using tarvik::cli::GbkConverter;
using tarvik::cli::Verdict;

bool IsUtf8(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size()) {
        const auto lead = static_cast<unsigned char>(text[at]);
        std::size_t extra;
        uint32_t code;
        if (lead < 0x80) {
            extra = 0, code = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1, code = lead & 0x1Fu;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2, code = lead & 0x0Fu;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3, code = lead & 0x07u;
        } else {
            return false;
        }
        if (text.size() - at <= extra) return false;
        for (std::size_t i = 1; i <= extra; ++i) {
            const auto next = static_cast<unsigned char>(text[at + i]);
            if ((next & 0xC0) != 0x80) return false;
            code = code << 6 | (next & 0x3Fu);
        }
        const bool overlong = (extra == 2 && code < 0x800) || (extra == 3 && code < 0x10000);
        if (overlong || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        at += extra + 1;
    }
    return true;
}

bool IsAscii(std::string_view text) {
    for (char byte : text) {
        if (static_cast<unsigned char>(byte) >= 0x80) return false;
    }
    return true;
}

GbkConverter& Converter() {
    static GbkConverter converter;
    return converter;
}

void CheckConversions(std::string_view bytes) {
    GbkConverter& converter = Converter();
    const std::string junk(40, '#');

    std::string gbk = junk;
    if (converter.Utf8ToGbk(bytes, gbk)) {
        FUZZ_EXPECT(IsUtf8(bytes));
        std::string back = junk;
        FUZZ_EXPECT(converter.GbkToUtf8(gbk, back));
        FUZZ_EXPECT_EQ(back, bytes);
    } else {
        FUZZ_EXPECT(!IsAscii(bytes));
    }

    std::string utf8 = junk;
    if (converter.GbkToUtf8(bytes, utf8)) {
        FUZZ_EXPECT(IsUtf8(utf8));
        std::string back = junk;
        FUZZ_EXPECT(converter.Utf8ToGbk(utf8, back));
        FUZZ_EXPECT_EQ(back, bytes);
    } else {
        FUZZ_EXPECT(!IsAscii(bytes));
    }
    if (IsAscii(bytes)) {
        FUZZ_EXPECT_EQ(gbk, bytes);
        FUZZ_EXPECT_EQ(utf8, bytes);
    }
}

void CheckCommand(tarvik::LinkCommand command, std::string_view input) {
    GbkConverter& converter = Converter();
    Conversion withGbk(command, &converter);
    Conversion plainBytes(command, nullptr);
    const Verdict verdict = withGbk.Run(input);

    if (input.find('\0') != std::string_view::npos) {
        FUZZ_EXPECT(verdict == Verdict::InputHoldsNul);
        FUZZ_EXPECT(plainBytes.Run(input) == Verdict::InputHoldsNul);
        return;
    }
    std::string gbk;
    if (!converter.Utf8ToGbk(input, gbk)) {
        FUZZ_EXPECT(verdict == Verdict::InputNotConvertible);
        return;
    }
    const Verdict bytesVerdict = plainBytes.Run(gbk);
    if (bytesVerdict != Verdict::NewText) {
        FUZZ_EXPECT(verdict == bytesVerdict);
        return;
    }
    std::string expected;
    if (!converter.GbkToUtf8(plainBytes.Result(), expected)) {
        FUZZ_EXPECT(verdict == Verdict::ResultNotConvertible);
        return;
    }
    FUZZ_EXPECT(verdict == Verdict::NewText);
    FUZZ_EXPECT_EQ(withGbk.Result(), expected);
    FUZZ_EXPECT(IsUtf8(withGbk.Result()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FUZZ_EXPECT(Converter().Ready());
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckConversions(bytes);
    if (size > 0) {
        const auto command = static_cast<tarvik::LinkCommand>(data[0] % 6);
        CheckCommand(command, bytes.substr(1));
    }
    return 0;
}
