#include <cerrno>

#include "cli/gbk_conversion.h"

namespace tarvik::cli {

namespace {

const iconv_t NoConverter = reinterpret_cast<iconv_t>(-1);

bool Convert(iconv_t converter, std::string_view input, std::string& output,
             std::size_t firstGuess) {
    if (converter == NoConverter) return false;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);

    // iconv's prototype predates const; it never writes through the input pointer.
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    std::size_t used = 0;
    output.resize(firstGuess);
    for (;;) {
        char* out = output.data() + used;
        std::size_t outLeft = output.size() - used;
        const std::size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
        used = static_cast<std::size_t>(out - output.data());
        if (result == static_cast<std::size_t>(-1)) {
            if (errno != E2BIG) return false;  // EILSEQ, or EINVAL for a cut-off last character
            output.resize(output.size() * 2 + 16);
            continue;
        }
        // Without //TRANSLIT glibc refuses what it cannot map; a non-zero count would mean a
        // character was approximated, which must not pass silently either.
        if (result != 0) return false;
        break;
    }
    output.resize(used);
    return true;
}

}  // namespace

GbkConverter::GbkConverter()
    : toGbk_(iconv_open("GBK", "UTF-8")), toUtf8_(iconv_open("UTF-8", "GBK")) {}

GbkConverter::~GbkConverter() {
    if (toGbk_ != NoConverter) iconv_close(toGbk_);
    if (toUtf8_ != NoConverter) iconv_close(toUtf8_);
}

bool GbkConverter::Ready() const {
    return toGbk_ != NoConverter && toUtf8_ != NoConverter;
}

// A GBK text is never longer than its UTF-8 form; UTF-8 takes at most 3 bytes per 2 GBK bytes,
// except for the lone byte 0x80 (the euro sign), which takes 3.
bool GbkConverter::Utf8ToGbk(std::string_view utf8, std::string& output) {
    return Convert(toGbk_, utf8, output, utf8.size());
}

bool GbkConverter::GbkToUtf8(std::string_view gbk, std::string& output) {
    return Convert(toUtf8_, gbk, output, gbk.size() + gbk.size() / 2 + 16);
}

}  // namespace tarvik::cli
