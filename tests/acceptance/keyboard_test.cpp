// The keyboard, pressed for real: Tab and Shift+Tab, Tab and Enter in InputBox, Space on a button.
#include "scenario.h"

namespace acceptance {
namespace {

using Keyboard = ToolScenario;

// From InputBox round the window and back, forward and then backward.
TEST_F(Keyboard, TabAndShiftTabWalkTheControlsInNumberOrder) {
    ASSERT_EQ(FocusedControl(), InputBox);
    std::vector<int> forward;
    for (int control = NextTabStop(InputBox);; control = NextTabStop(control)) {
        forward.push_back(control);
        if (control == InputBox) break;
    }
    ASSERT_EQ(forward.size(), std::size(TabOrder));

    for (const auto& [key, walk] :
         {std::pair{"Tab", forward},
          std::pair{"shift+Tab", std::vector<int>(forward.rbegin() + 1, forward.rend())}}) {
        for (int expected : walk) {
            ASSERT_NO_FATAL_FAILURE(PressKeys({key}));
            ASSERT_TRUE(WaitUntil([&] { return FocusedControl() == expected; }))
                << key << " should focus control " << expected << ", focus is on "
                << FocusedControl();
        }
    }
    if (!HasFatalFailure()) {
        ASSERT_NO_FATAL_FAILURE(PressKeys({"shift+Tab"}));
        EXPECT_TRUE(WaitUntil([&] { return FocusedControl() == InputBox; }))
            << "Shift+Tab from OutputBox should come back to InputBox";
    }
}

TEST_F(Keyboard, TabInInputBoxTypesNoTab) {
    ASSERT_NO_FATAL_FAILURE(TypeIntoInputBox("ab"));
    ASSERT_NO_FATAL_FAILURE(PressKeys({"Tab"}));
    ASSERT_TRUE(WaitUntil([&] { return FocusedControl() == OutputBox; }));
    EXPECT_EQ(Text(InputBox), "ab");
    EXPECT_EQ(Text(OutputBox), "") << "Tab typed into OutputBox";
}

TEST_F(Keyboard, EnterInInputBoxStartsANewLine) {
    ASSERT_NO_FATAL_FAILURE(TypeIntoInputBox("ab"));
    ASSERT_NO_FATAL_FAILURE(PressKeys({"Return", "c"}));
    EXPECT_TRUE(WaitUntil([&] { return Text(InputBox) == "ab\r\nc"; }))
        << "InputBox holds \"" << Text(InputBox) << "\"";
    EXPECT_EQ(FocusedControl(), InputBox);
}

TEST_F(Keyboard, SpaceOnAFocusedButtonPressesIt) {
    ASSERT_NO_FATAL_FAILURE(TypeIntoInputBox("http://h/a.zip"));
    // Shift+Tab from InputBox: Online, Paste, Copy, RayFile, Thunder.
    ASSERT_NO_FATAL_FAILURE(
        PressKeys({"shift+Tab", "shift+Tab", "shift+Tab", "shift+Tab", "shift+Tab"}));
    ASSERT_TRUE(WaitUntil([&] { return FocusedControl() == ThunderButton; }))
        << "focus is on " << FocusedControl();
    ASSERT_NO_FATAL_FAILURE(SetText(OutputBox, ""));
    ASSERT_NO_FATAL_FAILURE(PressKeys({"space"}));
    EXPECT_TRUE(WaitUntil([&] { return Text(OutputBox) == "thunder://QUFodHRwOi8vaC9hLnppcFpa"; }))
        << "OutputBox holds \"" << Text(OutputBox) << "\"";
}

}  // namespace
}  // namespace acceptance
