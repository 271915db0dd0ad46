// The colours on screen: the result in pure blue on white, the input in the platform's colours.
#include <cstdlib>

#include "scenario.h"

namespace acceptance {
namespace {

std::uint32_t Rgb(COLORREF colour) {
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

int Channel(std::uint32_t rgb, int shift) {
    return static_cast<int>((rgb >> shift) & 0xFF);
}

// Whether a pixel lies on the line from the background to the text colour, as the edges of
// smoothed letters do.
bool IsBlendOf(std::uint32_t pixel, std::uint32_t text, std::uint32_t background) {
    double share = -1;
    for (int shift : {16, 8, 0}) {
        int span = Channel(text, shift) - Channel(background, shift);
        if (span == 0) {
            if (std::abs(Channel(pixel, shift) - Channel(background, shift)) > 3) return false;
            continue;
        }
        double here = double(Channel(pixel, shift) - Channel(background, shift)) / span;
        if (here < -0.02 || here > 1.02 || (share >= 0 && std::abs(here - share) > 0.05)) {
            return false;
        }
        share = here;
    }
    return true;
}

std::string Describe(const ColourCounts& counts) {
    std::string text;
    for (const auto& [colour, count] : counts) {
        char line[48];
        std::snprintf(line, sizeof line, " #%06X:%ld", colour, count);
        text += line;
    }
    return text;
}

// The box shows text in `text` on `background` and nothing else.
void ExpectTextColours(const RECT& box, std::uint32_t text, std::uint32_t background) {
    std::string error;
    std::optional<ColourCounts> counts = CountColours(box, &error);
    ASSERT_TRUE(counts) << error;
    long total = 0;
    for (const auto& [colour, count] : *counts) total += count;
    EXPECT_GT((*counts)[background], total / 2)
        << "background is not mostly the expected colour:" << Describe(*counts);
    EXPECT_GT((*counts)[text], 10) << "too few pixels in the text colour:" << Describe(*counts);
    ColourCounts strays;
    for (const auto& [colour, count] : *counts) {
        if (!IsBlendOf(colour, text, background)) strays[colour] = count;
    }
    EXPECT_TRUE(strays.empty()) << "colours that are neither text nor background:"
                                << Describe(strays) << "\nall colours:" << Describe(*counts);
}

using Colours = ToolScenario;

TEST_F(Colours, ResultInBlueOnWhiteInputInPlatformColours) {
    ASSERT_NO_FATAL_FAILURE(TypeIntoInputBox("http://h/a.zip"));
    ASSERT_NO_FATAL_FAILURE(ConvertAndExpect(ThunderButton, "thunder://QUFodHRwOi8vaC9hLnppcFpa"));
    // The focus stays on the button, so no caret blinks in either box.
    ASSERT_TRUE(WaitUntil([&] { return FocusedControl() == ThunderButton; }));
    Sleep(200);  // for the last paint to reach the screen

    SCOPED_TRACE("OutputBox");
    ExpectTextColours(ClientScreenRect(ControlWindow(OutputBox)), 0x0000FF, 0xFFFFFF);
    SCOPED_TRACE("InputBox");
    ExpectTextColours(ClientScreenRect(ControlWindow(InputBox)), Rgb(GetSysColor(COLOR_WINDOWTEXT)),
                      Rgb(GetSysColor(COLOR_WINDOW)));
}

}  // namespace
}  // namespace acceptance
