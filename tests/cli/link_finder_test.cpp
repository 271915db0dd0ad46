// Special links found in a page's text, and the addresses extracted from them.
#include <gtest/gtest.h>

#include <string>

#include "core/link_finder.h"

namespace tarvik {
namespace {

const std::string A = "http://h/a.zip", Error(LinkFormatErrorText);
const std::string Xuanfeng = "qqdl://aHR0cDovL2gvYS56aXA=",
                  Thunder = "thunder://QUFodHRwOi8vaC9hLnppcFpa";

TEST(LinkFinder, FindsTheFirstLinkWithItsWholeRun) {
    const struct {
        std::string text;
        std::size_t begin, end;  // begin == end: none
    } cases[] = {
        {"支持 thunder:// 链接", 0, 0},  // a page that only names a scheme
        {"x THUNDER://QUFo!", 2, 16},   {"thunder:/QUFo fs2you:qqdl://YQ==", 21, 32},
        {"flashget://", 0, 0},          {"a:b::Flashget://+/=9\"", 5, 20},
    };
    for (const auto& [text, begin, end] : cases) {
        const auto span = FindSpecialLink(text);
        EXPECT_EQ(span ? span->begin : 0, begin) << text;
        EXPECT_EQ(span ? span->end : 0, end) << text;
    }
}

TEST(LinkFinder, ExtractsEachAddressOnceAndEveryBrokenLink) {
    const struct {
        std::string text, expected;
    } cases[] = {
        {"no link, thunder:// only", "<kept>"},
        {"<a href=\"" + Thunder + "\">" + Xuanfeng + " thunder://!! thunder://QUFaWg== " + Thunder,
         A + "\r\n" + Error},
        // A run that ends in the next link's scheme: both are read.
        {"qqdl://YQ" + Thunder, Error + "\r\n" + A},
    };
    for (const auto& [text, expected] : cases) {
        std::string output = "<kept>";
        ExtractLinkAddresses(text, output);
        EXPECT_EQ(output, expected) << text;
    }
}

}  // namespace
}  // namespace tarvik
