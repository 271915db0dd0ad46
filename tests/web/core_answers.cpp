// The native core's answers for differential.js: each line of standard input, "COMMAND HEX", is
// answered with a line, the output box's new bytes in hex, or "-" when it keeps its text.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "core/link_finder.h"
#include "core/link_list.h"

namespace {

using namespace tarvik;

constexpr std::string_view Commands[] = {"thunder",       "flashget",      "xuanfeng", "rayfile",
                                         "base64-encode", "base64-decode", "decode"};

CommandOutcome Answer(std::string_view command, std::string_view input, std::string& output) {
    if (command == "extract") return ExtractLinkAddresses(input, output);
    for (std::size_t i = 0; i < std::size(Commands); ++i) {
        if (Commands[i] == command) {
            return RunLinkListCommand(static_cast<LinkCommand>(i), input, output);
        }
    }
    std::fprintf(stderr, "core_answers: no command %.*s\n", static_cast<int>(command.size()),
                 command.data());
    std::exit(2);
}

}  // namespace

int main() {
    std::string line, input, output;
    while (std::getline(std::cin, line)) {
        const std::size_t space = line.find(' ');
        input.clear();
        for (std::size_t i = space + 1; i + 1 < line.size(); i += 2) {
            input += static_cast<char>(std::stoi(line.substr(i, 2), nullptr, 16));
        }
        output.clear();
        if (Answer(std::string_view(line).substr(0, space), input, output) ==
            CommandOutcome::NoChange) {
            std::printf("-\n");
            continue;
        }
        for (const char c : output) std::printf("%02x", static_cast<unsigned char>(c));
        std::printf("\n");
    }
    return 0;
}
