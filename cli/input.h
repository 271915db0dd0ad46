// The two ways tarvik-link reads standard input: line by line, and as a text of any kind in which
// it finds special links. Both read in pieces into one reused buffer, so memory stays small for
// any size of input, and a line or a link may span any number of reads.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik::cli {

// Reads at most `size` bytes into `buffer`; returns the count, 0 at the end.
using ReadFunction = std::function<std::ptrdiff_t(char* buffer, std::size_t size)>;

inline constexpr std::size_t DefaultReadSize = std::size_t{1} << 16;

// Input read `readSize` bytes at a time into one buffer that keeps what its reader still needs.
class ReadBuffer {
  public:
    ReadBuffer(ReadFunction read, std::size_t readSize);

    // Drops the bytes before `keep`, moves the rest to the front and reads more after them;
    // false at the end of the input.
    bool Fill(std::size_t keep);
    const char* Data() const { return buffer_.data(); }
    std::size_t Size() const { return end_; }

  private:
    ReadFunction read_;
    std::size_t readSize_;
    std::vector<char> buffer_;
    std::size_t end_ = 0;
    bool ended_ = false;  // a terminal's reader is not asked again after its end of input
};

enum class LineStatus { Line, HoldsNul, TooLong, End };

class LineReader {
  public:
    LineReader(ReadFunction read, std::size_t maxLineLength,
               std::size_t readSize = DefaultReadSize);

    // A line ends at LF, and one CR right before the LF is dropped; a last line without LF
    // counts. A line that holds a NUL byte, which no text does, comes as HoldsNul. `line` stays
    // valid until the next call. After TooLong, which gives the start of the line, the reader is
    // not used again.
    LineStatus Next(std::string_view& line);

  private:
    // Looks for the first NUL byte from `from` on, in all that has been read.
    void FindNul(std::size_t from);
    // The status of `line`, which ends at `lineEnd`: its LF, or the end of the input.
    LineStatus Status(std::size_t lineEnd, std::string_view line);

    ReadBuffer input_;
    std::size_t maxLineLength_;
    std::size_t begin_ = 0;  // where the pending bytes start
    // The first NUL byte from begin_ on, or the end of what has been read: NUL bytes are looked
    // for once a read, not once a line.
    std::size_t nul_ = 0;
};

class LinkFinder {
  public:
    LinkFinder(ReadFunction read, std::size_t maxLinkLength,
               std::size_t readSize = DefaultReadSize);

    // The next special link, as FindSpecialLink finds one. A link longer than the limit comes
    // back one byte longer than it, the rest of its run skipped.
    bool Next(std::string& link);

  private:
    ReadBuffer input_;
    std::size_t maxLinkLength_;
    std::size_t at_ = 0;  // where the search for the next link starts
};

}  // namespace tarvik::cli
