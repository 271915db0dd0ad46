// Typing into InputBox with real key presses and clicking the conversion buttons.
#include <optional>

#include "core/link_commands.h"
#include "scenario.h"

namespace acceptance {
namespace {

constexpr const char* Address = "http://h/a.zip";
constexpr const char* ErrorText = "网址格式错误，请输入正确的网址！";

struct Conversion {
    int button;
    const char* typed;
    const char* shown;
};

using Conversions = ToolScenario;

TEST_F(Conversions, WorkedExamples) {
    const Conversion examples[] = {
        {ThunderButton, "  http://h/a.zip  ", "thunder://QUFodHRwOi8vaC9hLnppcFpa"},
        {ThunderButton, "thunder://QUFodHRwOi8vaC9hLnppcFpa", Address},
        {ThunderButton, "THUNDER://QUFodHRwOi8vaC9hLnppcFpa", Address},
        {FlashGetButton, Address, "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9oL2EuemlwW0ZMQVNIR0VUXQ=="},
        {FlashGetButton, "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9oL2EuemlwW0ZMQVNIR0VUXQ==", Address},
        {XuanfengButton, Address, "qqdl://aHR0cDovL2gvYS56aXA="},
        {XuanfengButton, "qqdl://aHR0cDovL2gvYS56aXA=", Address},
        {RayFileButton, "fs2you://aHR0cDovL2gvYS56aXB8NzM1", Address},
        {RayFileButton, Address, ErrorText},
        {Base64EncodeButton, Address, "aHR0cDovL2gvYS56aXA="},
        {Base64DecodeButton, "aHR0cDovL2gvYS56aXA=", Address},
        {ThunderButton, "ed2k://x", ErrorText},
        {FlashGetButton, "ed2k://x", ErrorText},
        {XuanfengButton, "ed2k://x", ErrorText},
        {RayFileButton, "ed2k://x", ErrorText},
    };
    for (const Conversion& example : examples) {
        SCOPED_TRACE(std::string("typed \"") + example.typed + "\", button " +
                     std::to_string(example.button));
        ASSERT_NO_FATAL_FAILURE(TypeIntoInputBox(example.typed));
        ASSERT_NO_FATAL_FAILURE(ConvertAndExpect(example.button, example.shown));
        EXPECT_EQ(Text(InputBox), example.typed) << "a conversion changed InputBox";
    }
}

// What the user made of an address with one button reads back to that address with the same
// button, for a plain address and for one with GBK characters in it.
TEST_F(Conversions, MadeLinksReadBack) {
    struct Button {
        int number;
        std::optional<std::string> (*command)(std::string_view);
    };
    const Button buttons[] = {{ThunderButton, tarvik::ThunderCommand},
                              {FlashGetButton, tarvik::FlashGetCommand},
                              {XuanfengButton, tarvik::XuanfengCommand},
                              {Base64EncodeButton, tarvik::Base64EncodeCommand}};
    const char* addresses[] = {"ftp://files.example/dir/file name.iso",
                               "http://下载.例子/软件/中文 文件名.rar"};
    for (const char* address : addresses) {
        for (const Button& button : buttons) {
            SCOPED_TRACE(std::string("address \"") + address + "\", button " +
                         std::to_string(button.number));
            std::optional<std::string> link = button.command(address);
            ASSERT_TRUE(link);
            ASSERT_NO_FATAL_FAILURE(TypeIntoInputBox(address));
            ASSERT_NO_FATAL_FAILURE(ConvertAndExpect(button.number, *link));

            ASSERT_NO_FATAL_FAILURE(TypeIntoInputBox(*link));
            int reader = button.number == Base64EncodeButton ? Base64DecodeButton : button.number;
            ASSERT_NO_FATAL_FAILURE(ConvertAndExpect(reader, address));
        }
    }
}

TEST_F(Conversions, SpacesOnlyLeaveTheOutput) {
    const char* earlier = "an earlier result";
    ASSERT_NO_FATAL_FAILURE(TypeIntoInputBox("   "));
    for (int button : {Base64EncodeButton, Base64DecodeButton, ThunderButton, RayFileButton,
                       FlashGetButton, XuanfengButton}) {
        SCOPED_TRACE("button " + std::to_string(button));
        ASSERT_NO_FATAL_FAILURE(SetText(OutputBox, earlier));
        ASSERT_NO_FATAL_FAILURE(ClickAndSettle(button));
        EXPECT_EQ(Text(OutputBox), earlier);
        EXPECT_EQ(Text(InputBox), "   ");
    }
}

}  // namespace
}  // namespace acceptance
