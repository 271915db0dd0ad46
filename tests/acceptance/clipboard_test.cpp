// Copy and Paste, with the driver as the other program on the clipboard.
#include "clipboard.h"
#include "scenario.h"

namespace acceptance {
namespace {

constexpr const char* CopiedTitle = "恭喜";
constexpr const char* CopiedText = "转换结果已经成功复制到剪切板中！";
constexpr const char* ErrorText = "网址格式错误，请输入正确的网址！";

class Clipboard : public ToolScenario {
  protected:
    HWND WaitForMessageBox() {
        HWND box = nullptr;
        WaitUntil([&] { return (box = tool_->MessageBoxWindow()) != nullptr; });
        return box;
    }

    // Enter on the box's OK button, as the user answers it.
    void DismissWithEnter(HWND box) {
        std::string error;
        ASSERT_TRUE(acceptance::PressKeys({"Return"}, &error)) << error;
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); })) << "Enter did not close the box";
        ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(Window()); }))
            << "the main window stayed disabled";
    }

    // Tab, and wait for the focus to move: every input before it has then been handled.
    void SettleWithTab() {
        int from = FocusedControl();
        ASSERT_NO_FATAL_FAILURE(PressKeys({"Tab"}));
        ASSERT_TRUE(WaitUntil([&] { return FocusedControl() == NextTabStop(from); }))
            << "Tab from control " << from << " went to " << FocusedControl();
    }
};

TEST_F(Clipboard, CopyPutsTheResultOnTheClipboardAndSaysSo) {
    ASSERT_TRUE(PutClipboardText("an older clipboard text"));
    // The error text is GBK through and through: its bytes must arrive unchanged.
    ASSERT_NO_FATAL_FAILURE(TypeIntoInputBox("ed2k://x"));
    ASSERT_NO_FATAL_FAILURE(ConvertAndExpect(ThunderButton, ErrorText));

    ASSERT_NO_FATAL_FAILURE(ClickControl(CopyButton));
    HWND box = WaitForMessageBox();
    ASSERT_TRUE(box) << "Copy showed no message box";
    EXPECT_EQ(WindowText(box), CopiedTitle);
    EXPECT_EQ(ChildTexts(box, "Static"), CopiedText);
    EXPECT_EQ(ClipboardText(), ErrorText);

    // While the box is up the main window takes no input: a click on a conversion button with a
    // convertible input is lost, not kept for later.
    EXPECT_FALSE(IsWindowEnabled(Window()));
    ASSERT_NO_FATAL_FAILURE(SetText(InputBox, "http://h/a.zip"));
    ASSERT_NO_FATAL_FAILURE(ClickControl(ThunderButton));
    Sleep(300);
    EXPECT_TRUE(IsWindow(box)) << "a click on the main window closed the box";
    EXPECT_EQ(Text(OutputBox), ErrorText);

    ASSERT_NO_FATAL_FAILURE(DismissWithEnter(box));
    ASSERT_NO_FATAL_FAILURE(SettleWithTab());
    EXPECT_EQ(Text(OutputBox), ErrorText) << "the click made while the box was up was handled";
    EXPECT_EQ(ClipboardText(), ErrorText);
}

TEST_F(Clipboard, CopyOfAnEmptyResultDoesNothing) {
    ASSERT_TRUE(PutClipboardText("kept"));
    ASSERT_NO_FATAL_FAILURE(ClickAndSettle(CopyButton));
    EXPECT_EQ(tool_->MessageBoxWindow(), nullptr);
    EXPECT_EQ(ClipboardText(), "kept");
}

// Another program holds the clipboard open: Copy cannot write, must not claim it did, and the
// clipboard keeps the other program's text.
TEST_F(Clipboard, CopyWhileTheClipboardIsHeldReportsTheFailure) {
    ASSERT_TRUE(PutClipboardText("the other program's text"));
    ASSERT_NO_FATAL_FAILURE(TypeIntoInputBox("http://h/a.zip"));
    ASSERT_NO_FATAL_FAILURE(ConvertAndExpect(XuanfengButton, "qqdl://aHR0cDovL2gvYS56aXA="));
    {
        HeldClipboard held;
        ASSERT_TRUE(held.held());
        ASSERT_NO_FATAL_FAILURE(ClickControl(CopyButton));
        HWND box = WaitForMessageBox();
        ASSERT_TRUE(box) << "Copy showed no message box";
        std::string message = ChildTexts(box, "Static");
        EXPECT_NE(message, CopiedText) << "Copy claimed success";
        EXPECT_FALSE(message.empty());
        ASSERT_NO_FATAL_FAILURE(DismissWithEnter(box));
    }
    EXPECT_EQ(ClipboardText(), "the other program's text");
}

TEST_F(Clipboard, PasteFillsInputBoxTrimmedOfSpaces) {
    struct Paste {
        const char* clipboard;  // nullptr: the clipboard holds no text
        const char* shown;      // InputBox afterwards
    };
    constexpr const char* before = "typed before";
    const Paste pastes[] = {
        {"  http://h/a.zip  ", "http://h/a.zip"},
        {"  http://下载.例子/中文 文件.zip ", "http://下载.例子/中文 文件.zip"},
        {" line one\r\nline two\t", "line one\r\nline two\t"},
        {"    ", before},
        {nullptr, before},
    };
    for (const Paste& paste : pastes) {
        SCOPED_TRACE(paste.clipboard ? std::string("clipboard \"") + paste.clipboard + "\""
                                     : std::string("no text on the clipboard"));
        ASSERT_NO_FATAL_FAILURE(SetText(InputBox, before));
        ASSERT_NO_FATAL_FAILURE(SetText(OutputBox, "untouched"));
        if (paste.clipboard) {
            ASSERT_TRUE(PutClipboardText(paste.clipboard));
        } else {
            HeldClipboard clipboard;
            ASSERT_TRUE(clipboard.held() && EmptyClipboard());
        }
        ASSERT_NO_FATAL_FAILURE(ClickAndSettle(PasteButton));
        EXPECT_EQ(Text(InputBox), paste.shown);
        EXPECT_EQ(Text(OutputBox), "untouched");
    }
}

}  // namespace
}  // namespace acceptance
