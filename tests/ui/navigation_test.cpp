// Tab and Shift+Tab through the tab stops in control-number order, and the focus kept across
// deactivation.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "tests/ui/ui_test_support.h"
#include "ui/control_layer.h"
#include "ui/control_numbers.h"
#include "ui/event_source.h"

namespace tarvik::testing {
namespace {

using NavigationTest = MainWindowTest;

const std::vector<std::int32_t> TabOrder = {1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12};

std::int32_t FocusedControl() {
    HWND focus = GetFocus();
    return focus != nullptr ? GetDlgCtrlID(focus) : -1;
}

TEST_F(NavigationTest, TabAndShiftTabVisitTheTabStopsInNumberOrderAndWrapAround) {
    FocusControl(TabOrder.back());
    for (std::int32_t expected : TabOrder) {
        PressTab(false);
        ASSERT_EQ(FocusedControl(), expected);
    }
    for (auto expected = TabOrder.rbegin() + 1; expected != TabOrder.rend(); ++expected) {
        PressTab(true);
        ASSERT_EQ(FocusedControl(), *expected);
    }
    PressTab(true);
    EXPECT_EQ(FocusedControl(), TabOrder.back());
}

TEST_F(NavigationTest, FromNoFocusTabGoesToTheFirstAndShiftTabToTheLast) {
    FocusControl(-1);
    PressTab(false);
    EXPECT_EQ(FocusedControl(), Base64EncodeButton);
    FocusControl(-1);
    PressTab(true);
    EXPECT_EQ(FocusedControl(), XuanfengButton);
}

TEST_F(NavigationTest, TheFocusComesBackAfterDeactivationAndActivation) {
    FocusControl(OutputBox);
    HWND other = CreateWindowExA(0, "Static", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100,
                                 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    SetActiveWindow(other);
    EXPECT_NE(GetFocus(), ControlHandle(OutputBox));
    TakeEvents();

    SetActiveWindow(window);
    EXPECT_EQ(FocusedControl(), OutputBox);
    const std::vector<Event> events = TakeEvents();
    EXPECT_NE(std::find(events.begin(), events.end(), Event{ActivateWindowEvent, 0, 0, 0}),
              events.end());
    DestroyWindow(other);
}

}  // namespace
}  // namespace tarvik::testing
