// One input through one command: the checks a text must pass, the optional UTF-8 ⇄ GBK
// conversion around the command, and the verdict. The same steps serve TEXT and every batch line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "cli/gbk_conversion.h"
#include "core/link_commands.h"

namespace tarvik::cli {

// The longest input taken: the core counts bytes in 32-bit integers, and the longest result,
// the Base64 form of a FlashGet-wrapped input (20 marker bytes more), must still be countable.
inline constexpr std::size_t MaxInputLength = (INT32_MAX - 1) / 4 * 3 - 20 - 3;

enum class Verdict {
    NoChange,             // the input was empty after trimming spaces
    NewText,              // Result() holds the new output text
    FormatError,          // the command's own error, LinkFormatErrorText
    InputHoldsNul,        // a text never holds a NUL byte, so this input is not one
    InputTooLong,         // longer than MaxInputLength
    InputNotConvertible,  // --gbk: not UTF-8, or a character GBK lacks
    ResultNotConvertible  // --gbk: the result is not GBK text (Base64 decoding can give any bytes)
};

class Conversion {
  public:
    // Without a converter texts pass as the bytes given.
    Conversion(LinkCommand command, GbkConverter* converter);

    Verdict Run(std::string_view input);
    std::string_view Result() const { return *result_; }

    // The same for an input already known to hold no NUL (the line reader finds them), appending
    // the new text to `destination` (which `input` must not view) instead of keeping it in
    // Result(); for any other verdict nothing is appended. Without a converter the result goes
    // there straight from the command.
    Verdict RunInto(std::string_view input, std::string& destination);

  private:
    LinkCommand command_;
    GbkConverter* converter_;
    std::string gbkInput_;
    std::string commandOutput_;
    std::string utf8Output_;
    const std::string* result_ = &commandOutput_;
};

// An English description of a verdict that is an error, except FormatError, whose text is the
// command's own (see Diagnostics).
std::string_view VerdictMessage(Verdict verdict);

}  // namespace tarvik::cli
