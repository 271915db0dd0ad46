#include "cli/conversion.h"

#include <cstring>

namespace tarvik::cli {

Conversion::Conversion(LinkCommand command, GbkConverter* converter)
    : command_(command), converter_(converter) {}

namespace {

Verdict CheckInput(std::string_view input) {
    if (input.size() > MaxInputLength) return Verdict::InputTooLong;
    if (std::memchr(input.data(), '\0', input.size()) != nullptr) return Verdict::InputHoldsNul;
    return Verdict::NewText;
}

Verdict VerdictOf(CommandOutcome outcome) {
    switch (outcome) {
        case CommandOutcome::NoChange:
            return Verdict::NoChange;
        case CommandOutcome::FormatError:
            return Verdict::FormatError;
        case CommandOutcome::NewText:
            break;
    }
    return Verdict::NewText;
}

}  // namespace

Verdict Conversion::RunInto(std::string_view input, std::string& destination) {
    if (converter_ != nullptr) {
        const Verdict verdict = Run(input);
        if (verdict == Verdict::NewText) destination.append(Result());
        return verdict;
    }
    if (input.size() > MaxInputLength) return Verdict::InputTooLong;
    return VerdictOf(AppendLinkCommandResult(command_, input, destination));
}

Verdict Conversion::Run(std::string_view input) {
    const Verdict checked = CheckInput(input);
    if (checked != Verdict::NewText) return checked;

    if (converter_ != nullptr) {
        if (!converter_->Utf8ToGbk(input, gbkInput_)) return Verdict::InputNotConvertible;
        input = gbkInput_;
    }
    const Verdict verdict = VerdictOf(RunLinkCommand(command_, input, commandOutput_));
    if (verdict != Verdict::NewText) return verdict;
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
