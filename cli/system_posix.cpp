#include <fcntl.h>
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

int OpenInput(char** argv, int index) {
    for (;;) {
        const int descriptor = open(argv[index], O_RDONLY | O_CLOEXEC);
        if (descriptor >= 0 || errno != EINTR) return descriptor;
    }
}

void CloseInput(int descriptor) {
    close(descriptor);
}

std::ptrdiff_t ReadInput(int descriptor, char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t count = read(descriptor, buffer, std::min<std::size_t>(size, SSIZE_MAX));
        if (count >= 0 || errno != EINTR) return count;
    }
}

bool InputIsTerminal() {
    return isatty(STDIN_FILENO) != 0;
}

const std::string_view EndOfInputKeys = "Ctrl+D";

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
