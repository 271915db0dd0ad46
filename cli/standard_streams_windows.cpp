#include <fcntl.h>
#include <io.h>
#include <windows.h>
// shellapi.h needs the declarations of windows.h first.
#include <shellapi.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <memory>

#include "cli/standard_streams.h"

namespace tarvik::cli {

namespace {

constexpr UINT GbkCodePage = 936;

struct LocalFreeDeleter {
    void operator()(LPWSTR* block) const { LocalFree(block); }
};

std::wstring Widen(std::string_view text, UINT codePage) {
    std::wstring wide;
    const int length = static_cast<int>(text.size());
    const int needed = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    if (needed <= 0) return wide;
    wide.resize(static_cast<std::size_t>(needed));
    MultiByteToWideChar(codePage, 0, text.data(), length, wide.data(), needed);
    return wide;
}

}  // namespace

void PrepareStandardStreams() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

std::ptrdiff_t ReadAvailable(std::FILE* stream, char* buffer, std::size_t size) {
    return _read(_fileno(stream), buffer,
                 static_cast<unsigned>(std::min<std::size_t>(size, INT_MAX)));
}

// Redirected messages keep the encoding of the texts on standard output.
// Windows reads every stream with ReadAvailable.
MappedInput::MappedInput(std::FILE*) {}
MappedInput::~MappedInput() = default;

TextEncoding MessageEncoding(bool gbkOption) {
    return gbkOption ? TextEncoding::Utf8 : TextEncoding::Gbk;
}

void WriteMessage(std::string_view message, TextEncoding encoding) {
    // A console shows wide text correctly whatever its code page.
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (error != INVALID_HANDLE_VALUE && GetConsoleMode(error, &mode)) {
        const std::wstring wide =
            Widen(message, encoding == TextEncoding::Utf8 ? CP_UTF8 : GbkCodePage);
        DWORD written = 0;
        WriteConsoleW(error, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    std::fwrite(message.data(), 1, message.size(), stderr);
}

std::string TextArgument(char** argv, int index, bool utf8) {
    if (!utf8) return argv[index];
    int count = 0;
    std::unique_ptr<LPWSTR, LocalFreeDeleter> arguments(
        CommandLineToArgvW(GetCommandLineW(), &count));
    if (!arguments || index >= count) return argv[index];
    // A lone surrogate becomes U+FFFD here, which GBK lacks: the text is then refused, not lost.
    const wchar_t* wide = arguments.get()[index];
    const int length = lstrlenW(wide);
    std::string text;
    const int needed = WideCharToMultiByte(CP_UTF8, 0, wide, length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return text;
    text.resize(static_cast<std::size_t>(needed));
    WideCharToMultiByte(CP_UTF8, 0, wide, length, text.data(), needed, nullptr, nullptr);
    return text;
}

}  // namespace tarvik::cli
