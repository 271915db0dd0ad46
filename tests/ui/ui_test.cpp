// The window as the program's start-up opens it, its events, Tab, and the loop's commands, run
// in-process under Wine. Built from UTF-8 with -fexec-charset=GBK.
#include <windows.h>

#include <shellapi.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <set>
#include <tuple>
#include <vector>

#include "core/link_commands.h"
#include "tests/harness/program.h"
#include "ui/control_layer.h"
#include "ui/event_loop.h"
#include "ui/event_source.h"
#include "ui/main_window.h"
#include "ui/tool_commands.h"
#include "ui/program/startup.h"
#include "ui/window_layer.h"
#include "ui/window_properties.h"

// With FailingProperty set this program is the tool, its SetPropW failing for the property named
// there. The shell notes what it was asked to open, and fails. x86-64 only: the import names are
// its own, and its one calling convention lets a lambda stand in for a WINAPI function.
static wchar_t failing[64];
static std::wstring shellOpened;
extern "C" {
extern decltype(&SetPropW) __real___imp_SetPropW;
decltype(&SetPropW) __wrap___imp_SetPropW = [](HWND window, LPCWSTR name, HANDLE value) -> BOOL {
    return std::wstring_view(failing) != name && __real___imp_SetPropW(window, name, value);
};
decltype(&ShellExecuteExW) __wrap___imp_ShellExecuteExW = [](SHELLEXECUTEINFOW* request) -> BOOL {
    shellOpened = request->lpFile;
    return FALSE;
};
}
static const bool runAsTheProgram =
    GetEnvironmentVariableW(L"FailingProperty", failing, 64) != 0 && (tarvik::RunProgram(), true);

namespace tarvik {
namespace {

using Event = std::array<std::int32_t, 4>;  // code, control, window and type

// The events of all posted so far, handled if asked; a thread message, queued last, ends them.
std::vector<Event> TakeEvents(bool handle = false) {
    PostThreadMessageA(GetCurrentThreadId(), WM_USER, 0, 0);
    std::vector<Event> events;
    for (std::int32_t code; (code = WaitForEvent()) != WM_USER;) {
        events.push_back({code, CurrentEventControl(), CurrentEventWindow(), CurrentEventType()});
        if (handle) HandleEvent(code);
    }
    return events;
}

// Awaits the press itself: a message box's own loop would swallow TakeEvents' marker.
void Press(ControlNumber button) {
    PostMessageA(ControlHandle(button), BM_CLICK, 0, 0);
    for (bool pressed = false; !pressed;) {
        const std::int32_t code = WaitForEvent();
        pressed = code == ControlEvent && CurrentEventControl() == button;
        HandleEvent(code);
    }
}

// Every test starts with MainWindow opened by the program's own start-up.
class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        static const bool started = ProgramStart();
        ASSERT_TRUE(started && OpenMainWindow());
        window = WindowHandle(MainWindow);
        TakeEvents();
    }
    void TearDown() override { CloseNumberedWindow(MainWindow); }
    HWND window = nullptr;
};

TEST_F(MainWindowTest, OpensAsTheUserFirstSeesIt) {
    // Centred. The mouse finds a title bar, a system menu, minimise and close, every second pixel
    // (each part is wider), and no border that resizes; a double click does not maximise it.
    RECT outer;
    GetWindowRect(window, &outer);
    EXPECT_LE(std::abs(outer.left + outer.right - GetSystemMetrics(SM_CXSCREEN)), 1);
    EXPECT_LE(std::abs(outer.top + outer.bottom - GetSystemMetrics(SM_CYSCREEN)), 1);
    std::set<LRESULT> parts;
    for (LONG y = outer.top; y < outer.bottom; y += 2)
        for (LONG x = outer.left; x < outer.right; x += 2)
            parts.insert(SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)));
    std::erase_if(parts, [](auto p) { return p < HTCLIENT || p == HTMAXBUTTON || p == HTBORDER; });
    EXPECT_EQ(parts, (std::set<LRESULT>{HTCLIENT, HTCAPTION, HTSYSMENU, HTMINBUTTON, HTCLOSE}));
    SendMessageW(window, WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(outer.left + 60, outer.top + 8));
    EXPECT_FALSE(IsZoomed(window));
    EXPECT_NE(GetClassLongPtrA(window, GCLP_HICON), 0);
    // The manifest brings the common controls of version 6, which live under winsxs.
    char controls[MAX_PATH] = {};
    GetModuleFileNameA(GetModuleHandleA("comctl32.dll"), controls, MAX_PATH);
    EXPECT_NE(std::strstr(CharLowerA(controls), "\\winsxs\\"), nullptr) << controls;

    // Every control has the default GUI font in its captions' character set. The boxes take more
    // than a box takes by default; the same text is painted blue on white in the output box alone.
    LOGFONTW standard{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof standard, &standard);
    standard.lfCharSet = GB2312_CHARSET;
    for (const ControlLayout& c : MainWindowLayout) {
        HWND control = ControlHandle(c.number);
        LOGFONTW font{};
        GetObjectW(HFONT(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_EQ(std::memcmp(&font, &standard, sizeof font), 0) << font.lfFaceName << c.number;
        if (c.kind != ControlLayout::EditBox) continue;
        EXPECT_GT(SendMessageA(control, EM_GETLIMITTEXT, 0, 0), 0xFFFFF) << c.number;
        SetControlText(c.number, L"迅雷\r\nWWW 快车");
        EXPECT_EQ(SendMessageA(control, EM_GETLINECOUNT, 0, 0), 2) << c.number;
        RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        HDC context = GetDC(control);
        int blue = 0;  // a pixel beyond the box, which is smaller than its layout, is CLR_INVALID
        for (LONG at = 0; at < c.width * c.height; ++at) {
            const COLORREF p = GetPixel(context, at % c.width, at / c.width);
            blue += GetBValue(p) > GetRValue(p) + 96 && GetBValue(p) > GetGValue(p) + 96;
        }
        EXPECT_EQ(blue > 20, c.number == OutputBox) << blue;
        EXPECT_EQ(GetPixel(context, 1, 1), RGB(255, 255, 255));
        ReleaseDC(control, context);
    }
}

TEST(Start, AWindowOrControlWithoutItsNumberEndsTheProgramWithOne) {
    for (const wchar_t* name : {WindowNumberProperty, ControlNumberProperty}) {
        SetEnvironmentVariableW(L"FailingProperty", name);
        EXPECT_EQ(harness::Program(GetCommandLineA()).ExitCode(harness::SettleMs), 1u) << name;
    }
    SetEnvironmentVariableW(L"FailingProperty", nullptr);
}

TEST_F(MainWindowTest, QueuedEventsFirstOldestFirstWithoutRepeatsThenFocusAndClose) {
    // A message of a window that is not ours has window -1.
    PostMessageA(window, WM_APP, 0, 0);
    PostThreadMessageA(GetCurrentThreadId(), WM_APP + 1, 0, 0);
    const Event posted[] = {{3, 0, 0, 0}, {3, 0, 0, 0}, {3, 0, 0, 1}, {3, 4, 0, 1},
                            {3, 4, 1, 1}, {5, 4, 1, 1}, {3, 0, 0, 0}};
    for (const Event& e : posted) PostEvent(e[0], e[1], e[2], e[3]);
    std::vector<Event> taken(std::begin(posted) + 1, std::end(posted));  // the second repeats
    taken.insert(taken.end(), {{WM_APP, 0, 0, -1}, {WM_APP + 1, 0, -1, -1}});
    EXPECT_EQ(TakeEvents(), taken);
    // The boxes' focus changes, and a close request as its own number, 16.
    FocusControl(OutputBox);
    FocusControl(CopyButton);
    std::vector<Event> events = TakeEvents();
    std::erase_if(events, [](const Event& e) { return e[3] < FocusGainedType; });
    EXPECT_EQ(events, (std::vector<Event>{{ControlEvent, InputBox, MainWindow, FocusLostType},
                                          {ControlEvent, OutputBox, MainWindow, FocusGainedType},
                                          {ControlEvent, OutputBox, MainWindow, FocusLostType}}));
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(TakeEvents().back(), (Event{CloseWindowEvent, 0, 0, 0}));
    EXPECT_TRUE(IsWindowVisible(window));
}

TEST_F(MainWindowTest, TabAndShiftTabGoRoundTheNumbersAndTheFocusSurvivesDeactivation) {
    // Tab, or Shift+Tab, as the keyboard delivers it to the focused control: from no focus twice
    // round each way, through every control but the labels (0 and 3) in number order.
    const std::int32_t order[] = {1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12}, n = std::size(order);
    for (const bool shift : {false, true}) {
        FocusControl(NoControl);
        BYTE keys[256] = {};
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        for (std::int32_t step = 0; step < 2 * n; ++step) {
            SetKeyboardState(keys);
            PostMessageA(GetFocus() != nullptr ? GetFocus() : window, WM_KEYDOWN, VK_TAB, 0);
            TakeEvents();
            ASSERT_EQ(GetDlgCtrlID(GetFocus()), order[shift ? n - 1 - step % n : step % n]);
        }
    }
    EXPECT_EQ(GetControlText(InputBox), L"");
    HWND other = CreateWindowExA(0, "Static", "", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9, 0, 0, 0, 0);
    SetActiveWindow(other);
    SetActiveWindow(window);
    EXPECT_EQ(GetFocus(), ControlHandle(Base64EncodeButton));
    DestroyWindow(other);
}

TEST_F(MainWindowTest, EachButtonRunsItsCommandAndOnlyMainWindowsCloseEndsTheLoop) {
    // Each button its own command, saying only what the user must know: the clipboard is held by
    // another window throughout, so Copy fails, and the shell fails to open the online page.
    const std::string link = "thunder://QUFodHRwOi8vaC9hLnppcFpa", error(LinkFormatErrorText),
                      utf8 = "thunder://QUFodHRwOi8vaC/kuK3mlocuemlwWlo=",
                      list = "http://h/a.zip\r\n\r\n" + link + "\r\n" + error +
                             "\r\nhttp://h/中文.zip";
    const std::tuple<ControlNumber, std::string, std::string, std::wstring> presses[] = {
        {CopyButton, "", "", L"0"},  // nothing to copy
        {FlashGetButton, "http://h/a", "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9oL2FbRkxBU0hHRVRd", L"0"},
        {XuanfengButton, "qqdl://aHR0cDovL2gvYS56aXA=", "http://h/a.zip", L"0"},
        {RayFileButton, "fs2you://aHR0cDovL2gvYS56aXB8NzM1", "http://h/a.zip", L"0"},
        {Base64EncodeButton, "迅雷", "0bjA1w==", L"0"},
        {Base64DecodeButton, "1w==", "?", L"0"},  // a lone GBK lead byte, which the box cannot show
        // A list, line by line, each line in its own encoding: the last address hides UTF-8.
        {ThunderButton, " " + link + "\r\n\r\nhttp://h/a.zip \r\nftp//x\r\n" + utf8, list, L"0"},
        {ThunderButton, "   ", list, L"0"},  // spaces alone change nothing
        {CopyButton, "", list, L"1复制失败转换结果未能复制到剪切板，请稍后重试！"},
        {OnlineButton, "", list, L"0"},
    };
    for (const auto& [button, input, output, said] : presses) {
        SetControlText(InputBox, harness::FromGbk(input));
        harness::BoxAnswerer answerer;
        OpenClipboard(ControlHandle(InputBox));
        Press(button);
        CloseClipboard();
        EXPECT_EQ(GetControlText(OutputBox), harness::FromGbk(output)) << input;
        EXPECT_EQ(std::to_wstring(answerer.count) + answerer.title + answerer.text, said) << input;
    }
    EXPECT_EQ(shellOpened, harness::FromGbk(OnlinePageAddress));
    for (const ControlNumber control : {InputLabel, OutputLabel, InputBox, OutputBox})
        PostEvent(ControlEvent, control, MainWindow, 0);  // controls without a command
    for (const std::int32_t outside : {ControlCount, -1})
        PostEvent(ControlEvent, outside, MainWindow, 0);
    PostEvent(CloseWindowEvent, 1, 1, 0);
    TakeEvents(true);
    EXPECT_EQ(GetControlText(OutputBox), harness::FromGbk(list));
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(HandleEvent(WaitForEvent()));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(ControlHandle(InputBox), nullptr);  // its record went with it
}

}  // namespace
}  // namespace tarvik
