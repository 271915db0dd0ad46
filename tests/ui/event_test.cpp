// The event source: queued events before platform messages, duplicates dropped, and the events
// that presses, close requests and focus changes produce.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "tests/ui/ui_test_support.h"
#include "ui/control_layer.h"
#include "ui/control_numbers.h"
#include "ui/event_source.h"

namespace tarvik::testing {
namespace {

using EventTest = MainWindowTest;

TEST_F(EventTest, QueuedEventsComeOutOldestFirstOnePerWaitBeforePlatformMessages) {
    PostMessageA(window, WM_APP + 1, 0, 0);
    PostEvent(MoveWindowEvent, 0, 0, 0);
    PostEvent(ControlEvent, 4, 0, 0);
    EXPECT_EQ(TakenEvent(WaitForEvent()), (Event{MoveWindowEvent, 0, 0, 0}));
    EXPECT_EQ(TakenEvent(WaitForEvent()), (Event{ControlEvent, 4, 0, 0}));
    const Event message = TakenEvent(WaitForEvent());
    EXPECT_EQ(message.code, WM_APP + 1);
    EXPECT_EQ(message.window, MainWindow);
    EXPECT_EQ(message.type, -1);
}

TEST_F(EventTest, AnEventEqualToTheNewestWaitingOneIsDropped) {
    const std::vector<Event> posted = {
        {ControlEvent, 4, 0, 0}, {ControlEvent, 4, 0, 0},  // dropped
        {ControlEvent, 4, 0, 1}, {ControlEvent, 5, 0, 1}, {ControlEvent, 5, 1, 1},
        {RepaintEvent, 5, 1, 1}, {ControlEvent, 4, 0, 0},  // equal to an older one only: kept
    };
    for (const Event& event : posted)
        PostEvent(event.code, event.control, event.window, event.type);
    std::vector<Event> expected = posted;
    expected.erase(expected.begin() + 1);
    EXPECT_EQ(TakeEvents(), expected);
}

TEST_F(EventTest, TenThousandQueuedEventsDrainInOrder) {
    for (std::int32_t i = 0; i < 10000; ++i) PostEvent(ControlEvent, i, 0, 0);
    const std::vector<Event> events = TakeEvents();
    ASSERT_EQ(events.size(), 10000u);
    for (std::int32_t i = 0; i < 10000; ++i) ASSERT_EQ(events[i].control, i);
    // Taken events leave nothing behind: the same event may be queued again at once.
    PostEvent(ControlEvent, 9999, 0, 0);
    EXPECT_EQ(TakeEvents(), (std::vector<Event>{{ControlEvent, 9999, 0, 0}}));
}

TEST_F(EventTest, AButtonPressIsAnImmediateControlEventOfTypeZero) {
    for (std::int32_t button :
         {Base64EncodeButton, Base64DecodeButton, ThunderButton, RayFileButton, CopyButton,
          PasteButton, OnlineButton, FlashGetButton, XuanfengButton}) {
        SCOPED_TRACE(button);
        PostMessageA(ControlHandle(button), BM_CLICK, 0, 0);
        const Event press = TakenEvent(WaitForEvent());
        EXPECT_EQ(press, (Event{ControlEvent, button, MainWindow, 0}));
        TakeEvents();
    }
}

TEST_F(EventTest, CloseRequestQueuesOneCloseEventAndLeavesTheWindowOpen) {
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(TakeEvents(), (std::vector<Event>{{CloseWindowEvent, 0, 0, 0}}));
    EXPECT_TRUE(IsWindowVisible(window));

    // Through the message queue, the message itself comes back as 16 with window 0 first.
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(TakenEvent(WaitForEvent()).code, CloseWindowEvent);
    EXPECT_EQ(CurrentEventWindow(), MainWindow);
    EXPECT_EQ(TakeEvents(), (std::vector<Event>{{CloseWindowEvent, 0, 0, 0}}));
    EXPECT_TRUE(IsWindowVisible(window));
}

TEST_F(EventTest, EditBoxesQueueTheirFocusChanges) {
    FocusControl(OutputBox);
    FocusControl(CopyButton);
    std::vector<Event> focusEvents;
    for (const Event& event : TakeEvents()) {
        if (event.type == FocusGainedType || event.type == FocusLostType) {
            focusEvents.push_back(event);
        }
    }
    EXPECT_EQ(focusEvents, (std::vector<Event>{{ControlEvent, InputBox, 0, FocusLostType},
                                               {ControlEvent, OutputBox, 0, FocusGainedType},
                                               {ControlEvent, OutputBox, 0, FocusLostType}}));
}

TEST_F(EventTest, MinimisingAndRestoringAreReported) {
    auto sizeEvents = [] {
        std::vector<std::int32_t> codes;
        for (const Event& event : TakeEvents()) {
            if (event.code == MinimizeWindowEvent || event.code == RestoreWindowEvent ||
                event.code == SizeWindowEvent) {
                codes.push_back(event.code);
            }
        }
        return codes;
    };
    ShowWindow(window, SW_MINIMIZE);
    EXPECT_EQ(sizeEvents(), std::vector<std::int32_t>{MinimizeWindowEvent});
    ShowWindow(window, SW_RESTORE);
    EXPECT_EQ(sizeEvents(), (std::vector<std::int32_t>{RestoreWindowEvent, SizeWindowEvent}));
}

TEST_F(EventTest, MessagesForNoWindowOfOursCarryNoWindow) {
    PostMessageA(window, WM_APP + 2, 0, 0);
    PostThreadMessageA(GetCurrentThreadId(), WM_CLOSE, 0, 0);
    EXPECT_EQ(TakenEvent(WaitForEvent()).window, MainWindow);
    const Event threadMessage = TakenEvent(WaitForEvent());
    EXPECT_EQ(threadMessage.code, WM_CLOSE);
    EXPECT_EQ(threadMessage.window, -1);
}

}  // namespace
}  // namespace tarvik::testing
