#include "platform/clipboard.h"
#include "platform/clipboard_text_block.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/platform/test_support.h"

namespace tarvik {
namespace {

// Puts one block on the clipboard the way another program might.
void PutOnClipboard(UINT format, HGLOBAL block) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    EXPECT_NE(SetClipboardData(format, block), nullptr);
    CloseClipboard();
}

HGLOBAL BlockOf(const std::string& bytes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    return block;
}

std::string EveryByteButNul() {
    std::string bytes;
    for (int value = 1; value < 256; ++value) bytes += static_cast<char>(value);
    return bytes;
}

std::string Megabyte() {
    std::string text;
    // "转换结果" in GBK between ASCII, so that a lost or shifted byte shows.
    const std::string pattern = "link \xD7\xAA\xBB\xBB\xBD\xE1\xB9\xFB\r\n\t";
    while (text.size() < 1024 * 1024) text += pattern + std::to_string(text.size());
    return text;
}

TEST(Clipboard, TextComesBackByteForByte) {
    const std::string texts[] = {
        "http://www.tarvik.com/link/",
        EveryByteButNul(),
        "  two lines\r\nand\ta tab  ",
        "\r\n",
        "",
        Megabyte(),
    };
    for (const std::string& text : texts) {
        SCOPED_TRACE(text.substr(0, 40));
        EXPECT_NE(WriteClipboardText(text), 0u);
        EXPECT_EQ(ReadClipboardText(), text);
    }
}

TEST(Clipboard, AnotherFormatOnlyGivesTheEmptyText) {
    const UINT format = RegisterClipboardFormatA("Tarvik test picture");
    PutOnClipboard(format, BlockOf("not text"));
    EXPECT_EQ(ReadClipboardText(), "");
}

TEST(Clipboard, TextBlockWithoutNulIsReadToItsEndOnly) {
    // The block is cut down from a larger one, so the bytes right after its end are not NUL and
    // a read that goes looking for one picks them up. (The clipboard itself cannot carry such a
    // block under Wine, which ends every CF_TEXT block with a NUL, so the block is read directly.)
    HGLOBAL block = BlockOf(std::string(256, 'x'));
    block = GlobalReAlloc(block, 5, GMEM_MOVEABLE);
    std::memcpy(GlobalLock(block), "abcde", 5);
    GlobalUnlock(block);
    ASSERT_EQ(GlobalSize(block), 5u);
    EXPECT_EQ(TextOfBlock(block), "abcde");
    GlobalFree(block);
}

TEST(Clipboard, ClipboardHeldByAnotherProcessIsLeftAsItWas) {
    ASSERT_NE(WriteClipboardText("old contents"), 0u);
    test::NamedEvent ready("clipboard-held"), release("clipboard-release");
    {
        test::HelperProcess holder("hold-clipboard " + ready.Name() + " " + release.Name());
        ASSERT_TRUE(holder.Started());
        ASSERT_EQ(WaitForSingleObject(ready.Handle(), 10000), WAIT_OBJECT_0);
        EXPECT_EQ(WriteClipboardText("new contents"), 0u);
        EXPECT_EQ(ReadClipboardText(), "");
        SetEvent(release.Handle());
    }
    EXPECT_EQ(ReadClipboardText(), "old contents");
}

}  // namespace
}  // namespace tarvik
