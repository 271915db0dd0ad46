#include "cli/input.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <utility>

#include "core/link_finder.h"

namespace tarvik::cli {
namespace {

const char* Find(const char* from, const char* end, char byte) {
    return static_cast<const char*>(std::memchr(from, byte, static_cast<std::size_t>(end - from)));
}

// The next link's scheme may end a run, its name in the run's last bytes; and a link may begin in
// the last bytes read, its slashes or its first character still to come.
constexpr std::size_t LongestSchemeName = [] {
    std::size_t longest = 0;
    for (const std::string_view scheme : SpecialLinkSchemes)
        longest = std::max(longest, scheme.size() - 1);
    return longest;
}();
constexpr std::size_t LongestSchemeWithSlashes = LongestSchemeName + 3;

// The start of the last `count` bytes before `end`, or `from` if that is later.
std::size_t LastBytes(std::size_t from, std::size_t end, std::size_t count) {
    return std::max(from, end - std::min(end, count));
}

}  // namespace

ReadBuffer::ReadBuffer(ReadFunction read, std::size_t readSize)
    : read_(std::move(read)), readSize_(readSize), buffer_(readSize) {}

bool ReadBuffer::Fill(std::size_t keep) {
    std::memmove(buffer_.data(), buffer_.data() + keep, end_ - keep);
    end_ -= keep;
    if (ended_) return false;
    if (buffer_.size() - end_ < readSize_)
        buffer_.resize(std::max(buffer_.size() * 2, end_ + readSize_));
    const std::ptrdiff_t count = read_(buffer_.data() + end_, readSize_);
    ended_ = count <= 0;
    if (ended_) return false;
    end_ += static_cast<std::size_t>(count);
    return true;
}

LineReader::LineReader(ReadFunction read, std::size_t maxLineLength, std::size_t readSize)
    : input_(std::move(read), readSize), maxLineLength_(maxLineLength) {}

void LineReader::FindNul(std::size_t from) {
    const char* const nul = Find(input_.Data() + from, input_.Data() + input_.Size(), '\0');
    nul_ = nul != nullptr ? static_cast<std::size_t>(nul - input_.Data()) : input_.Size();
}

LineStatus LineReader::Status(std::size_t lineEnd, std::string_view line) {
    if (line.size() > maxLineLength_) return LineStatus::TooLong;
    if (nul_ >= lineEnd) return LineStatus::Line;
    FindNul(begin_);
    return LineStatus::HoldsNul;
}

LineStatus LineReader::Next(std::string_view& line) {
    std::size_t searched = 0;  // bytes after begin_ known to hold no LF
    for (;;) {
        const char* const start = input_.Data() + begin_;
        const char* const end = input_.Data() + input_.Size();
        if (const char* lineFeed = Find(start + searched, end, '\n')) {
            line = std::string_view(start, static_cast<std::size_t>(lineFeed - start));
            begin_ += line.size() + 1;
            const std::size_t lineEnd = begin_ - 1;
            if (line.ends_with('\r')) line.remove_suffix(1);
            return Status(lineEnd, line);
        }
        searched = static_cast<std::size_t>(end - start);
        // A CR may still be dropped before the LF, so one byte more than the limit may wait.
        if (searched > maxLineLength_ + 1) {
            line = std::string_view(start, std::min<std::size_t>(searched, 64));
            return LineStatus::TooLong;
        }
        const std::size_t before = input_.Size(), dropped = std::exchange(begin_, 0);
        const bool more = input_.Fill(dropped);
        // Only the new bytes are searched, unless a NUL was found before them.
        if (nul_ < before)
            nul_ -= dropped;
        else
            FindNul(before - dropped);
        if (!more) break;
    }
    if (begin_ == input_.Size()) return LineStatus::End;
    line = std::string_view(input_.Data() + begin_, input_.Size() - begin_);
    begin_ = input_.Size();
    return Status(begin_, line);
}

LinkFinder::LinkFinder(ReadFunction read, std::size_t maxLinkLength, std::size_t readSize)
    : input_(std::move(read), readSize), maxLinkLength_(maxLinkLength) {}

bool LinkFinder::Next(std::string& link) {
    std::optional<LinkSpan> span;
    while (!(span = FindSpecialLink({input_.Data() + at_, input_.Size() - at_}))) {
        const std::size_t keep = LastBytes(at_, input_.Size(), LongestSchemeWithSlashes);
        at_ = 0;
        if (!input_.Fill(keep)) return false;
    }
    const std::size_t begin = at_ + span->begin;
    std::size_t end = at_ + span->end;
    link.assign(input_.Data() + begin, std::min(end - begin, maxLinkLength_ + 1));
    at_ = begin + 1;
    // The run may go on in the next read; of a long one, only its last bytes are kept.
    while (end == input_.Size()) {
        const std::size_t keep = LastBytes(at_, end, LongestSchemeName);
        at_ = 0;
        end -= keep;
        if (!input_.Fill(keep)) break;
        const std::size_t from = end;
        while (end < input_.Size() && IsLinkCharacter(input_.Data()[end])) ++end;
        const std::size_t room = maxLinkLength_ + 1 - std::min(link.size(), maxLinkLength_ + 1);
        link.append(input_.Data() + from, std::min(end - from, room));
    }
    at_ = LastBytes(at_, end, LongestSchemeName);
    return true;
}

}  // namespace tarvik::cli
