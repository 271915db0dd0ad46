#include <windows.h>

#include "cli/gbk_conversion.h"

namespace tarvik::cli {

namespace {

constexpr UINT GbkCodePage = 936;

// The callers keep every text below 2 GiB, so the lengths fit the API's int.
int IntLength(std::size_t length) {
    return static_cast<int>(length);
}

bool ToWide(UINT codePage, std::string_view input, std::wstring& wide) {
    wide.clear();
    if (input.empty()) return true;
    const int needed = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, input.data(),
                                           IntLength(input.size()), nullptr, 0);
    if (needed <= 0) return false;
    wide.resize(static_cast<std::size_t>(needed));
    return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, input.data(),
                               IntLength(input.size()), wide.data(), needed) == needed;
}

bool FromWide(UINT codePage, const std::wstring& wide, std::string& output) {
    output.clear();
    if (wide.empty()) return true;
    // UTF-8 reports unpaired surrogates through the flag; GBK reports characters it lacks
    // through the default-character check, and best-fit look-alikes are switched off.
    const bool utf8 = codePage == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultCheck = utf8 ? nullptr : &usedDefault;
    const int needed = WideCharToMultiByte(codePage, flags, wide.data(), IntLength(wide.size()),
                                           nullptr, 0, nullptr, usedDefaultCheck);
    if (needed <= 0 || usedDefault) return false;
    output.resize(static_cast<std::size_t>(needed));
    const int written = WideCharToMultiByte(codePage, flags, wide.data(), IntLength(wide.size()),
                                            output.data(), needed, nullptr, usedDefaultCheck);
    return written == needed && !usedDefault;
}

}  // namespace

GbkConverter::GbkConverter() = default;
GbkConverter::~GbkConverter() = default;

bool GbkConverter::Ready() const {
    return IsValidCodePage(GbkCodePage) != FALSE;
}

bool GbkConverter::Utf8ToGbk(std::string_view utf8, std::string& output) {
    return ToWide(CP_UTF8, utf8, wide_) && FromWide(GbkCodePage, wide_, output);
}

bool GbkConverter::GbkToUtf8(std::string_view gbk, std::string& output) {
    return ToWide(GbkCodePage, gbk, wide_) && FromWide(CP_UTF8, wide_, output);
}

}  // namespace tarvik::cli
