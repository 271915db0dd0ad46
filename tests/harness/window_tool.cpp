// tarvik-window-tool PROGRAM OUT.png: starts a window program, waits until its window is up and
// painted, saves a picture of the window and its surroundings, and closes it. Exit code 0 when
// the program then ended with exit code 0. scripts/run uses it for its screenshot: the Wine
// prefix's virtual desktop hides the program's windows from X tools.
#include <cstdio>

#include "tests/harness/program.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: tarvik-window-tool PROGRAM OUT.png\n", stderr);
        return 2;
    }
    harness::Program program(argv[1]);
    HWND window = program.WaitForWindow();
    if (!window) {
        std::fprintf(stderr, "no window from %s\n", argv[1]);
        return 1;
    }
    Sleep(1000);  // the controls finish painting
    RECT rect;
    GetWindowRect(window, &rect);
    InflateRect(&rect, 12, 12);
    if (!harness::SaveScreenshot(rect, argv[2])) {
        std::fprintf(stderr, "cannot save %s\n", argv[2]);
        return 1;
    }
    PostMessageA(window, WM_CLOSE, 0, 0);
    auto code = program.WaitForExit(harness::SettleMs);
    std::printf("exit code %ld\n", code ? static_cast<long>(*code) : -1L);
    return code == 0u ? 0 : 1;
}
