// The Windows half of the text edge: the program's byte strings and Windows' UTF-16. Every text
// handed to or read from Windows passes through here, so the window reads the same whatever the
// system's ANSI code page is.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik {

inline constexpr unsigned GbkCodePage = 936;
inline constexpr unsigned Utf8CodePage = 65001;

// The UTF-16 form of bytes in the code page. Bytes that stand for no character there are shown as
// the code page's replacement, never dropped.
std::wstring WideFromBytes(std::string_view bytes, unsigned codePage);

// The UTF-16 form of a text whose lines may differ in encoding (a list of addresses, one hiding
// UTF-8, the next GBK): each line, up to its LF, in UTF-8 where `isUtf8` says so, else in GBK.
std::wstring WideFromLines(std::string_view text, bool (*isUtf8)(std::string_view line));

// The text's bytes in the code page, or nothing when a character has no exact form there (no
// look-alike and no "?" is ever put in its place).
std::optional<std::string> BytesFromWide(std::wstring_view text, unsigned codePage);

// A text the user typed or pasted: GBK when every character has a GBK form, otherwise UTF-8, so
// that nothing is lost. An unpaired surrogate, which no encoding holds, becomes U+FFFD.
std::string TypedTextFromWide(std::wstring_view text);

// The process's command line as Windows keeps it, in UTF-16, split as programs split it; the
// program's own name first; empty when memory ran out. The ANSI argv would have lost what the
// system's code page lacks.
std::vector<std::wstring> CommandLineArguments();

}  // namespace tarvik
