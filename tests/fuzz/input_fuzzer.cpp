// The line reader and link finder on any stream, against a plain split and scan. Byte 0 gives the
// readers' read size (1 to 16) and how much the stream hands over at a time (1 to 16), byte 1 the
// limit, so that short inputs make lines and links across reads.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "cli/input.h"
#include "core/link_commands.h"
#include "core/text.h"

#define CHECK(c) ((c) ? (void)0 : (std::fprintf(stderr, "does not hold: %s\n", #c), std::abort()))

namespace {

using namespace tarvik::cli;

constexpr std::string_view LinkCharacters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/=";

ReadFunction PiecesOf(std::string_view text, std::size_t piece) {
    return [text, piece](char* buffer, std::size_t size) mutable {
        const std::size_t count = text.copy(buffer, std::min(piece, size));
        text.remove_prefix(count);
        return static_cast<std::ptrdiff_t>(count);
    };
}

void CheckLines(std::string_view text, std::size_t piece, std::size_t readSize, std::size_t limit) {
    LineReader reader(PiecesOf(text, piece), limit, readSize);
    std::string_view line;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view raw = text.substr(start, end - start);
        const std::string_view expected =
            raw.substr(0, raw.size() - (end < text.size() && raw.ends_with('\r')));
        const LineStatus status = reader.Next(line);
        LineStatus wanted =
            expected.find('\0') != expected.npos ? LineStatus::HoldsNul : LineStatus::Line;
        if (expected.size() > limit) wanted = LineStatus::TooLong;
        CHECK(status == wanted);
        CHECK(status == LineStatus::TooLong ? raw.starts_with(line) : line == expected);
        if (status == LineStatus::TooLong) return;  // the reader is not used again
        start = end + 1;
    }
    CHECK(reader.Next(line) == LineStatus::End);
}

// The plain scan: a scheme at every byte, "//" after it and then at least one link character.
void CheckLinks(std::string_view text, std::size_t piece, std::size_t readSize, std::size_t limit) {
    LinkFinder finder(PiecesOf(text, piece), limit, readSize);
    std::string link;
    for (std::size_t at = 0; at < text.size(); ++at) {
        for (const std::string_view scheme : tarvik::SpecialLinkSchemes) {
            const std::size_t run = at + scheme.size() + 2;
            if (!tarvik::EqualsLowerCase(text.substr(at, scheme.size()), scheme) ||
                text.substr(at + scheme.size(), 2) != "//" || run >= text.size() ||
                LinkCharacters.find(text[run]) == LinkCharacters.npos)
                continue;
            const std::size_t end =
                std::min(text.size(), text.find_first_not_of(LinkCharacters, run));
            CHECK(finder.Next(link) && link == text.substr(at, std::min(end - at, limit + 1)));
        }
    }
    CHECK(!finder.Next(link));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::string_view text(reinterpret_cast<const char*>(data) + 2, size - 2);
    const std::size_t readSize = data[0] % 16 + 1, piece = data[0] / 16 + 1;
    CheckLines(text, piece, readSize, data[1]);
    CheckLinks(text, piece, readSize, data[1] + 11u);  // a link is never cut inside its scheme
    return 0;
}
