#include "platform/launcher.h"

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <utility>

#include "encoding/wide.h"

namespace tarvik {

namespace {

// Texts handed to the platform end at their first NUL, so a NUL inside one would quietly
// launch something other than what the caller named.
bool HoldsNul(std::string_view text) {
    return text.find('\0') != std::string_view::npos;
}

bool IsQuoted(std::string_view text) {
    return text.size() >= 2 && text.front() == '"' && text.back() == '"';
}

// The targets, parameters and folders are GBK, as every text of the program.
std::wstring Wide(std::string_view text) {
    return WideFromBytes(text, GbkCodePage);
}

bool StartProgram(std::string_view target, std::string_view parameters,
                  const std::string& workingDirectory) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    std::wstring commandLine = Wide(LaunchCommandLine(target, parameters));
    const std::wstring folder = Wide(workingDirectory);
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                        nullptr, folder.empty() ? nullptr : folder.c_str(), &startup, &started)) {
        return false;
    }
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return true;
}

bool OpenWithShell(std::string_view target, std::string_view parameters,
                   std::string workingDirectory) {
    // The shell takes a file name, not a command line: a quoted target is opened without its
    // quotes, and its folder must not start with one.
    std::string file(IsQuoted(target) ? target.substr(1, target.size() - 2) : target);
    if (workingDirectory.empty()) {
        std::size_t lastBackslash = file.rfind('\\');
        if (lastBackslash != std::string::npos && lastBackslash > 0) {
            workingDirectory = file.substr(0, lastBackslash + 1);
        }
    }
    const std::wstring fileText = Wide(file), parameterText = Wide(parameters),
                       folder = Wide(workingDirectory);

    SHELLEXECUTEINFOW request{};
    request.cbSize = sizeof request;
    // Without SEE_MASK_FLAG_NO_UI the shell answers a target it cannot open with an error
    // dialog of its own, and a failed launch is to stay silent.
    request.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    request.lpVerb = L"";
    request.lpFile = fileText.c_str();
    request.lpParameters = parameterText.c_str();
    request.lpDirectory = folder.empty() ? nullptr : folder.c_str();
    request.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&request)) return false;
    if (request.hProcess != nullptr) CloseHandle(request.hProcess);
    return true;
}

}  // namespace

std::string LaunchCommandLine(std::string_view target, std::string_view parameters) {
    std::string commandLine;
    commandLine.reserve(target.size() + parameters.size() + 3);
    if (target.starts_with('"')) {
        commandLine = target;
    } else {
        commandLine.append(1, '"').append(target).append(1, '"');
    }
    if (!parameters.empty()) commandLine.append(1, ' ').append(parameters);
    return commandLine;
}

std::intptr_t LaunchTarget(std::string_view target, std::string_view parameters,
                           std::string_view workingDirectory, std::uint32_t options,
                           LaunchedProcess* source) {
    // Waiting, hiding, keeping and piping are not built; doing half of what a caller asked for
    // would be worse than refusing.
    if (options != 0 || source != nullptr) return LaunchFailed;
    if (target.empty() || HoldsNul(target) || HoldsNul(parameters) || HoldsNul(workingDirectory)) {
        return LaunchFailed;
    }
    std::string directory(workingDirectory);
    if (StartProgram(target, parameters, directory)) return Launched;
    return OpenWithShell(target, parameters, std::move(directory)) ? Launched : LaunchFailed;
}

std::intptr_t OpenInShell(std::string_view target) {
    return LaunchTarget(target, {}, {}, 0, nullptr);
}

}  // namespace tarvik
