#include "cli/conversion.h"

#include <cstdio>

#include "core/link_finder.h"
#include "core/text_encoding.h"
#include "encoding/encoding.h"

namespace tarvik::cli {
namespace {

// A message quotes the start of the line or link that it is about.
constexpr std::size_t QuotedLength = 40;

std::string LongerThan(const char* item, std::size_t limit) {
    const bool mebibytes = limit >= (std::size_t{1} << 20);
    return std::string("the ") + item + " is longer than " +
           std::to_string(mebibytes ? limit >> 20 : limit) + (mebibytes ? " MiB" : " bytes");
}

// "line 4: problem: "start of the input"", its first bytes shown, escaped.
void ReportItem(const WriteFunction& errors, const char* item, std::size_t number,
                std::string_view problem, std::string_view input) {
    std::string message = std::string(item) + " " + std::to_string(number) + ": ";
    message.append(problem).append(": \"");
    for (const char c : input.substr(0, QuotedLength)) {
        char escaped[5];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(c));
        message += c >= 0x20 && c < 0x7F && c != '"' && c != '\\' ? std::string(1, c) : escaped;
    }
    message.append(input.size() > QuotedLength ? "\"...\n" : "\"\n");
    errors(message);
}

// Answers through one buffer, written before the program waits for more input.
class Output {
  public:
    explicit Output(const WriteFunction& write) : write_(write) {}
    void Line(std::string_view text) {
        buffer_.append(text).push_back('\n');
        if (buffer_.size() >= (1 << 16)) Flush();
    }
    void Flush() {
        if (!buffer_.empty()) write_(buffer_);
        buffer_.clear();
    }
    // The input, each read preceded by writing what is answered.
    ReadFunction Before(const ReadFunction& read) {
        return [this, &read](char* buffer, std::size_t size) {
            Flush();
            return read(buffer, size);
        };
    }

  private:
    const WriteFunction& write_;
    std::string buffer_;
};

}  // namespace

void Report(const WriteFunction& errors, std::string_view message) {
    errors(std::string("tarvik-link: ").append(message).append("\n"));
}

Conversion::Conversion(LinkCommand command, bool gbkOption, bool messagesInUtf8)
    : command_(command), gbk_(gbkOption) {
    // Should the conversion be missing, the GBK bytes still carry the text to its reader.
    if (!messagesInUtf8 || !ToUtf8(LinkFormatErrorText, formatError_))
        formatError_ = LinkFormatErrorText;
}

std::string_view Conversion::Run(std::string_view input) {
    result_.clear();
    if (gbk_ && !ToGbk(input, gbkInput_)) return "the input is not UTF-8 text that GBK can hold";
    std::string& output = gbk_ ? gbkResult_ : result_;
    output.clear();
    if (RunLinkCommand(command_, gbk_ ? gbkInput_ : input, output) == CommandOutcome::FormatError) {
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

int Run(const Invocation& invocation, const std::optional<std::string>& text, bool messagesInUtf8,
        const Streams& streams) {
    if (invocation.action == Action::ShowHelp || invocation.action == Action::ShowVersion) {
        streams.output(std::string(invocation.action == Action::ShowHelp
                                       ? HelpText
                                       : std::string_view("tarvik-link " TARVIK_VERSION)) +
                       "\n");
        return ExitDone;
    }
    if (invocation.action == Action::RejectUsage) {
        Report(streams.errors, invocation.problem + "\nTry 'tarvik-link --help'.");
        return ExitUsage;
    }
    Conversion conversion(invocation.command, invocation.gbk, messagesInUtf8);
    if (invocation.action == Action::Extract) return ExtractLinks(conversion, streams);
    if (!text) return ConvertLines(conversion, streams);
    const std::string_view problem = conversion.Run(*text);
    if (!problem.empty()) {
        Report(streams.errors, problem);
        return ExitFailed;
    }
    if (!conversion.Result().empty()) streams.output(conversion.Result() + "\n");
    return ExitDone;
}

int ConvertLines(Conversion& conversion, const Streams& streams, std::size_t maxLineLength) {
    Output output(streams.output);
    LineReader reader(output.Before(streams.input), maxLineLength);
    int exitCode = ExitDone;
    std::string_view line;
    for (std::size_t number = 1;; ++number) {
        const LineStatus status = reader.Next(line);
        if (status == LineStatus::End) break;
        if (status == LineStatus::TooLong) {
            output.Flush();
            ReportItem(streams.errors, "line", number,
                       LongerThan("line", maxLineLength) + "; nothing after it is read", line);
            return ExitFailed;
        }
        const bool text = status == LineStatus::Line;  // a line that holds a NUL is no text
        const std::string_view problem = text ? conversion.Run(line) : "the input holds a NUL byte";
        output.Line(text ? std::string_view(conversion.Result()) : std::string_view());
        if (!problem.empty()) {
            ReportItem(streams.errors, "line", number, problem, line);
            exitCode = ExitFailed;
        }
    }
    output.Flush();
    return exitCode;
}

int ExtractLinks(Conversion& conversion, const Streams& streams, std::size_t maxLinkLength) {
    Output output(streams.output);
    LinkFinder finder(output.Before(streams.input), maxLinkLength);
    DistinctAddresses printed;
    int exitCode = ExitDone;
    std::string link;
    const std::string tooLong = LongerThan("link", maxLinkLength);
    for (std::size_t number = 1; finder.Next(link); ++number) {
        const std::string_view problem =
            link.size() > maxLinkLength ? tooLong : conversion.Run(link);
        if (!problem.empty()) {
            ReportItem(streams.errors, "link", number, problem, link);
            exitCode = ExitFailed;
        } else if (printed.FirstTime(conversion.Result())) {
            output.Line(conversion.Result());
        }
    }
    output.Flush();
    return exitCode;
}

}  // namespace tarvik::cli
