// The streaming line reader and link finder against a split and the core's scan of the whole text.
// Byte 0 sets the read size and the stream's pieces, byte 1 the limit: lines and links cross reads.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "cli/input.h"
#include "core/link_finder.h"

#define CHECK(c) ((c) ? (void)0 : (std::fprintf(stderr, "does not hold: %s\n", #c), std::abort()))

namespace {

using namespace tarvik::cli;

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
        const LineStatus wanted = expected.size() > limit                ? LineStatus::TooLong
                                  : expected.find('\0') != expected.npos ? LineStatus::HoldsNul
                                                                         : LineStatus::Line;
        CHECK(reader.Next(line) == wanted);
        CHECK(wanted == LineStatus::TooLong ? raw.starts_with(line) : line == expected);
        if (wanted == LineStatus::TooLong) return;  // the reader is not used again
        start = end + 1;
    }
    CHECK(reader.Next(line) == LineStatus::End);
}

// Each link that the scan finds, from one byte after the last one's start, cut after the limit.
void CheckLinks(std::string_view text, std::size_t piece, std::size_t readSize, std::size_t limit) {
    LinkFinder finder(PiecesOf(text, piece), limit, readSize);
    std::string link;
    for (std::size_t at = 0; const auto span = tarvik::FindSpecialLink(text.substr(at));) {
        const std::string_view found = text.substr(at + span->begin, span->end - span->begin);
        CHECK(finder.Next(link) && link == found.substr(0, limit + 1));
        at += span->begin + 1;
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
