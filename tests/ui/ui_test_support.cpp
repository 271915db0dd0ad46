#include "tests/ui/ui_test_support.h"

#include "platform/startup.h"
#include "ui/control_layer.h"
#include "ui/control_numbers.h"
#include "ui/event_loop.h"
#include "ui/event_source.h"
#include "ui/main_window.h"
#include "ui/window_layer.h"

namespace tarvik::testing {
namespace {

constexpr UINT AllPostedSoFar = WM_APP + 0x77;

}  // namespace

std::ostream& operator<<(std::ostream& out, const Event& event) {
    return out << "{code " << event.code << ", control " << event.control << ", window "
               << event.window << ", type " << event.type << "}";
}

Event TakenEvent(std::int32_t code) {
    return {code, CurrentEventControl(), CurrentEventWindow(), CurrentEventType()};
}

std::vector<Event> TakeEvents(bool handle) {
    // A thread message comes out after everything posted before it, and after the events that
    // their dispatch queued.
    PostThreadMessageA(GetCurrentThreadId(), AllPostedSoFar, 0, 0);
    std::vector<Event> events;
    for (;;) {
        const std::int32_t code = WaitForEvent();
        if (code == static_cast<std::int32_t>(AllPostedSoFar)) return events;
        events.push_back(TakenEvent(code));
        if (handle) HandleEvent(code);
    }
}

std::vector<Event> TakeEventsWithInput() {
    // Timer messages come after input, so two ticks mean the input waiting now has been read.
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, nullptr);
    std::vector<Event> events;
    for (int ticks = 0; ticks < 2;) {
        const std::int32_t code = WaitForEvent();
        if (code == WM_TIMER) {
            ++ticks;
        } else {
            events.push_back(TakenEvent(code));
        }
    }
    KillTimer(nullptr, timer);
    return events;
}

void PressTab(bool shift) {
    INPUT keys[4]{};
    int count = 0;
    auto key = [&](WORD virtualKey, DWORD flags) {
        keys[count].type = INPUT_KEYBOARD;
        keys[count].ki.wVk = virtualKey;
        keys[count].ki.dwFlags = flags;
        ++count;
    };
    if (shift) key(VK_SHIFT, 0);
    key(VK_TAB, 0);
    key(VK_TAB, KEYEVENTF_KEYUP);
    if (shift) key(VK_SHIFT, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(count), keys, sizeof(INPUT));
    TakeEventsWithInput();
}

void MainWindowTest::SetUp() {
    static const bool started = ProgramStart();
    ASSERT_TRUE(started);
    ASSERT_TRUE(BuildMainWindow());
    window = WindowHandle(MainWindow);
    SetForegroundWindow(window);
    FocusControl(InputBox);
    SetControlColor(OutputBox, TextColour, 0xFF0000);
    TakeEvents();
}

void MainWindowTest::TearDown() {
    CloseNumberedWindow(MainWindow);
    TakeEvents();
}

}  // namespace tarvik::testing
