#include "cli/arguments.h"

#include <utility>

namespace tarvik::cli {
namespace {

constexpr std::pair<std::string_view, LinkCommand> CommandNames[] = {
    {"thunder", LinkCommand::Thunder},
    {"flashget", LinkCommand::FlashGet},
    {"xuanfeng", LinkCommand::Xuanfeng},
    {"rayfile", LinkCommand::RayFile},
    {"base64-encode", LinkCommand::Base64Encode},
    {"base64-decode", LinkCommand::Base64Decode},
    {"decode", LinkCommand::Decode},
};

Invocation Only(Action action, std::string problem = {}) {
    Invocation invocation;
    invocation.action = action;
    invocation.problem = std::move(problem);
    return invocation;
}

}  // namespace

const std::string_view HelpText =
    "Usage: tarvik-link [--gbk] COMMAND [TEXT]\n"
    "\n"
    "  thunder, flashget, xuanfeng  read a thunder://, Flashget:// or qqdl:// link,\n"
    "                               or make one from an http, https, ftp, mms or rtsp address\n"
    "  rayfile                      read an fs2you:// link\n"
    "  decode                       read a link of any of these four kinds\n"
    "  base64-encode, base64-decode apply Base64 to the text\n"
    "  extract                      print the address of every special link in standard\n"
    "                               input (a web page, a post), each distinct address once\n"
    "\n"
    "With TEXT the result is printed. Without it, each line of standard input gives one line:\n"
    "the result, or an empty line when there is none. Errors go to standard error.\n"
    "Texts are GBK bytes, as the Windows tool keeps them; with --gbk they are UTF-8.\n"
    "Options may follow COMMAND; '--' ends them. Also: -h, --help; --version.\n"
    "Exit status: 0 done, 1 an input could not be converted or reading or writing failed,\n"
    "2 a wrong command line.";

Invocation ParseArguments(std::span<const std::string_view> arguments) {
    Invocation invocation;
    std::optional<std::size_t> commandIndex;
    bool options = true;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (options && argument.size() > 1 && argument.starts_with('-')) {
            if (argument == "--") {
                options = false;
            } else if (argument == "--gbk") {
                invocation.gbk = true;
            } else if (argument == "-h" || argument == "--help") {
                return Only(Action::ShowHelp);
            } else if (argument == "--version") {
                return Only(Action::ShowVersion);
            } else {
                return Only(Action::RejectUsage, "unknown option '" + std::string(argument) + "'");
            }
        } else if (!commandIndex) {
            commandIndex = i;
        } else if (!invocation.textIndex) {
            invocation.textIndex = i;
        } else {
            return Only(Action::RejectUsage, "too many arguments");
        }
    }
    if (!commandIndex) return Only(Action::RejectUsage, "a command is missing");
    const std::string_view name = arguments[*commandIndex];
    if (name == "extract") {
        invocation.action = invocation.textIndex ? Action::RejectUsage : Action::Extract;
        invocation.problem = "extract takes no TEXT";
        return invocation;
    }
    for (const auto& [commandName, command] : CommandNames) {
        if (name != commandName) continue;
        invocation.action = Action::Convert;
        invocation.command = command;
        return invocation;
    }
    return Only(Action::RejectUsage, "unknown command '" + std::string(name) + "'");
}

}  // namespace tarvik::cli
