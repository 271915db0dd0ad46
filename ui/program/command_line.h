// What tarvik.exe is asked to do by its command line: open its window, with a text when one is
// given, or make itself the opener of special links, or stop being it.
#pragma once

#include <string>
#include <string_view>

namespace tarvik {

struct ProgramArguments {
    enum Action { OpenWindow, Register, Unregister } action = OpenWindow;
    // For OpenWindow: the arguments joined by spaces, spaces trimmed.
    std::wstring text;
};

// Reads the process's command line as Unicode.
ProgramArguments ReadProgramArguments();

// Puts a text given on the command line into InputBox. A special link is converted at once by its
// own button, with the keyboard focus on OutputBox, so that its address can be copied at once;
// that is how a link clicked in a browser arrives.
void OpenWithText(std::wstring_view text);

}  // namespace tarvik
