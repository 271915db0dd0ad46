#include <gtest/gtest.h>

#include <string>

#include "core/text.h"

namespace tarvik {
namespace {

using namespace std::string_literals;

struct SliceCase {
    std::string result;
    std::string expected;
};

TEST(TextOperations, SlicesAtTheEdgesOfTheText) {
    const std::string text = "abcdef";
    const SliceCase cases[] = {
        {TrimSpaces("  ab d  "), "ab d"},
        {TrimSpaces("   "), ""},
        {TrimSpaces(" a\r\n"), "a\r\n"},
        {TrimSpaces("\ta\xA1\xA1 "), "\ta\xA1\xA1"},
        {FieldAt("a/b/d", 3, "/"), "d"},
        {FieldAt("a/b/d", 4, "/"), ""},
        {FieldAt("a/b/d", 0, "/"), ""},
        {FieldAt("/a", 1, "/"), ""},
        {FieldAt("a//b", 3, "/"), "b"},
        {FieldAt("a/", 2, "/"), ""},
        {FieldAt("a|b", 1, "|x"), "a"},
        {FieldAt("a/b", 1, ""), "a/b"},
        {FieldAt("a/b", 2, ""), ""},
        {Substring(text, -2, 3), "abc"},
        {Substring(text, 3, -1), ""},
        {Substring(text, 5, 10), "ef"},
        {Substring(text, 7, 1), ""},
        {Substring(text, 2, INT32_MAX), "bcdef"},
        {SubstringFrom(text, INT32_MIN), "abcdef"},
        {SubstringFrom(text, 6), "f"},
        {SubstringFrom(text, 7), ""},
        {SubstringFrom(text, INT32_MAX), ""},
        {Spaces(-1), ""},
        {LowerCase("THUNDER:\xD1\xB8Z"), "thunder:\xD1\xB8z"},
    };
    for (const auto& [result, expected] : cases) EXPECT_EQ(result, expected);
}

// A text ends at its first NUL, whatever the string_view handed in goes on to hold.
TEST(TextOperations, ReadTheirArgumentsUpToTheFirstNul) {
    EXPECT_EQ(TrimSpaces(" a \0 b"s), "a");
    EXPECT_EQ(FieldAt("a\0/b"s, 2, "/"), "");
    EXPECT_EQ(SubstringFrom("ab\0cd"s, 2), "b");
    EXPECT_EQ(LowerCase("A\0B"s), "a");
    EXPECT_EQ(ByteLength("ab\0cd"s), 2);
    EXPECT_TRUE(TextEquals("ab\0x"s, "ab"));
    EXPECT_EQ(Concat("a\0x"s, "b\0y"s), "ab");
    EXPECT_EQ(ByteLength("\xD6\xD0\xCE\xC4"), 4);
}

}  // namespace
}  // namespace tarvik
