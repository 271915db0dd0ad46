#include <iconv.h>

#include <cerrno>

#include "encoding/encoding.h"

namespace tarvik {
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

bool ToGbk(std::string_view utf8, std::string& output) {
    return Convert(ToGbkConverter, utf8, output);
}

bool ToUtf8(std::string_view gbk, std::string& output) {
    return Convert(ToUtf8Converter, gbk, output);
}

}  // namespace tarvik
