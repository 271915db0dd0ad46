#include <gtest/gtest.h>

#include <string>

#include "core/text.h"

namespace tarvik {
namespace {

using namespace std::string_literals;

TEST(TextOperations, SlicesAtTheEdgesOfTheText) {
    const struct {
        std::string result, expected;
    } cases[] = {
        {TrimSpaces("  ab d  "), "ab d"},
        {TrimSpaces("   "), ""},
        {TrimSpaces("\ta\xA1\xA1\r\n "), "\ta\xA1\xA1\r\n"},
        {FieldAt("a/b/d", 4, "/"), ""},
        {FieldAt("/a", 1, "/"), ""},
        {FieldAt("a//b", 3, "/"), "b"},
        {FieldAt("a|b", 1, "|x"), "a"},
        {FieldAt("a/b", 1, ""), "a/b"},
        {Substring("abcdef", -2, 3), "abc"},
        {Substring("abcdef", 5, 10), "ef"},
        {Substring("abcdef", 2, INT32_MAX), "bcdef"},
        {SubstringFrom("abcdef", INT32_MIN), "abcdef"},
        {SubstringFrom("abcdef", 7), ""},
        {LowerCase("THUNDER:\xD1\xB8Z"), "thunder:\xD1\xB8z"},
    };
    for (const auto& [result, expected] : cases) EXPECT_EQ(result, expected);
}

// A text ends at its first NUL, whatever the string_view handed in goes on to hold.
TEST(TextOperations, ReadTheirArgumentsUpToTheFirstNul) {
    EXPECT_EQ(TrimSpaces(" a \0 b"s), "a");
    EXPECT_EQ(FieldAt("a\0/b"s, 2, "/"), "");
    EXPECT_EQ(LowerCase("A\0B"s), "a");
    EXPECT_EQ(ByteLength("ab\0cd"s), 2);
    EXPECT_TRUE(TextEquals("ab\0x"s, "ab"));
    EXPECT_EQ(Concat("a\0x"s, "b\0y"s), "ab");
}

}  // namespace
}  // namespace tarvik
