// What a fuzz target does when a property fails: it says which, shows the two sides where there
// are two, and aborts, so that libFuzzer keeps the input that broke it.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace fuzz {

// The first bytes of a text, with everything outside printable ASCII as \xNN.
inline std::string Shown(std::string_view bytes) {
    constexpr std::size_t limit = 160;
    std::string shown;
    for (std::size_t i = 0; i < bytes.size() && i < limit; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
            shown += static_cast<char>(byte);
        } else {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            shown += escaped;
        }
    }
    if (bytes.size() > limit) shown += "... (" + std::to_string(bytes.size()) + " bytes)";
    return shown;
}

[[noreturn]] inline void Fail(const char* property, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: property does not hold: %s\n", file, line, property);
    std::abort();
}

[[noreturn]] inline void FailEqual(const char* property, std::string_view actual,
                                   std::string_view expected, const char* file, int line) {
    std::fprintf(stderr,
                 "%s:%d: property does not hold: %s\n  actual:   \"%s\"\n  expected: \"%s\"\n",
                 file, line, property, Shown(actual).c_str(), Shown(expected).c_str());
    std::abort();
}

}  // namespace fuzz

#define FUZZ_EXPECT(condition) \
    ((condition) ? (void)0 : ::fuzz::Fail(#condition, __FILE__, __LINE__))

#define FUZZ_EXPECT_EQ(actual, expected) \
    ((actual) == (expected)              \
         ? (void)0                       \
         : ::fuzz::FailEqual(#actual " == " #expected, (actual), (expected), __FILE__, __LINE__))
