// What differs between Linux and Windows at the edges of tarvik-link: the byte mode of the
// standard streams, how a message reaches the user, and where TEXT comes from.
#pragma once

#include <string>
#include <string_view>

namespace tarvik::cli {

enum class TextEncoding { Gbk, Utf8 };

// Bytes must pass unchanged (no CR LF translation on Windows), and a closed pipe must come back
// as a write error instead of ending the process silently.
void PrepareStandardStreams();

// The encoding in which messages reach standard error: what the user's terminal shows.
TextEncoding MessageEncoding(bool gbkOption);

// Writes a message in the given encoding to standard error as one piece.
void WriteMessage(std::string_view message, TextEncoding encoding);

// Argument `index` of the command line as bytes: as given, or with --gbk in UTF-8 (on Windows
// read from the wide command line, where the ANSI one would already have lost characters).
std::string TextArgument(char** argv, int index, bool utf8);

}  // namespace tarvik::cli
