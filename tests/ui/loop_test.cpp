// The event loop: every conversion button turns the input box into the output box, other events
// run nothing, and closing MainWindow ends the loop and, in the real program, the process with 0.
// Built from UTF-8 with -fexec-charset=GBK.
#include <windows.h>

#include <string>
#include <vector>

#include "core/link_commands.h"
#include "tests/ui/ui_test_support.h"
#include "ui/control_layer.h"
#include "ui/control_numbers.h"
#include "ui/event_loop.h"
#include "ui/event_source.h"
#include "ui/window_layer.h"

namespace tarvik::testing {
namespace {

using LoopTest = MainWindowTest;

std::string Convert(std::int32_t button, const std::string& input) {
    SetControlText(InputBox, input);
    PostMessageA(ControlHandle(button), BM_CLICK, 0, 0);
    TakeEvents(true);
    return GetControlText(OutputBox);
}

TEST_F(LoopTest, EachConversionButtonRunsItsCommandOnTheInputBox) {
    const std::string error(LinkFormatErrorText);
    struct Case {
        std::int32_t button;
        std::string input;
        std::string output;
    };
    const Case cases[] = {
        {ThunderButton, "  http://h/a.zip  ", "thunder://QUFodHRwOi8vaC9hLnppcFpa"},
        {ThunderButton, "THUNDER://QUFodHRwOi8vaC9hLnppcFpa", "http://h/a.zip"},
        {FlashGetButton, "http://h/a.zip",
         "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9oL2EuemlwW0ZMQVNIR0VUXQ=="},
        {FlashGetButton,
         "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9oL2EuemlwW0ZMQVNIR0VUXQ==", "http://h/a.zip"},
        {XuanfengButton, "http://h/a.zip", "qqdl://aHR0cDovL2gvYS56aXA="},
        {XuanfengButton, "qqdl://aHR0cDovL2gvYS56aXA=", "http://h/a.zip"},
        {RayFileButton, "fs2you://aHR0cDovL2gvYS56aXB8NzM1", "http://h/a.zip"},
        {RayFileButton, "http://h/a.zip", error},
        {Base64EncodeButton, "http://h/a.zip", "aHR0cDovL2gvYS56aXA="},
        {Base64DecodeButton, "aHR0cDovL2gvYS56aXA=", "http://h/a.zip"},
        {ThunderButton, "ed2k://x", error},
        {FlashGetButton, "ed2k://x", error},
        {XuanfengButton, "ed2k://x", error},
        {RayFileButton, "ed2k://x", error},
        {ThunderButton, "http://h/a.zip\r\nhttp://h/b.zip",
         "thunder://QUFodHRwOi8vaC9hLnppcA0KaHR0cDovL2gvYi56aXBaWg=="},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        SetControlText(OutputBox, "before");
        EXPECT_EQ(Convert(c.button, c.input), c.output);
    }
}

TEST_F(LoopTest, GbkTextPassesThroughBothBoxesUnchanged) {
    const std::string address = "http://例子.cn/下载/文件.zip";
    for (std::int32_t button : {ThunderButton, FlashGetButton, XuanfengButton}) {
        SCOPED_TRACE(button);
        const std::string link = Convert(button, address);
        EXPECT_NE(link, address);
        EXPECT_EQ(Convert(button, link), address);
    }
    EXPECT_EQ(Convert(Base64DecodeButton, Convert(Base64EncodeButton, "迅雷 快车 旋风")),
              "迅雷 快车 旋风");
}

TEST_F(LoopTest, EmptyInputLeavesTheOutputBox) {
    SetControlText(OutputBox, "before");
    for (std::int32_t button : {ThunderButton, RayFileButton, Base64DecodeButton}) {
        EXPECT_EQ(Convert(button, "   "), "before");
    }
}

TEST_F(LoopTest, EventsOfOtherControlsAndUnknownNumbersRunNothing) {
    SetControlText(InputBox, "http://h/a.zip");
    SetControlText(OutputBox, "before");
    for (std::int32_t control : std::initializer_list<std::int32_t>{
             InputLabel, OutputLabel, InputBox, OutputBox, 13, 50, -1, 13100}) {
        PostEvent(ControlEvent, control, MainWindow, 0);
    }
    PostEvent(CloseWindowEvent, 1, 1, 0);  // not MainWindow
    PostThreadMessageA(GetCurrentThreadId(), WM_CLOSE, 0, 0);
    TakeEvents(true);
    EXPECT_EQ(GetControlText(OutputBox), "before");
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(LoopTest, TheCloseRequestOfMainWindowEndsTheLoopAndClosesTheWindow) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(HandleEvent(WaitForEvent()));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(WindowHandle(MainWindow), nullptr);
}

// The real program, as a user starts and closes it. The process is ended if a check fails.
struct ToolProcess {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;

    ToolProcess() {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string command = path;
        command.erase(command.find_last_of('\\') + 1);
        command = "\"" + command + TOOL_FROM_TEST + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &process)) {
            return;
        }
        CloseHandle(process.hThread);
        // The window is on screen before its controls are added: it is complete once the tool
        // waits for its first event.
        WaitForInputIdle(process.hProcess, 10000);
        EnumWindows(FindToolWindow, reinterpret_cast<LPARAM>(this));
    }
    ~ToolProcess() {
        if (process.hProcess == nullptr) return;
        TerminateProcess(process.hProcess, 99);  // fails harmlessly once it has ended
        CloseHandle(process.hProcess);
    }
    ToolProcess(const ToolProcess&) = delete;
    ToolProcess& operator=(const ToolProcess&) = delete;

    static BOOL CALLBACK FindToolWindow(HWND candidate, LPARAM context) {
        auto* tool = reinterpret_cast<ToolProcess*>(context);
        DWORD processId = 0;
        GetWindowThreadProcessId(candidate, &processId);
        if (processId != tool->process.dwProcessId || !IsWindowVisible(candidate)) return TRUE;
        tool->window = candidate;
        return FALSE;
    }

    std::string Text(std::int32_t control) const {
        char text[256] = {};
        SendMessageA(GetDlgItem(window, control), WM_GETTEXT, sizeof text,
                     reinterpret_cast<LPARAM>(text));
        return text;
    }
};

TEST(Tool, ConvertsWithFocusInTheInputBoxAndExitsWithZeroWhenClosed) {
    ToolProcess tool;
    ASSERT_NE(tool.window, nullptr);
    char title[64] = {};
    GetWindowTextA(tool.window, title, sizeof title);
    EXPECT_STREQ(title, "Tarvik专用链转换工具1.0");
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(tool.process.dwThreadId, &thread);
    EXPECT_EQ(thread.hwndFocus, GetDlgItem(tool.window, InputBox));

    SendMessageA(GetDlgItem(tool.window, InputBox), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>("  http://h/a.zip  "));
    PostMessageA(GetDlgItem(tool.window, ThunderButton), BM_CLICK, 0, 0);
    std::string output;
    for (int tries = 0; tries < 100 && output.empty(); ++tries, Sleep(50)) {
        output = tool.Text(OutputBox);
    }
    EXPECT_EQ(output, "thunder://QUFodHRwOi8vaC9hLnppcFpa");

    PostMessageA(tool.window, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(tool.process.hProcess, 10000), WAIT_OBJECT_0);
    DWORD exitCode = STILL_ACTIVE;
    GetExitCodeProcess(tool.process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
}

}  // namespace
}  // namespace tarvik::testing
