// The floor for tarvik-link's batch: the least a program must do to answer the same Thunder links
// with the same decoder. It reads standard input in 64 KiB pieces, finds each line with memchr,
// decodes the Base64 text after "thunder://", drops the two bytes of each marker and writes the
// address, gathered into 64 KiB writes. Nothing else: no trimming, no scheme or address check, no
// error for a bad line, and a last line without LF is left out. scripts/bench times it beside
// tarvik-link and the Python script, and checks its answers first.
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "core/base64.h"

namespace {

constexpr std::size_t Piece = std::size_t{1} << 16;
constexpr std::size_t SchemeLength = std::string_view("thunder://").size();
constexpr std::size_t MarkerLength = 2;  // "AA" before the address, "ZZ" after it

void WriteOut(std::string& output) {
    for (std::size_t done = 0; done < output.size();) {
        const ssize_t count = write(1, output.data() + done, output.size() - done);
        if (count <= 0) std::exit(1);
        done += static_cast<std::size_t>(count);
    }
    output.clear();
}

}  // namespace

int main() {
    std::vector<char> input(2 * Piece);
    std::string decoded, output;
    std::size_t end = 0;
    for (;;) {
        if (input.size() - end < Piece) input.resize(2 * input.size());
        const ssize_t count = read(0, input.data() + end, Piece);
        if (count <= 0) break;
        end += static_cast<std::size_t>(count);
        const char* line = input.data();
        const char* const last = input.data() + end;
        while (const auto* lineFeed = static_cast<const char*>(
                   std::memchr(line, '\n', static_cast<std::size_t>(last - line)))) {
            const std::string_view link(line, static_cast<std::size_t>(lineFeed - line));
            tarvik::Base64DecodeText(link.substr(std::min(SchemeLength, link.size())), decoded);
            const std::size_t length = decoded.size() - std::min(decoded.size(), 2 * MarkerLength);
            output.append(decoded, std::min(MarkerLength, decoded.size()), length).push_back('\n');
            if (output.size() >= Piece) WriteOut(output);
            line = lineFeed + 1;
        }
        end = static_cast<std::size_t>(last - line);
        std::memmove(input.data(), line, end);
    }
    WriteOut(output);
}
