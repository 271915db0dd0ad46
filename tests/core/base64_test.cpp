#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/base64.h"

namespace tarvik {
namespace {

using namespace std::string_literals;

TEST(Base64, WorkedExamples) {
    const struct {
        std::string base64, text;
    } encodings[] = {{"YWJj", "abc"}, {"YWI=", "ab"}, {"YQ==", "a"}, {"", ""}},
      decodings[] = {{"YWJjZA==", "abcd"},
                     {"YWI=", "ab"},
                     {"YWJjZA", "abc"},
                     {"YQ", ""},
                     {"YQ==YWJj", "a"},
                     {"YWI=&abc", "ab"},
                     {"AAAA", ""},
                     {"=WJj", "\001bc"},
                     {"YWI=YWJj", "ab\x01\x85\x89"},
                     {"YWJj\r\nYWJj", "abc"}};
    for (const auto& [base64, text] : encodings) EXPECT_EQ(Base64EncodeText(text), base64) << text;
    for (const auto& [base64, text] : decodings)
        EXPECT_EQ(Base64DecodeText(base64), text) << base64;
}

TEST(Base64, DecodeTableHoldsTheAlphabetAndZeroElsewhere) {
    const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    for (int byte = 0; byte < 256; ++byte) {
        const auto at = alphabet.find(static_cast<char>(byte));
        EXPECT_EQ(Base64DecodeTable[byte], at == std::string::npos ? 0 : at) << byte;
    }
}

// Output buffers start full of junk, so a missing NUL or a wrong count shows.
TEST(Base64, BufferRoutinesCountTheirBytesAndEndThemWithNul) {
    const struct {
        std::string input;
        int32_t count;
        std::string written;
    } decodings[] = {{"", 0, ""},
                     {"YWJjZA==", 4, "abcd"},
                     {"YWJjZA", 0, "abc"},
                     {"AAAA", 3, "\0\0\0"s}},
      encodings[] = {{"", 0, ""},
                     {"\0\xFF"s
                      "a\x80",
                      8, "AP9hgA=="}};
    for (const auto& [input, count, written] : decodings) {
        std::string output(16, '#');
        auto* bytes = reinterpret_cast<unsigned char*>(output.data());
        EXPECT_EQ(Base64DecodeBuffer(input.data(), static_cast<int32_t>(input.size()), bytes, 1),
                  count);
        EXPECT_EQ(output.substr(0, written.size() + 1), written + '\0') << input;
    }
    for (const auto& [input, count, written] : encodings) {
        std::string output(16, '#');
        const auto* bytes = reinterpret_cast<const unsigned char*>(input.data());
        EXPECT_EQ(Base64EncodeBuffer(bytes, static_cast<int32_t>(input.size()), output.data(), 1),
                  count);
        EXPECT_EQ(output.substr(0, written.size() + 1), written + '\0') << written;
    }
    // An encoding longer than a 32-bit count is refused before a byte of the input is read.
    std::string output(4, '#');
    EXPECT_EQ(Base64EncodeBuffer(nullptr, INT32_MAX, output.data(), 1), 0);
    EXPECT_EQ(output[0], '\0');
}

TEST(Base64, DecodingAnEncodingGivesTheTextBack) {
    std::mt19937 random(20261206);
    std::uniform_int_distribution<int> byte(1, 255);
    for (int length = 0; length < 400; ++length) {
        std::string text(length, '\0');
        for (char& c : text) c = static_cast<char>(byte(random));
        const auto encoded = Base64EncodeText(text);
        ASSERT_EQ(encoded.size(), Base64EncodedLength(text.size()));
        ASSERT_EQ(Base64DecodeText(encoded), text) << encoded;
    }
}

TEST(Base64, ResultsFarOverTheSpecimenBufferComeBackWhole) {
    std::string text;
    for (int i = 0; text.size() < 768 * 1024; ++i) text += "line " + std::to_string(i) + "\r\n";
    text.resize(768 * 1024);
    const auto encoded = Base64EncodeText(text);
    EXPECT_EQ(encoded.size(), 1024u * 1024u);
    EXPECT_EQ(Base64DecodeText(encoded), text);
}

// The decoder read straight from its rules, group by group, for comparing with the real one on
// long malformed texts, where it may take whole blocks of groups at a time.
std::string DecodeByTheRules(const std::string& text) {
    std::string bytes;
    std::size_t at = 0;
    for (std::size_t groups = text.size() / 4; groups != 0; --groups) {
        const auto value = [&](std::size_t i) -> unsigned {
            return Base64DecodeTable[static_cast<unsigned char>(text[at + i])];
        };
        bytes += static_cast<char>(value(0) << 2 | value(1) >> 4);
        if (text[at + 2] == '=') {
            at += 2;
            continue;
        }
        bytes += static_cast<char>((value(1) & 15) << 4 | value(2) >> 2);
        if (text[at + 3] == '=') {
            at += 3;
            continue;
        }
        bytes += static_cast<char>((value(2) & 3) << 6 | value(3));
        at += 4;
    }
    return bytes;
}

TEST(Base64, LongMalformedTextsDecodeByTheGroupRules) {
    // Mostly the alphabet, with pads, spaces, line breaks, the URL-safe characters, NUL and GBK
    // bytes sprinkled at every kind of position.
    const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    const std::string others = "= \r\n-_&\x80\xA3\xFF"s + '\0';
    std::mt19937 random(20261206);
    for (int trial = 0; trial < 3000; ++trial) {
        const int strangeness = trial % 4 == 0 ? 0 : 1 + static_cast<int>(random() % 64);
        std::string text(random() % 300, '\0');
        for (char& c : text) {
            c = static_cast<int>(random() % 1000) < strangeness ? others[random() % others.size()]
                                                                : alphabet[random() % 64];
        }
        const std::string expected = DecodeByTheRules(text);
        std::string output(expected.size() + 2, '#');
        const int32_t count =
            Base64DecodeBuffer(text.data(), static_cast<int32_t>(text.size()),
                               reinterpret_cast<unsigned char*>(output.data()), 0);
        ASSERT_EQ(count, text.size() % 4 == 0 ? static_cast<int32_t>(expected.size()) : 0) << text;
        ASSERT_EQ(output.substr(0, expected.size() + 1), expected + '\0') << text;

        // As a text the input ends at its first NUL, and the result at its first zero byte.
        const std::string read = DecodeByTheRules(text.substr(0, text.find('\0')));
        ASSERT_EQ(Base64DecodeText(text), read.substr(0, read.find('\0'))) << text;
    }
}

// Appending keeps what the buffer held, and may read its text from that very buffer.
TEST(Base64, AppendingMayReadFromTheBufferItself) {
    std::string output = "YWJj:";
    AppendBase64DecodeText(std::string_view(output).substr(0, 4), output);
    AppendBase64EncodeText(output, output);
    EXPECT_EQ(output, "YWJj:abcWVdKajphYmM=");
}

}  // namespace
}  // namespace tarvik
