// What differs between Linux and Windows at the edges of tarvik-link.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvik::cli {

// Bytes pass unchanged (no CR LF translation on Windows), and a closed pipe on standard output
// ends the process at once and quietly, as it ends cat.
void PrepareStandardStreams();

inline constexpr int StandardInput = 0;

// Opens the file that argument `index` names, for reading; on Windows by its wide name, where the
// ANSI one would have lost the characters that the system's code page lacks. A descriptor, or -1
// with errno set.
int OpenInput(char** argv, int index);
void CloseInput(int descriptor);

// What the input has, at most `size` bytes, waiting only while it has nothing, so that a
// coprocess's line is answered before it sends the next: the count, 0 at the end, or -1.
std::ptrdiff_t ReadInput(int descriptor, char* buffer, std::size_t size);

// Whether standard input is a terminal, where a user may wait without knowing what for; and the
// keys that end it there.
bool InputIsTerminal();
extern const std::string_view EndOfInputKeys;

// False, with errno set, when not all the bytes could be written to standard output (stream 1)
// or standard error (2). A Windows console is given characters instead, each line shown as the
// window shows a text: UTF-8 where IsUtf8Text says so, GBK otherwise.
bool Write(int stream, std::string_view bytes);

// Messages are UTF-8, but on Windows without --gbk they keep the texts' GBK.
bool MessagesInUtf8(bool gbkOption);

// Argument `index`. Windows reads it from the wide command line, where the ANSI one would have
// lost the characters that the system's code page lacks, and converts it as the window converts
// typed text; with --gbk into UTF-8.
std::string TextArgument(char** argv, int index, bool gbkOption);

}  // namespace tarvik::cli
