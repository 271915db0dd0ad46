// The command line of tarvik-link: [--gbk] COMMAND [TEXT], or --help.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "core/link_commands.h"

namespace tarvik::cli {

enum class Action { ShowHelp, RejectUsage, Convert };

struct Invocation {
    Action action = Action::RejectUsage;
    std::string_view problem;  // why the usage was rejected; empty when there are no arguments
    std::string_view unknownWord;
    bool gbk = false;
    LinkCommand command = LinkCommand::Thunder;
    // The argument index of TEXT; without TEXT the inputs are the lines of standard input.
    std::optional<int> textIndex;
};

// `arguments` excludes the program name; a TEXT found is reported by its index in argv.
Invocation ParseArguments(std::span<const std::string_view> arguments);

extern const std::string_view UsageText;

}  // namespace tarvik::cli
