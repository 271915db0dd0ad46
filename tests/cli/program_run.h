// Runs the real tarvik-link with arguments and standard input, the way a script would.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct ProgramRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Standard output goes to `outputPath` when one is given (and `out` stays empty).
ProgramRun RunTarvikLink(const std::vector<std::string>& arguments, std::string_view input,
                         const char* outputPath = nullptr);
