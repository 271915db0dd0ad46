#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>

#include "cli/standard_streams.h"

namespace tarvik::cli {

void PrepareStandardStreams() {
    std::signal(SIGPIPE, SIG_IGN);
}

std::ptrdiff_t ReadAvailable(std::FILE* stream, char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t count = read(fileno(stream), buffer, std::min<std::size_t>(size, SSIZE_MAX));
        if (count >= 0 || errno != EINTR) return count;
    }
}

MappedInput::MappedInput(std::FILE* stream) {
    const int descriptor = fileno(stream);
    struct stat status;
    if (descriptor < 0 || fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) return;
    const off_t position = lseek(descriptor, 0, SEEK_CUR);
    if (position < 0 || position >= status.st_size) return;
    const auto size = static_cast<std::size_t>(status.st_size);
    // Mapping every page at once costs less than taking a fault for each as the batch reaches it.
#ifdef MAP_POPULATE
    constexpr int Flags = MAP_PRIVATE | MAP_POPULATE;
#else
    constexpr int Flags = MAP_PRIVATE;
#endif
    void* mapping = mmap(nullptr, size, PROT_READ, Flags, descriptor, 0);
    if (mapping == MAP_FAILED) return;
    lseek(descriptor, 0, SEEK_END);
    mapping_ = mapping;
    mappingSize_ = size;
    bytes_ = std::string_view(static_cast<const char*>(mapping), size)
                 .substr(static_cast<std::size_t>(position));
}

MappedInput::~MappedInput() {
    if (mapping_ != nullptr) munmap(mapping_, mappingSize_);
}

TextEncoding MessageEncoding(bool) {
    return TextEncoding::Utf8;
}

void WriteMessage(std::string_view message, TextEncoding) {
    std::fwrite(message.data(), 1, message.size(), stderr);
}

std::string TextArgument(char** argv, int index, bool) {
    return argv[index];
}

}  // namespace tarvik::cli
