// What the tests of the services, and of the commands that use them, share.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "platform/owned.h"
#include "tests/harness/program.h"

namespace tarvik::test {

// Holds the clipboard open for a window of its own, as another program would.
struct ClipboardHolder {
    HWND window =
        CreateWindowExA(0, "Static", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    OpenClipboardHeld open{OpenClipboard(window) != FALSE};
};

// The message boxes that came up on this thread while a BoxAnswerer lived: the last one's owner,
// title and text (0xFFFF is the identifier of a box's text). Each is looked at by `whileUp` and
// answered with OK from a timer, which the box's own message loop runs.
inline struct {
    int count;
    HWND owner;
    std::string title, text;
    std::function<void(HWND box)> whileUp;
} seen;

struct BoxAnswerer {
    explicit BoxAnswerer(std::function<void(HWND box)> whileUp = nullptr) {
        seen = {0, nullptr, {}, {}, std::move(whileUp)};
    }
    ~BoxAnswerer() { KillTimer(nullptr, timer); }
    UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
        HWND box = FindWindowA("#32770", nullptr);
        if (box == nullptr || GetWindowThreadProcessId(box, nullptr) != GetCurrentThreadId())
            return;
        seen = {seen.count + 1, GetWindow(box, GW_OWNER), harness::Text(box),
                harness::Text(GetDlgItem(box, 0xFFFF)), seen.whileUp};
        if (seen.whileUp) seen.whileUp(box);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
};

}  // namespace tarvik::test
