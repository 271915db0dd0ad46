// tarvik.exe --register and --unregister: the tool as the current user's opener of the four kinds
// of special link, so that a link clicked in a browser opens in its window.
#pragma once

namespace tarvik {

// Registers (or unregisters) the tool for each scheme that no other program opens, and says in a
// message box which schemes it took (or gave up), which it left to another program, and which it
// could not change. The process's exit code: 0 when every scheme not left to another program was
// changed, 1 otherwise.
unsigned ChangeLinkRegistration(bool registering);

}  // namespace tarvik
