// tarvik-link: the window's conversions for scripts. One TEXT from the command line, every line of
// standard input, or every special link found in it; results on standard output, errors on
// standard error.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "cli/arguments.h"
#include "cli/input.h"
#include "cli/system.h"
#include "core/link_commands.h"

namespace tarvik::cli {
namespace {

constexpr int ExitDone = 0;
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;

// Lines and links are held whole; past these lengths they are refused, not cut.
constexpr std::size_t MaxLineLength = std::size_t{64} << 20;
constexpr std::size_t MaxLinkLength = std::size_t{1} << 20;

class Messages {
  public:
    Messages(bool gbkOption, GbkConverter& converter) : utf8_(MessagesInUtf8(gbkOption)) {
        // Should the conversion be missing, the GBK bytes still carry the text to its reader.
        if (!utf8_ || !converter.ToUtf8(LinkFormatErrorText, formatError_)) {
            formatError_ = LinkFormatErrorText;
        }
    }

    std::string_view FormatError() const { return formatError_; }

    void Report(std::string_view message) {
        WriteMessage(std::string("tarvik-link: ").append(message).append("\n"), utf8_);
    }

    // "line 4: problem: "start of the input"", the input's first 40 bytes escaped.
    void ReportItem(const char* item, std::size_t number, std::string_view problem,
                    std::string_view input) {
        std::string message(item);
        message.append(" ")
            .append(std::to_string(number))
            .append(": ")
            .append(problem)
            .append(": \"");
        for (const char c : input.substr(0, 40)) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\') {
                message += c;
            } else {
                char escaped[5];
                std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
                message += escaped;
            }
        }
        message.append(input.size() > 40 ? "\"...\n" : "\"\n");
        WriteMessage(message, utf8_);
    }

  private:
    bool utf8_;
    std::string formatError_;
};

// Standard output through one buffer of our own. A failed write ends the run: quietly when the
// reader has gone (where the signal does not end it first), with a message otherwise.
class Output {
  public:
    void Line(std::string_view text) {
        buffer_.append(text).push_back('\n');
        if (buffer_.size() >= (1 << 16)) Flush();
    }
    void Flush() {
        if (!WriteOutput(buffer_)) {
            if (errno == EPIPE) std::_Exit(ExitFailed);
            std::fprintf(stderr, "tarvik-link: cannot write the output: %s\n",
                         std::strerror(errno));
            std::exit(ExitFailed);
        }
        buffer_.clear();
    }

  private:
    std::string buffer_;
};

// One input through one command, with the UTF-8 ⇄ GBK conversion of --gbk around it.
class Conversion {
  public:
    Conversion(LinkCommand command, GbkConverter* gbk, std::string_view formatError)
        : command_(command), gbk_(gbk), formatError_(formatError) {}

    // Empty when the input converted: Result() holds the new text, empty for no change.
    // Otherwise the problem.
    std::string_view Run(std::string_view input) {
        result_.clear();
        if (input.find('\0') != std::string_view::npos) return "the input holds a NUL byte";
        if (gbk_ == nullptr) return Problem(RunLinkCommand(command_, input, result_), result_);
        if (!gbk_->ToGbk(input, gbkInput_)) return "the input is not UTF-8 text that GBK can hold";
        gbkResult_.clear();
        const std::string_view problem =
            Problem(RunLinkCommand(command_, gbkInput_, gbkResult_), gbkResult_);
        if (!problem.empty()) return problem;
        if (!gbk_->ToUtf8(gbkResult_, result_)) {
            result_.clear();
            return "the result is not GBK text, so it has no UTF-8 form";
        }
        return {};
    }

    const std::string& Result() const { return result_; }

  private:
    std::string_view Problem(CommandOutcome outcome, std::string& output) const {
        if (outcome != CommandOutcome::FormatError) return {};
        output.clear();
        return formatError_;
    }

    LinkCommand command_;
    GbkConverter* gbk_;
    std::string_view formatError_;
    std::string gbkInput_;
    std::string gbkResult_;
    std::string result_;
};

int ConvertLines(Conversion& conversion, const ReadFunction& read, Output& output,
                 Messages& messages) {
    LineReader reader(read, MaxLineLength);
    bool failed = false;
    std::string_view line;
    for (std::size_t number = 1;; ++number) {
        const LineStatus status = reader.Next(line);
        if (status == LineStatus::End) break;
        std::string_view problem = "the line is longer than 64 MiB";
        std::string_view answer;
        if (status == LineStatus::Line) {
            problem = conversion.Run(line);
            answer = conversion.Result();
        }
        // A line in error is answered with an empty line, so that answers keep their places.
        output.Line(answer);
        if (!problem.empty()) {
            messages.ReportItem("line", number, problem, line);
            failed = true;
        }
    }
    output.Flush();
    return failed ? ExitFailed : ExitDone;
}

int ExtractLinks(Conversion& conversion, const ReadFunction& read, Output& output,
                 Messages& messages) {
    LinkFinder finder(read, MaxLinkLength);
    std::unordered_set<std::string> printed;
    bool failed = false;
    std::string link;
    for (std::size_t number = 1; finder.Next(link); ++number) {
        if (link.size() > MaxLinkLength) {
            messages.ReportItem("link", number, "the link is longer than 1 MiB", link);
            failed = true;
            continue;
        }
        std::string_view problem = conversion.Run(link);
        const std::string& address = conversion.Result();
        if (std::ranges::any_of(address,
                                [](char c) { return static_cast<unsigned char>(c) < 0x20; })) {
            problem = "the address holds a control character";
        }
        if (!problem.empty()) {
            messages.ReportItem("link", number, problem, link);
            failed = true;
        } else if (!address.empty() && printed.insert(address).second) {
            output.Line(address);
        }
    }
    output.Flush();
    return failed ? ExitFailed : ExitDone;
}

int Run(int argc, char** argv) {
    PrepareStandardStreams();
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    const Invocation invocation = ParseArguments(arguments);
    Output output;
    switch (invocation.action) {
        case Action::ShowHelp:
            output.Line(HelpText.substr(0, HelpText.size() - 1));
            output.Flush();
            return ExitDone;
        case Action::ShowVersion:
            output.Line("tarvik-link " TARVIK_VERSION);
            output.Flush();
            return ExitDone;
        case Action::RejectUsage:
            std::fprintf(stderr, "tarvik-link: %s\nTry 'tarvik-link --help'.\n",
                         invocation.problem.c_str());
            return ExitUsage;
        case Action::Convert:
        case Action::Extract:
            break;
    }

    GbkConverter converter;
    Messages messages(invocation.gbk, converter);
    if (invocation.gbk && !converter.Ready()) {
        messages.Report("--gbk: this system offers no conversion between UTF-8 and GBK");
        return ExitFailed;
    }
    const LinkCommand command =
        invocation.action == Action::Extract ? LinkCommand::Decode : invocation.command;
    Conversion conversion(command, invocation.gbk ? &converter : nullptr, messages.FormatError());
    if (invocation.textIndex) {
        const int index = static_cast<int>(*invocation.textIndex) + 1;
        const std::string_view problem = conversion.Run(TextArgument(argv, index, invocation.gbk));
        if (!problem.empty()) {
            messages.Report(problem);
            return ExitFailed;
        }
        if (!conversion.Result().empty()) output.Line(conversion.Result());
        output.Flush();
        return ExitDone;
    }
    // What is answered goes out before the program waits for more input.
    const ReadFunction read = [&output, &messages](char* buffer, std::size_t size) {
        output.Flush();
        const std::ptrdiff_t count = ReadInput(buffer, size);
        if (count < 0) {
            messages.Report(std::string("cannot read the input: ") + std::strerror(errno));
            std::exit(ExitFailed);
        }
        return count;
    };
    if (invocation.action == Action::Extract)
        return ExtractLinks(conversion, read, output, messages);
    return ConvertLines(conversion, read, output, messages);
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
