// What differs between Linux and Windows at the edges of tarvik-link: the byte mode of the
// standard streams, how a message reaches the user, and where TEXT comes from.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace tarvik::cli {

enum class TextEncoding { Gbk, Utf8 };

// Bytes must pass unchanged (no CR LF translation on Windows), and a closed pipe must come back
// as a write error instead of ending the process silently.
void PrepareStandardStreams();

// Reads what the stream has, at most `size` bytes, waiting only while it has nothing (stdio's
// fread would wait for the whole `size`, so a line typed or sent by a coprocess would sit unread).
// Returns the count, 0 at the end, or -1 with errno set.
std::ptrdiff_t ReadAvailable(std::FILE* stream, char* buffer, std::size_t size);

// The rest of a stream that is a regular file, mapped into memory so that a batch reads it without
// copying it; empty for a pipe, a terminal, an empty file or one that cannot be mapped, which are
// read with ReadAvailable. Mapping takes the rest of the file: the stream's position moves to its
// end, where reading it all would have left it. The file must not shrink while it is mapped.
class MappedInput {
  public:
    explicit MappedInput(std::FILE* stream);
    ~MappedInput();
    MappedInput(const MappedInput&) = delete;
    MappedInput& operator=(const MappedInput&) = delete;

    std::string_view Bytes() const { return bytes_; }

  private:
    void* mapping_ = nullptr;
    std::size_t mappingSize_ = 0;
    std::string_view bytes_;
};

// The encoding in which messages reach standard error: what the user's terminal shows.
TextEncoding MessageEncoding(bool gbkOption);

// Writes a message in the given encoding to standard error as one piece.
void WriteMessage(std::string_view message, TextEncoding encoding);

// Argument `index` of the command line as bytes: as given, or with --gbk in UTF-8 (on Windows
// read from the wide command line, where the ANSI one would already have lost characters).
std::string TextArgument(char** argv, int index, bool utf8);

}  // namespace tarvik::cli
