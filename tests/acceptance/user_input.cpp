#include "user_input.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "remote_window.h"

namespace acceptance {
namespace {

// Clicks of a resilience run and a screenshot take a few seconds; nothing the agent does takes
// this long unless X or the agent is gone.
constexpr ULONGLONG AgentTimeoutMs = 120000;

std::string RequestFolder() {
    const char* folder = std::getenv("TARVIK_ACCEPTANCE_REQUESTS");
    return folder ? folder : "";
}

bool WriteWholeFile(const std::string& path, const std::string& content) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    return std::fclose(file) == 0 && written;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return std::nullopt;
    std::string content;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
        content.append(buffer, got);
    }
    std::fclose(file);
    return content;
}

// Sends one request and waits for its answer; the agent's output, or nullopt with `error` set.
std::optional<std::string> Ask(const std::vector<std::string>& words, std::string* error) {
    auto fail = [error](std::string why) -> std::optional<std::string> {
        if (error) *error = std::move(why);
        return std::nullopt;
    };
    std::string folder = RequestFolder();
    if (folder.empty()) return fail("TARVIK_ACCEPTANCE_REQUESTS is not set: run run-acceptance");

    static unsigned serial = 0;
    char name[64];
    std::snprintf(name, sizeof name, "\\%08lx-%06u", GetCurrentProcessId(), ++serial);
    std::string base = folder + name;

    std::string request;
    for (const std::string& word : words) request += word + '\n';
    // The agent looks only for *.req, so the request appears whole when it is renamed.
    if (!WriteWholeFile(base + ".tmp", request) ||
        !MoveFileExA((base + ".tmp").c_str(), (base + ".req").c_str(), MOVEFILE_REPLACE_EXISTING)) {
        return fail("cannot write the request " + base + ".req: error " +
                    std::to_string(GetLastError()));
    }

    ULONGLONG deadline = GetTickCount64() + AgentTimeoutMs;
    std::optional<std::string> status;
    while (!(status = ReadWholeFile(base + ".rc"))) {
        if (GetTickCount64() > deadline) return fail("the input agent did not answer " + words[0]);
        Sleep(5);
    }
    std::string output = ReadWholeFile(base + ".out").value_or("");
    DeleteFileA((base + ".rc").c_str());
    DeleteFileA((base + ".out").c_str());
    if (std::atoi(status->c_str()) != 0) {
        return fail(words[0] + " failed (" + *status + "): " + output);
    }
    return output;
}

}  // namespace

bool PressKeys(const std::vector<std::string>& keys, std::string* error) {
    std::vector<std::string> words{"key"};
    words.insert(words.end(), keys.begin(), keys.end());
    return Ask(words, error).has_value();
}

bool TypeText(std::string_view gbkText, std::string* error) {
    bool ascii = true;
    for (unsigned char byte : gbkText) ascii = ascii && byte < 0x80;
    // xdotool types a character outside the X keymap through a spare key that it maps to the
    // character just for the press; Wine reads the mapping when it handles the press, so the key
    // stays mapped longer when the pauses are longer.
    return Ask({"type", ascii ? "12" : "150", GbkToUtf8(gbkText)}, error).has_value();
}

bool Click(POINT point, int count, std::string* error) {
    return Ask({"click", std::to_string(point.x), std::to_string(point.y), std::to_string(count)},
               error)
        .has_value();
}

bool SaveScreenshot(const std::string& path, std::string* error) {
    return Ask({"screenshot", path}, error).has_value();
}

std::optional<ColourCounts> CountColours(const RECT& screenRect, std::string* error) {
    std::optional<std::string> histogram =
        Ask({"histogram", std::to_string(screenRect.left), std::to_string(screenRect.top),
             std::to_string(Width(screenRect)), std::to_string(Height(screenRect))},
            error);
    if (!histogram) return std::nullopt;
    // Lines such as "    1234: (  0,  0,255) #0000FF srgb(0,0,255)".
    ColourCounts counts;
    std::istringstream lines(*histogram);
    for (std::string line; std::getline(lines, line);) {
        long count = 0;
        unsigned red = 0, green = 0, blue = 0;
        if (std::sscanf(line.c_str(), " %ld: (%u,%u,%u", &count, &red, &green, &blue) == 4) {
            counts[(red << 16) | (green << 8) | blue] += count;
        }
    }
    if (counts.empty()) {
        if (error) *error = "no pixels in the histogram: " + *histogram;
        return std::nullopt;
    }
    return counts;
}

}  // namespace acceptance
