// tarvik-window-tool: waits for, measures and closes a top-level window from inside the Wine
// prefix. The prefix's virtual desktop hides its windows from X tools, so scripts and tests ask
// this program instead.
//
//   tarvik-window-tool wait TITLE SECONDS    exit 0 once a visible window has that title
//   tarvik-window-tool rect TITLE SECONDS    prints "X Y WIDTH HEIGHT" of the window's frame
//   tarvik-window-tool close TITLE SECONDS   posts WM_CLOSE, waits for the window's process to
//                                            end and prints "exit code N"
//
// Exit code 0 on success, 1 when the window or its process did not do what was asked in time,
// 2 for a wrong command line.
//
// TITLE may spell any character as \uXXXX (four hex digits): Wine turns the Unix command line
// into Windows text through the Unix locale, and where zh_CN.UTF-8 is not installed it keeps only
// seven bits of each byte, so a Chinese title cannot arrive as it was typed. ASCII always does.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <cwctype>
#include <string>

namespace {

class UniqueHandle {
  public:
    explicit UniqueHandle(HANDLE handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() {
        if (handle_) CloseHandle(handle_);
    }
    HANDLE get() const { return handle_; }

  private:
    HANDLE handle_;
};

// A deadline on the tick counter; everything the tool waits for shares one.
class Deadline {
  public:
    explicit Deadline(DWORD seconds) : end_(GetTickCount64() + seconds * 1000ULL) {}
    bool passed() const { return GetTickCount64() >= end_; }
    DWORD remaining_ms() const {
        ULONGLONG now = GetTickCount64();
        return now >= end_ ? 0 : static_cast<DWORD>(end_ - now);
    }

  private:
    ULONGLONG end_;
};

HWND WaitForVisibleWindow(const wchar_t* title, const Deadline& deadline) {
    for (;;) {
        HWND window = FindWindowW(nullptr, title);
        if (window && IsWindowVisible(window)) return window;
        if (deadline.passed()) return nullptr;
        Sleep(100);
    }
}

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

// Replaces each \uXXXX by its character; a backslash not followed by that stays as it is.
std::wstring Unescape(const wchar_t* text) {
    std::wstring result;
    for (const wchar_t* at = text; *at;) {
        if (at[0] == L'\\' && at[1] == L'u') {
            int code = 0, digits = 0;
            while (digits < 4 && HexDigit(at[2 + digits]) >= 0)
                code = code * 16 + HexDigit(at[2 + digits++]);
            if (digits == 4) {
                result += static_cast<wchar_t>(code);
                at += 6;
                continue;
            }
        }
        result += *at++;
    }
    return result;
}

bool ParseSeconds(const wchar_t* text, DWORD* seconds) {
    if (!*text) return false;
    unsigned long value = 0;
    for (const wchar_t* digit = text; *digit; ++digit) {
        if (!std::iswdigit(*digit) || value > 86400) return false;
        value = value * 10 + (*digit - L'0');
    }
    *seconds = static_cast<DWORD>(value);
    return value <= 86400;
}

int Close(HWND window, const Deadline& deadline) {
    DWORD process_id = 0;
    GetWindowThreadProcessId(window, &process_id);
    UniqueHandle process(
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_id));
    if (!process.get()) {
        std::fprintf(stderr, "tarvik-window-tool: cannot open the window's process\n");
        return 1;
    }
    if (!PostMessageW(window, WM_CLOSE, 0, 0)) {
        std::fprintf(stderr, "tarvik-window-tool: cannot post WM_CLOSE\n");
        return 1;
    }
    if (WaitForSingleObject(process.get(), deadline.remaining_ms()) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "tarvik-window-tool: the process did not end in time\n");
        return 1;
    }
    DWORD exit_code = 0;
    GetExitCodeProcess(process.get(), &exit_code);
    std::printf("exit code %lu\n", static_cast<unsigned long>(exit_code));
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    DWORD seconds = 0;
    if (argc != 4 || !ParseSeconds(argv[3], &seconds)) {
        std::fprintf(stderr, "usage: tarvik-window-tool wait|rect|close TITLE SECONDS\n");
        return 2;
    }
    const wchar_t* command = argv[1];
    if (std::wcscmp(command, L"wait") && std::wcscmp(command, L"rect") &&
        std::wcscmp(command, L"close")) {
        std::fprintf(stderr, "tarvik-window-tool: unknown command (wait, rect or close)\n");
        return 2;
    }

    Deadline deadline(seconds);
    std::wstring title = Unescape(argv[2]);
    HWND window = WaitForVisibleWindow(title.c_str(), deadline);
    if (!window) {
        std::fprintf(stderr, "tarvik-window-tool: no visible window with that title\n");
        return 1;
    }
    if (!std::wcscmp(command, L"close")) return Close(window, deadline);
    if (!std::wcscmp(command, L"rect")) {
        RECT frame{};
        if (!GetWindowRect(window, &frame)) return 1;
        std::printf("%ld %ld %ld %ld\n", frame.left, frame.top, frame.right - frame.left,
                    frame.bottom - frame.top);
    }
    return 0;
}
