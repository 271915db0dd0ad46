// The two ways tarvik-link reads its input: line by line, and as a text of any kind in which
// special links are found. Both read in pieces into one reused buffer, so memory stays small for
// any size of input, and a line or link may span any number of reads.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik::cli {

// Reads at most `size` bytes into `buffer`; returns the count, or 0 (or less) at the end.
using ReadFunction = std::function<std::ptrdiff_t(char* buffer, std::size_t size)>;

enum class LineStatus {
    Line,     // `line` holds the next line
    TooLong,  // the next line was longer than the limit; it was skipped up to its LF
    End,
};

class LineReader {
  public:
    LineReader(ReadFunction read, std::size_t maxLineLength);

    // A line ends at LF, and one CR right before the LF is dropped; a last line without LF
    // counts. `line` stays valid until the next call; for TooLong it holds the line's start.
    LineStatus Next(std::string_view& line);

  private:
    // Moves the pending bytes to the front and reads more after them; false at the end.
    bool Fill();
    LineStatus SkipRestOfLine();

    ReadFunction read_;
    std::size_t maxLineLength_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;  // the pending bytes are buffer_[begin_, end_)
    std::size_t end_ = 0;
    std::string skipped_;
};

class LinkFinder {
  public:
    LinkFinder(ReadFunction read, std::size_t maxLinkLength);

    // The next special link: "thunder://", "flashget://", "qqdl://" or "fs2you://" in any letter
    // case, anywhere, and the longest run of the characters A-Z a-z 0-9 + / = after it. A link
    // longer than the limit comes back cut one byte past it, the rest of its run skipped. False
    // at the end of the input.
    bool Next(std::string& link);

  private:
    // Keeps the few bytes before `from` that a scheme name may take, and reads more after them;
    // false at the end.
    bool Fill(std::size_t from);
    void TakeRun(std::string& link);

    ReadFunction read_;
    std::size_t maxLinkLength_;
    std::vector<char> buffer_;
    std::size_t at_ = 0;  // where the search goes on; the bytes before it are kept to look back
    std::size_t end_ = 0;
};

}  // namespace tarvik::cli
