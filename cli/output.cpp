#include "cli/output.h"

#include <algorithm>
#include <cerrno>

namespace tarvik::cli {

namespace {

constexpr std::size_t BufferSize = 1 << 16;

}  // namespace

Output::Output(std::FILE* stream) : stream_(stream) {
    buffer_.reserve(BufferSize);
    // The buffer above is the only one: stdio passes each of its writes straight on.
    std::setvbuf(stream_, nullptr, _IONBF, 0);
}

Output::~Output() {
    Drain();
}

bool Output::Write(std::string_view bytes) {
    if (failure_ != 0) return false;
    if (bytes.size() > BufferSize - std::min(buffer_.size(), BufferSize)) {
        if (!Drain()) return false;
        if (bytes.size() >= BufferSize) return Put(bytes);
    }
    buffer_.append(bytes);
    return true;
}

bool Output::WriteLine(std::string_view text) {
    return Write(text) && Write("\n");
}

bool Output::EndLine() {
    if (failure_ != 0) {
        buffer_.clear();
        return false;
    }
    buffer_.push_back('\n');
    return buffer_.size() < BufferSize || Drain();
}

bool Output::Flush() {
    if (!Drain()) return false;
    errno = 0;
    if (std::fflush(stream_) != 0 || std::ferror(stream_)) {
        failure_ = errno != 0 ? errno : EIO;
        return false;
    }
    return true;
}

bool Output::Drain() {
    const bool written = Put(buffer_);
    buffer_.clear();
    // A line far longer than the buffer is not kept in memory for the rest of the run.
    if (buffer_.capacity() > 2 * BufferSize) {
        buffer_.shrink_to_fit();
        buffer_.reserve(BufferSize);
    }
    return written;
}

bool Output::Put(std::string_view bytes) {
    if (failure_ != 0) return false;
    if (bytes.empty()) return true;
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), stream_) != bytes.size()) {
        failure_ = errno != 0 ? errno : EIO;
        return false;
    }
    return true;
}

}  // namespace tarvik::cli
