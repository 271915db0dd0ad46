#include "cli/arguments.h"

#include <array>
#include <utility>

namespace tarvik::cli {

namespace {

constexpr std::array<std::pair<std::string_view, LinkCommand>, 6> CommandNames{{
    {"thunder", LinkCommand::Thunder},
    {"flashget", LinkCommand::FlashGet},
    {"xuanfeng", LinkCommand::Xuanfeng},
    {"rayfile", LinkCommand::RayFile},
    {"base64-encode", LinkCommand::Base64Encode},
    {"base64-decode", LinkCommand::Base64Decode},
}};

Invocation Rejected(std::string_view problem, std::string_view word = {}) {
    Invocation invocation;
    invocation.problem = problem;
    invocation.unknownWord = word;
    return invocation;
}

}  // namespace

const std::string_view UsageText =
    "Usage: tarvik-link [--gbk] COMMAND [TEXT]\n"
    "       tarvik-link --help\n"
    "\n"
    "Turns a download manager's special link back into its address, makes one from an\n"
    "http, https, ftp, mms or rtsp address, or applies Base64 to a text.\n"
    "\n"
    "Commands:\n"
    "  thunder        read a thunder:// link, or make one from an address\n"
    "  flashget       read a Flashget:// link, or make one from an address\n"
    "  xuanfeng       read a qqdl:// link, or make one from an address\n"
    "  rayfile        read an fs2you:// link\n"
    "  base64-encode  the Base64 form of the text\n"
    "  base64-decode  the text that the Base64 text stands for\n"
    "\n"
    "With TEXT, the result is written with a line feed; nothing is written when TEXT is\n"
    "empty or only spaces. Without TEXT, every line of standard input is converted (a CR\n"
    "before the line feed is dropped) and gives one line of output: the result, or an\n"
    "empty line when nothing changed or the line could not be converted. Errors go to\n"
    "standard error, in batch mode as \"line N: message\".\n"
    "\n"
    "Texts are bytes in GBK, as the Windows tool holds them. With --gbk, TEXT, the input\n"
    "lines and the results are UTF-8 instead, converted to GBK for the command and back;\n"
    "a text that cannot be converted is an error.\n"
    "\n"
    "Exit status: 0 done; 1 an input could not be converted, or reading or writing\n"
    "failed; 2 the command line was wrong.\n";

Invocation ParseArguments(std::span<const std::string_view> arguments) {
    if (arguments.empty()) return Rejected({});

    std::size_t next = 0;
    bool gbk = false;
    if (arguments[next] == "--gbk") {
        gbk = true;
        ++next;
    }
    if (next < arguments.size() && arguments[next] == "--help") {
        Invocation invocation;
        invocation.action = Action::ShowHelp;
        return invocation;
    }
    if (next == arguments.size()) return Rejected("a command is missing");

    const std::string_view word = arguments[next];
    const auto* found = CommandNames.begin();
    while (found != CommandNames.end() && found->first != word) ++found;
    if (found == CommandNames.end()) {
        return Rejected(word.starts_with("-") ? "unknown option" : "unknown command", word);
    }
    ++next;

    Invocation invocation;
    invocation.action = Action::Convert;
    invocation.gbk = gbk;
    invocation.command = found->second;
    if (next + 1 < arguments.size())
        return Rejected("too many arguments: give TEXT as one argument");
    if (next < arguments.size()) invocation.textIndex = static_cast<int>(next) + 1;
    return invocation;
}

}  // namespace tarvik::cli
