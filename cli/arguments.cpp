#include "cli/arguments.h"

#include <iterator>
#include <utility>

namespace tarvik::cli {
namespace {

// In the order of LinkCommand.
constexpr std::string_view CommandNames[] = {
    "thunder", "flashget", "xuanfeng", "rayfile", "base64-encode", "base64-decode", "decode"};

Invocation Only(Action action, std::string problem = {}) {
    Invocation invocation;
    invocation.action = action;
    invocation.problem = std::move(problem);
    return invocation;
}

}  // namespace

const std::string_view HelpText =
    "Usage: tarvik-link [--gbk] COMMAND [TEXT]\n"
    "       tarvik-link [--gbk] extract [FILE...]\n"
    "  thunder, flashget, xuanfeng   read a thunder://, Flashget:// or qqdl:// link, or make one\n"
    "                                from an http, https, ftp, mms or rtsp address\n"
    "  rayfile                       read an fs2you:// link\n"
    "  decode                        read a link of any of these four kinds\n"
    "  base64-encode, base64-decode  apply Base64 to the text\n"
    "  extract                       print the address of every special link in the FILEs, read\n"
    "                                as one text (none, or -: standard input), each distinct\n"
    "                                address once\n"
    "With TEXT the result is printed; without it each line of standard input gives one line,\n"
    "empty when there is no result. Texts are GBK bytes, or UTF-8 with --gbk. Options may\n"
    "follow COMMAND, '--' ends them; -h, --help; --version. Errors go to standard error.\n"
    "Exit status: 0 done, 1 an input failed or reading or writing did, 2 a wrong command line.";

Invocation ParseArguments(std::span<const std::string_view> arguments) {
    Invocation invocation;
    std::optional<std::size_t> commandIndex;
    std::vector<std::size_t> operands;
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
        } else {
            operands.push_back(i);
        }
    }
    if (!commandIndex) return Only(Action::RejectUsage, "a command is missing");
    const std::string_view name = arguments[*commandIndex];
    if (name == "extract") {
        invocation.action = Action::Extract;
        invocation.command = LinkCommand::Decode;
        invocation.fileIndexes = std::move(operands);
        return invocation;
    }
    for (std::size_t i = 0; i < std::size(CommandNames); ++i) {
        if (name != CommandNames[i]) continue;
        if (operands.size() > 1) return Only(Action::RejectUsage, "too many arguments");
        invocation.action = Action::Convert;
        invocation.command = static_cast<LinkCommand>(i);
        if (!operands.empty()) invocation.textIndex = operands.front();
        return invocation;
    }
    return Only(Action::RejectUsage, "unknown command '" + std::string(name) + "'");
}

}  // namespace tarvik::cli
