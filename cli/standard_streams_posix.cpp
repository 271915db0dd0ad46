#include <csignal>
#include <cstdio>

#include "cli/standard_streams.h"

namespace tarvik::cli {

void PrepareStandardStreams() {
    std::signal(SIGPIPE, SIG_IGN);
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
