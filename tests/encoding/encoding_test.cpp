// The text edge in-process: natively its POSIX half, under Wine its Windows half.
#include <gtest/gtest.h>

#include <string>

#include "encoding/encoding.h"
#ifdef _WIN32
#include "encoding/wide.h"
#endif

namespace tarvik {
namespace {

#define UTF8(text) std::string(reinterpret_cast<const char*>(u8##text))

const std::string GbkWords = "\xCE\xC4\xBC\xFE", Utf8Words = UTF8("文件");

TEST(Encoding, GbkAndUtf8ConvertExactlyOrNotAtAll) {
    std::string longGbk, longUtf8;  // mostly beyond ASCII, as a Chinese page is
    for (int i = 0; i < 5000; ++i) longGbk += GbkWords + "a", longUtf8 += Utf8Words + "a";
    const struct {
        bool toGbk;
        std::string input, output;  // "<refused>": the conversion fails
    } cases[] = {
        // clang-format off
        {true, longUtf8, longGbk},  {false, longGbk, longUtf8},  {false, "", ""},
        {true, UTF8("한국어"), "<refused>"},  // no GBK form, never "???"
        {true, "\xE6\x96", "<refused>"},  {false, "a\xFF", "<refused>"},  // no character
        // clang-format on
    };
    for (const auto& [toGbk, input, expected] : cases) {
        std::string output = "<earlier>";
        const bool converted = toGbk ? ToGbk(input, output) : ToUtf8(input, output);
        EXPECT_EQ(converted ? output : "<refused>", expected) << input.substr(0, 20);
    }
}

#ifdef _WIN32
// Typed text is GBK where it can be, else UTF-8 (three bytes a character here); an unpaired
// surrogate becomes U+FFFD.
TEST(Encoding, TypedTextKeepsEveryCharacter) {
    EXPECT_EQ(TypedTextFromWide(L"h/\u6587\u4EF6"), "h/" + GbkWords);
    EXPECT_EQ(TypedTextFromWide(L"\uD55C\uAD6D\uC5B4"), UTF8("한국어"));
    EXPECT_EQ(TypedTextFromWide(L"a\xD800"), "a\xEF\xBF\xBD");
}
#endif

}  // namespace
}  // namespace tarvik
