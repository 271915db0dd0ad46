#include "core/link_commands.h"

#include <algorithm>
#include <array>

#include "core/base64.h"
#include "core/base64_joined.h"
#include "core/text_views.h"

namespace tarvik {
namespace {

// A download manager's special link: its scheme as the lowercased text before the first "/",
// the bytes dropped from a link before decoding, the prefix of a made link, and the markers
// around the address inside the Base64 part.
struct LinkFormat {
    std::string_view scheme;
    int32_t droppedLength;
    std::string_view madePrefix;
    std::string_view openingMarker;
    std::string_view closingMarker;
};

constexpr LinkFormat Thunder{"thunder:", 10, "thunder://", "AA", "ZZ"};
constexpr LinkFormat FlashGet{"flashget:", 11, "Flashget://", "[FLASHGET]", "[FLASHGET]"};
constexpr LinkFormat Xuanfeng{"qqdl:", 7, "qqdl://", "", ""};
constexpr std::string_view RayFileScheme = "fs2you:";
constexpr int32_t RayFileDroppedLength = 9;

constexpr std::array<std::string_view, 5> PlainAddressSchemes{
    "http:", "ftp:", "mms:", "rtsp:", "https:"};

constexpr char AsciiLower(char byte) {
    return byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte - 'A' + 'a') : byte;
}

// Whether LowerCase(scheme) equals `lowerLiteral`, without making the lowercased copy. On Windows
// LowerCase is CharLowerA, which never turns a byte from 0x80 up into an ASCII byte nor an ASCII
// byte other than a capital into a small letter; against a literal of lower-case ASCII, comparing
// with only the ASCII capitals folded therefore gives the same answer as lowercasing first.
bool SchemeIs(std::string_view scheme, std::string_view lowerLiteral) {
    return std::ranges::equal(scheme, lowerLiteral,
                              [](char a, char b) { return AsciiLower(a) == b; });
}

bool IsPlainAddressScheme(std::string_view scheme) {
    return std::ranges::any_of(
        PlainAddressSchemes, [scheme](std::string_view plain) { return SchemeIs(scheme, plain); });
}

// The Base64 part of a link: everything after the scheme's bytes, SubstringFrom(link, dropped + 1).
std::string_view Payload(std::string_view link, int32_t droppedLength) {
    return view::SubstringFrom(link, droppedLength + 1);
}

// Every step below appends its result to `output` and leaves the bytes already there alone.

// Decodes the link's Base64 part and keeps what lies between the markers:
// Substring(decoded, opening + 1, ByteLength(decoded) − opening − closing), without any check
// that the markers are there.
CommandOutcome ReadLink(const LinkFormat& format, std::string_view link, std::string& output) {
    const std::size_t start = output.size();
    AppendBase64DecodeOfText(Payload(link, format.droppedLength), output);
    const std::size_t markers = format.openingMarker.size() + format.closingMarker.size();
    if (output.size() - start <= markers) {
        output.resize(start);
    } else {
        output.resize(output.size() - format.closingMarker.size());
        output.erase(start, format.openingMarker.size());
    }
    return CommandOutcome::NewText;
}

CommandOutcome MakeLink(const LinkFormat& format, std::string_view address, std::string& output) {
    output.append(format.madePrefix);
    AppendBase64EncodeJoined({format.openingMarker, address, format.closingMarker}, output);
    return CommandOutcome::NewText;
}

CommandOutcome ConvertLink(const LinkFormat& format, std::string_view link, std::string& output) {
    const auto scheme = view::FieldAt(link, 1, "/");
    if (SchemeIs(scheme, format.scheme)) return ReadLink(format, link, output);
    if (IsPlainAddressScheme(scheme)) return MakeLink(format, link, output);
    return CommandOutcome::FormatError;
}

CommandOutcome ReadRayFileLink(std::string_view link, std::string& output) {
    if (!SchemeIs(view::FieldAt(link, 1, "/"), RayFileScheme)) return CommandOutcome::FormatError;
    const std::size_t start = output.size();
    AppendBase64DecodeOfText(Payload(link, RayFileDroppedLength), output);
    // Field 1 at "|": the bar is found byte by byte, even as the second byte of a GBK character.
    output.resize(std::min(output.find('|', start), output.size()));
    return CommandOutcome::NewText;
}

// `link` is trimmed, not empty, holds no NUL and does not view `output`.
CommandOutcome Run(LinkCommand command, std::string_view link, std::string& output) {
    switch (command) {
        case LinkCommand::Thunder:
            return ConvertLink(Thunder, link, output);
        case LinkCommand::FlashGet:
            return ConvertLink(FlashGet, link, output);
        case LinkCommand::Xuanfeng:
            return ConvertLink(Xuanfeng, link, output);
        case LinkCommand::RayFile:
            return ReadRayFileLink(link, output);
        case LinkCommand::Base64Encode:
            AppendBase64EncodeJoined({link}, output);
            return CommandOutcome::NewText;
        case LinkCommand::Base64Decode:
            AppendBase64DecodeOfText(link, output);
            return CommandOutcome::NewText;
    }
    return CommandOutcome::NoChange;
}

std::optional<std::string> RunForNewText(LinkCommand command, std::string_view inputBoxText) {
    std::string output;
    if (RunLinkCommand(command, inputBoxText, output) == CommandOutcome::NoChange) {
        return std::nullopt;
    }
    return output;
}

}  // namespace

CommandOutcome RunLinkCommand(LinkCommand command, std::string_view inputBoxText,
                              std::string& output) {
    // The commands write `output` while they still read the link, so a caller's input that lies
    // in `output` itself is copied first.
    std::string copy;
    if (view::LiesWithin(inputBoxText, output)) inputBoxText = copy.assign(inputBoxText);
    const auto link = view::TrimSpaces(view::TextOf(inputBoxText));
    if (link.empty()) return CommandOutcome::NoChange;
    output.clear();
    const CommandOutcome outcome = Run(command, link, output);
    if (outcome == CommandOutcome::FormatError) output.assign(LinkFormatErrorText);
    return outcome;
}

CommandOutcome AppendLinkCommandResult(LinkCommand command, std::string_view text,
                                       std::string& output) {
    const auto link = view::TrimSpaces(text);
    if (link.empty()) return CommandOutcome::NoChange;
    return Run(command, link, output);
}

std::optional<std::string> ThunderCommand(std::string_view inputBoxText) {
    return RunForNewText(LinkCommand::Thunder, inputBoxText);
}
std::optional<std::string> FlashGetCommand(std::string_view inputBoxText) {
    return RunForNewText(LinkCommand::FlashGet, inputBoxText);
}
std::optional<std::string> XuanfengCommand(std::string_view inputBoxText) {
    return RunForNewText(LinkCommand::Xuanfeng, inputBoxText);
}
std::optional<std::string> RayFileCommand(std::string_view inputBoxText) {
    return RunForNewText(LinkCommand::RayFile, inputBoxText);
}
std::optional<std::string> Base64EncodeCommand(std::string_view inputBoxText) {
    return RunForNewText(LinkCommand::Base64Encode, inputBoxText);
}
std::optional<std::string> Base64DecodeCommand(std::string_view inputBoxText) {
    return RunForNewText(LinkCommand::Base64Decode, inputBoxText);
}

}  // namespace tarvik
