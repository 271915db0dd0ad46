// Standard output through one large buffer of our own, remembering the first failure so that a
// full disk or a closed pipe ends the run with a message instead of passing as success.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace tarvik::cli {

class Output {
  public:
    explicit Output(std::FILE* stream);
    // Writes what is still buffered, so that no answer is lost on an early return.
    ~Output();
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    // Each returns false once writing has failed; Failure() then holds the errno.
    bool Write(std::string_view bytes);
    bool WriteLine(std::string_view text);
    bool Flush();

    // A line written in place: the caller appends its bytes to Line(), then EndLine() ends it.
    // This saves copying each answer from a buffer of the caller's own.
    std::string& Line() { return buffer_; }
    bool EndLine();

    int Failure() const { return failure_; }

  private:
    bool Drain();
    bool Put(std::string_view bytes);

    std::FILE* stream_;
    // A batch writes many short lines: gathering them here costs a copy, where each stdio call
    // would cost a lock and a call.
    std::string buffer_;
    int failure_ = 0;
};

}  // namespace tarvik::cli
