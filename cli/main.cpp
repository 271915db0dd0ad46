// tarvik-link: the window's six conversions for scripts. One TEXT from the command line, or every
// line of standard input; results on standard output, errors on standard error.
#include <cstdint>
#include <cstdio>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "cli/arguments.h"
#include "cli/conversion.h"
#include "cli/diagnostics.h"
#include "cli/gbk_conversion.h"
#include "cli/line_reader.h"
#include "cli/output.h"
#include "cli/standard_streams.h"

namespace tarvik::cli {
namespace {

constexpr int ExitDone = 0;
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;

int ConvertText(Conversion& conversion, std::string_view text, Output& output,
                Diagnostics& diagnostics) {
    const Verdict verdict = conversion.Run(text);
    if (verdict == Verdict::NewText) output.WriteLine(conversion.Result());
    if (!output.Flush()) {
        diagnostics.ReportWriteFailure(output.Failure());
        return ExitFailed;
    }
    if (verdict == Verdict::NoChange || verdict == Verdict::NewText) return ExitDone;
    diagnostics.ReportVerdict(verdict);
    return ExitFailed;
}

int ConvertLines(Conversion& conversion, std::FILE* input, Output& output,
                 Diagnostics& diagnostics) {
    LineReader reader(input, MaxInputLength, [&output] { output.Flush(); });
    bool anyError = false;
    std::uint64_t lineNumber = 0;
    std::string_view line;
    for (;;) {
        const LineStatus status = reader.Next(line);
        if (status == LineStatus::End) break;
        if (status == LineStatus::ReadError) {
            output.Flush();
            diagnostics.ReportReadFailure(reader.Failure());
            return ExitFailed;
        }
        ++lineNumber;
        // A line in error is answered with an empty line, so that answers keep their places.
        const Verdict verdict = status == LineStatus::TooLong ? Verdict::InputTooLong
                                : reader.LineHoldsNul()       ? Verdict::InputHoldsNul
                                                        : conversion.RunInto(line, output.Line());
        if (!output.EndLine()) break;
        if (verdict != Verdict::NoChange && verdict != Verdict::NewText) {
            anyError = true;
            diagnostics.ReportLine(lineNumber, verdict);
        }
    }
    if (!output.Flush()) {
        diagnostics.ReportWriteFailure(output.Failure());
        return ExitFailed;
    }
    return anyError ? ExitFailed : ExitDone;
}

int Run(int argc, char** argv) {
    PrepareStandardStreams();
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    const Invocation invocation = ParseArguments(arguments);

    if (invocation.action == Action::ShowHelp) {
        Output output(stdout);
        return output.Write(UsageText) && output.Flush() ? ExitDone : ExitFailed;
    }
    GbkConverter converter;
    Diagnostics diagnostics(MessageEncoding(invocation.gbk), converter);
    if (invocation.action == Action::RejectUsage) {
        if (!invocation.problem.empty()) {
            std::string problem(invocation.problem);
            if (!invocation.unknownWord.empty()) {
                problem.append(" '").append(invocation.unknownWord).append("'");
            }
            diagnostics.Report(problem);
        }
        WriteMessage(UsageText, TextEncoding::Utf8);
        return ExitUsage;
    }
    if (invocation.gbk && !converter.Ready()) {
        diagnostics.Report("--gbk: this system offers no conversion between UTF-8 and GBK");
        return ExitFailed;
    }

    Conversion conversion(invocation.command, invocation.gbk ? &converter : nullptr);
    Output output(stdout);
    if (invocation.textIndex) {
        const std::string text = TextArgument(argv, *invocation.textIndex, invocation.gbk);
        return ConvertText(conversion, text, output, diagnostics);
    }
    return ConvertLines(conversion, stdin, output, diagnostics);
}

}  // namespace
}  // namespace tarvik::cli

int main(int argc, char** argv) {
    // The only exception that can arise is exhausted memory (a huge line); it ends the run with
    // a message rather than an abort.
    try {
        return tarvik::cli::Run(argc, argv);
    } catch (const std::bad_alloc&) {
        std::fputs("tarvik-link: out of memory\n", stderr);
        std::fflush(stdout);
        return 1;
    }
}
