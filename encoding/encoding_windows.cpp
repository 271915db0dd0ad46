#include <windows.h>
// shellapi.h needs the declarations of windows.h first.
#include <shellapi.h>

#include <climits>

#include "encoding/encoding.h"
#include "encoding/wide.h"

namespace tarvik {
namespace {

std::optional<std::string> ToBytes(std::wstring_view text, unsigned codePage, DWORD flags,
                                   BOOL* usedDefault) {
    if (text.empty()) return std::string();
    if (text.size() > INT_MAX / 4) return std::nullopt;
    std::string bytes(text.size() * 3, '\0');  // at most 3 bytes per UTF-16 unit in either
    const int count =
        WideCharToMultiByte(codePage, flags, text.data(), static_cast<int>(text.size()),
                            bytes.data(), static_cast<int>(bytes.size()), nullptr, usedDefault);
    if (count <= 0 || (usedDefault != nullptr && *usedDefault)) return std::nullopt;
    bytes.resize(static_cast<std::size_t>(count));
    return bytes;
}

// Exact: bytes that stand for no character where they come from are refused (read leniently, a
// lone 0xFF would come out as a private-use character), as is a character the other side lacks.
bool Convert(unsigned from, unsigned to, std::string_view input, std::string& output) {
    output.clear();
    if (input.empty()) return true;
    if (input.size() > INT_MAX / 2 ||
        MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, input.data(),
                            static_cast<int>(input.size()), nullptr, 0) <= 0) {
        return false;
    }
    std::optional<std::string> converted = BytesFromWide(WideFromBytes(input, from), to);
    if (converted) output = *std::move(converted);
    return converted.has_value();
}

}  // namespace

// The texts of a window, the clipboard and a command line stay far below 2 GiB; a longer one is
// refused rather than cut.
std::wstring WideFromBytes(std::string_view bytes, unsigned codePage) {
    if (bytes.empty() || bytes.size() > INT_MAX / 2) return {};
    const int length = static_cast<int>(bytes.size());
    std::wstring wide(bytes.size(), L'\0');  // never more UTF-16 units than bytes
    const int count = MultiByteToWideChar(codePage, 0, bytes.data(), length, wide.data(), length);
    wide.resize(static_cast<std::size_t>(count > 0 ? count : 0));
    return wide;
}

std::wstring WideFromLines(std::string_view text, bool (*isUtf8)(std::string_view line)) {
    std::wstring wide;
    for (;;) {
        const std::string_view line = text.substr(0, text.find('\n'));
        wide += WideFromBytes(line, isUtf8(line) ? Utf8CodePage : GbkCodePage);
        if (line.size() == text.size()) return wide;
        wide += L'\n';
        text.remove_prefix(line.size() + 1);
    }
}

std::optional<std::string> BytesFromWide(std::wstring_view text, unsigned codePage) {
    // UTF-8 reports an unpaired surrogate through its flag; GBK reports a character it lacks
    // through the default-character check, with best-fit look-alikes switched off.
    if (codePage == Utf8CodePage) return ToBytes(text, codePage, WC_ERR_INVALID_CHARS, nullptr);
    BOOL usedDefault = FALSE;
    return ToBytes(text, codePage, WC_NO_BEST_FIT_CHARS, &usedDefault);
}

std::string TypedTextFromWide(std::wstring_view text) {
    if (auto gbk = BytesFromWide(text, GbkCodePage)) return *std::move(gbk);
    // Without the strict flag an unpaired surrogate becomes U+FFFD.
    return ToBytes(text, Utf8CodePage, 0, nullptr).value_or(std::string());
}

std::vector<std::wstring> CommandLineArguments() {
    int count = 0;
    LPWSTR* const arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr) return {};
    std::vector<std::wstring> split(arguments, arguments + count);
    LocalFree(arguments);
    return split;
}

bool ToGbk(std::string_view utf8, std::string& output) {
    return Convert(Utf8CodePage, GbkCodePage, utf8, output);
}

bool ToUtf8(std::string_view gbk, std::string& output) {
    return Convert(GbkCodePage, Utf8CodePage, gbk, output);
}

}  // namespace tarvik
