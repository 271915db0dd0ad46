// The command line of tarvik-link: [--gbk] COMMAND [TEXT], or [--gbk] extract [FILE...]; options
// before or after COMMAND.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/link_commands.h"

namespace tarvik::cli {

enum class Action { Convert, Extract, ShowHelp, ShowVersion, RejectUsage };

struct Invocation {
    Action action = Action::RejectUsage;
    std::string problem;  // for RejectUsage, in one line
    LinkCommand command = LinkCommand::Thunder;
    bool gbk = false;
    std::optional<std::size_t> textIndex;  // in the arguments; without TEXT, standard input
    std::vector<std::size_t> fileIndexes;  // extract's FILEs; none: standard input
};

Invocation ParseArguments(std::span<const std::string_view> arguments);

extern const std::string_view HelpText;

}  // namespace tarvik::cli
