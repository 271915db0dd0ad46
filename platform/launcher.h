// Opens a program, document or address, named in GBK: first as a program, then through the shell.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvik {

// Launch options. The tool passes none; a call that sets any of them fails cleanly (returns 0).
enum LaunchOption : std::uint32_t {
    LaunchWait = 1,
    LaunchHidden = 2,
    LaunchKeepProcess = 4,
    LaunchPipeOutput = 8,
    LaunchPipeInput = 16,
    LaunchPipeError = 32,
    LaunchInputFromSource = 64,
};

// What a launch with LaunchKeepProcess would hold on to; no launch makes one, since that option
// is not built.
struct LaunchedProcess;

// What the start attempt hands to CreateProcessW, in GBK: the target in double quotes unless it
// begins with one, then a space and the parameters when there are any.
std::string LaunchCommandLine(std::string_view target, std::string_view parameters);

// What LaunchTarget returns: the target was not opened, or it was. (With LaunchKeepProcess it
// would return the LaunchedProcess instead.)
inline constexpr std::intptr_t LaunchFailed = 0, Launched = 1;

std::intptr_t LaunchTarget(std::string_view target, std::string_view parameters,
                           std::string_view workingDirectory, std::uint32_t options,
                           LaunchedProcess* source);

// LaunchTarget with no parameters, working directory, options or source.
std::intptr_t OpenInShell(std::string_view target);

}  // namespace tarvik
