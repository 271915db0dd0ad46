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
