// Which program opens the links of a scheme ("thunder"), as browsers and the shell look it up in
// the registry's classes, and this program made their opener for the current user only: keys
// under HKEY_CURRENT_USER\Software\Classes, which need no administrator.
#pragma once

#include <string>
#include <string_view>

namespace tarvik {

enum class SchemeOpener { Nobody, ThisProgram, AnotherProgram };

// This program's full path, however long; empty when it cannot be had.
std::wstring ThisProgramPath();

// The program that the scheme's shell\open\command names: the user's own command, or where the
// user has none and not `userOnly`, the machine-wide one (Windows merges them in that order). A
// command that cannot be read is taken as another program's, so that it is never overwritten.
SchemeOpener OpenerOfScheme(std::wstring_view scheme, std::wstring_view program, bool userOnly);

// Makes the program the user's opener of the scheme; false when a key or value could not be
// written.
bool RegisterSchemeOpener(std::wstring_view scheme, std::wstring_view program);

// Removes the user's key of the scheme with everything under it; true when it is gone, or was
// never there.
bool RemoveUserScheme(std::wstring_view scheme);

}  // namespace tarvik
