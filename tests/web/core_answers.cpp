// The native core's answers, for module_test.js to hold the module's against: each file's text, up
// to a NUL, whole and then line by line, through every command and extract, one answer a line in
// hex, "-" where the output box keeps its text.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/link_finder.h"
#include "core/link_list.h"

int main(int argc, char** argv) {
    using namespace tarvik;
    for (int i = 1; i < argc; ++i) {
        std::ifstream file(argv[i], std::ios::binary);
        const std::string whole(std::istreambuf_iterator<char>(file), {});
        const std::string_view text = std::string_view(whole).substr(0, whole.find('\0'));
        std::vector<std::string_view> pieces{text};
        for (std::size_t at = 0, end = 0; end != text.npos; at = end + 1) {
            end = text.find('\n', at);
            pieces.push_back(text.substr(at, end == text.npos ? end : end - at));
        }
        for (int command = 0; command <= 7; ++command) {  // 7: extract
            for (const std::string_view piece : pieces) {
                std::string output, line = "-";
                if ((command == 7 ? ExtractLinkAddresses(piece, output)
                                  : RunLinkListCommand(LinkCommand(command), piece, output)) !=
                    CommandOutcome::NoChange) {
                    line.clear();
                    for (const unsigned char c : output) {
                        char hex[3];
                        std::snprintf(hex, sizeof hex, "%02x", c);
                        line += hex;
                    }
                }
                std::puts(line.c_str());
            }
        }
    }
}
