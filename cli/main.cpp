// tarvik-link: the window's conversions for scripts. One TEXT from the command line, every line
// of standard input, or every special link found in it; results on standard output, errors on
// standard error.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/input.h"
#include "cli/system.h"
#include "core/link_finder.h"
#include "core/text_encoding.h"
#include "encoding/encoding.h"

namespace tarvik::cli {
namespace {

constexpr int ExitDone = 0;
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;

// Lines and links are held whole; past these lengths they are refused, never cut.
constexpr std::size_t MaxLineLength = std::size_t{64} << 20;
constexpr std::size_t MaxLinkLength = std::size_t{1} << 20;
// A message quotes the start of the line or link that it is about.
constexpr std::size_t QuotedLength = 40;

std::string LongerThan(const char* item, std::size_t limit) {
    return std::string("the ") + item + " is longer than " + std::to_string(limit >> 20) + " MiB";
}

void Report(std::string message) {
    message.insert(0, "tarvik-link: ").push_back('\n');
    Write(2, message);
}

// "line 4: problem: "start of the input"", its first bytes shown, escaped.
void ReportItem(const char* item, std::size_t number, std::string_view problem,
                std::string_view input) {
    std::string message = std::string(item) + " " + std::to_string(number) + ": ";
    message.append(problem).append(": \"");
    for (const char c : input.substr(0, QuotedLength)) {
        char escaped[5];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(c));
        message += c >= 0x20 && c < 0x7F && c != '"' && c != '\\' ? std::string(1, c) : escaped;
    }
    message.append(input.size() > QuotedLength ? "\"...\n" : "\"\n");
    Write(2, message);
}

// Standard output through one buffer. A failed write ends the run, with a message unless the
// reader has gone (where the signal does not end it first).
class Output {
  public:
    void Line(std::string_view text) {
        buffer_.append(text).push_back('\n');
        if (buffer_.size() >= (1 << 16)) Flush();
    }
    void Flush() {
        if (!Write(1, buffer_)) {
            if (errno != EPIPE)
                Report(std::string("cannot write the output: ") + std::strerror(errno));
            std::exit(ExitFailed);
        }
        buffer_.clear();
    }

  private:
    std::string buffer_;
};

// One input through the command, with --gbk's conversions around it.
class Conversion {
  public:
    Conversion(LinkCommand command, bool gbk, std::string_view formatError)
        : command_(command), gbk_(gbk), formatError_(formatError) {}

    // Empty when the input, which holds no NUL, converted, Result() holding the new text (empty
    // for no change); otherwise the problem.
    std::string_view Run(std::string_view input) {
        result_.clear();
        if (gbk_ && !ToGbk(input, gbkInput_))
            return "the input is not UTF-8 text that GBK can hold";
        std::string& output = gbk_ ? gbkResult_ : result_;
        output.clear();
        if (RunLinkCommand(command_, gbk_ ? gbkInput_ : input, output) ==
            CommandOutcome::FormatError) {
            output.clear();
            return formatError_;
        }
        // A decoded text that is UTF-8 already goes out as it is.
        if (gbk_ && IsUtf8Text(gbkResult_)) {
            result_.swap(gbkResult_);
        } else if (gbk_ && !ToUtf8(gbkResult_, result_)) {
            result_.clear();
            return "the result is not GBK text, so it has no UTF-8 form";
        }
        return {};
    }

    const std::string& Result() const { return result_; }

  private:
    LinkCommand command_;
    bool gbk_;
    std::string_view formatError_;
    std::string gbkInput_, gbkResult_, result_;
};

// A line in error is answered with an empty line, so that answers keep their places.
int ConvertLines(Conversion& conversion, const ReadFunction& read, Output& output) {
    LineReader reader(read, MaxLineLength);
    int exitCode = ExitDone;
    std::string_view line;
    for (std::size_t number = 1;; ++number) {
        const LineStatus status = reader.Next(line);
        if (status == LineStatus::End) break;
        if (status == LineStatus::TooLong) {
            output.Flush();
            ReportItem("line", number,
                       LongerThan("line", MaxLineLength) + "; nothing after it is read", line);
            return ExitFailed;
        }
        const bool text = status == LineStatus::Line;  // a line that holds a NUL is no text
        const std::string_view problem = text ? conversion.Run(line) : "the input holds a NUL byte";
        output.Line(text ? std::string_view(conversion.Result()) : std::string_view());
        if (!problem.empty()) {
            ReportItem("line", number, problem, line);
            exitCode = ExitFailed;
        }
    }
    output.Flush();
    return exitCode;
}

int ExtractLinks(Conversion& conversion, const ReadFunction& read, Output& output) {
    LinkFinder finder(read, MaxLinkLength);
    DistinctAddresses printed;
    int exitCode = ExitDone;
    std::string link;
    const std::string tooLong = LongerThan("link", MaxLinkLength);
    for (std::size_t number = 1; finder.Next(link); ++number) {
        const std::string_view problem =
            link.size() > MaxLinkLength ? tooLong : conversion.Run(link);
        const std::string& address = conversion.Result();
        if (!problem.empty()) {
            ReportItem("link", number, problem, link);
            exitCode = ExitFailed;
        } else if (printed.FirstTime(address)) {
            output.Line(address);
        }
    }
    output.Flush();
    return exitCode;
}

int Run(int argc, char** argv) {
    PrepareStandardStreams();
    const Invocation invocation =
        ParseArguments(std::vector<std::string_view>(argv + 1, argv + argc));
    Output output;
    if (invocation.action == Action::ShowHelp || invocation.action == Action::ShowVersion) {
        output.Line(invocation.action == Action::ShowHelp ? HelpText
                                                          : "tarvik-link " TARVIK_VERSION);
        output.Flush();
        return ExitDone;
    }
    if (invocation.action == Action::RejectUsage) {
        Report(invocation.problem + "\nTry 'tarvik-link --help'.");
        return ExitUsage;
    }
    // Should the conversion be missing, the GBK bytes still carry the text to its reader.
    std::string formatError;
    if (!MessagesInUtf8(invocation.gbk) || !ToUtf8(LinkFormatErrorText, formatError)) {
        formatError = LinkFormatErrorText;
    }
    const bool extract = invocation.action == Action::Extract;
    Conversion conversion(extract ? LinkCommand::Decode : invocation.command, invocation.gbk,
                          formatError);
    if (invocation.textIndex) {
        const int index = static_cast<int>(*invocation.textIndex) + 1;
        const std::string_view problem = conversion.Run(TextArgument(argv, index, invocation.gbk));
        if (!problem.empty()) {
            Report(std::string(problem));
            return ExitFailed;
        }
        if (!conversion.Result().empty()) output.Line(conversion.Result());
        output.Flush();
        return ExitDone;
    }
    // What is answered goes out before the program waits for more input.
    const ReadFunction read = [&output](char* buffer, std::size_t size) {
        output.Flush();
        const std::ptrdiff_t count = ReadInput(buffer, size);
        if (count < 0) {
            Report(std::string("cannot read the input: ") + std::strerror(errno));
            std::exit(ExitFailed);
        }
        return count;
    };
    return extract ? ExtractLinks(conversion, read, output)
                   : ConvertLines(conversion, read, output);
}

}  // namespace
}  // namespace tarvik::cli

int main(int argc, char** argv) {
    // The only exception that can arise is exhausted memory; it ends the run with a message.
    try {
        return tarvik::cli::Run(argc, argv);
    } catch (const std::bad_alloc&) {
        std::fputs("tarvik-link: out of memory\n", stderr);
        return 1;
    }
}
