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

Invocation Rejected(std::string problem) {
    return Only(Action::RejectUsage, std::move(problem));
}

}  // namespace

const std::string_view HelpText =
    "Usage: tarvik-link [--gbk] COMMAND [TEXT]\n"
    "       tarvik-link [--gbk] extract\n"
    "\n"
    "Reads download managers' special links back into their addresses, makes them from\n"
    "http, https, ftp, mms and rtsp addresses, and applies Base64 to texts.\n"
    "\n"
    "  thunder        read a thunder:// link, or make one from an address\n"
    "  flashget       read a Flashget:// link, or make one from an address\n"
    "  xuanfeng       read a qqdl:// link, or make one from an address\n"
    "  rayfile        read an fs2you:// link\n"
    "  decode         read a link of any of these four kinds; never makes one\n"
    "  base64-encode  the Base64 form of the text\n"
    "  base64-decode  the text that the Base64 text stands for\n"
    "  extract        print the address of every special link in standard input (a web\n"
    "                 page, a forum post), each distinct address once\n"
    "\n"
    "With TEXT the result is printed; nothing is printed for a TEXT of spaces only.\n"
    "Without TEXT each line of standard input (a CR before its LF is dropped) gives one\n"
    "line of output: the result, or an empty line when there is none.\n"
    "\n"
    "Texts are GBK bytes, as the Windows tool keeps them; with --gbk they are UTF-8 on\n"
    "both sides. Errors go to standard error. Options may come before or after COMMAND;\n"
    "'--' ends them. -h, --help shows this text; --version the version.\n"
    "\n"
    "Exit status: 0 done, 1 an input could not be converted or reading or writing\n"
    "failed, 2 the command line was wrong.\n";

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
                return Rejected("unknown option '" + std::string(argument) + "'");
            }
        } else if (!commandIndex) {
            commandIndex = i;
        } else if (!invocation.textIndex) {
            invocation.textIndex = i;
        } else {
            return Rejected("too many arguments");
        }
    }
    if (!commandIndex) return Rejected("a command is missing");

    const std::string_view name = arguments[*commandIndex];
    if (name == "extract") {
        if (invocation.textIndex) return Rejected("extract takes no TEXT");
        invocation.action = Action::Extract;
        return invocation;
    }
    for (const auto& [commandName, command] : CommandNames) {
        if (name == commandName) {
            invocation.action = Action::Convert;
            invocation.command = command;
            return invocation;
        }
    }
    return Rejected("unknown command '" + std::string(name) + "'");
}

}  // namespace tarvik::cli
