#include "cli/line_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace tarvik::cli {
namespace {

// What the reader gives, one entry per call: the line, or "<too long>"; up to the end.
std::vector<std::string> ReadAll(const std::string& bytes, std::size_t maxLineLength) {
    std::FILE* file = std::tmpfile();
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::rewind(file);
    LineReader reader(file, maxLineLength);
    std::vector<std::string> lines;
    std::string_view line;
    for (LineStatus status; (status = reader.Next(line)) != LineStatus::End;) {
        if (status == LineStatus::ReadError) {
            lines.push_back("<read error>");
            break;
        }
        lines.push_back(status == LineStatus::TooLong ? "<too long>" : std::string(line));
    }
    std::fclose(file);
    return lines;
}

TEST(LineReader, SplitsLinesAsTheBatchContractSays) {
    const std::string longLine(300'000, 'x');  // several reads of the buffer
    struct Case {
        std::string bytes;
        std::size_t limit;
        std::vector<std::string> lines;
    } cases[] = {
        {"", 100, {}},
        {"a\nb\r\nc", 100, {"a", "b", "c"}},
        {"\n\r\n\n", 100, {"", "", ""}},
        {"a\r\r\nb\rc\n", 100, {"a\r", "b\rc"}},
        {"x\r", 100, {"x\r"}},
        {std::string("a\0b\n", 4), 100, {std::string("a\0b", 3)}},
        {longLine + "\r\n" + longLine, 1'000'000, {longLine, longLine}},
        {"abcd\nab\n", 3, {"<too long>", "ab"}},
        {"abc\r\nabcd", 3, {"abc", "<too long>"}},
        {"ab\n" + longLine + "\nok\r\n" + longLine, 10, {"ab", "<too long>", "ok", "<too long>"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadAll(c.bytes, c.limit), c.lines) << "input of " << c.bytes.size() << " bytes";
    }
}

}  // namespace
}  // namespace tarvik::cli
