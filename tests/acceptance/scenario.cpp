#include "scenario.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace acceptance {
namespace {

// What OutputBox shows before a press whose result a scenario waits for; no command yields it.
constexpr std::string_view PendingOutput = "(acceptance: waiting for the result)";

std::string Quoted(std::string_view text) {
    constexpr std::size_t shown = 200;
    std::string quoted = "\"" + std::string(text.substr(0, shown)) + "\"";
    if (text.size() > shown) quoted += "... (" + std::to_string(text.size()) + " bytes)";
    return quoted;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() > deadline) return false;
        Sleep(10);
    }
}

int NextTabStop(int control) {
    const int* found = std::find(std::begin(TabOrder), std::end(TabOrder), control);
    if (found == std::end(TabOrder)) return -1;
    return *(++found == std::end(TabOrder) ? std::begin(TabOrder) : found);
}

void ToolScenario::SetUp() {
    std::string error;
    tool_ = ToolProcess::Start(error);
    ASSERT_TRUE(tool_) << error;
}

void ToolScenario::SetText(int control, std::string_view text) {
    ASSERT_TRUE(ReplaceWindowText(ControlWindow(control), text))
        << "control " << control << " did not take its text";
}

void ToolScenario::BringToFront() {
    if (GetForegroundWindow() == Window()) return;
    RECT frame = ScreenRect(Window());
    RECT client = ClientScreenRect(Window());
    // The middle of the caption: above the client area, clear of the icon and the buttons.
    POINT caption{(frame.left + frame.right) / 2, (frame.top + client.top) / 2};
    std::string error;
    ASSERT_TRUE(Click(caption, 1, &error)) << error;
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == Window(); }))
        << "the main window did not come to the front";
}

void ToolScenario::ClickControl(int control, int count) {
    HWND target = ControlWindow(control);
    ASSERT_TRUE(target) << "no control " << control;
    std::string error;
    ASSERT_TRUE(Click(Centre(ScreenRect(target)), count, &error)) << error;
}

void ToolScenario::PressKeys(const std::vector<std::string>& keys) {
    ASSERT_NO_FATAL_FAILURE(BringToFront());
    std::string error;
    ASSERT_TRUE(acceptance::PressKeys(keys, &error)) << error;
}

void ToolScenario::TypeIntoInputBox(std::string_view text) {
    ASSERT_NO_FATAL_FAILURE(SetText(InputBox, ""));
    ASSERT_NO_FATAL_FAILURE(ClickControl(InputBox));
    ASSERT_TRUE(WaitUntil([&] { return FocusedControl() == InputBox; }))
        << "a click did not put the focus into InputBox; focus on " << FocusedControl();
    for (std::size_t at = 0, end; at < text.size(); at = end) {
        auto ascii = [&](std::size_t i) { return static_cast<unsigned char>(text[i]) < 0x80; };
        end = at + (ascii(at) ? 1 : 2);  // a GBK character outside ASCII has two bytes
        while (end < text.size() && ascii(at) && ascii(end)) ++end;
        ASSERT_NO_FATAL_FAILURE(
            TypeAfter(std::string(text.substr(0, at)), text.substr(at, end - at)))
            << "typing " << Quoted(text);
    }
}

void ToolScenario::TypeAfter(const std::string& typed, std::string_view piece) {
    const std::string expected = typed + std::string(piece);
    const bool retype = static_cast<unsigned char>(piece[0]) >= 0x80;
    std::string shown;
    for (int attempt = 0; attempt < (retype ? 4 : 1); ++attempt) {
        std::string error;
        ASSERT_TRUE(TypeText(piece, &error)) << error;
        if (WaitUntil([&] { return (shown = Text(InputBox)) == expected; },
                      retype ? 1500 : SettleTimeoutMs)) {
            return;
        }
        if (shown != typed) break;  // something else arrived: typing it again would not help
        std::printf("note: Wine lost the key press of %s; typing it again\n",
                    GbkToUtf8(piece).c_str());
    }
    FAIL() << "typed " << Quoted(piece) << " after " << Quoted(typed) << ", InputBox holds "
           << Quoted(shown);
}

void ToolScenario::ConvertAndExpect(int button, std::string_view expected) {
    ASSERT_NO_FATAL_FAILURE(SetText(OutputBox, PendingOutput));
    ASSERT_NO_FATAL_FAILURE(ClickControl(button));
    std::string output;
    bool done = WaitUntil([&] {
        output = Text(OutputBox);
        return output != PendingOutput;
    });
    EXPECT_TRUE(done) << "button " << button << " changed nothing in OutputBox";
    EXPECT_EQ(output, expected) << "button " << button << ": OutputBox holds " << Quoted(output)
                                << ", expected " << Quoted(expected);
}

void ToolScenario::ClickAndSettle(int button) {
    ASSERT_NO_FATAL_FAILURE(ClickControl(button));
    ASSERT_TRUE(WaitUntil([&] { return FocusedControl() == button; }))
        << "a click on button " << button << " did not give it the focus";
    std::string error;
    ASSERT_TRUE(acceptance::PressKeys({"Tab"}, &error)) << error;
    ASSERT_TRUE(WaitUntil([&] { return FocusedControl() == NextTabStop(button); }))
        << "Tab after a click on button " << button << " did not move the focus on";
}

}  // namespace acceptance
