// Conversion between UTF-8 (what a terminal shows) and GBK (what the tool's texts are), for the
// --gbk option. A text that cannot be converted exactly is refused: no character is dropped or
// replaced by a look-alike.
#pragma once

#include <string>
#include <string_view>

#ifndef _WIN32
#include <iconv.h>
#endif

namespace tarvik::cli {

class GbkConverter {
  public:
    GbkConverter();
    ~GbkConverter();
    GbkConverter(const GbkConverter&) = delete;
    GbkConverter& operator=(const GbkConverter&) = delete;

    // False when the system offers no conversion (a C library without GBK tables).
    bool Ready() const;

    // Both replace `output` with the converted text and return true, or return false when the
    // input is not valid in its encoding or holds a character the other one lacks. `output`
    // keeps its allocation, so converting many texts allocates only while texts grow.
    bool Utf8ToGbk(std::string_view utf8, std::string& output);
    bool GbkToUtf8(std::string_view gbk, std::string& output);

  private:
#ifdef _WIN32
    std::wstring wide_;
#else
    iconv_t toGbk_;
    iconv_t toUtf8_;
#endif
};

}  // namespace tarvik::cli
