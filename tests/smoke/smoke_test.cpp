// The finished tarvik.exe used from outside as a person uses it. The in-process tests cover each
// piece; this run proves that the real program has them all, wired together.
#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <span>
#include <string>

#include "core/link_list.h"
#include "platform/clipboard.h"
#include "tests/harness/program.h"
#include "ui/control_numbers.h"
#include "ui/main_window.h"

namespace {

using namespace tarvik;
using harness::Text;

TEST(Smoke, OpenLaidOutForTheDpiConvertCopyPasteClose) {
    harness::Program program(harness::ToolPath());
    HWND window = program.WaitForWindow();
    ASSERT_NE(window, nullptr);
    // Wine treats every program as DPI-aware, so only the words of the declaration can be checked.
    const std::string tool = harness::ToolPath();
    HMODULE image =
        LoadLibraryExA(tool.substr(1, tool.size() - 2).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC manifest = FindResourceA(image, MAKEINTRESOURCEA(1), RT_MANIFEST);
    EXPECT_NE(std::string_view(static_cast<const char*>(LoadResource(image, manifest)),
                               SizeofResource(image, manifest))
                  .find("WindowsSettings\">true</dpiAware>"),
              std::string_view::npos);
    FreeLibrary(image);

    // The window grows with the font, which the system scales: each place and size by DPI/96,
    // every caption whole, no two controls overlapping, the same margin left, right and below.
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    const auto scaled = [dpi](LONG length) { return MulDiv(length, dpi, 96); };
    RECT client, overlap, places[ControlCount], bounds{LONG_MAX, LONG_MAX, 0, 0};
    GetClientRect(window, &client);
    // Every text reads as on a Chinese system, whatever this system's code page.
    EXPECT_EQ(Text(window), L"" TARVIK_TITLE);
    SelectObject(screen, GetStockObject(DEFAULT_GUI_FONT));
    for (const ControlLayout& c : MainWindowLayout) {
        RECT& r = places[c.number];
        GetWindowRect(program.Control(c.number), &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        const RECT expected{scaled(c.x), scaled(c.y), scaled(c.x) + scaled(c.width),
                            scaled(c.y) + scaled(c.height)};
        EXPECT_TRUE(EqualRect(&r, &expected)) << c.number;
        const std::wstring caption = harness::FromGbk(c.text);
        EXPECT_EQ(Text(program.Control(c.number)), caption) << c.number;
        SIZE text;
        GetTextExtentPoint32W(screen, caption.data(), static_cast<int>(caption.size()), &text);
        const LONG frame = c.kind == ControlLayout::Button ? scaled(2) : 0;  // a button's frame
        EXPECT_LE(text.cx + 2 * frame, r.right - r.left) << c.number << " cut";
        EXPECT_LE(text.cy + 2 * frame, r.bottom - r.top) << c.number << " cut";
        for (const RECT& other : std::span(places, &r))
            EXPECT_FALSE(IntersectRect(&overlap, &r, &other)) << c.number << " overlaps";
        UnionRect(&bounds, &bounds, &r);
    }
    // Rounded separately, a scaled place and size may land a pixel off.
    EXPECT_LE(std::abs(client.right - bounds.right - bounds.left), 1) << dpi << " DPI";
    EXPECT_LE(std::abs(client.bottom - bounds.bottom - bounds.left), 1) << dpi << " DPI";
    ReleaseDC(nullptr, screen);

    // What another program puts on the clipboard, pasted by Paste or by Ctrl+V (the character
    // 0x16) into an empty box, and converted. Its window goes first: the tool's Copy would wait
    // for a clipboard owner that answers nothing.
    const auto pasteAndPress = [&](std::wstring_view text, int button, bool keyboard = false) {
        HWND own = CreateWindowExW(0, L"Static", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, 0, 0, 0);
        ASSERT_NE(WriteClipboardText(own, text), ClipboardWriteFailed);
        DestroyWindow(own);
        if (keyboard) SendMessageW(program.Control(InputBox), WM_SETTEXT, 0, LPARAM(L""));
        PostMessageW(program.Control(keyboard ? InputBox : PasteButton),
                     keyboard ? WM_CHAR : BM_CLICK, keyboard ? 0x16 : 0, 0);
        PostMessageW(program.Control(button), BM_CLICK, 0, 0);
    };
    // Typed, a name that GBK lacks makes a link and a Base64 text of its UTF-8 bytes (spaces alone
    // paste nothing). Pasted, the link loses its spaces at the ends and shows the name again; Copy
    // puts that on the clipboard for the window, and says so.
    const std::wstring korean = L"http://h/한.zip",
                       link = L"thunder://QUFodHRwOi8vaC/tlZwuemlwWlo=";
    for (wchar_t typed : L" " + korean + L" ")
        PostMessageW(program.Control(InputBox), WM_CHAR, typed, 0);
    PostMessageW(program.Control(ThunderButton), BM_CLICK, 0, 0);
    EXPECT_TRUE(harness::Shows(window, OutputBox, link));
    pasteAndPress(L"   ", Base64EncodeButton);
    EXPECT_TRUE(harness::Shows(window, OutputBox, L"aHR0cDovL2gv7ZWcLnppcA=="));
    pasteAndPress(L"  " + link + L"  ", ThunderButton);
    EXPECT_TRUE(harness::Shows(window, OutputBox, korean));
    EXPECT_EQ(Text(program.Control(InputBox)), link);
    PostMessageW(program.Control(CopyButton), BM_CLICK, 0, 0);
    ASSERT_TRUE(harness::WaitUntil([&] { return Text(program.Dialog()) == L"恭喜"; }));
    EXPECT_EQ(ReadClipboardText(), korean);
    EXPECT_EQ(GetClipboardOwner(), window);
    PostMessageW(program.Dialog(), WM_COMMAND, IDOK, 0);

    // A list longer than a box takes by default comes back whole, converted.
    std::string list, links;
    for (int i = 0; i < 2000; ++i) list += "http://h/" + std::to_string(i) + ".zip\r\n";
    RunLinkListCommand(LinkCommand::Thunder, list, links);
    const std::wstring wideList(list.begin(), list.end()), wideLinks(links.begin(), links.end());
    ASSERT_GT(wideList.size(), 32767u);
    pasteAndPress(wideList, ThunderButton, true);
    EXPECT_TRUE(harness::Shows(window, OutputBox, wideLinks));
    EXPECT_TRUE(Text(program.Control(InputBox)) == wideList);

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.ExitCode(harness::SettleMs), 0u);
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    SetProcessDPIAware();  // places and sizes in pixels of the screen, as the tool sees them
    return RUN_ALL_TESTS();
}
