// The finished tarvik.exe used from outside as a person uses it: it is laid out for the screen's
// DPI setting, takes typed input, converts, copies, pastes and closes. The in-process tests cover
// each piece; this run proves that the real program has them all, wired together.
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

// The control's text once it equals `expected`, or the last text seen when the time is up.
std::wstring WaitForText(HWND control, std::wstring_view expected) {
    std::wstring text;
    harness::WaitUntil([&] { return (text = Text(control)) == expected; });
    return text;
}

TEST(Smoke, OpenLaidOutForTheDpiConvertCopyPasteClose) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string test(path), tool = test.substr(0, test.rfind("\\tests\\")) + "\\tarvik.exe";
    harness::Program program("\"" + tool + "\"");
    HWND window = program.WaitForWindow();
    ASSERT_NE(window, nullptr) << tool;
    HMODULE image = LoadLibraryExA(tool.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    // Wine treats every program as DPI-aware, so only the words of the declaration can be checked.
    HRSRC manifest = FindResourceA(image, MAKEINTRESOURCEA(1), RT_MANIFEST);
    const std::string_view declared(static_cast<const char*>(LoadResource(image, manifest)),
                                    SizeofResource(image, manifest));
    EXPECT_NE(declared.find("WindowsSettings\">true</dpiAware>"), std::string_view::npos);
    FreeLibrary(image);

    // At any DPI setting the window grows with the font, which the system scales: each place and
    // size by DPI/96, every caption whole, no two controls overlapping, and the client area frames
    // them with the same margin at the left, the right and the bottom.
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
        // A button's caption sits inside its two-pixel frame.
        const LONG frame = c.kind == ControlLayout::Button ? scaled(2) : 0;
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

    // What another program puts on the clipboard, pasted into the input box and converted. Its
    // window goes first: the tool's Copy would wait for a clipboard owner that answers nothing.
    // Ctrl+V reaches the box as the character 0x16.
    const auto pasteAndPress = [&](std::wstring_view text, int button, bool keyboard = false) {
        HWND own = CreateWindowExW(0, L"Static", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, 0, 0, 0);
        ASSERT_NE(WriteClipboardText(own, text), ClipboardWriteFailed);
        DestroyWindow(own);
        if (keyboard) SendMessageW(program.Control(InputBox), WM_SETTEXT, 0, LPARAM(L""));
        PostMessageW(program.Control(keyboard ? InputBox : PasteButton),
                     keyboard ? WM_CHAR : BM_CLICK, keyboard ? 0x16 : 0, 0);
        PostMessageW(program.Control(button), BM_CLICK, 0, 0);
    };
    // A typed name with no GBK form makes a link, and a Base64 text, of its UTF-8 bytes; spaces
    // alone paste nothing, so the encoding reads the typed text.
    const std::wstring korean = L"http://h/한.zip",
                       link = L"thunder://QUFodHRwOi8vaC/tlZwuemlwWlo=";
    harness::Type(program.Control(InputBox), L" " + korean + L" ");
    PostMessageW(program.Control(ThunderButton), BM_CLICK, 0, 0);
    EXPECT_EQ(WaitForText(program.Control(OutputBox), link), link);
    pasteAndPress(L"   ", Base64EncodeButton);
    EXPECT_EQ(WaitForText(program.Control(OutputBox), L"aHR0cDovL2gv7ZWcLnppcA=="),
              L"aHR0cDovL2gv7ZWcLnppcA==");

    // A pasted link, without the spaces at its ends, that hides a UTF-8 name shows it; Copy gives
    // every reader that text: Unicode, and ANSI bytes that read as the text in the code page of the
    // clipboard's locale, with the window as the clipboard's owner.
    const std::wstring utf8Link = L"thunder://QUFodHRwOi8vaC/kuK3mlocuemlwWlo=";
    pasteAndPress(L"  " + utf8Link + L"  ", ThunderButton);
    EXPECT_EQ(WaitForText(program.Control(OutputBox), L"http://h/中文.zip"), L"http://h/中文.zip");
    EXPECT_EQ(Text(program.Control(InputBox)), utf8Link);
    PostMessageW(program.Control(CopyButton), BM_CLICK, 0, 0);
    ASSERT_TRUE(harness::WaitUntil([&] { return Text(program.Dialog()) == L"恭喜"; }));
    EXPECT_EQ(ReadClipboardText(), L"http://h/中文.zip");
    ASSERT_TRUE(OpenClipboard(nullptr));
    const std::string ansi = TextOfBlock<char>(GetClipboardData(CF_TEXT)).value_or("");
    const auto* locale = static_cast<const LCID*>(GlobalLock(GetClipboardData(CF_LOCALE)));
    ASSERT_NE(locale, nullptr);
    DWORD codePage = 0;
    GetLocaleInfoW(*locale, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                   reinterpret_cast<LPWSTR>(&codePage), sizeof codePage / sizeof(wchar_t));
    std::wstring read(ansi.size(), L'\0');
    read.resize(MultiByteToWideChar(codePage, 0, ansi.data(), static_cast<int>(ansi.size()),
                                    read.data(), static_cast<int>(read.size())));
    EXPECT_EQ(read, L"http://h/中文.zip");
    EXPECT_EQ(GetClipboardOwner(), window);
    CloseClipboard();
    PostMessageW(program.Dialog(), WM_COMMAND, IDOK, 0);
    // The link made from the typed name reads back as that name.
    pasteAndPress(link, ThunderButton);
    EXPECT_EQ(WaitForText(program.Control(OutputBox), korean), korean);

    // A list longer than an edit box takes by default, pasted with the keyboard, is kept whole and
    // converted whole.
    std::string list, links;
    for (int i = 0; i < 2000; ++i) list += "http://h/" + std::to_string(i) + ".zip\r\n";
    RunLinkListCommand(LinkCommand::Thunder, list, links);
    const std::wstring wideList(list.begin(), list.end()), wideLinks(links.begin(), links.end());
    ASSERT_GT(wideList.size(), 32767u);
    pasteAndPress(wideList, ThunderButton, true);
    EXPECT_TRUE(WaitForText(program.Control(OutputBox), wideLinks) == wideLinks);
    EXPECT_TRUE(Text(program.Control(InputBox)) == wideList);

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.ExitCode(harness::SettleMs), 0u);
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Places and sizes in pixels of the screen, as the tool sees them.
    SetProcessDPIAware();
    return RUN_ALL_TESTS();
}
