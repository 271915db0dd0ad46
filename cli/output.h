// Standard output through one large stdio buffer, remembering the first failure so that a full
// disk or a closed pipe ends the run with a message instead of passing as success.
#pragma once

#include <cstdio>
#include <string_view>

namespace tarvik::cli {

class Output {
  public:
    explicit Output(std::FILE* stream);

    // Each returns false once writing has failed; Failure() then holds the errno.
    bool Write(std::string_view bytes);
    bool WriteLine(std::string_view text);
    bool Flush();

    int Failure() const { return failure_; }

  private:
    std::FILE* stream_;
    int failure_ = 0;
};

}  // namespace tarvik::cli
