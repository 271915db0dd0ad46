// Messages on standard error: "tarvik-link: message" for TEXT, "line N: message" for a batch.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "cli/conversion.h"
#include "cli/gbk_conversion.h"
#include "cli/standard_streams.h"

namespace tarvik::cli {

class Diagnostics {
  public:
    // The converter turns the command's GBK error text into the encoding of the messages.
    Diagnostics(TextEncoding encoding, GbkConverter& converter);

    void Report(std::string_view message);
    void ReportVerdict(Verdict verdict);
    void ReportLine(std::uint64_t lineNumber, Verdict verdict);
    void ReportWriteFailure(int error);
    void ReportReadFailure(int error);

  private:
    std::string_view Describe(Verdict verdict) const;

    TextEncoding encoding_;
    std::string formatErrorText_;
    std::string message_;  // reused, so that a batch of bad lines does not allocate per line
};

}  // namespace tarvik::cli
