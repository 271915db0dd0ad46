// Measures a window program as its user meets it, from a console under Windows (or Wine):
//   startup_probe startup RUNS TITLE PROGRAM        (TITLE in ASCII, \uXXXX beyond it)
//       starts PROGRAM RUNS times and times each start, from CreateProcess until a visible
//       top-level window of that process with the title TITLE answers WM_NULL; then closes it.
//   startup_probe idle SECONDS TITLE PROGRAM
//       starts PROGRAM once, waits until its window answers and one second more, and reports the
//       processor time (user and kernel) that the process uses during SECONDS without input.
// The last line of output holds the figures as key=value pairs; the exit code is 0 only when
// every run opened its window and ended with exit code 0 after WM_CLOSE.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr DWORD WindowTimeoutMs = 60000;
constexpr DWORD ExitTimeoutMs = 10000;

class Clock {
  public:
    Clock() { QueryPerformanceFrequency(&frequency_); }
    double NowMs() const {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return 1000.0 * static_cast<double>(now.QuadPart) /
               static_cast<double>(frequency_.QuadPart);
    }

  private:
    LARGE_INTEGER frequency_;
};

struct WindowSearch {
    DWORD processId;
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<WindowSearch*>(parameter);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search.processId || !IsWindowVisible(window)) return TRUE;
    wchar_t title[256];
    GetWindowTextW(window, title, 256);
    if (std::wcscmp(title, search.title) != 0) return TRUE;
    search.found = window;
    return FALSE;
}

// One started program; closed and reaped when the object goes.
class Run {
  public:
    Run(const wchar_t* program, const wchar_t* title) : title_(title) {
        std::wstring commandLine = std::wstring(L"\"") + program + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        started_ = CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  nullptr, &startup, &process_) != 0;
        if (!started_)
            std::fprintf(stderr, "cannot start %ls (error %lu)\n", program, GetLastError());
    }
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;
    ~Run() {
        if (!started_) return;
        if (WaitForSingleObject(process_.hProcess, 0) != WAIT_OBJECT_0) {
            TerminateProcess(process_.hProcess, 1);
            WaitForSingleObject(process_.hProcess, ExitTimeoutMs);
        }
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }

    // Polls until the window is there and answers; false when the program ends or never shows it.
    bool WaitForWindow(const Clock& clock) {
        if (!started_) return false;
        const double deadline = clock.NowMs() + WindowTimeoutMs;
        while (clock.NowMs() < deadline) {
            WindowSearch search{process_.dwProcessId, title_, nullptr};
            EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
            DWORD_PTR result = 0;
            if (search.found != nullptr &&
                SendMessageTimeoutA(search.found, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) !=
                    0) {
                window_ = search.found;
                return true;
            }
            if (WaitForSingleObject(process_.hProcess, 1) == WAIT_OBJECT_0) {
                std::fprintf(stderr, "the program ended before showing its window\n");
                return false;
            }
        }
        std::fprintf(stderr, "no window titled \"%ls\" within %lu ms\n", title_, WindowTimeoutMs);
        return false;
    }

    // User plus kernel time so far, in milliseconds.
    double ProcessorMs() const {
        FILETIME creation, exit, kernel, user;
        if (!GetProcessTimes(process_.hProcess, &creation, &exit, &kernel, &user)) return -1;
        const auto ticks = [](FILETIME time) {
            return static_cast<double>(
                ULARGE_INTEGER{{time.dwLowDateTime, time.dwHighDateTime}}.QuadPart);
        };
        return (ticks(kernel) + ticks(user)) / 10000.0;
    }

    // Asks the window to close as its close button would; true when the program then ends with 0.
    bool Close() {
        PostMessageA(window_, WM_CLOSE, 0, 0);
        DWORD code = 1;
        if (WaitForSingleObject(process_.hProcess, ExitTimeoutMs) != WAIT_OBJECT_0 ||
            !GetExitCodeProcess(process_.hProcess, &code) || code != 0) {
            std::fprintf(stderr, "the program did not end with exit code 0 after WM_CLOSE\n");
            return false;
        }
        return true;
    }

  private:
    const wchar_t* title_;
    PROCESS_INFORMATION process_{};
    bool started_ = false;
    HWND window_ = nullptr;
};

int MeasureStartup(int runs, const wchar_t* title, const wchar_t* program) {
    Clock clock;
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double start = clock.NowMs();
        Run run(program, title);
        if (!run.WaitForWindow(clock)) return 1;
        times.push_back(clock.NowMs() - start);
        std::printf("run %d: %.1f ms\n", i + 1, times.back());
        if (!run.Close()) return 1;
    }
    std::sort(times.begin(), times.end());
    const std::size_t middle = times.size() / 2;
    const double median =
        times.size() % 2 ? times[middle] : (times[middle - 1] + times[middle]) / 2;
    std::printf("runs=%d median_ms=%.1f min_ms=%.1f max_ms=%.1f\n", runs, median, times.front(),
                times.back());
    return 0;
}

int MeasureIdle(int seconds, const wchar_t* title, const wchar_t* program) {
    Clock clock;
    Run run(program, title);
    if (!run.WaitForWindow(clock)) return 1;
    Sleep(1000);
    const double before = run.ProcessorMs();
    Sleep(static_cast<DWORD>(seconds) * 1000);
    const double after = run.ProcessorMs();
    if (before < 0 || after < 0) {
        std::fprintf(stderr, "GetProcessTimes failed (error %lu)\n", GetLastError());
        return 1;
    }
    std::printf("seconds=%d cpu_ms=%.1f startup_cpu_ms=%.1f\n", seconds, after - before, before);
    return run.Close() ? 0 : 1;
}

}  // namespace

// Wine hands a Unix argument to the program in the Unix locale's code page, which need not know
// Chinese; a title is therefore given in ASCII, with \uXXXX for each character beyond it.
std::wstring Unescaped(const wchar_t* text) {
    std::wstring result;
    for (; *text != 0; ++text) {
        if (text[0] == L'\\' && text[1] == L'u' && std::wcslen(text) >= 6) {
            result.push_back(
                static_cast<wchar_t>(std::wcstoul(std::wstring(text + 2, 4).c_str(), nullptr, 16)));
            text += 5;
        } else {
            result.push_back(*text);
        }
    }
    return result;
}

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const std::wstring mode = argc == 5 ? argv[1] : L"";
    const int count = argc == 5 ? _wtoi(argv[2]) : 0;
    if ((mode != L"startup" && mode != L"idle") || count <= 0) {
        std::fputs(
            "usage: startup_probe startup RUNS TITLE PROGRAM\n"
            "       startup_probe idle SECONDS TITLE PROGRAM\n",
            stderr);
        return 2;
    }
    const std::wstring title = Unescaped(argv[3]);
    return mode == L"startup" ? MeasureStartup(count, title.c_str(), argv[4])
                              : MeasureIdle(count, title.c_str(), argv[4]);
}
