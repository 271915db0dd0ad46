// The fixture of every acceptance scenario: a fresh tarvik.exe per scenario, and the few things a
// user does with it — click a control, type, press keys — with waits that end in a failure, never
// in a hang.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "remote_window.h"
#include "tool_process.h"
#include "user_input.h"

namespace acceptance {

// Long enough for a busy Wine; a scenario waits this long only when something is wrong.
inline constexpr DWORD SettleTimeoutMs = 10000;

// Polls `condition` until it holds or the time is up; whether it held.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = SettleTimeoutMs);

// The tab stops of the main window in the order Tab walks them.
inline constexpr int TabOrder[] = {Base64EncodeButton, Base64DecodeButton, ThunderButton,
                                   RayFileButton,      CopyButton,         PasteButton,
                                   OnlineButton,       InputBox,           OutputBox,
                                   FlashGetButton,     XuanfengButton};
int NextTabStop(int control);

class ToolScenario : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override { tool_.reset(); }

    HWND Window() const { return tool_->Window(); }
    HWND ControlWindow(int control) const { return tool_->ControlWindow(control); }
    std::string Text(int control) const { return WindowText(ControlWindow(control)); }
    void SetText(int control, std::string_view text);
    int FocusedControl() const { return tool_->FocusedControl(); }

    // Makes the main window the one that takes the keyboard, as a user's click on its caption does.
    void BringToFront();

    void ClickControl(int control, int count = 1);
    void PressKeys(const std::vector<std::string>& keys);
    // Empties InputBox, clicks into it and types the text for real; checks that it arrived.
    void TypeIntoInputBox(std::string_view text);
    // Types a run of ASCII or one GBK character after what InputBox holds, `typed`; a Chinese
    // character that Wine lost is typed again, as a user who saw it missing would.
    void TypeAfter(const std::string& typed, std::string_view piece);

    // Clicks the button and waits for the OutputBox to show `expected`. OutputBox is blanked
    // first, so that a result equal to the previous one still shows the press was handled.
    void ConvertAndExpect(int button, std::string_view expected);
    // Clicks the button, then presses Tab and waits for the focus to leave the button: input is
    // handled in order, so by then the tool has finished whatever the click started.
    void ClickAndSettle(int button);

    std::unique_ptr<ToolProcess> tool_;
};

}  // namespace acceptance
