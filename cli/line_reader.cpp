#include "cli/line_reader.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <utility>

#include "cli/standard_streams.h"

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace tarvik::cli {

namespace {

constexpr std::size_t ReadSize = 1 << 16;

#if defined(__x86_64__) && defined(__GNUC__)
#define TARVIK_LINE_SCAN_AVX2 1

// A bit for each LF or NUL among the 32 bytes at `at`.
__attribute__((target("avx2"))) inline unsigned LineFeedsAndNuls(const char* at) {
    const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
    return static_cast<unsigned>(
        _mm256_movemask_epi8(_mm256_or_si256(_mm256_cmpeq_epi8(bytes, _mm256_set1_epi8('\n')),
                                             _mm256_cmpeq_epi8(bytes, _mm256_setzero_si256()))));
}

// The first LF or NUL in [from, end), or end, 32 bytes at a time.
__attribute__((target("avx2"))) const char* FindLineFeedOrNulAvx2(const char* from,
                                                                  const char* end) {
    if (end - from < 32) {
        while (from != end && *from != '\n' && *from != '\0') ++from;
        return from;
    }
    for (; end - from > 32; from += 32) {
        if (const unsigned found = LineFeedsAndNuls(from); found != 0)
            return from + std::countr_zero(found);
    }
    // The last block overlaps the one before, whose bytes held neither.
    from = end - 32;
    const unsigned found = LineFeedsAndNuls(from);
    return found != 0 ? from + std::countr_zero(found) : end;
}
#endif

const char* FindLineFeedOrNul(const char* from, const char* end) {
#ifdef TARVIK_LINE_SCAN_AVX2
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (avx2) return FindLineFeedOrNulAvx2(from, end);
#endif
    const auto* lineFeed = static_cast<const char*>(std::memchr(from, '\n', end - from));
    if (lineFeed == nullptr) lineFeed = end;
    const auto* nul = static_cast<const char*>(std::memchr(from, '\0', lineFeed - from));
    return nul != nullptr ? nul : lineFeed;
}

// The first LF in [from, end), or nullptr; `nul` is set when a NUL comes before it. A batch
// refuses lines that hold a NUL, and one pass finds both while the line is fresh in the cache.
const char* FindLineFeed(const char* from, const char* end, bool& nul) {
    const char* found = FindLineFeedOrNul(from, end);
    if (found != end && *found == '\0') {
        nul = true;
        found = static_cast<const char*>(std::memchr(found, '\n', end - found));
        return found;
    }
    return found != end ? found : nullptr;
}

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
    lineHoldsNul_ = false;
    for (;;) {
        const char* start = data_ + begin_;
        const char* lineFeed = FindLineFeed(data_ + searched, data_ + end_, lineHoldsNul_);
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
