// What the window and event tests share: a started process, a fresh MainWindow for every test,
// and ways to let the event source run until everything posted so far has been handled.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <vector>

namespace tarvik::testing {

struct Event {
    std::int32_t code;
    std::int32_t control;
    std::int32_t window;
    std::int32_t type;
    bool operator==(const Event&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Event& event);

// The fields of what WaitForEvent returned just now.
Event TakenEvent(std::int32_t code);

// Waits for events until every message posted to this thread so far has been dispatched, and
// returns them; with `handle` each is also given to the event loop's HandleEvent.
std::vector<Event> TakeEvents(bool handle = false);

// As TakeEvents, but also lets keyboard input (which the platform hands out after posted
// messages) be dispatched.
std::vector<Event> TakeEventsWithInput();

// Presses Tab, or Shift+Tab, as the keyboard would.
void PressTab(bool shift);

// Every test starts with MainWindow built as the tool builds it, its start-up events taken.
class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    HWND window = nullptr;
};

}  // namespace tarvik::testing
