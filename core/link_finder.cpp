#include "core/link_finder.h"

#include "core/text.h"

namespace tarvik {
namespace {

// The length of the scheme's name that ends right before `colon`, in any letter case; 0 for none.
std::size_t SchemeNameBefore(std::string_view text, std::size_t colon) {
    for (const std::string_view scheme : SpecialLinkSchemes) {
        const std::size_t name = scheme.size() - 1;
        if (colon >= name && EqualsLowerCase(text.substr(colon - name, scheme.size()), scheme))
            return name;
    }
    return 0;
}

}  // namespace

bool IsLinkCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' ||
           c == '/' || c == '=';
}

// A link is found at its colon: a scheme's name holds none, so the search is one memchr a colon.
std::optional<LinkSpan> FindSpecialLink(std::string_view text) {
    for (std::size_t colon = text.find(':'); colon != text.npos;
         colon = text.find(':', colon + 1)) {
        const std::size_t name = SchemeNameBefore(text, colon);
        const std::size_t run = colon + 3;
        if (name == 0 || text.substr(colon + 1, 2) != "//" || run >= text.size() ||
            !IsLinkCharacter(text[run]))
            continue;
        std::size_t end = run;
        while (end < text.size() && IsLinkCharacter(text[end])) ++end;
        return LinkSpan{colon - name, end};
    }
    return std::nullopt;
}

bool DistinctAddresses::FirstTime(std::string_view address) {
    return seen_.emplace(address).second;
}

CommandOutcome ExtractLinkAddresses(std::string_view text, std::string& output) {
    DistinctAddresses printed;
    std::string lines, address;
    bool found = false;
    for (std::size_t at = 0; const auto span = FindSpecialLink(text.substr(at));) {
        const std::string_view link = text.substr(at + span->begin, span->end - span->begin);
        at += span->begin + 1;
        const bool read =
            RunLinkCommand(LinkCommand::Decode, link, address) == CommandOutcome::NewText;
        if (read && !printed.FirstTime(address)) continue;
        if (found) lines += "\r\n";
        lines += address;  // LinkFormatErrorText when the link hides no address
        found = true;
    }
    if (!found) return CommandOutcome::NoChange;
    output.swap(lines);
    return CommandOutcome::NewText;
}

}  // namespace tarvik
