#include "program.h"

namespace harness {

namespace {

// The first visible top-level window of the process, of the class when one is named.
HWND FindTopLevel(DWORD processId, const char* className) {
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, className, nullptr));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window)) return window;
    }
    return nullptr;
}

// A Unix program started from Wine has no process handle.
bool Start(std::string commandLine, PROCESS_INFORMATION& started) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
        return false;
    }
    if (started.hThread) CloseHandle(started.hThread);
    return true;
}

}  // namespace

Program::Program(std::string commandLine) {
    PROCESS_INFORMATION started{};
    if (Start(std::move(commandLine), started)) {
        process_ = started.hProcess;
        processId_ = started.dwProcessId;
    }
}

Program::~Program() {
    // A test that failed may leave the program waiting in a message box.
    if (ExitCode(0) == STILL_ACTIVE && TerminateProcess(process_, 1))
        WaitForSingleObject(process_, SettleMs);
    if (process_) CloseHandle(process_);
}

HWND Program::WaitForWindow(DWORD timeoutMs) {
    WaitUntil(
        [&] {
            HWND found = FindTopLevel(processId_, nullptr);
            DWORD_PTR result = 0;
            if (found &&
                SendMessageTimeoutA(found, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, SettleMs, &result))
                window_ = found;
            return window_ || ExitCode(0) != STILL_ACTIVE;
        },
        timeoutMs);
    return window_;
}

HWND Program::Dialog() const {
    return FindTopLevel(processId_, "#32770");
}

DWORD Program::ExitCode(DWORD timeoutMs) {
    DWORD code = STILL_ACTIVE;
    WaitForSingleObject(process_, timeoutMs);
    GetExitCodeProcess(process_, &code);
    return code;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    for (ULONGLONG deadline = GetTickCount64() + timeoutMs;; Sleep(10)) {
        if (condition()) return true;
        if (GetTickCount64() > deadline) return false;
    }
}

std::string Text(HWND window) {
    // GetWindowTextA cannot read a control of another process; the message can.
    char text[4096] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, SettleMs, &copied);
    return std::string(text, copied);
}

void Type(HWND control, std::string_view text) {
    for (char c : text) PostMessageA(control, WM_CHAR, static_cast<unsigned char>(c), 0);
}

bool SaveScreenshot(const std::string& path) {
    // A Wine program can start a Unix program, though not wait for it. ImageMagick takes the
    // picture from the X display, where Wine has drawn everything, and the shell renames the file
    // only once it is whole, so the file's appearance tells that the picture is ready.
    std::string unixPath = path.substr(path.find(':') + 1);
    for (char& c : unixPath) c = c == '\\' ? '/' : c;
    DeleteFileA(path.c_str());
    PROCESS_INFORMATION shell{};
    if (!Start("/bin/sh -c \"/usr/bin/import -window root '" + unixPath +
                   ".part.png' && /bin/mv '" + unixPath + ".part.png' '" + unixPath + "'\"",
               shell)) {
        return false;
    }
    if (shell.hProcess) CloseHandle(shell.hProcess);
    return WaitUntil([&] { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; });
}

}  // namespace harness
