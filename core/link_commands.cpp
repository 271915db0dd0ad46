#include "core/link_commands.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "core/base64.h"
#include "core/text.h"

namespace tarvik {
namespace {

// A special link: the scheme that marks it, the prefix of a link made from an address, and the
// markers around the address. Sites also write links without the markers, or with the closing one
// missing, so reading drops each marker only where it is.
struct LinkFormat {
    std::string_view scheme;
    std::string_view madePrefix;
    std::string_view opening;
    std::string_view closing;
};

constexpr LinkFormat Thunder{ThunderScheme, "thunder://", "AA", "ZZ"};
constexpr LinkFormat FlashGet{FlashGetScheme, "Flashget://", "[FLASHGET]", "[FLASHGET]"};
constexpr LinkFormat Xuanfeng{XuanfengScheme, "qqdl://", "", ""};

constexpr std::string_view PlainAddressSchemes[] = {"http:", "ftp:", "mms:", "rtsp:", "https:"};

bool IsPlainAddress(std::string_view link) {
    return std::any_of(std::begin(PlainAddressSchemes), std::end(PlainAddressSchemes),
                       [link](std::string_view scheme) { return HasScheme(link, scheme); });
}

// Decoding starts after the scheme and the two bytes that follow it, its slashes when well formed.
void DecodePayload(std::string_view link, std::string_view scheme, std::string& output) {
    Base64DecodeText(SubstringFrom(link, static_cast<int32_t>(scheme.size()) + 3), output);
}

bool IsControlByte(unsigned char c) {
    return c < 0x20 || c == 0x7F;
}

// Every byte is looked at, sixteen at a time into sixteen flags, without an early way out and
// with the last sixteen overlapping those before them rather than a tail taken byte by byte: so
// the compiler checks each sixteen at once. The flags are then read as two words.
bool HoldsControlByte(std::string_view text) {
    constexpr std::size_t Block = 16;
    const auto* const bytes = reinterpret_cast<const unsigned char*>(text.data());
    if (text.size() < Block) return std::any_of(bytes, bytes + text.size(), IsControlByte);
    std::array<unsigned char, Block> found{};
    const auto look = [&found](const unsigned char* block) {
        for (std::size_t i = 0; i < Block; ++i) found[i] |= IsControlByte(block[i]);
    };
    for (std::size_t at = 0; at + Block <= text.size(); at += Block) look(bytes + at);
    look(bytes + text.size() - Block);
    std::uint64_t words[2];
    std::memcpy(words, found.data(), sizeof words);
    return (words[0] | words[1]) != 0;
}

// An address read from a link is never empty and holds no control byte: such a text is a
// broken or hostile link, whose result would break a line or drive a terminal.
CommandOutcome AddressRead(std::string_view address) {
    return address.empty() || HoldsControlByte(address) ? CommandOutcome::FormatError
                                                        : CommandOutcome::NewText;
}

// The address ends at the last closing marker, so that bytes decoded from a suffix after the
// Base64 text (FlashGet's "&abc") fall away with it.
CommandOutcome ReadLink(const LinkFormat& format, std::string_view link, std::string& output) {
    DecodePayload(link, format.scheme, output);
    if (output.starts_with(format.opening)) output.erase(0, format.opening.size());
    output.resize(std::min(output.rfind(format.closing), output.size()));
    return AddressRead(output);
}

CommandOutcome ReadRayFileLink(std::string_view link, std::string& output) {
    if (!HasScheme(link, RayFileScheme)) return CommandOutcome::FormatError;
    DecodePayload(link, RayFileScheme, output);
    output.resize(FieldAt(output, '|').size());
    return AddressRead(output);
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

bool HasScheme(std::string_view link, std::string_view scheme) {
    return EqualsLowerCase(FieldAt(link, '/'), scheme);
}

std::optional<std::size_t> SpecialLinkSchemeOf(std::string_view link) {
    for (std::size_t i = 0; i < std::size(SpecialLinkSchemes); ++i)
        if (HasScheme(link, SpecialLinkSchemes[i])) return i;
    return std::nullopt;
}

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
            Base64DecodeText(link, output);
            break;
        case LinkCommand::Decode:
            outcome = DecodeLink(link, output);
            break;
    }
    if (outcome == CommandOutcome::FormatError) output.assign(LinkFormatErrorText);
    return outcome;
}

}  // namespace tarvik
