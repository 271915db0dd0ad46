#include "core/link_commands.h"

#include <algorithm>

#include "core/base64.h"
#include "core/text.h"

namespace tarvik {
namespace {

// A special link: the scheme that marks it, the bytes dropped from its start before decoding
// (its scheme, colon and two slashes when well formed), the prefix of a link made from an
// address, and the markers around the address, which reading drops by length unchecked.
struct LinkFormat {
    std::string_view scheme;
    int32_t droppedLength;
    std::string_view madePrefix;
    std::string_view opening;
    std::string_view closing;
};

constexpr LinkFormat Thunder{"thunder:", 10, "thunder://", "AA", "ZZ"};
constexpr LinkFormat FlashGet{"flashget:", 11, "Flashget://", "[FLASHGET]", "[FLASHGET]"};
constexpr LinkFormat Xuanfeng{"qqdl:", 7, "qqdl://", "", ""};
constexpr std::string_view RayFileScheme = "fs2you:";
constexpr int32_t RayFileDroppedLength = 9;

constexpr std::string_view PlainAddressSchemes[] = {"http:", "ftp:", "mms:", "rtsp:", "https:"};

// Whether the link's scheme, its text before the first "/" lowercased, is `scheme`. Only ASCII
// capitals are lowered: the platform's CharLowerA also lowers other letters, but never into
// ASCII, so against a lower-case ASCII scheme the answer is the same.
bool HasScheme(std::string_view link, std::string_view scheme) {
    return std::ranges::equal(FieldAt(link, 1, "/"), scheme, [](char a, char b) {
        return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
    });
}

bool IsPlainAddress(std::string_view link) {
    return std::ranges::any_of(PlainAddressSchemes,
                               [link](std::string_view scheme) { return HasScheme(link, scheme); });
}

void DecodePayload(std::string_view link, int32_t droppedLength, std::string& output) {
    output.clear();
    AppendBase64DecodeText(SubstringFrom(link, droppedLength + 1), output);
}

CommandOutcome ReadLink(const LinkFormat& format, std::string_view link, std::string& output) {
    DecodePayload(link, format.droppedLength, output);
    const std::size_t markers = format.opening.size() + format.closing.size();
    if (output.size() <= markers) {
        output.clear();
    } else {
        output.resize(output.size() - format.closing.size());
        output.erase(0, format.opening.size());
    }
    return CommandOutcome::NewText;
}

CommandOutcome ReadRayFileLink(std::string_view link, std::string& output) {
    if (!HasScheme(link, RayFileScheme)) return CommandOutcome::FormatError;
    DecodePayload(link, RayFileDroppedLength, output);
    // The bar is found byte by byte, even where it is the second byte of a GBK character.
    output.resize(FieldAt(output, 1, "|").size());
    return CommandOutcome::NewText;
}

CommandOutcome ConvertLink(const LinkFormat& format, std::string_view link, std::string& output) {
    if (HasScheme(link, format.scheme)) return ReadLink(format, link, output);
    if (!IsPlainAddress(link)) return CommandOutcome::FormatError;
    std::string wrapped(format.opening);
    wrapped.append(link).append(format.closing);
    output.assign(format.madePrefix).append(Base64EncodeText(wrapped));
    return CommandOutcome::NewText;
}

CommandOutcome DecodeLink(std::string_view link, std::string& output) {
    for (const LinkFormat* format : {&Thunder, &FlashGet, &Xuanfeng}) {
        if (HasScheme(link, format->scheme)) return ReadLink(*format, link, output);
    }
    return ReadRayFileLink(link, output);
}

}  // namespace

CommandOutcome RunLinkCommand(LinkCommand command, std::string_view inputBoxText,
                              std::string& output) {
    const std::string_view link = TrimSpaces(inputBoxText);
    if (link.empty()) return CommandOutcome::NoChange;
    CommandOutcome outcome = CommandOutcome::NewText;
    switch (command) {
        case LinkCommand::Thunder:
            outcome = ConvertLink(Thunder, link, output);
            break;
        case LinkCommand::FlashGet:
            outcome = ConvertLink(FlashGet, link, output);
            break;
        case LinkCommand::Xuanfeng:
            outcome = ConvertLink(Xuanfeng, link, output);
            break;
        case LinkCommand::RayFile:
            outcome = ReadRayFileLink(link, output);
            break;
        case LinkCommand::Base64Encode:
            output = Base64EncodeText(link);
            break;
        case LinkCommand::Base64Decode:
            output.clear();
            AppendBase64DecodeText(link, output);
            break;
        case LinkCommand::Decode:
            outcome = DecodeLink(link, output);
            break;
    }
    if (outcome == CommandOutcome::FormatError) output.assign(LinkFormatErrorText);
    return outcome;
}

}  // namespace tarvik
