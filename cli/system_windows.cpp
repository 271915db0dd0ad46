#include <fcntl.h>
#include <io.h>
#include <windows.h>
// shellapi.h needs the declarations of windows.h first.
#include <shellapi.h>

#include <algorithm>
#include <climits>
#include <cstdio>

#include "cli/system.h"

namespace tarvik::cli {
namespace {

constexpr UINT GbkCodePage = 936;

// The callers keep every text below 2 GiB, so lengths fit the API's int.
bool Convert(UINT from, UINT to, std::string_view input, std::string& output) {
    output.clear();
    if (input.empty()) return true;
    const int length = static_cast<int>(input.size());
    std::wstring wide(input.size(), L'\0');
    const int count =
        MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, input.data(), length, wide.data(), length);
    if (count <= 0) return false;
    // UTF-8 reports unpaired surrogates through its flag, GBK a character it lacks through the
    // default-character check, with best-fit look-alikes switched off.
    BOOL usedDefault = FALSE;
    BOOL* const check = to == CP_UTF8 ? nullptr : &usedDefault;
    const DWORD flags = to == CP_UTF8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    output.resize(static_cast<std::size_t>(count) * 3);
    const int written = WideCharToMultiByte(to, flags, wide.data(), count, output.data(),
                                            static_cast<int>(output.size()), nullptr, check);
    output.resize(static_cast<std::size_t>(std::max(written, 0)));
    return written > 0 && !usedDefault;
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

bool WriteOutput(std::string_view bytes) {
    while (!bytes.empty()) {
        const int count = _write(
            1, bytes.data(), static_cast<unsigned>(std::min<std::size_t>(bytes.size(), INT_MAX)));
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
    LPWSTR* const arguments = utf8 ? CommandLineToArgvW(GetCommandLineW(), &count) : nullptr;
    if (arguments == nullptr) return argv[index];
    std::string text = argv[index];
    if (index < count) {
        // Without WC_ERR_INVALID_CHARS a lone surrogate becomes U+FFFD, which GBK lacks: the text
        // is then refused rather than lost.
        const int length = lstrlenW(arguments[index]);
        text.assign(static_cast<std::size_t>(length) * 3, '\0');
        const int written = WideCharToMultiByte(CP_UTF8, 0, arguments[index], length, text.data(),
                                                static_cast<int>(text.size()), nullptr, nullptr);
        text.resize(static_cast<std::size_t>(std::max(written, 0)));
    }
    LocalFree(arguments);
    return text;
}

bool ToGbk(std::string_view utf8, std::string& output) {
    return Convert(CP_UTF8, GbkCodePage, utf8, output);
}

bool ToUtf8(std::string_view gbk, std::string& output) {
    return Convert(GbkCodePage, CP_UTF8, gbk, output);
}

}  // namespace tarvik::cli
