#include "cli/line_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "cli/standard_streams.h"

namespace tarvik::cli {

namespace {

constexpr std::size_t ReadSize = 1 << 16;

}  // namespace

LineReader::LineReader(std::FILE* stream, std::size_t maxLineLength,
                       std::function<void()> beforeReading)
    : stream_(stream),
      maxLineLength_(maxLineLength),
      beforeReading_(std::move(beforeReading)),
      mapped_(stream) {
    if (!mapped_.Bytes().empty()) {
        data_ = mapped_.Bytes().data();
        end_ = mapped_.Bytes().size();
    } else {
        buffer_.resize(ReadSize);
        data_ = buffer_.data();
    }
}

bool LineReader::Read(std::size_t from) {
    if (beforeReading_) beforeReading_();
    const std::ptrdiff_t count =
        ReadAvailable(stream_, buffer_.data() + from, buffer_.size() - from);
    if (count < 0) failure_ = errno != 0 ? errno : EIO;
    if (count <= 0) return false;
    end_ = from + static_cast<std::size_t>(count);
    return true;
}

bool LineReader::Fill() {
    if (!mapped_.Bytes().empty()) return false;  // the mapping holds all there is
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    if (buffer_.size() - end_ < ReadSize) {
        buffer_.resize(std::max(buffer_.size() * 2, end_ + ReadSize));
        data_ = buffer_.data();
    }
    return Read(end_);
}

bool LineReader::Refill() {
    begin_ = end_ = 0;
    return Read(0);
}

LineStatus LineReader::Next(std::string_view& line) {
    std::size_t searched = begin_;
    for (;;) {
        const char* start = data_ + begin_;
        const auto* lineFeed =
            static_cast<const char*>(std::memchr(data_ + searched, '\n', end_ - searched));
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
    if (failure_ != 0) return LineStatus::ReadError;
    if (begin_ == end_) return LineStatus::End;

    const std::size_t length = end_ - begin_;
    line = std::string_view(data_ + begin_, length);
    begin_ = end_;
    return length > maxLineLength_ ? LineStatus::TooLong : LineStatus::Line;
}

LineStatus LineReader::SkipRestOfLine() {
    // The mapping was searched to its end: the line runs to the end of the input.
    if (!mapped_.Bytes().empty()) {
        begin_ = end_;
        return LineStatus::TooLong;
    }
    // Nothing of the line is kept, so the buffer does not grow past the limit.
    for (;;) {
        if (!Refill()) return failure_ != 0 ? LineStatus::ReadError : LineStatus::TooLong;
        const auto* lineFeed = static_cast<const char*>(std::memchr(buffer_.data(), '\n', end_));
        if (lineFeed != nullptr) {
            begin_ = static_cast<std::size_t>(lineFeed - buffer_.data()) + 1;
            return LineStatus::TooLong;
        }
    }
}

}  // namespace tarvik::cli
