#include "cli/output.h"

#include <cerrno>
#include <cstring>

namespace tarvik::cli {

namespace {

constexpr std::size_t BufferSize = 1 << 16;

}  // namespace

Output::Output(std::FILE* stream) : stream_(stream), buffer_(BufferSize) {
    // The buffer above is the only one: stdio passes each of its writes straight on.
    std::setvbuf(stream_, nullptr, _IONBF, 0);
}

Output::~Output() {
    Drain();
}

bool Output::Write(std::string_view bytes) {
    if (failure_ != 0) return false;
    if (bytes.size() > buffer_.size() - used_) {
        if (!Drain()) return false;
        if (bytes.size() >= buffer_.size()) return Put(bytes);
    }
    if (!bytes.empty()) std::memcpy(buffer_.data() + used_, bytes.data(), bytes.size());
    used_ += bytes.size();
    return true;
}

bool Output::WriteLine(std::string_view text) {
    return Write(text) && Write("\n");
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
    const std::size_t used = used_;
    used_ = 0;
    return Put(std::string_view(buffer_.data(), used));
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
