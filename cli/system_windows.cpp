#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <new>

#include "cli/system.h"
#include "core/text_encoding.h"
#include "encoding/wide.h"

namespace tarvik::cli {
namespace {

bool WriteToConsole(HANDLE console, std::string_view lines) {
    const std::wstring text = WideFromLines(lines, IsUtf8Text);
    // Consoles take a limited amount at a time.
    for (std::wstring_view rest = text; !rest.empty();) {
        DWORD written = 0;
        const auto count = static_cast<DWORD>(std::min<std::size_t>(rest.size(), 8192));
        if (!WriteConsoleW(console, rest.data(), count, &written, nullptr) || written == 0) {
            errno = EIO;
            return false;
        }
        rest.remove_prefix(written);
    }
    return true;
}

}  // namespace

void PrepareStandardStreams() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

int OpenInput(char** argv, int index) {
    const std::vector<std::wstring> arguments = CommandLineArguments();
    if (static_cast<std::size_t>(index) >= arguments.size())
        return _open(argv[index], _O_RDONLY | _O_BINARY);
    return _wopen(arguments[static_cast<std::size_t>(index)].c_str(), _O_RDONLY | _O_BINARY);
}

void CloseInput(int descriptor) {
    _close(descriptor);
}

std::ptrdiff_t ReadInput(int descriptor, char* buffer, std::size_t size) {
    return _read(descriptor, buffer, static_cast<unsigned>(std::min<std::size_t>(size, INT_MAX)));
}

// A console, not any character device: _isatty would also take NUL for one.
bool InputIsTerminal() {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != 0;
}

// A console ends its input at a line that begins with Ctrl+Z.
const std::string_view EndOfInputKeys = "Ctrl+Z and Enter";

bool Write(int stream, std::string_view bytes) {
    const HANDLE handle = GetStdHandle(stream == 1 ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (GetConsoleMode(handle, &mode)) return WriteToConsole(handle, bytes);
    while (!bytes.empty()) {
        const int count =
            _write(stream, bytes.data(),
                   static_cast<unsigned>(std::min<std::size_t>(bytes.size(), INT_MAX)));
        if (count < 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(count));
    }
    return true;
}

bool MessagesInUtf8(bool gbkOption) {
    return gbkOption;
}

std::string TextArgument(char** argv, int index, bool gbkOption) {
    const std::vector<std::wstring> arguments = CommandLineArguments();
    if (arguments.empty()) throw std::bad_alloc();
    if (static_cast<std::size_t>(index) >= arguments.size()) return argv[index];
    const std::wstring_view typed = arguments[static_cast<std::size_t>(index)];
    // An unpaired surrogate has no UTF-8 form; typed, it becomes U+FFFD, which GBK lacks, so that
    // --gbk refuses the text rather than lose it.
    return gbkOption ? BytesFromWide(typed, Utf8CodePage).value_or(TypedTextFromWide(typed))
                     : TypedTextFromWide(typed);
}

}  // namespace tarvik::cli
