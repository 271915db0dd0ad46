// Opens a program, document or address: first as a program, then through the shell.
#pragma once

#include <cstdint>
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

struct LaunchedProcess;

// Makes the lock of LaunchedProcessList; start-up calls it once.
void InitializeLauncher();

// 0 on failure, 1 on success.
std::intptr_t LaunchTarget(std::string_view target, std::string_view parameters,
                           std::string_view workingDirectory, std::uint32_t options,
                           LaunchedProcess* source);

// LaunchTarget with no parameters, working directory, options or source.
std::intptr_t OpenInShell(std::string_view target);

}  // namespace tarvik
