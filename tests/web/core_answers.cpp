// The native core's answers, for module_test.js to hold the module's against: each line of the
// input, a text in hex, through every command and then extract, one answer a line in hex, "-"
// where the output box keeps its text.
#include <cstdio>
#include <iostream>
#include <string>

#include "core/link_finder.h"
#include "core/link_list.h"

int main() {
    using namespace tarvik;
    for (std::string hex; std::getline(std::cin, hex);) {
        std::string text;
        for (std::size_t at = 0; at + 1 < hex.size(); at += 2)
            text += static_cast<char>(std::stoi(hex.substr(at, 2), nullptr, 16));
        for (int command = 0; command <= 7; ++command) {  // 7: extract
            std::string output;
            if ((command == 7 ? ExtractLinkAddresses(text, output)
                              : RunLinkListCommand(LinkCommand(command), text, output)) ==
                CommandOutcome::NoChange) {
                std::puts("-");
                continue;
            }
            for (const unsigned char c : output) std::printf("%02x", c);
            std::puts("");
        }
    }
}
