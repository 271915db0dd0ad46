// The three ways a user ends the tool; each ends the process with exit code 0 and no window left.
#include "scenario.h"

namespace acceptance {
namespace {

class Ending : public ToolScenario {
  protected:
    void ExpectEndedCleanly() {
        HWND window = Window();
        DWORD exitCode = 0;
        ASSERT_TRUE(tool_->WaitForExit(SettleTimeoutMs, exitCode)) << "the tool is still running";
        EXPECT_EQ(exitCode, 0u);
        EXPECT_FALSE(IsWindow(window));
        EXPECT_EQ(FindWindowA(nullptr, MainWindowTitle), nullptr);
    }
};

TEST_F(Ending, AltF4) {
    ASSERT_NO_FATAL_FAILURE(PressKeys({"alt+F4"}));
    ExpectEndedCleanly();
}

TEST_F(Ending, SystemMenuClose) {
    // Alt+Space opens the system menu; C is the mnemonic of its Close entry ("关闭(C)").
    ASSERT_NO_FATAL_FAILURE(PressKeys({"alt+space"}));
    ASSERT_TRUE(WaitUntil([] {
        HWND menu = FindWindowA("#32768", nullptr);
        return menu && IsWindowVisible(menu);
    })) << "Alt+Space opened no system menu";
    std::string error;
    ASSERT_TRUE(acceptance::PressKeys({"c"}, &error)) << error;
    ExpectEndedCleanly();
}

TEST_F(Ending, WmClosePostedFromOutside) {
    ASSERT_TRUE(PostMessageA(Window(), WM_CLOSE, 0, 0));
    ExpectEndedCleanly();
}

}  // namespace
}  // namespace acceptance
