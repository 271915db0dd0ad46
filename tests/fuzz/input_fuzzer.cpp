// The line reader and link finder on any stream read in pieces, against a plain split and scan.
// Bytes 0 and 1 give the piece size and limit; then a byte 1 and n repeat the byte before it
// n × 512 times, so that short inputs make lines and links across the readers' 64 KiB reads.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "cli/input.h"

#define CHECK(condition)   \
    ((condition) ? (void)0 \
                 : (std::fprintf(stderr, "does not hold: %s\n", #condition), std::abort()))

namespace {

using namespace tarvik::cli;

ReadFunction PiecesOf(const std::string& text, std::size_t piece) {
    return [&text, piece, at = std::size_t{0}](char* buffer, std::size_t size) mutable {
        const std::size_t count = std::min({piece, size, text.size() - at});
        std::memcpy(buffer, text.data() + at, count);
        at += count;
        return static_cast<std::ptrdiff_t>(count);
    };
}

void CheckLines(const std::string& text, std::size_t piece, std::size_t limit) {
    LineReader reader(PiecesOf(text, piece), limit);
    std::string_view line;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string raw = text.substr(start, end - start);
        const std::string expected =
            raw.substr(0, raw.size() - (end < text.size() && raw.ends_with('\r')));
        const LineStatus status = reader.Next(line);
        CHECK(status == (expected.size() > limit ? LineStatus::TooLong : LineStatus::Line));
        CHECK(status == LineStatus::Line ? line == expected : raw.starts_with(line));
        if (status == LineStatus::TooLong) return;  // the reader is not used again
        start = end + 1;
    }
    CHECK(reader.Next(line) == LineStatus::End);
}

void CheckLinks(const std::string& text, std::size_t piece, std::size_t limit) {
    LinkFinder finder(PiecesOf(text, piece), limit);
    std::string lower = text, link;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (std::size_t at = 0; at < text.size(); ++at) {
        for (const std::string_view scheme :
             {"thunder://", "flashget://", "qqdl://", "fs2you://"}) {
            if (lower.compare(at, scheme.size(), scheme) != 0) continue;
            std::size_t end = at + scheme.size();
            while (end < text.size() &&
                   (std::isalnum(static_cast<unsigned char>(text[end])) ||
                    std::string_view("+/=").find(text[end]) != std::string::npos))
                ++end;
            CHECK(finder.Next(link) && link == text.substr(at, std::min(end - at, limit + 1)));
        }
    }
    CHECK(!finder.Next(link));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    std::string text;
    for (std::size_t i = 2; i < size && text.size() < (1 << 18); ++i) {
        const bool repeat = data[i] == 1 && i + 1 < size && !text.empty();
        const char byte = repeat ? text.back() : static_cast<char>(data[i]);
        text.append(repeat ? data[++i] * std::size_t{512} : 1, byte);
    }
    const std::size_t pieces[] = {1, 2, 3, 7, 64, 4096, 65535, 1 << 20};
    const std::size_t piece = std::max(pieces[data[0] % 8], text.size() / 1024);  // not too slow
    CheckLines(text, piece, data[1]);
    CheckLinks(text, piece, data[1] + 11u);  // a link is never cut inside its scheme
    return 0;
}
