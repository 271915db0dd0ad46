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
        {true, "http://h/" + Utf8Words, "http://h/" + GbkWords},
        {false, longGbk, longUtf8},
        {true, longUtf8, longGbk},
        {true, UTF8("한국어"), "<refused>"},  // no GBK form, never "???"
        {true, "\xE6\x96", "<refused>"},      // a character cut off
        {false, "a\xFF", "<refused>"},        // no GBK character
        {false, "", ""},
    };
    for (const auto& [toGbk, input, expected] : cases) {
        std::string output = "<earlier>";
        const bool converted = toGbk ? ToGbk(input, output) : ToUtf8(input, output);
        EXPECT_EQ(converted ? output : "<refused>", expected) << input.substr(0, 20);
    }
}

#ifdef _WIN32
TEST(Encoding, TypedTextKeepsEveryCharacter) {
    const struct {
        std::wstring typed;
        std::string text;
    } cases[] = {
        {L"http://h/\u6587\u4EF6", "http://h/" + GbkWords},
        {L"\uD55C\uAD6D\uC5B4", UTF8("한국어")},  // no GBK form and three bytes a character
        {L"a\xD800", "a\xEF\xBF\xBD"},            // an unpaired surrogate: U+FFFD
        {L"\U0001F600", UTF8("😀")},
    };
    for (const auto& [typed, text] : cases) EXPECT_EQ(TypedTextFromWide(typed), text) << text;
    EXPECT_EQ(BytesFromWide(L"\u6587\u4EF6", Utf8CodePage), Utf8Words);
    EXPECT_EQ(BytesFromWide(L"\uD55C", GbkCodePage), std::nullopt);
    EXPECT_EQ(WideFromLines(GbkWords + "\n" + Utf8Words + "\r\n",
                            [](std::string_view line) { return line.starts_with('\xE6'); }),
              L"\u6587\u4EF6\n\u6587\u4EF6\r\n");
}
#endif

}  // namespace
}  // namespace tarvik
