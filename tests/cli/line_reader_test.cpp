#include "cli/line_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace tarvik::cli {
namespace {

// A file is read through a mapping where the system offers one, a pipe always piece by piece.
enum class Source { File, Pipe };

// What the reader gives, one entry per call: the line, or "<too long>"; up to the end.
std::vector<std::string> ReadAll(const std::string& bytes, std::size_t maxLineLength,
                                 Source source = Source::File) {
    std::FILE* file = nullptr;
    std::thread writer;
    if (source == Source::File) {
        file = std::tmpfile();
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::rewind(file);
    } else {
#ifndef _WIN32
        int ends[2];
        if (pipe(ends) != 0) return {"<no pipe>"};
        file = fdopen(ends[0], "rb");
        writer = std::thread([&bytes, end = ends[1]] {
            for (std::size_t done = 0; done < bytes.size();) {
                const ssize_t count = write(end, bytes.data() + done, bytes.size() - done);
                if (count <= 0) break;
                done += static_cast<std::size_t>(count);
            }
            close(end);
        });
#endif
    }
    LineReader reader(file, maxLineLength);
    std::vector<std::string> lines;
    std::string_view line;
    for (LineStatus status; (status = reader.Next(line)) != LineStatus::End;) {
        if (status == LineStatus::ReadError) {
            lines.push_back("<read error>");
            break;
        }
        lines.push_back(status == LineStatus::TooLong ? "<too long>"
                        : reader.LineHoldsNul()       ? std::string(line) + "<nul>"
                                                      : std::string(line));
    }
    if (writer.joinable()) writer.join();
    std::fclose(file);
    return lines;
}

TEST(LineReader, SplitsLinesAsTheBatchContractSays) {
    const std::string longLine(300'000, 'x');  // several reads of the buffer
    const std::string x31(31, 'x'), x40(40, 'x'), x70(70, 'x');
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
        {std::string("a\0b\n", 4), 100, {std::string("a\0b<nul>", 8)}},
        // A NUL marks its own line only, wherever it falls among the blocks that are searched.
        {x40 + '\0' + "\nok\n" + x70 + '\0',
         100,
         {x40 + '\0' + "<nul>", "ok", x70 + '\0' + "<nul>"}},
        {'\0' + longLine + "\r\n\r\n" + x31 + '\0' + "\nx",
         1'000'000,
         {'\0' + longLine + "<nul>", "", x31 + '\0' + "<nul>", "x"}},
        {longLine + "\r\n" + longLine, 1'000'000, {longLine, longLine}},
        {"abcd\nab\n", 3, {"<too long>", "ab"}},
        {"abc\r\nabcd", 3, {"abc", "<too long>"}},
        {"ab\n" + longLine + "\nok\r\n" + longLine, 10, {"ab", "<too long>", "ok", "<too long>"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadAll(c.bytes, c.limit), c.lines) << "file of " << c.bytes.size() << " bytes";
#ifndef _WIN32
        EXPECT_EQ(ReadAll(c.bytes, c.limit, Source::Pipe), c.lines)
            << "pipe of " << c.bytes.size() << " bytes";
#endif
    }
}

}  // namespace
}  // namespace tarvik::cli
