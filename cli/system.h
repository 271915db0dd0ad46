// What differs between Linux and Windows at the edges of tarvik-link: the standard streams, the
// encoding of messages, where TEXT comes from, and the conversion between UTF-8 and GBK.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#ifndef _WIN32
#include <iconv.h>
#endif

namespace tarvik::cli {

// Bytes pass unchanged (no CR LF translation on Windows), and a closed pipe on standard output
// ends the process at once and quietly, as it ends cat.
void PrepareStandardStreams();

// Reads what standard input has, at most `size` bytes, waiting only while it has nothing, so
// that a line sent by a coprocess is answered before more arrive. Returns the count, 0 at the end,
// or -1 with errno set.
std::ptrdiff_t ReadInput(char* buffer, std::size_t size);

// Writes all the bytes to standard output; false with errno set when that fails.
bool WriteOutput(std::string_view bytes);

// Whether messages reach the user in UTF-8 rather than GBK: on Windows without --gbk a redirected
// message keeps the encoding of the texts.
bool MessagesInUtf8(bool gbkOption);

// Writes a message to standard error as one piece; a Windows console shows it in any code page.
void WriteMessage(std::string_view message, bool utf8);

// Argument `index` of the command line: as given, or with --gbk in UTF-8 (on Windows read from
// the wide command line, where the ANSI one would already have lost characters).
std::string TextArgument(char** argv, int index, bool utf8);

// Exact conversion between UTF-8 and GBK: a text that cannot be converted whole is refused, never
// shortened or given look-alike characters.
class GbkConverter {
  public:
    GbkConverter();
    ~GbkConverter();
    GbkConverter(const GbkConverter&) = delete;
    GbkConverter& operator=(const GbkConverter&) = delete;

    // False when the system offers no conversion (a C library without GBK tables).
    bool Ready() const;

    // Replace `output` with the converted text, or return false.
    bool ToGbk(std::string_view utf8, std::string& output);
    bool ToUtf8(std::string_view gbk, std::string& output);

  private:
#ifdef _WIN32
    std::wstring wide_;
#else
    iconv_t toGbk_;
    iconv_t toUtf8_;
#endif
};

}  // namespace tarvik::cli
