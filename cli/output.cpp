#include "cli/output.h"

#include <cerrno>

namespace tarvik::cli {

Output::Output(std::FILE* stream) : stream_(stream) {
    // Full buffering even on a terminal or pipe: a batch writes many short lines.
    std::setvbuf(stream_, nullptr, _IOFBF, 1 << 16);
}

bool Output::Write(std::string_view bytes) {
    if (failure_ != 0) return false;
    if (bytes.empty()) return true;
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), stream_) != bytes.size()) {
        failure_ = errno != 0 ? errno : EIO;
        return false;
    }
    return true;
}

bool Output::WriteLine(std::string_view text) {
    return Write(text) && Write("\n");
}

bool Output::Flush() {
    if (failure_ != 0) return false;
    errno = 0;
    if (std::fflush(stream_) != 0 || std::ferror(stream_)) {
        failure_ = errno != 0 ? errno : EIO;
        return false;
    }
    return true;
}

}  // namespace tarvik::cli
