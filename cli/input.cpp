#include "cli/input.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace tarvik::cli {
namespace {

constexpr std::size_t ReadSize = 1 << 16;

const char* Find(const char* from, const char* end, char byte) {
    return static_cast<const char*>(std::memchr(from, byte, static_cast<std::size_t>(end - from)));
}

constexpr std::string_view SchemeNames[] = {"thunder", "flashget", "qqdl", "fs2you"};
constexpr std::size_t LongestSchemeName = 8;

// The length of the scheme name that ends right before `colon`, in any letter case; 0 for none.
std::size_t SchemeNameBefore(const char* start, const char* colon) {
    for (const std::string_view name : SchemeNames) {
        if (static_cast<std::size_t>(colon - start) < name.size()) continue;
        const bool same = std::equal(colon - name.size(), colon, name.begin(), [](char a, char b) {
            return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
        });
        if (same) return name.size();
    }
    return 0;
}

bool IsBase64Character(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' ||
           c == '/' || c == '=';
}

}  // namespace

LineReader::LineReader(ReadFunction read, std::size_t maxLineLength)
    : read_(std::move(read)), maxLineLength_(maxLineLength), buffer_(ReadSize) {}

bool LineReader::Fill() {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
    if (buffer_.size() - end_ < ReadSize)
        buffer_.resize(std::max(buffer_.size() * 2, end_ + ReadSize));
    const std::ptrdiff_t count = read_(buffer_.data() + end_, buffer_.size() - end_);
    if (count <= 0) return false;
    end_ += static_cast<std::size_t>(count);
    return true;
}

LineStatus LineReader::Next(std::string_view& line) {
    std::size_t searched = 0;  // bytes after begin_ known to hold no LF
    for (;;) {
        const char* const start = buffer_.data() + begin_;
        if (const char* lineFeed = Find(start + searched, buffer_.data() + end_, '\n')) {
            line = std::string_view(start, static_cast<std::size_t>(lineFeed - start));
            begin_ += line.size() + 1;
            if (line.ends_with('\r')) line.remove_suffix(1);
            return line.size() > maxLineLength_ ? LineStatus::TooLong : LineStatus::Line;
        }
        searched = end_ - begin_;
        // A CR may still be dropped before the LF, so one byte more than the limit may wait.
        if (searched > maxLineLength_ + 1) {
            line = std::string_view(start, std::min<std::size_t>(searched, 64));
            return LineStatus::TooLong;
        }
        if (!Fill()) break;
    }
    if (begin_ == end_) return LineStatus::End;
    line = std::string_view(buffer_.data() + begin_, end_ - begin_);
    begin_ = end_;
    return line.size() > maxLineLength_ ? LineStatus::TooLong : LineStatus::Line;
}

LinkFinder::LinkFinder(ReadFunction read, std::size_t maxLinkLength)
    : read_(std::move(read)), maxLinkLength_(maxLinkLength), buffer_(ReadSize + 16) {}

bool LinkFinder::Fill(std::size_t from) {
    const std::size_t start = from - std::min(from, LongestSchemeName);
    std::memmove(buffer_.data(), buffer_.data() + start, end_ - start);
    end_ -= start;
    at_ = from - start;
    const std::ptrdiff_t count = read_(buffer_.data() + end_, buffer_.size() - end_);
    if (count <= 0) return false;
    end_ += static_cast<std::size_t>(count);
    return true;
}

bool LinkFinder::Next(std::string& link) {
    for (;;) {
        const char* const data = buffer_.data();
        const char* const colon = Find(data + at_, data + end_, ':');
        // A colon is judged with the two bytes after it.
        if (colon == nullptr || colon + 2 >= data + end_) {
            if (!Fill(colon != nullptr ? static_cast<std::size_t>(colon - data) : end_))
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
        const char* const data = buffer_.data();
        std::size_t end = at_;
        while (end < end_ && IsBase64Character(data[end])) ++end;
        const std::size_t room = maxLinkLength_ + 1 - std::min(link.size(), maxLinkLength_ + 1);
        link.append(data + at_, std::min(end - at_, room));
        at_ = end;
        if (end < end_ || !Fill(end_)) return;
    }
}

}  // namespace tarvik::cli
