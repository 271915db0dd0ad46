// The six conversion commands: each turns the whole text of the input box into either no change
// or the new text of the output box. They keep no state and touch no window.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvik {

// "网址格式错误，请输入正确的网址！" (the address format is wrong, please enter a correct
// address) in GBK: the only error a conversion shows.
inline constexpr std::string_view LinkFormatErrorText =
    "\xCD\xF8\xD6\xB7\xB8\xF1\xCA\xBD\xB4\xED\xCE\xF3\xA3\xAC\xC7\xEB"
    "\xCA\xE4\xC8\xEB\xD5\xFD\xC8\xB7\xB5\xC4\xCD\xF8\xD6\xB7\xA3\xA1";

enum class LinkCommand { Thunder, FlashGet, Xuanfeng, RayFile, Base64Encode, Base64Decode };

enum class CommandOutcome {
    NoChange,     // the input was empty after trimming spaces: the output box keeps its text
    NewText,      // the output box gets the new text
    FormatError,  // the output box gets LinkFormatErrorText
};

// Runs a command on the input box's text. For NewText and FormatError, `output` is replaced by the
// output box's new text; for NoChange it is left as it was. Reusing `output` across calls keeps
// its allocation.
CommandOutcome RunLinkCommand(LinkCommand command, std::string_view inputBoxText,
                              std::string& output);

// The same command for a caller that has checked its text already, as a batch does line by line:
// `text` holds no NUL and does not view `output`. For NewText the result is appended to `output`;
// for NoChange and FormatError nothing is appended (the error's text is LinkFormatErrorText).
CommandOutcome AppendLinkCommandResult(LinkCommand command, std::string_view text,
                                       std::string& output);

// The same commands as the event loop calls them: std::nullopt means no change.
std::optional<std::string> ThunderCommand(std::string_view inputBoxText);
std::optional<std::string> FlashGetCommand(std::string_view inputBoxText);
std::optional<std::string> XuanfengCommand(std::string_view inputBoxText);
std::optional<std::string> RayFileCommand(std::string_view inputBoxText);
std::optional<std::string> Base64EncodeCommand(std::string_view inputBoxText);
std::optional<std::string> Base64DecodeCommand(std::string_view inputBoxText);

}  // namespace tarvik
