#include "cli/diagnostics.h"

#include <charconv>
#include <cstring>

namespace tarvik::cli {

Diagnostics::Diagnostics(TextEncoding encoding, GbkConverter& converter) : encoding_(encoding) {
    // Should the conversion be missing, the GBK bytes still carry the text to whoever reads them.
    if (encoding_ == TextEncoding::Gbk ||
        !converter.GbkToUtf8(LinkFormatErrorText, formatErrorText_)) {
        formatErrorText_ = LinkFormatErrorText;
    }
}

std::string_view Diagnostics::Describe(Verdict verdict) const {
    return verdict == Verdict::FormatError ? std::string_view(formatErrorText_)
                                           : VerdictMessage(verdict);
}

void Diagnostics::Report(std::string_view message) {
    message_.assign("tarvik-link: ").append(message).append("\n");
    WriteMessage(message_, encoding_);
}

void Diagnostics::ReportVerdict(Verdict verdict) {
    Report(Describe(verdict));
}

void Diagnostics::ReportLine(std::uint64_t lineNumber, Verdict verdict) {
    char number[24];
    const auto converted = std::to_chars(number, number + sizeof number, lineNumber);
    message_.assign("line ")
        .append(number, converted.ptr)
        .append(": ")
        .append(Describe(verdict))
        .append("\n");
    WriteMessage(message_, encoding_);
}

void Diagnostics::ReportWriteFailure(int error) {
    message_.assign("tarvik-link: cannot write the output: ")
        .append(std::strerror(error))
        .append("\n");
    WriteMessage(message_, encoding_);
}

void Diagnostics::ReportReadFailure(int error) {
    message_.assign("tarvik-link: cannot read the input: ")
        .append(std::strerror(error))
        .append("\n");
    WriteMessage(message_, encoding_);
}

}  // namespace tarvik::cli
