#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "core/base64.h"

namespace tarvik {
namespace {

using namespace std::string_literals;

TEST(Base64, WorkedExamples) {
    const struct {
        std::string base64, text;
    } encodings[] = {{"YWJj", "abc"}, {"YWI=", "ab"}, {"YQ==", "a"}, {"", ""}},
      decodings[] = {
          {"YWJjZA==", "abcd"},
          {"YWI=", "ab"},
          {"YWJjZA", "abc"},
          {"YQ", ""},
          {"YWI=YWJj", "ab\x01\x85\x89"},
          {"YQ==YWJj", "a"},
          {"YWI=&abc", "ab"},
          {"=WJj",
           "\x01"
           "bc"},
          {"AAAA", ""},
          {"YWJj\r\nYWJj", "abc"},
      };
    for (const auto& [base64, text] : encodings) EXPECT_EQ(Base64EncodeText(text), base64) << text;
    for (const auto& [base64, text] : decodings) {
        EXPECT_EQ(Base64DecodeText(base64), text) << base64;
    }
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
    } decodings[] = {
        {"", 0, ""},
        {"YWJjZA==", 4, "abcd"},
        {"YWJjZA", 0, "abc"},
        {"AAAA", 3, "\0\0\0"s},
        {"YWI=YWJj", 5, "ab\x01\x85\x89"},
    };
    for (const auto& [input, count, written] : decodings) {
        std::vector<unsigned char> output(16, '#');
        EXPECT_EQ(
            Base64DecodeBuffer(input.data(), static_cast<int32_t>(input.size()), output.data(), 1),
            count);
        EXPECT_EQ(std::memcmp(output.data(), written.data(), written.size()), 0) << input;
        EXPECT_EQ(output[written.size()], 0) << input;
    }

    const unsigned char bytes[] = {0, 0xFF, 'a', 0x80};
    const struct {
        int32_t length;
        int32_t count;
        std::string written;
    } encodings[] = {{-1, 0, ""}, {0, 0, ""}, {4, 8, "AP9hgA=="}, {INT32_MAX, 0, ""}};
    for (const auto& [length, count, written] : encodings) {
        std::string output(16, '#');
        EXPECT_EQ(Base64EncodeBuffer(bytes, length, output.data(), 1), count);
        EXPECT_EQ(output.c_str(), written);
    }
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
    EXPECT_EQ(Base64EncodeText(std::string(768, 'x')).size(), 1024u);
}

TEST(Base64, AppendingKeepsWhatTheBufferHeld) {
    std::string output = "head:";
    AppendBase64DecodeText("YWJj", output);
    AppendBase64EncodeText("ab", output);
    EXPECT_EQ(output, "head:abcYWI=");
    AppendBase64DecodeText(std::string_view(output).substr(8), output);
    EXPECT_EQ(output, "head:abcYWI=ab");
}

}  // namespace
}  // namespace tarvik
