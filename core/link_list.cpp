#include "core/link_list.h"

#include <utility>

#include "core/text.h"

namespace tarvik {
namespace {

// Calls `each` with every line of the text, without its LF or CR LF. A text that ends with a line
// break ends with an empty line, so that the output ends with a line break too.
template <class Each>
void ForEachLine(std::string_view text, Each each) {
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find('\n', start);
        std::string_view line = text.substr(start, end - start);
        if (end == std::string_view::npos) return each(line);
        if (line.ends_with('\r')) line.remove_suffix(1);
        each(line);
        start = end + 1;
    }
}

bool IsList(std::string_view text) {
    int filled = 0;
    ForEachLine(text, [&](std::string_view line) { filled += !TrimSpaces(line).empty(); });
    return filled >= 2;
}

}  // namespace

CommandOutcome RunLinkListCommand(LinkCommand command, std::string_view inputBoxText,
                                  std::string& output) {
    const bool wholeText = command == LinkCommand::Base64Encode ||
                           command == LinkCommand::Base64Decode || !IsList(inputBoxText);
    if (wholeText) return RunLinkCommand(command, inputBoxText, output);
    std::string list, result;
    bool first = true;
    ForEachLine(inputBoxText, [&](std::string_view line) {
        if (!std::exchange(first, false)) list += "\r\n";
        // A line of spaces changes nothing and stays empty; an error brings its own text.
        if (RunLinkCommand(command, line, result) != CommandOutcome::NoChange) list += result;
    });
    output = std::move(list);
    return CommandOutcome::NewText;
}

}  // namespace tarvik
