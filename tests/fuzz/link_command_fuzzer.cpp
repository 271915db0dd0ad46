// One conversion command on whatever the input box may hold. Built once per command, with
// FUZZED_COMMAND naming it (see CMakeLists.txt). The input is the input box's text, bytes as they
// come: any byte value, NULs, CR LF, GBK halves.
//
// Properties:
// - the command yields what the plain rules yield, as RunLinkCommand and as the optional form;
// - no change leaves the caller's output text untouched, and a new text replaces it whole;
// - a link made from a plain address without NUL reads back, through the same button, to the
//   trimmed address; a Base64 encoding decodes back to the trimmed text.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/link_commands.h"
#include "plain_rules.h"
#include "property.h"

namespace {

using tarvik::CommandOutcome;
using tarvik::LinkCommand;

constexpr LinkCommand Fuzzed = LinkCommand::FUZZED_COMMAND;
constexpr plain::Command PlainFuzzed = plain::Command::FUZZED_COMMAND;

std::optional<std::string> CallByName(std::string_view input) {
    switch (Fuzzed) {
        case LinkCommand::Thunder:
            return tarvik::ThunderCommand(input);
        case LinkCommand::FlashGet:
            return tarvik::FlashGetCommand(input);
        case LinkCommand::Xuanfeng:
            return tarvik::XuanfengCommand(input);
        case LinkCommand::RayFile:
            return tarvik::RayFileCommand(input);
        case LinkCommand::Base64Encode:
            return tarvik::Base64EncodeCommand(input);
        case LinkCommand::Base64Decode:
            return tarvik::Base64DecodeCommand(input);
    }
    return std::nullopt;
}

// The command that reads back what this one made, for the round trip.
constexpr LinkCommand ReadingBack() {
    return Fuzzed == LinkCommand::Base64Encode ? LinkCommand::Base64Decode : Fuzzed;
}

bool MakesLinks() {
    return Fuzzed == LinkCommand::Thunder || Fuzzed == LinkCommand::FlashGet ||
           Fuzzed == LinkCommand::Xuanfeng || Fuzzed == LinkCommand::Base64Encode;
}

bool IsPlainAddress(const std::string& trimmed) {
    const std::string scheme = plain::LowerCase(plain::FieldAt(trimmed, 1, "/"));
    for (const char* plainScheme : {"http:", "ftp:", "mms:", "rtsp:", "https:"}) {
        if (scheme == plainScheme) return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const plain::Outcome expected = plain::Run(PlainFuzzed, input);

    // Junk in the output text shows a command that appends instead of replacing, or that touches
    // the output when it should leave it alone.
    const std::string junk = "junk left from the last press";
    std::string output = junk;
    const CommandOutcome outcome = tarvik::RunLinkCommand(Fuzzed, input, output);
    FUZZ_EXPECT((outcome != CommandOutcome::NoChange) == expected.changes);
    if (!expected.changes) {
        FUZZ_EXPECT_EQ(output, junk);
    } else {
        FUZZ_EXPECT_EQ(output, expected.output);
        FUZZ_EXPECT((outcome == CommandOutcome::FormatError) ==
                    (output == std::string_view(tarvik::LinkFormatErrorText)));
    }

    const std::optional<std::string> byName = CallByName(input);
    FUZZ_EXPECT(byName.has_value() == expected.changes);
    if (byName) FUZZ_EXPECT_EQ(*byName, expected.output);

    const std::string trimmed = plain::TrimSpaces(input);
    const bool roundTrips = MakesLinks() && trimmed.find('\0') == std::string::npos &&
                            !trimmed.empty() &&
                            (Fuzzed == LinkCommand::Base64Encode || IsPlainAddress(trimmed));
    if (roundTrips) {
        std::string readBack;
        FUZZ_EXPECT(tarvik::RunLinkCommand(ReadingBack(), output, readBack) ==
                    CommandOutcome::NewText);
        FUZZ_EXPECT_EQ(readBack, trimmed);
    }
    return 0;
}
