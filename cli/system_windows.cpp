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
bool ToWide(UINT codePage, std::string_view input, std::wstring& wide) {
    wide.clear();
    if (input.empty()) return true;
    const int length = static_cast<int>(input.size());
    const int needed =
        MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, input.data(), length, nullptr, 0);
    if (needed <= 0) return false;
    wide.resize(static_cast<std::size_t>(needed));
    return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, input.data(), length, wide.data(),
                               needed) == needed;
}

bool FromWide(UINT codePage, std::wstring_view wide, std::string& output) {
    output.clear();
    if (wide.empty()) return true;
    // UTF-8 reports unpaired surrogates through the flag; GBK reports characters it lacks through
    // the default-character check, with best-fit look-alikes switched off.
    const bool utf8 = codePage == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* const check = utf8 ? nullptr : &usedDefault;
    const int length = static_cast<int>(wide.size());
    const int needed =
        WideCharToMultiByte(codePage, flags, wide.data(), length, nullptr, 0, nullptr, check);
    if (needed <= 0 || usedDefault) return false;
    output.resize(static_cast<std::size_t>(needed));
    return WideCharToMultiByte(codePage, flags, wide.data(), length, output.data(), needed, nullptr,
                               check) == needed &&
           !usedDefault;
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

void WriteMessage(std::string_view message, bool utf8) {
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    std::wstring wide;
    if (GetConsoleMode(error, &mode) && ToWide(utf8 ? CP_UTF8 : GbkCodePage, message, wide)) {
        DWORD written = 0;
        WriteConsoleW(error, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    std::fwrite(message.data(), 1, message.size(), stderr);
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

GbkConverter::GbkConverter() = default;
GbkConverter::~GbkConverter() = default;

bool GbkConverter::Ready() const {
    return IsValidCodePage(GbkCodePage) != FALSE;
}

bool GbkConverter::ToGbk(std::string_view utf8, std::string& output) {
    return ToWide(CP_UTF8, utf8, wide_) && FromWide(GbkCodePage, wide_, output);
}

bool GbkConverter::ToUtf8(std::string_view gbk, std::string& output) {
    return ToWide(GbkCodePage, gbk, wide_) && FromWide(CP_UTF8, wide_, output);
}

}  // namespace tarvik::cli
