// Real input and screen pictures, carried out on the X side by the input agent (input-agent):
// what a user's keyboard and mouse would do, through Wine's virtual-desktop window. Each call
// returns once the agent has done it; false (with the agent's words in `error`) when it could not.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace acceptance {

// Key presses, one after the other, by their X key names ("Tab", "shift+Tab", "alt+F4").
bool PressKeys(const std::vector<std::string>& keys, std::string* error = nullptr);

// Types a GBK text as key presses (as an X keyboard would type its UTF-8 form). A character
// outside the keymap (Chinese) may get lost when Wine is busy: type such characters one by one
// and check that each arrived.
bool TypeText(std::string_view gbkText, std::string* error = nullptr);

// `count` clicks of the left button at a point of the screen.
bool Click(POINT point, int count = 1, std::string* error = nullptr);

// A picture of the whole screen, saved at a path of the Linux file system.
bool SaveScreenshot(const std::string& path, std::string* error = nullptr);

// Colour 0x00RRGGBB → number of pixels, for a rectangle of the screen as it is now.
using ColourCounts = std::map<std::uint32_t, long>;
std::optional<ColourCounts> CountColours(const RECT& screenRect, std::string* error = nullptr);

}  // namespace acceptance
