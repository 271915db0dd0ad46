// The window as the program's start-up opens it, its events, Tab, and the loop's commands, run
// in-process under Wine. Built from UTF-8 with -fexec-charset=GBK.
#include <windows.h>

#include <shellapi.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <optional>
#include <set>
#include <vector>

#include "core/link_commands.h"
#include "platform/clipboard.h"
#include "tests/harness/program.h"
#include "ui/control_layer.h"
#include "ui/control_numbers.h"
#include "ui/event_loop.h"
#include "ui/event_source.h"
#include "ui/main_window.h"
#include "ui/tool_commands.h"
#include "ui/program/startup.h"
#include "ui/window_layer.h"
#include "ui/window_properties.h"

// With "--failing-start" and a property name: the program's own start-up, SetPropW failing for it.
// The shell notes what it was asked to open, and fails. (The import names are x86-64's.)
static std::wstring failing, shellOpened;
extern "C" {
extern decltype(&SetPropW) __real___imp_SetPropW;
BOOL WINAPI SetPropFailing(HWND window, LPCWSTR name, HANDLE value) {
    return failing != name && __real___imp_SetPropW(window, name, value);
}
decltype(&SetPropW) __wrap___imp_SetPropW = SetPropFailing;
BOOL WINAPI ShellExecuteNoted(SHELLEXECUTEINFOW* request) {
    shellOpened = request->lpFile;
    return FALSE;
}
decltype(&ShellExecuteExW) __wrap___imp_ShellExecuteExW = ShellExecuteNoted;
}
static const bool runAsTheProgram = [] {
    const wchar_t* option = std::wcsstr(GetCommandLineW(), L"--failing-start ");
    if (option == nullptr) return false;
    failing = option + std::wcslen(L"--failing-start ");
    tarvik::RunProgram();
}();

namespace tarvik {
namespace {

// Code, control, window and type.
using Event = std::array<std::int32_t, 4>;

Event Taken(std::int32_t code) {
    return {code, CurrentEventControl(), CurrentEventWindow(), CurrentEventType()};
}

// The events of all posted so far, handled if asked; a thread message, queued last, ends them.
std::vector<Event> TakeEvents(bool handle = false) {
    constexpr std::int32_t Marker = WM_APP + 0x77;
    PostThreadMessageA(GetCurrentThreadId(), Marker, 0, 0);
    std::vector<Event> events;
    for (std::int32_t code; (code = WaitForEvent()) != Marker;) {
        events.push_back(Taken(code));
        if (handle) HandleEvent(code);
    }
    return events;
}

// Every test starts with MainWindow opened by the program's own start-up.
class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        static const bool started = ProgramStart();
        ASSERT_TRUE(started);
        ASSERT_TRUE(OpenMainWindow());
        window = WindowHandle(MainWindow);
        TakeEvents();
    }
    void TearDown() override {
        CloseNumberedWindow(MainWindow);
        TakeEvents();
    }
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
    std::erase_if(parts,
                  [](LRESULT p) { return p < HTCLIENT || p == HTMAXBUTTON || p == HTBORDER; });
    EXPECT_EQ(parts, (std::set<LRESULT>{HTCLIENT, HTCAPTION, HTSYSMENU, HTMINBUTTON, HTCLOSE}));
    SendMessageW(window, WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(outer.left + 60, outer.top + 8));
    EXPECT_FALSE(IsZoomed(window));
    EXPECT_NE(GetClassLongPtrA(window, GCLP_HICON), 0);
    // The manifest brings the common controls of version 6, which live under winsxs.
    char controls[MAX_PATH] = {};
    GetModuleFileNameA(GetModuleHandleA("comctl32.dll"), controls, MAX_PATH);
    EXPECT_NE(std::string(CharLowerA(controls)).find("\\winsxs\\"), std::string::npos) << controls;

    // Every control has the default GUI font in its captions' character set; the boxes take several
    // lines, and lists.
    LOGFONTW standard{}, font{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof standard, &standard);
    for (const ControlLayout& c : MainWindowLayout) {
        HWND control = ControlHandle(c.number);
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font,
                   &font);
        standard.lfCharSet = GB2312_CHARSET;
        EXPECT_EQ(std::memcmp(&font, &standard, sizeof font), 0) << font.lfFaceName << c.number;
        if (c.kind != ControlLayout::EditBox) continue;
        SetControlText(c.number, L"a\r\nb");
        EXPECT_EQ(SendMessageA(control, EM_GETLINECOUNT, 0, 0), 2) << c.number;
        EXPECT_GT(SendMessageA(control, EM_GETLIMITTEXT, 0, 0), 0xFFFFF) << c.number;
    }

    // The focus in the input box; the same text painted blue on white in the output box alone.
    EXPECT_EQ(GetFocus(), ControlHandle(InputBox));
    for (const ControlNumber box : {InputBox, OutputBox}) {
        SetControlText(box, L"迅雷 WWW 快车");
        HWND control = ControlHandle(box);
        RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        RECT r;
        GetClientRect(control, &r);
        HDC context = GetDC(control);
        int blue = 0;
        for (LONG at = 0; at < r.right * r.bottom; ++at) {
            const COLORREF p = GetPixel(context, at % r.right, at / r.right);
            blue += GetBValue(p) > GetRValue(p) + 96 && GetBValue(p) > GetGValue(p) + 96;
        }
        EXPECT_EQ(blue > 20, box == OutputBox) << blue;
        EXPECT_EQ(GetPixel(context, 1, 1), RGB(255, 255, 255));
        ReleaseDC(control, context);
    }
}

TEST(Start, AWindowOrControlWithoutItsNumberEndsTheProgramWithOne) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    for (const std::wstring property : {WindowNumberProperty, ControlNumberProperty}) {
        const std::string name(property.begin(), property.end());  // ASCII
        harness::Program program(std::string("\"") + path + "\" --failing-start " + name);
        EXPECT_EQ(program.ExitCode(harness::SettleMs), 1u) << name;
    }
}

TEST_F(MainWindowTest, QueuedEventsFirstOldestFirstWithoutRepeatsThenFocusAndClose) {
    PostMessageA(window, WM_APP, 0, 0);
    PostThreadMessageA(GetCurrentThreadId(), WM_APP + 1, 0, 0);
    const Event posted[] = {{3, 0, 0, 0}, {3, 0, 0, 0}, {3, 0, 0, 1}, {3, 4, 0, 1},
                            {3, 4, 1, 1}, {5, 4, 1, 1}, {3, 0, 0, 0}};
    for (const Event& e : posted) PostEvent(e[0], e[1], e[2], e[3]);
    for (const Event& e : posted) {
        if (&e == &posted[1]) continue;  // it repeats the newest one waiting
        EXPECT_EQ(Taken(WaitForEvent()), e);
    }
    for (auto [code, window] : {std::pair{WM_APP, 0}, {WM_APP + 1, -1}}) {  // -1: not ours
        EXPECT_EQ(WaitForEvent(), code);
        EXPECT_EQ(CurrentEventWindow(), window);
        EXPECT_EQ(CurrentEventType(), -1);
    }
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

// Tab, or Shift+Tab, as the keyboard delivers it to the focused control.
std::int32_t FocusAfterTab(HWND window, bool shift) {
    BYTE keys[256] = {};
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    PostMessageA(GetFocus() != nullptr ? GetFocus() : window, WM_KEYDOWN, VK_TAB, 0);
    TakeEvents();
    return GetDlgCtrlID(GetFocus());
}

TEST_F(MainWindowTest, TabAndShiftTabGoRoundTheNumbersAndTheFocusSurvivesDeactivation) {
    // Every control but the labels, in number order; from no focus twice round each way.
    std::vector<std::int32_t> order;
    for (const ControlLayout& c : MainWindowLayout)
        if (c.kind != ControlLayout::Label) order.push_back(c.number);
    for (const bool shift : {false, true}) {
        FocusControl(NoControl);
        for (std::size_t step = 0; step < 2 * order.size(); ++step) {
            const std::size_t at = step % order.size();
            ASSERT_EQ(FocusAfterTab(window, shift), shift ? order.rbegin()[at] : order[at]);
        }
    }
    EXPECT_EQ(GetControlText(InputBox), L"");
    HWND other = CreateWindowExA(0, "Static", "", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9, nullptr,
                                 nullptr, nullptr, nullptr);
    SetActiveWindow(other);
    SetActiveWindow(window);
    EXPECT_EQ(GetFocus(), ControlHandle(Base64EncodeButton));
    DestroyWindow(other);
}

TEST_F(MainWindowTest, EachConversionButtonRunsItsCommandAndOnlyMainWindowsCloseEndsTheLoop) {
    const std::string link = "thunder://QUFodHRwOi8vaC9hLnppcFpa", error(LinkFormatErrorText),
                      utf8Link = "thunder://QUFodHRwOi8vaC/kuK3mlocuemlwWlo=";
    const struct {
        ControlNumber button;
        std::string input, output;
    } cases[] = {
        {ThunderButton, "  http://h/a.zip  ", link},  // each button its own command
        {FlashGetButton, "http://h/a", "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9oL2FbRkxBU0hHRVRd"},
        {XuanfengButton, "qqdl://aHR0cDovL2gvYS56aXA=", "http://h/a.zip"},
        {RayFileButton, "fs2you://aHR0cDovL2gvYS56aXB8NzM1", "http://h/a.zip"},
        {Base64EncodeButton, "迅雷", "0bjA1w=="},
        {Base64DecodeButton, "1w==", "?"},  // a lone GBK lead byte, which the box cannot show
        // A list, line by line, each line in its own encoding: the last address hides UTF-8.
        {ThunderButton, " " + link + "\r\n\r\nhttp://h/a.zip \r\nftp//x\r\n" + utf8Link,
         "http://h/a.zip\r\n\r\n" + link + "\r\n" + error + "\r\nhttp://h/中文.zip"},
        {ThunderButton, "   ", "before"},
    };
    for (const auto& c : cases) {
        SetControlText(InputBox, harness::FromGbk(c.input));
        SetControlText(OutputBox, L"before");
        PostMessageA(ControlHandle(c.button), BM_CLICK, 0, 0);
        TakeEvents(true);
        EXPECT_EQ(GetControlText(OutputBox), harness::FromGbk(c.output)) << c.input;
    }
    const std::int32_t withoutCommand[] = {InputLabel, OutputLabel,  InputBox,
                                           OutputBox,  ControlCount, -1};
    for (std::int32_t control : withoutCommand) PostEvent(ControlEvent, control, MainWindow, 0);
    PostEvent(CloseWindowEvent, 1, 1, 0);
    TakeEvents(true);
    EXPECT_EQ(GetControlText(OutputBox), L"before");
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(HandleEvent(WaitForEvent()));
    EXPECT_FALSE(IsWindow(window));
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

TEST_F(MainWindowTest, CopyAndOnlineSayOnlyWhatTheUserMustKnow) {
    for (const std::wstring output : {L"", L"http://h/a"}) {
        WriteClipboardText(window, L"before");
        SetControlText(OutputBox, output);
        harness::BoxAnswerer answerer;
        std::optional<harness::ClipboardHolder> holder;
        if (!output.empty()) holder.emplace();
        Press(CopyButton);
        holder.reset();
        EXPECT_EQ(std::to_wstring(answerer.count) + answerer.title + answerer.text,
                  output.empty() ? L"0" : L"1复制失败转换结果未能复制到剪切板，请稍后重试！");
        EXPECT_EQ(ReadClipboardText(), L"before") << output;
    }
    // Online asks the shell for the page and, when that fails, says nothing.
    harness::BoxAnswerer answerer;
    Press(OnlineButton);
    EXPECT_EQ(shellOpened + std::to_wstring(answerer.count),
              harness::FromGbk(OnlinePageAddress) + L"0");
}

}  // namespace
}  // namespace tarvik
