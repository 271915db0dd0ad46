// Reads a stream line by line through one buffer that is reused and grows only to the longest
// line, so that a batch of any size streams in little memory and allocates nothing per line.
#pragma once

#include <cstddef>
#include <cstdio>
#include <functional>
#include <string_view>
#include <vector>

#include "cli/standard_streams.h"

namespace tarvik::cli {

enum class LineStatus {
    Line,       // `line` holds the next line
    TooLong,    // the next line was longer than the limit; it was skipped up to its LF
    End,        // no more lines
    ReadError,  // the stream failed; Failure() holds the errno
};

class LineReader {
  public:
    // `beforeReading` runs whenever the reader is about to wait for more input: the place to
    // flush the answers to the lines read so far.
    LineReader(std::FILE* stream, std::size_t maxLineLength,
               std::function<void()> beforeReading = {});

    // A line ends at LF, and one CR right before the LF is dropped; a last line without LF
    // counts. `line` stays valid until the next call.
    LineStatus Next(std::string_view& line);

    // Whether the line last given holds a NUL byte, found in the same pass as its end, so that a
    // caller need not search the line again.
    bool LineHoldsNul() const { return lineHoldsNul_; }

    int Failure() const { return failure_; }

  private:
    // Reads more bytes after the pending ones; false at the end of the stream or on failure.
    bool Fill();
    // Reads into the whole buffer, dropping what it held.
    bool Refill();
    bool Read(std::size_t from);
    LineStatus SkipRestOfLine();

    std::FILE* stream_;
    std::size_t maxLineLength_;
    std::function<void()> beforeReading_;
    MappedInput mapped_;
    std::vector<char> buffer_;
    const char* data_;       // the mapped input, or buffer_ when the input is read
    std::size_t begin_ = 0;  // the pending bytes are data_[begin_, end_)
    std::size_t end_ = 0;
    int failure_ = 0;
    bool lineHoldsNul_ = false;
};

}  // namespace tarvik::cli
