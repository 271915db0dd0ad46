#include "cli/conversion.h"

#include <cstring>

namespace tarvik::cli {

Conversion::Conversion(LinkCommand command, GbkConverter* converter)
    : command_(command), converter_(converter) {}

Verdict Conversion::Run(std::string_view input) {
    if (input.size() > MaxInputLength) return Verdict::InputTooLong;
    if (std::memchr(input.data(), '\0', input.size()) != nullptr) return Verdict::InputHoldsNul;

    if (converter_ != nullptr) {
        if (!converter_->Utf8ToGbk(input, gbkInput_)) return Verdict::InputNotConvertible;
        input = gbkInput_;
    }
    switch (RunLinkCommand(command_, input, commandOutput_)) {
        case CommandOutcome::NoChange:
            return Verdict::NoChange;
        case CommandOutcome::FormatError:
            return Verdict::FormatError;
        case CommandOutcome::NewText:
            break;
    }
    result_ = &commandOutput_;
    if (converter_ != nullptr) {
        if (!converter_->GbkToUtf8(commandOutput_, utf8Output_)) {
            return Verdict::ResultNotConvertible;
        }
        result_ = &utf8Output_;
    }
    return Verdict::NewText;
}

static_assert(MaxInputLength == 1610612710, "the message below states the limit");

std::string_view VerdictMessage(Verdict verdict) {
    switch (verdict) {
        case Verdict::InputHoldsNul:
            return "the input holds a NUL byte, which a text never holds";
        case Verdict::InputTooLong:
            return "the input is too long (the limit is 1610612710 bytes)";
        case Verdict::InputNotConvertible:
            return "the input is not UTF-8 text that GBK can hold";
        case Verdict::ResultNotConvertible:
            return "the result is not GBK text, so it has no UTF-8 form";
        case Verdict::NoChange:
        case Verdict::NewText:
        case Verdict::FormatError:
            break;
    }
    return {};
}

}  // namespace tarvik::cli
