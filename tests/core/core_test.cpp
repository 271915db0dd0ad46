#include <gtest/gtest.h>

#include "core/text.h"
#include "tests/core/worked_examples.h"

namespace tarvik {
namespace {

TEST(LinkCommands, WorkedExamples) {
    for (const auto& [command, input, expected] : examples::Examples) {
        std::string output = examples::Kept;
        EXPECT_EQ(RunLinkCommand(command, input, output) == CommandOutcome::NoChange,
                  expected == examples::Kept);
        EXPECT_EQ(output, expected) << "command " << static_cast<int>(command) << ": " << input;
    }
}

TEST(TextOperations, SliceAtTheEdgesOfTheText) {
    std::string results;
    for (const std::string_view result :
         {TrimSpaces("  \ta\xA1\xA1 d\r\n  "), TrimSpaces("   "), FieldAt("a/b//d", 4, "/"),
          FieldAt("a/b", 3, "/"), FieldAt("a/b", 0, "/"), FieldAt("a|b", 1, "|x"),
          FieldAt("a/b", 1, ""), FieldAt("a/b", 2, ""), SubstringFrom("abc", INT32_MIN),
          SubstringFrom("abc", 3), SubstringFrom("abc", 4)}) {
        results.append(result).append(",");
    }
    EXPECT_EQ(results, "\ta\xA1\xA1 d\r\n,,d,,,a,a/b,,abc,c,,");
}

}  // namespace
}  // namespace tarvik
