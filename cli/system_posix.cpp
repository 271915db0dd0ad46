#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>

#include "cli/system.h"

namespace tarvik::cli {

void PrepareStandardStreams() {
    std::signal(SIGPIPE, SIG_DFL);
}

std::ptrdiff_t ReadInput(char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t count = read(STDIN_FILENO, buffer, std::min<std::size_t>(size, SSIZE_MAX));
        if (count >= 0 || errno != EINTR) return count;
    }
}

bool Write(int stream, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t count = write(stream, bytes.data(), bytes.size());
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(count));
    }
    return true;
}

bool MessagesInUtf8(bool) {
    return true;
}

std::string TextArgument(char** argv, int index, bool) {
    return argv[index];
}

}  // namespace tarvik::cli
