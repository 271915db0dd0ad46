#include "platform/message_box.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "platform/disabled_window_list.h"
#include "platform/object_heap.h"
#include "tests/platform/test_support.h"

namespace tarvik {
namespace {

class TopLevelWindow {
  public:
    explicit TopLevelWindow(const char* title, bool visible = true) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "TarvikMessageBoxTest";
        RegisterClassA(&windowClass);  // fails harmlessly once it is registered
        window_ = CreateWindowExA(0, "TarvikMessageBoxTest", title, WS_OVERLAPPEDWINDOW, 100, 100,
                                  300, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        if (visible) ShowWindow(window_, SW_SHOWNORMAL);
    }
    ~TopLevelWindow() { DestroyWindow(window_); }
    TopLevelWindow(const TopLevelWindow&) = delete;
    TopLevelWindow& operator=(const TopLevelWindow&) = delete;

    HWND Get() const { return window_; }

  private:
    HWND window_;
};

struct WhileUp {
    HWND owner = nullptr;
    bool mainEnabled = true, otherEnabled = true, disabledEnabled = true, hiddenEnabled = false;
    std::vector<HWND> disabledList;
};

TEST(ShowMessage, OwnedByTheForegroundWindowWhileTheThreadsOtherWindowsWait) {
    ASSERT_TRUE(CreateObjectHeap());
    TopLevelWindow main("main"), other("other"), disabled("disabled before"),
        hidden("hidden", false);
    EnableWindow(disabled.Get(), FALSE);
    SetForegroundWindow(main.Get());
    ASSERT_EQ(GetForegroundWindow(), main.Get());

    const DWORD thread = GetCurrentThreadId();
    WhileUp seen;
    test::MessageBoxAnswerer answerer("Tarvik box test", [&](HWND box) {
        seen.owner = GetWindow(box, GW_OWNER);
        seen.mainEnabled = IsWindowEnabled(main.Get());
        seen.otherEnabled = IsWindowEnabled(other.Get());
        seen.disabledEnabled = IsWindowEnabled(disabled.Get());
        seen.hiddenEnabled = IsWindowEnabled(hidden.Get());
        seen.disabledList = WindowsDisabledBy(thread);
    });
    EXPECT_EQ(ShowMessage("Tarvik box test", "text"), IDOK);
    ASSERT_TRUE(answerer.Answered());

    EXPECT_EQ(seen.owner, main.Get());
    EXPECT_FALSE(seen.mainEnabled) << "the owner of a modal box waits for it";
    EXPECT_FALSE(seen.otherEnabled);
    EXPECT_FALSE(seen.disabledEnabled);
    EXPECT_TRUE(seen.hiddenEnabled) << "a hidden window is not touched";
    EXPECT_EQ(seen.disabledList, std::vector<HWND>{other.Get()});

    EXPECT_TRUE(IsWindowEnabled(main.Get()));
    EXPECT_TRUE(IsWindowEnabled(other.Get()));
    EXPECT_FALSE(IsWindowEnabled(disabled.Get())) << "disabled before, so disabled after";
    EXPECT_TRUE(WindowsDisabledBy(thread).empty());
}

}  // namespace
}  // namespace tarvik
