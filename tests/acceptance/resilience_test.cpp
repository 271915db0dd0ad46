// Many quick clicks on a large input: the tool keeps up, ends with the right result, and answers.
#include "core/base64.h"
#include "core/link_commands.h"
#include "scenario.h"

namespace acceptance {
namespace {

// A RayFile link of 1,000,000 bytes: the address and a bar, then Base64 in lines of 76 as mail
// programs wrap it. Two limits of Wine shape it: its edit control measures a line whole at every
// change, so a megabyte on one line would take it hours (64 KB take half a minute), and a text
// sent to another process travels as UTF-16 in one server message of at most 2 MiB.
std::string MegabyteRayFileLink() {
    std::string text;
    for (unsigned i = 0; text.size() < 760000; ++i) text += "line " + std::to_string(i) + "; ";
    std::string body = tarvik::Base64EncodeText(text);
    std::string link = "fs2you://" + tarvik::Base64EncodeText("http://h/a.zip|");
    for (std::size_t at = 0; at < body.size(); at += 76) link += "\r\n" + body.substr(at, 76);
    link.resize(1000000);
    return link;
}

using Resilience = ToolScenario;

TEST_F(Resilience, AThousandQuickClicksOnAMegabyteInput) {
    const std::string link = MegabyteRayFileLink();
    ASSERT_EQ(link.size(), 1000000u);
    const std::string expected = *tarvik::RayFileCommand(link);
    ASSERT_EQ(expected, "http://h/a.zip");

    ASSERT_TRUE(ReplaceWindowText(ControlWindow(InputBox), link, 60000));
    ASSERT_EQ(WindowText(ControlWindow(InputBox), 60000).size(), link.size());
    ASSERT_NO_FATAL_FAILURE(SetText(OutputBox, ""));

    ULONGLONG start = GetTickCount64();
    ASSERT_NO_FATAL_FAILURE(ClickControl(RayFileButton, 1000));
    // Input is handled in order: once a Tab after the clicks has moved the focus on, every
    // click before it has run its conversion.
    std::string error;
    ASSERT_TRUE(acceptance::PressKeys({"Tab"}, &error)) << error;
    bool settled =
        WaitUntil([&] { return FocusedControl() == NextTabStop(RayFileButton); }, 180000);
    std::printf("1000 clicks on a %zu-byte input handled in %llu ms\n", link.size(),
                GetTickCount64() - start);
    ASSERT_TRUE(settled) << "the clicks were not all handled within three minutes";

    EXPECT_TRUE(Answers(Window(), 2000)) << "the window does not answer";
    EXPECT_EQ(Text(OutputBox), expected);
    EXPECT_EQ(WindowText(ControlWindow(InputBox), 60000), link) << "InputBox changed";
}

}  // namespace
}  // namespace acceptance
