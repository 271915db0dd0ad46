// The conversion commands: each turns the whole text of the input box into either no change or
// the new text of the output box. They keep no state and touch no window.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tarvik {

// "网址格式错误，请输入正确的网址！" (the address format is wrong, please enter a correct
// address) in GBK: the only error a conversion shows.
inline constexpr std::string_view LinkFormatErrorText =
    "\xCD\xF8\xD6\xB7\xB8\xF1\xCA\xBD\xB4\xED\xCE\xF3\xA3\xAC\xC7\xEB"
    "\xCA\xE4\xC8\xEB\xD5\xFD\xC8\xB7\xB5\xC4\xCD\xF8\xD6\xB7\xA3\xA1";

// The schemes of the four special links, as a link's text before its first "/" is compared with
// them once lowered (EqualsLowerCase).
inline constexpr std::string_view ThunderScheme = "thunder:", FlashGetScheme = "flashget:",
                                  XuanfengScheme = "qqdl:", RayFileScheme = "fs2you:";
inline constexpr std::string_view SpecialLinkSchemes[] = {ThunderScheme, FlashGetScheme,
                                                          XuanfengScheme, RayFileScheme};

// Whether the link's text before its first "/", its ASCII capitals lowered, is `scheme`.
bool HasScheme(std::string_view link, std::string_view scheme);

// The place in SpecialLinkSchemes of the scheme the text starts with, or none: which special link
// it is, if any.
std::optional<std::size_t> SpecialLinkSchemeOf(std::string_view link);

enum class LinkCommand {
    Thunder,
    FlashGet,
    Xuanfeng,
    RayFile,
    Base64Encode,
    Base64Decode,
    // Reads a link of any of the four kinds, as the command of its scheme does; makes none.
    Decode,
};

enum class CommandOutcome {
    NoChange,     // the input was empty after trimming spaces: the output box keeps its text
    NewText,      // the output box gets the new text
    FormatError,  // the output box gets LinkFormatErrorText
};

// Runs a command on the input box's text, which holds no NUL (no text does) and does not view
// `output`. For NewText and FormatError `output` is replaced by the output box's new text; for
// NoChange it is left alone. Reusing `output` across calls keeps its allocation.
CommandOutcome RunLinkCommand(LinkCommand command, std::string_view inputBoxText,
                              std::string& output);

}  // namespace tarvik
