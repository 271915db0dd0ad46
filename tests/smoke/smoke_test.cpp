// The finished tarvik.exe used from outside as a person uses it: it opens, takes typed input,
// converts, copies with its confirmation, pastes, and closes with exit code 0. The in-process
// tests cover each piece; this run proves the pieces are wired together in the real program.
#include <windows.h>

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <string>

#include "tests/harness/program.h"
#include "ui/control_numbers.h"

namespace {

using namespace tarvik;
using harness::Text;
using harness::WaitUntil;

std::string ToolPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.rfind('\\')) + "\\..\\..\\tarvik.exe";
}

// The modules loaded in a process, by path.
bool LoadsModuleFrom(DWORD processId, const char* name, const char* folder) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
    MODULEENTRY32 module{};
    module.dwSize = sizeof module;
    bool found = false;
    for (BOOL more = Module32First(snapshot, &module); more && !found;
         more = Module32Next(snapshot, &module)) {
        std::string path = CharLowerA(module.szExePath);
        found = path.ends_with(name) && path.find(folder) != std::string::npos;
    }
    CloseHandle(snapshot);
    return found;
}

// Pure blue pixels on screen inside the window.
int BluePixels(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    int count = 0;
    for (RGBTRIPLE pixel : harness::ScreenPixels(rect))
        count += pixel.rgbtBlue == 255 && pixel.rgbtGreen == 0 && pixel.rgbtRed == 0;
    return count;
}

// The control's text once it equals `expected`, or the last text seen when the time is up.
std::string WaitForText(HWND control, std::string_view expected) {
    std::string text;
    WaitUntil([&] { return (text = Text(control)) == expected; });
    return text;
}

void Type(HWND control, std::string_view text) {
    for (char c : text) PostMessageA(control, WM_CHAR, static_cast<unsigned char>(c), 0);
}

TEST(Smoke, OpenConvertCopyPasteClose) {
    harness::Program tool(ToolPath());
    ASSERT_TRUE(tool.Started()) << ToolPath();
    HWND window = tool.WaitForWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Text(window), "Tarvik专用链转换工具1.0");
    for (int control = 0; control < ControlCount; ++control)
        ASSERT_NE(tool.Control(control), nullptr) << "control " << control;
    HMODULE image = LoadLibraryExA(ToolPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    EXPECT_NE(FindResourceA(image, MAKEINTRESOURCEA(1), RT_GROUP_ICON), nullptr) << "icon 1";
    FreeLibrary(image);
    DWORD processId = GetProcessId(tool.Process());
    EXPECT_TRUE(LoadsModuleFrom(processId, "comctl32.dll", "winsxs")) << "the manifest's controls";
    EXPECT_EQ(harness::FocusOf(window), tool.Control(InputBox));

    // Typed, Tab to the next stop, converted, shown in blue.
    Type(tool.Control(InputBox), "  thunder://QUFodHRwOi8vaC9hLnppcFpa ");
    ASSERT_EQ(WaitForText(tool.Control(InputBox), "  thunder://QUFodHRwOi8vaC9hLnppcFpa "),
              "  thunder://QUFodHRwOi8vaC9hLnppcFpa ");
    PostMessageA(tool.Control(InputBox), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_TRUE(WaitUntil([&] { return harness::FocusOf(window) == tool.Control(OutputBox); }));
    PostMessageA(tool.Control(ThunderButton), BM_CLICK, 0, 0);
    EXPECT_EQ(WaitForText(tool.Control(OutputBox), "http://h/a.zip"), "http://h/a.zip");
    EXPECT_TRUE(WaitUntil([&] { return BluePixels(tool.Control(OutputBox)) > 20; }));

    // Copy: the result on the clipboard, then the confirmation, which holds the window until
    // it is dismissed.
    PostMessageA(tool.Control(CopyButton), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return tool.Dialog() != nullptr; }));
    HWND box = tool.Dialog();
    EXPECT_EQ(Text(box), "恭喜");
    EXPECT_EQ(GetWindow(box, GW_OWNER), window);
    EXPECT_FALSE(IsWindowEnabled(window));
    EXPECT_EQ(harness::ClipboardText(), "http://h/a.zip");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !tool.Dialog() && IsWindowEnabled(window); }));

    // Paste: trimmed into the input box; then a GBK address made into a link.
    ASSERT_TRUE(harness::PutClipboardText("  http://h/中文.zip  "));
    PostMessageA(tool.Control(PasteButton), BM_CLICK, 0, 0);
    EXPECT_EQ(WaitForText(tool.Control(InputBox), "http://h/中文.zip"), "http://h/中文.zip");
    PostMessageA(tool.Control(XuanfengButton), BM_CLICK, 0, 0);
    EXPECT_EQ(WaitForText(tool.Control(OutputBox), "qqdl://aHR0cDovL2gv1tDOxC56aXA="),
              "qqdl://aHR0cDovL2gv1tDOxC56aXA=");

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(tool.WaitForExit(harness::SettleMs), 0u);
}

// A picture of the screen at a test's first failure, while the tool is still up.
class FailureScreenshot : public ::testing::EmptyTestEventListener {
    void OnTestPartResult(const ::testing::TestPartResult& result) override {
        if (!result.failed() || taken_) return;
        taken_ = true;
        std::string path = ToolPath();
        path = path.substr(0, path.rfind('\\')) + "\\smoke-failure.png";
        RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        std::printf("screenshot of the failure: %s (%s)\n", path.c_str(),
                    harness::SaveScreenshot(screen, path) ? "saved" : "not saved");
    }
    bool taken_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FailureScreenshot);
    return RUN_ALL_TESTS();
}
