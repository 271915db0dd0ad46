// The finished tarvik.exe from outside, as a person uses it and as links reach it: the in-process
// tests cover each piece; this proves that the real program has them all, wired together.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <span>

#include "platform/clipboard.h"
#include "tests/harness/program.h"
#include "ui/control_numbers.h"
#include "ui/main_window.h"

namespace {

using namespace tarvik;
using harness::FromGbk;
using harness::Text;
const std::string Tool = harness::ToolPath();

TEST(Smoke, OpenLaidOutForTheDpiConvertCopyPasteClose) {
    SetProcessDPIAware();  // places and sizes in pixels of the screen, as the tool sees them
    harness::Program program(Tool);
    HWND window = program.WaitForWindow();
    ASSERT_NE(window, nullptr);
    // Wine treats every program as DPI-aware, so only the words of the declaration can be checked.
    std::ifstream image(Tool.substr(1, Tool.size() - 2), std::ios::binary);
    const std::string exe(std::istreambuf_iterator<char>(image), {});
    EXPECT_NE(exe.find("WindowsSettings\">true</dpiAware>"), std::string::npos);

    // The window grows with the font, which the system scales: each place and size by DPI/96, every
    // caption whole and every text as on a Chinese system, no overlaps, even margins all round.
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    const auto scaled = [dpi](LONG length) { return MulDiv(length, dpi, 96); };
    RECT client, overlap, places[ControlCount], bounds{};  // empty, so the first union is a place
    GetClientRect(window, &client);
    EXPECT_EQ(Text(window), L"" TARVIK_TITLE);
    SelectObject(screen, GetStockObject(DEFAULT_GUI_FONT));
    for (const ControlLayout& c : MainWindowLayout) {
        RECT& r = places[c.number];
        GetWindowRect(program.Control(c.number), &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        const RECT expected{scaled(c.x), scaled(c.y), scaled(c.x) + scaled(c.width),
                            scaled(c.y) + scaled(c.height)};
        EXPECT_TRUE(EqualRect(&r, &expected)) << c.number;
        const std::wstring caption = FromGbk(c.text);
        EXPECT_EQ(Text(program.Control(c.number)), caption) << c.number;
        SIZE text;
        GetTextExtentPoint32W(screen, caption.data(), static_cast<int>(caption.size()), &text);
        const LONG frame = c.kind == ControlLayout::Button ? 2 * scaled(2) : 0;  // a button's
        EXPECT_TRUE(text.cx + frame <= r.right - r.left && text.cy + frame <= r.bottom - r.top)
            << c.number << " cut";
        for (const RECT& other : std::span(places, &r))
            EXPECT_FALSE(IntersectRect(&overlap, &r, &other)) << c.number << " overlaps";
        UnionRect(&bounds, &bounds, &r);
    }
    // Rounded separately, a scaled place and size may land a pixel off.
    EXPECT_LE(std::abs(client.right - bounds.right - bounds.left), 1) << dpi << " DPI";
    EXPECT_LE(std::abs(client.bottom - bounds.bottom - bounds.left), 1) << dpi << " DPI";
    ReleaseDC(nullptr, screen);

    // Put on the clipboard from outside, for the tool's window, which answers its messages; pasted
    // by Paste or by Ctrl+V (the character 0x16) into an empty box, and converted.
    const auto pasteAndPress = [&](std::wstring_view text, int button, bool keyboard = false) {
        ASSERT_NE(WriteClipboardText(window, text), ClipboardWriteFailed);
        if (keyboard) SendMessageW(program.Control(InputBox), WM_SETTEXT, 0, LPARAM(L""));
        PostMessageW(program.Control(keyboard ? InputBox : PasteButton),
                     keyboard ? WM_CHAR : BM_CLICK, keyboard ? 0x16 : 0, 0);
        PostMessageW(program.Control(button), BM_CLICK, 0, 0);
    };
    // Typed, a name that GBK lacks makes a link and a Base64 text of its UTF-8 bytes (spaces alone
    // paste nothing); pasted, the link loses its end spaces and shows the name, which Copy copies.
    const std::wstring name = L"http://h/한.zip", link = L"thunder://QUFodHRwOi8vaC/tlZwuemlwWlo=";
    for (wchar_t typed : L" " + name + L" ")
        PostMessageW(program.Control(InputBox), WM_CHAR, typed, 0);
    PostMessageW(program.Control(ThunderButton), BM_CLICK, 0, 0);
    EXPECT_TRUE(harness::Shows(window, OutputBox, link));
    pasteAndPress(L"   ", Base64EncodeButton);
    EXPECT_TRUE(harness::Shows(window, OutputBox, L"aHR0cDovL2gv7ZWcLnppcA=="));
    pasteAndPress(L"  " + link + L"  ", ThunderButton);
    EXPECT_TRUE(harness::Shows(window, OutputBox, name));
    PostMessageW(program.Control(CopyButton), BM_CLICK, 0, 0);
    ASSERT_TRUE(harness::WaitUntil([&] { return Text(program.Dialog()) == L"恭喜"; }));
    EXPECT_EQ(ReadClipboardText(), name);
    EXPECT_EQ(GetClipboardOwner(), window);
    PostMessageW(program.Dialog(), WM_COMMAND, IDOK, 0);

    // A list of more than 32,767 characters, a box's default limit, comes back whole, converted.
    std::wstring list, links;
    while (list.size() <= 32767)
        list += L"http://h/a.zip\r\n", links += L"thunder://QUFodHRwOi8vaC9hLnppcFpa\r\n";
    pasteAndPress(list, ThunderButton, true);
    EXPECT_TRUE(harness::Shows(window, OutputBox, links));
    EXPECT_TRUE(Text(program.Control(InputBox)) == list);

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.ExitCode(harness::SettleMs), 0u);
}

TEST(LinkHandler, StartedWithATextOrALink) {
    harness::Program plain(Tool + " \" http://h/a.zip \"");
    ASSERT_NE(plain.WaitForWindow(), nullptr);
    EXPECT_EQ(Text(plain.Control(InputBox)) + Text(plain.Control(OutputBox)), L"http://h/a.zip");
    harness::Program linked(Tool + " \"  THUNDER://QUFodHRwOi8vaC9hLnppcFpa \"");
    HWND window = linked.WaitForWindow();
    EXPECT_TRUE(harness::Shows(window, OutputBox, L"http://h/a.zip"));
    GUITHREADINFO focus{};
    focus.cbSize = sizeof focus;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &focus);
    EXPECT_EQ(focus.hwndFocus, linked.Control(OutputBox));
}

// Each scheme's name and command in the user's classes.
std::string Classes() {
    std::string found;
    for (const std::string scheme : {"thunder", "flashget", "qqdl", "fs2you"})
        for (const std::string& key : {scheme, scheme + "\\shell\\open\\command"}) {
            char text[1024] = "";
            LONG size = sizeof text;
            RegQueryValueA(HKEY_CURRENT_USER, ("Software\\Classes\\" + key).c_str(), text, &size);
            found += text + std::string(";");
        }
    return found;
}

// Runs the tool with the option, answers its message, and gives its text and the exit code.
std::wstring RunAnswered(const std::string& option) {
    harness::Program program(Tool + option);
    harness::WaitUntil([&] { return program.Dialog() != nullptr; }, 60000);
    const std::wstring said = Text(GetDlgItem(program.Dialog(), 0xFFFF));
    PostMessageA(program.Dialog(), WM_COMMAND, IDOK, 0);
    return said + std::to_wstring(program.ExitCode(harness::SettleMs));
}

TEST(LinkHandler, RegisteredWritesItsCommandUnregisteredLeavesTheClassesAsBefore) {
    // Another program opens flashget links for the user, and qqdl links for every user.
    constexpr char foreign[] = R"("C:\other.exe" "%1")";
    RegSetValueA(HKEY_CURRENT_USER, "Software\\Classes\\flashget\\shell\\open\\command", REG_SZ,
                 foreign, sizeof foreign - 1);
    RegSetValueA(HKEY_LOCAL_MACHINE, "Software\\Classes\\qqdl\\shell\\open\\command", REG_SZ,
                 foreign, sizeof foreign - 1);
    // A key that takes no lasting key under it: the write of fs2you's command fails.
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Classes\\fs2you", 0, nullptr, REG_OPTION_VOLATILE,
                    KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegCloseKey(key);
    const std::string before = Classes();
    EXPECT_TRUE(
        RunAnswered(" --register")
            .ends_with(FromGbk(
                "由其他程序打开，未作更改：flashget: qqdl:\n这些链接未能登记：fs2you:\n1")));
    EXPECT_EQ(Classes(), "URL:thunder;" + Tool + " \"%1\";;" + foreign + ";;;;;");

    EXPECT_EQ(RunAnswered(" --unregister"),
              FromGbk("本工具不再打开这些链接：thunder:\n本工具原本就不打开这些链接：qqdl: "
                      "fs2you:\n这些链接由其他程序打开，未作更改：flashget:\n0"));
    EXPECT_EQ(Classes(), before);
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Classes\\flashget");
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Classes\\fs2you");
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Classes\\qqdl");
}

}  // namespace
