#include <fcntl.h>
#include <io.h>
#include <windows.h>
// shellapi.h needs the declarations of windows.h first.
#include <shellapi.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <new>

#include "cli/system.h"
#include "core/text_encoding.h"
#include "platform/text_conversion.h"

namespace tarvik::cli {
namespace {

// Exact: bytes that stand for no character where they come from are refused (read leniently, a
// lone 0xFF would come out as a private-use character), as is a character the other side lacks.
bool Convert(unsigned from, unsigned to, std::string_view input, std::string& output) {
    output.clear();
    if (input.empty()) return true;
    if (MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, input.data(),
                            static_cast<int>(input.size()), nullptr, 0) <= 0) {
        return false;
    }
    std::optional<std::string> converted = BytesFromWide(WideFromBytes(input, from), to);
    if (converted) output = *std::move(converted);
    return converted.has_value();
}

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

std::ptrdiff_t ReadInput(char* buffer, std::size_t size) {
    return _read(0, buffer, static_cast<unsigned>(std::min<std::size_t>(size, INT_MAX)));
}

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

std::string TextArgument(char** argv, int index, bool utf8) {
    int count = 0;
    LPWSTR* const arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr) throw std::bad_alloc();
    std::string text = argv[index];
    if (index < count) {
        const std::wstring_view typed = arguments[index];
        // An unpaired surrogate has no UTF-8 form; typed, it becomes U+FFFD, which GBK lacks, so
        // that --gbk refuses the text rather than lose it.
        text = utf8 ? BytesFromWide(typed, Utf8CodePage).value_or(TypedTextFromWide(typed))
                    : TypedTextFromWide(typed);
    }
    LocalFree(arguments);
    return text;
}

bool ToGbk(std::string_view utf8, std::string& output) {
    return Convert(Utf8CodePage, GbkCodePage, utf8, output);
}

bool ToUtf8(std::string_view gbk, std::string& output) {
    return Convert(GbkCodePage, Utf8CodePage, gbk, output);
}

}  // namespace tarvik::cli
