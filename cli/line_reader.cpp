#include "cli/line_reader.h"

#include <algorithm>
#include <cstring>

namespace tarvik::cli {

namespace {

constexpr std::size_t ReadSize = 1 << 16;

}  // namespace

LineReader::LineReader(std::FILE* stream, std::size_t maxLineLength)
    : stream_(stream), maxLineLength_(maxLineLength), buffer_(ReadSize) {}

bool LineReader::Fill() {
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    if (buffer_.size() - end_ < ReadSize)
        buffer_.resize(std::max(buffer_.size() * 2, end_ + ReadSize));
    const std::size_t read = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, stream_);
    end_ += read;
    if (read == 0 && std::ferror(stream_)) failed_ = true;
    return read > 0;
}

LineStatus LineReader::Next(std::string_view& line) {
    std::size_t searched = begin_;
    for (;;) {
        const char* start = buffer_.data() + begin_;
        const auto* lineFeed =
            static_cast<const char*>(std::memchr(buffer_.data() + searched, '\n', end_ - searched));
        if (lineFeed != nullptr) {
            std::size_t length = static_cast<std::size_t>(lineFeed - start);
            begin_ += length + 1;
            if (length > 0 && start[length - 1] == '\r') --length;
            if (length > maxLineLength_) return LineStatus::TooLong;
            line = std::string_view(start, length);
            return LineStatus::Line;
        }
        // A CR may still be dropped before the LF, so one byte more than the limit may wait.
        if (end_ - begin_ > maxLineLength_ + 1) return SkipRestOfLine();

        searched = end_ - begin_;
        if (!Fill()) break;
        searched += begin_;
    }
    if (failed_) return LineStatus::ReadError;
    if (begin_ == end_) return LineStatus::End;

    const std::size_t length = end_ - begin_;
    line = std::string_view(buffer_.data() + begin_, length);
    begin_ = end_;
    return length > maxLineLength_ ? LineStatus::TooLong : LineStatus::Line;
}

LineStatus LineReader::SkipRestOfLine() {
    // Nothing of the line is kept, so the buffer does not grow past the limit.
    for (;;) {
        begin_ = end_ = 0;
        const std::size_t read = std::fread(buffer_.data(), 1, buffer_.size(), stream_);
        if (read == 0) return std::ferror(stream_) ? LineStatus::ReadError : LineStatus::TooLong;
        end_ = read;
        const auto* lineFeed = static_cast<const char*>(std::memchr(buffer_.data(), '\n', end_));
        if (lineFeed != nullptr) {
            begin_ = static_cast<std::size_t>(lineFeed - buffer_.data()) + 1;
            return LineStatus::TooLong;
        }
    }
}

}  // namespace tarvik::cli
