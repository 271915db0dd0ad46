// Copy, Paste and the online button, pressed in MainWindow and run by the event loop.
// Built from UTF-8 with -fexec-charset=GBK.
#include <windows.h>

#include <functional>
#include <string>

#include "platform/clipboard.h"
#include "tests/platform/test_support.h"
#include "tests/ui/ui_test_support.h"
#include "ui/control_layer.h"
#include "ui/control_numbers.h"
#include "ui/event_loop.h"
#include "ui/event_source.h"
#include "ui/tool_commands.h"

namespace tarvik::testing {
namespace {

using CommandTest = MainWindowTest;

// Presses the button and lets the loop run until its command has run. The press is awaited
// rather than drained with TakeEvents alone: a message box's own loop would swallow the thread
// message that marks the end of what was posted.
void Press(std::int32_t button) {
    PostMessageA(ControlHandle(button), BM_CLICK, 0, 0);
    for (;;) {
        const std::int32_t code = WaitForEvent();
        const bool pressed = code == ControlEvent && CurrentEventControl() == button;
        HandleEvent(code);
        if (pressed) break;
    }
    TakeEvents(true);
}

std::string WindowText(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// Any box is answered, so that a box with the wrong title fails the test instead of waiting for
// a person.
struct BoxSeen {
    HWND owner = nullptr;
    std::string title, text;

    std::function<void(HWND)> Recorder() {
        return [this](HWND box) {
            // 0xFFFF is the identifier of a message box's text.
            *this = {GetWindow(box, GW_OWNER), WindowText(box),
                     WindowText(GetDlgItem(box, 0xFFFF))};
        };
    }
};

TEST_F(CommandTest, CopyPutsTheOutputBoxOnTheClipboardAndSaysSo) {
    struct Case {
        const char* name;
        std::int32_t conversion;  // -1: the output box is filled directly
        std::string input;
    };
    const Case cases[] = {
        {"a made link", ThunderButton, "  http://h/a.zip  "},
        {"an address", FlashGetButton,
         "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9oL2EuemlwW0ZMQVNIR0VUXQ=="},
        {"the error text", ThunderButton, "ed2k://x"},
        {"spaces only, untrimmed", -1, "   "},
        {"GBK text on two lines", -1, " 迅雷\r\n快车\t"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteClipboardText("before");
        if (c.conversion < 0) {
            SetControlText(OutputBox, c.input);
        } else {
            SetControlText(InputBox, c.input);
            Press(c.conversion);
        }
        const std::string output = GetControlText(OutputBox);
        ASSERT_FALSE(output.empty());

        BoxSeen seen;
        test::MessageBoxAnswerer answerer("", seen.Recorder());
        Press(CopyButton);
        ASSERT_TRUE(answerer.Answered());
        EXPECT_EQ(seen.owner, window);
        EXPECT_EQ(seen.title, "恭喜");
        EXPECT_EQ(seen.text, "转换结果已经成功复制到剪切板中！");
        EXPECT_EQ(ReadClipboardText(), output);
        if (c.conversion < 0) {
            EXPECT_EQ(output, c.input);
        }
    }
}

TEST_F(CommandTest, CopyOfAnEmptyOutputBoxDoesNothing) {
    WriteClipboardText("before");
    SetControlText(OutputBox, "");
    test::MessageBoxAnswerer anyBox("", [](HWND) {});
    Press(CopyButton);
    EXPECT_FALSE(anyBox.Answered());
    EXPECT_EQ(ReadClipboardText(), "before");
}

TEST_F(CommandTest, CopyThatTheClipboardRefusesSaysSoAndKeepsTheOldText) {
    WriteClipboardText("before");
    SetControlText(OutputBox, "http://h/a.zip");
    test::NamedEvent ready("command-clipboard-held"), release("command-clipboard-release");
    BoxSeen seen;
    {
        test::HelperProcess holder("hold-clipboard " + ready.Name() + " " + release.Name());
        ASSERT_EQ(WaitForSingleObject(ready.Handle(), 10000), WAIT_OBJECT_0);
        test::MessageBoxAnswerer answerer("", seen.Recorder());
        Press(CopyButton);
        EXPECT_TRUE(answerer.Answered());
        SetEvent(release.Handle());
    }
    EXPECT_EQ(seen.owner, window);
    EXPECT_EQ(seen.title, "复制失败");
    EXPECT_EQ(seen.text, "转换结果未能复制到剪切板，请稍后重试！");
    EXPECT_EQ(ReadClipboardText(), "before");
}

TEST_F(CommandTest, PasteReplacesTheInputBoxWithTheTrimmedClipboardText) {
    struct Case {
        const char* clipboard;  // nullptr: the clipboard holds no text at all
        std::string input;      // afterwards; it was "old input" before
    };
    const Case cases[] = {
        {"  http://h/a.zip  ", "http://h/a.zip"},
        {" \tthunder://QUFodHRwOi8vaC9hLnppcFpa\r\n ", "\tthunder://QUFodHRwOi8vaC9hLnppcFpa\r\n"},
        {"迅雷 快车", "迅雷 快车"},
        {"    ", "old input"},
        {"", "old input"},
        {nullptr, "old input"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clipboard ? c.clipboard : "no text");
        SetControlText(InputBox, "old input");
        SetControlText(OutputBox, "old output");
        if (c.clipboard) {
            WriteClipboardText(c.clipboard);
        } else {
            ASSERT_TRUE(OpenClipboard(nullptr));
            EmptyClipboard();
            CloseClipboard();
        }
        Press(PasteButton);
        EXPECT_EQ(GetControlText(InputBox), c.input);
        EXPECT_EQ(GetControlText(OutputBox), "old output");
    }
}

TEST_F(CommandTest, OnlineButtonOpensTheOnlinePageWithTheProgramForHttp) {
    test::ShellAssociation association({
        {"http\\shell\\open\\command", "\"" + test::HelperPath() + "\" \"%1\""},
    });
    ASSERT_TRUE(association.Registered());
    test::LaunchRecorder recorder;
    Press(OnlineButton);
    test::LaunchRecord record;
    ASSERT_TRUE(recorder.Read(record));
    ASSERT_EQ(record.arguments.size(), 2u) << record.commandLine;
    EXPECT_EQ(record.arguments[1], OnlinePageAddress);
    EXPECT_EQ(record.arguments[1], "http://www.tarvik.com/link/");
}

}  // namespace
}  // namespace tarvik::testing
