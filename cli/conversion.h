// tarvik-link's work once its command line is read: a command run over one text, over every line
// of a stream, or over every special link in it; the answers written, each problem reported.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "cli/arguments.h"
#include "cli/input.h"
#include "core/link_commands.h"

namespace tarvik::cli {

inline constexpr int ExitDone = 0;
inline constexpr int ExitFailed = 1;
inline constexpr int ExitUsage = 2;

// Lines and links are held whole; past these lengths they are refused, never cut.
inline constexpr std::size_t MaxLineLength = std::size_t{64} << 20;
inline constexpr std::size_t MaxLinkLength = std::size_t{1} << 20;

// Writes all the bytes or ends the run: in the program a failed write ends it.
using WriteFunction = std::function<void(std::string_view bytes)>;

struct Streams {
    ReadFunction input;
    WriteFunction output, errors;
};

// "tarvik-link: " and the message, in one line.
void Report(const WriteFunction& errors, std::string_view message);

// One input through the command, with --gbk's conversions around it.
class Conversion {
  public:
    // Without --gbk, Windows writes messages in the texts' GBK; otherwise they are UTF-8.
    Conversion(LinkCommand command, bool gbkOption, bool messagesInUtf8);

    // Empty when the input, which holds no NUL, converted, Result() holding the new text (empty
    // for no change); otherwise the problem.
    std::string_view Run(std::string_view input);
    const std::string& Result() const { return result_; }

  private:
    LinkCommand command_;
    bool gbk_;
    std::string formatError_;
    std::string gbkInput_, gbkResult_, result_;
};

// What the command line asks once it is read: help, the version or a usage error, or the
// command over `text`, its TEXT as read, over every line of the input, or over every link in it.
// The exit status.
int Run(const Invocation& invocation, const std::optional<std::string>& text, bool messagesInUtf8,
        const Streams& streams);

// One line of output for each line of input, an empty one for a line in error, so that answers
// keep their places. What is answered is written before more input is read.
int ConvertLines(Conversion& conversion, const Streams& streams,
                 std::size_t maxLineLength = MaxLineLength);

// The address of every special link in the input, each distinct address once.
int ExtractLinks(Conversion& conversion, const Streams& streams,
                 std::size_t maxLinkLength = MaxLinkLength);

}  // namespace tarvik::cli
