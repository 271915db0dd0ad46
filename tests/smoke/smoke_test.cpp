// The finished tarvik.exe used from outside as a person uses it: it carries its icon and
// manifest, opens, takes typed input, converts, copies with its confirmation, pastes, and
// closes with exit code 0. The in-process tests cover each piece; this run proves that the real
// program has them all, wired together. The desktop's clipboard is reached through the program's
// own clipboard functions, which the platform tests cover.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/clipboard.h"
#include "tests/harness/program.h"
#include "ui/control_numbers.h"

namespace {

using namespace tarvik;
using harness::Text;

std::string BuildFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string test(path);
    return test.substr(0, test.rfind("\\tests\\"));
}

// The control's text once it equals `expected`, or the last text seen when the time is up.
std::string WaitForText(HWND control, std::string_view expected) {
    std::string text;
    harness::WaitUntil([&] { return (text = Text(control)) == expected; });
    return text;
}

TEST(Smoke, OpenConvertCopyPasteClose) {
    const std::string tool = BuildFolder() + "\\tarvik.exe";
    harness::Program program("\"" + tool + "\"");
    HWND window = program.WaitForWindow();
    ASSERT_NE(window, nullptr) << tool;
    EXPECT_EQ(Text(window), "Tarvik专用链转换工具1.0");
    HMODULE image = LoadLibraryExA(tool.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    for (LPCSTR type : {RT_GROUP_ICON, RT_MANIFEST})
        EXPECT_NE(FindResourceA(image, MAKEINTRESOURCEA(1), type), nullptr) << "icon, manifest";
    FreeLibrary(image);

    harness::Type(program.Control(InputBox), "  thunder://QUFodHRwOi8vaC9hLnppcFpa ");
    PostMessageA(program.Control(ThunderButton), BM_CLICK, 0, 0);
    EXPECT_EQ(WaitForText(program.Control(OutputBox), "http://h/a.zip"), "http://h/a.zip");

    PostMessageA(program.Control(CopyButton), BM_CLICK, 0, 0);
    ASSERT_TRUE(harness::WaitUntil([&] { return program.Dialog() != nullptr; }));
    EXPECT_EQ(Text(program.Dialog()), "恭喜");
    EXPECT_EQ(ReadClipboardText(), "http://h/a.zip");
    PostMessageA(program.Dialog(), WM_COMMAND, IDOK, 0);

    // Spaces alone paste nothing, so the encoding that follows reads the typed link; a text is
    // pasted without the spaces at its ends, and only without them.
    const std::string encoded = "dGh1bmRlcjovL1FVRm9kSFJ3T2k4dmFDOWhMbnBwY0ZwYQ==";
    ASSERT_NE(WriteClipboardText("   "), 0u);
    PostMessageA(program.Control(PasteButton), BM_CLICK, 0, 0);
    PostMessageA(program.Control(Base64EncodeButton), BM_CLICK, 0, 0);
    EXPECT_EQ(WaitForText(program.Control(OutputBox), encoded), encoded);
    ASSERT_NE(WriteClipboardText("  \thttp://h/中文.zip\r\n  "), 0u);
    PostMessageA(program.Control(PasteButton), BM_CLICK, 0, 0);
    EXPECT_EQ(WaitForText(program.Control(InputBox), "\thttp://h/中文.zip\r\n"),
              "\thttp://h/中文.zip\r\n");

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.ExitCode(harness::SettleMs), 0u);
}

// A picture of the screen at the first failure, while the tool is still up.
class FailureScreenshot : public ::testing::EmptyTestEventListener {
    void OnTestPartResult(const ::testing::TestPartResult& result) override {
        if (!result.failed() || std::exchange(taken_, true)) return;
        const std::string path = BuildFolder() + "\\smoke-failure.png";
        std::printf("screenshot of the failure: %s (%s)\n", path.c_str(),
                    harness::SaveScreenshot(path) ? "saved" : "not saved");
    }
    bool taken_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FailureScreenshot);
    return RUN_ALL_TESTS();
}
