#include <iconv.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>

#include "cli/system.h"

namespace tarvik::cli {
namespace {

const iconv_t ToGbkConverter = iconv_open("GBK", "UTF-8");
const iconv_t ToUtf8Converter = iconv_open("UTF-8", "GBK");

// A C library without GBK tables gives no converter, and every conversion then fails.
bool Convert(iconv_t converter, std::string_view input, std::string& output) {
    output.clear();
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    // iconv's prototype predates const; it never writes through the input pointer.
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    while (inLeft != 0) {
        const std::size_t used = output.size();
        output.resize(used + inLeft * 2 + 16);
        char* out = output.data() + used;
        std::size_t outLeft = output.size() - used;
        const std::size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
        output.resize(output.size() - outLeft);
        // EILSEQ, or EINVAL for a character cut off at the end; a count of characters converted
        // irreversibly would mean look-alikes.
        if (result == static_cast<std::size_t>(-1) ? errno != E2BIG : result != 0) return false;
    }
    return true;
}

}  // namespace

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

bool ToGbk(std::string_view utf8, std::string& output) {
    return Convert(ToGbkConverter, utf8, output);
}

bool ToUtf8(std::string_view gbk, std::string& output) {
    return Convert(ToUtf8Converter, gbk, output);
}

}  // namespace tarvik::cli
