// The three commands that convert nothing: Copy, Paste and the online page. Like the conversions
// they take no argument, return nothing and keep nothing from one press to the next.
#pragma once

#include <string_view>

namespace tarvik {

// The tool's online version, which OnlineButton opens in the user's browser.
inline constexpr std::string_view OnlinePageAddress = "http://www.tarvik.com/link/";

// Puts the whole, untrimmed text of OutputBox on the clipboard and says whether that worked;
// nothing at all when OutputBox is empty.
void CopyCommand();

// Replaces the whole text of InputBox with the clipboard's text, spaces trimmed from its ends;
// nothing when that leaves no text.
void PasteCommand();

// Opens OnlinePageAddress through the shell; a page that cannot be opened is not reported.
void OnlineCommand();

}  // namespace tarvik
