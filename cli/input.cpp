#include "cli/input.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "core/link_commands.h"
#include "core/text.h"

namespace tarvik::cli {
namespace {

const char* Find(const char* from, const char* end, char byte) {
    return static_cast<const char*>(std::memchr(from, byte, static_cast<std::size_t>(end - from)));
}

// A link is found at its colon, so the bytes of a scheme's name before it are kept across reads.
constexpr std::size_t LongestSchemeName = [] {
    std::size_t longest = 0;
    for (const std::string_view scheme : SpecialLinkSchemes)
        longest = std::max(longest, scheme.size() - 1);
    return longest;
}();

// The length of the scheme's name that ends right before `colon`, in any letter case; 0 for none.
std::size_t SchemeNameBefore(const char* start, const char* colon) {
    for (const std::string_view scheme : SpecialLinkSchemes) {
        const std::size_t name = scheme.size() - 1;
        if (static_cast<std::size_t>(colon - start) >= name &&
            EqualsLowerCase(std::string_view(colon - name, scheme.size()), scheme))
            return name;
    }
    return 0;
}

bool IsBase64Character(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' ||
           c == '/' || c == '=';
}

}  // namespace

ReadBuffer::ReadBuffer(ReadFunction read, std::size_t readSize)
    : read_(std::move(read)), readSize_(readSize), buffer_(readSize) {}

bool ReadBuffer::Fill(std::size_t keep) {
    std::memmove(buffer_.data(), buffer_.data() + keep, end_ - keep);
    end_ -= keep;
    if (buffer_.size() - end_ < readSize_)
        buffer_.resize(std::max(buffer_.size() * 2, end_ + readSize_));
    const std::ptrdiff_t count = read_(buffer_.data() + end_, readSize_);
    if (count <= 0) return false;
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

bool LinkFinder::Fill(std::size_t from) {
    const std::size_t keep = from - std::min(from, LongestSchemeName);
    at_ = from - keep;
    return input_.Fill(keep);
}

bool LinkFinder::Next(std::string& link) {
    for (;;) {
        const char* const data = input_.Data();
        const char* const colon = Find(data + at_, data + input_.Size(), ':');
        // A colon is judged with the two bytes after it.
        if (colon == nullptr || colon + 2 >= data + input_.Size()) {
            if (!Fill(colon != nullptr ? static_cast<std::size_t>(colon - data) : input_.Size()))
                return false;
            continue;
        }
        at_ = static_cast<std::size_t>(colon - data) + 1;
        const std::size_t name = SchemeNameBefore(data, colon);
        if (name == 0 || colon[1] != '/' || colon[2] != '/') continue;
        link.assign(colon - name, name + 3);
        at_ += 2;
        TakeRun(link);
        return true;
    }
}

void LinkFinder::TakeRun(std::string& link) {
    for (;;) {
        const char* const data = input_.Data();
        std::size_t end = at_;
        while (end < input_.Size() && IsBase64Character(data[end])) ++end;
        const std::size_t room = maxLinkLength_ + 1 - std::min(link.size(), maxLinkLength_ + 1);
        link.append(data + at_, std::min(end - at_, room));
        at_ = end;
        if (end < input_.Size() || !Fill(input_.Size())) return;
    }
}

}  // namespace tarvik::cli
