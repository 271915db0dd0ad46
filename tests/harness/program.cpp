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

// The answerer of this thread: a timer procedure has no argument of its own.
thread_local BoxAnswerer* answerer = nullptr;

void CALLBACK AnswerBox(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = FindWindowA("#32770", nullptr);
    if (box == nullptr || GetWindowThreadProcessId(box, nullptr) != GetCurrentThreadId()) return;
    ++answerer->count;
    answerer->owner = GetWindow(box, GW_OWNER);
    answerer->title = Text(box);
    answerer->text = Text(GetDlgItem(box, 0xFFFF));  // the identifier of a box's text
    if (answerer->whileUp) answerer->whileUp(box);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}

}  // namespace

BoxAnswerer::BoxAnswerer(std::function<void(HWND box)> look) : whileUp(std::move(look)) {
    answerer = this;
    timer = SetTimer(nullptr, 0, 50, AnswerBox);
}

BoxAnswerer::~BoxAnswerer() {
    KillTimer(nullptr, timer);
    answerer = nullptr;
}

Program::Program(std::string commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &started))
        CloseHandle(started.hThread);
    process_ = started.hProcess;  // none when it could not start
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
            HWND found = FindTopLevel(GetProcessId(process_), nullptr);
            if (SendMessageTimeoutA(found, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, SettleMs, nullptr))
                window_ = found;
            return window_ || ExitCode(0) != STILL_ACTIVE;
        },
        timeoutMs);
    return window_;
}

HWND Program::Dialog() const {
    return FindTopLevel(GetProcessId(process_), "#32770");
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

std::wstring Text(HWND window) {
    // GetWindowTextW cannot read a control of another process; the messages can.
    DWORD_PTR length = 0, copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, SettleMs, &length);
    std::wstring text(length + 1, L'\0');
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, SettleMs, &copied);
    text.resize(copied < length ? copied : length);
    return text;
}

bool Shows(HWND window, int control, std::wstring_view text) {
    return WaitUntil([&] { return Text(GetDlgItem(window, control)) == text; });
}

std::wstring FromGbk(std::string_view text) {
    std::wstring wide(text.size(), L'\0');
    wide.resize(
        MultiByteToWideChar(936, 0, text.data(), int(text.size()), wide.data(), int(text.size())));
    return wide;
}

std::string ToolPath() {
    std::string test(MAX_PATH, '\0');
    test.resize(GetModuleFileNameA(nullptr, test.data(), MAX_PATH));
    return "\"" + test.substr(0, test.rfind("\\tests\\")) + "\\tarvik.exe\"";
}

}  // namespace harness
