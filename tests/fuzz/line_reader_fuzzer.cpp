// The batch-line reader of tarvik-link on streams of any bytes and size. The fuzzer's bytes
// describe the stream as runs of one byte (so that a short input can make lines that cross the
// reader's 64 KiB reads and buffer growth), a line-length limit, the size of the pieces in which
// the stream arrives, and whether it fails after its last byte.
//
// Properties:
// - the lines, and which of them are too long, are those of a plain split at LF with one CR
//   before each LF dropped and a last line without LF counted;
// - after the end the reader keeps saying so;
// - a stream that fails gives some of those lines and then ReadError, never a partial line.
#include <fuzzer/FuzzedDataProvider.h>

#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/line_reader.h"
#include "property.h"

namespace {

using tarvik::cli::LineReader;
using tarvik::cli::LineStatus;

struct Expected {
    LineStatus status;
    std::string_view line;  // into the stream's bytes
};

std::vector<Expected> PlainLines(std::string_view stream, std::size_t limit) {
    std::vector<Expected> lines;
    std::size_t start = 0;
    while (start < stream.size()) {
        const std::size_t lineFeed = stream.find('\n', start);
        std::string_view line = stream.substr(
            start, lineFeed == std::string_view::npos ? std::string_view::npos : lineFeed - start);
        if (lineFeed != std::string_view::npos && !line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.push_back({line.size() > limit ? LineStatus::TooLong : LineStatus::Line, line});
        if (lineFeed == std::string_view::npos) break;
        start = lineFeed + 1;
    }
    return lines;
}

// Feeds the reader through a pipe, one chunk each time the reader is about to read. A chunk
// never exceeds the pipe's 64 KiB nor the reader's smallest read, so every read returns exactly
// one chunk and a run is repeatable. After the last chunk the pipe is closed, or, for a failing
// stream, its read end is replaced by a directory, on which read fails with EISDIR.
class Source {
  public:
    Source(std::string bytes, std::size_t chunk, bool failsAtEnd)
        : bytes_(std::move(bytes)), chunk_(chunk), failsAtEnd_(failsAtEnd) {
        FUZZ_EXPECT(pipe(pipe_) == 0);
        stream_ = fdopen(pipe_[0], "r");
        FUZZ_EXPECT(stream_ != nullptr);
    }
    ~Source() {
        std::fclose(stream_);
        if (pipe_[1] >= 0) close(pipe_[1]);
    }
    Source(const Source&) = delete;
    Source& operator=(const Source&) = delete;

    std::FILE* Stream() const { return stream_; }

    void BeforeReading() {
        if (at_ < bytes_.size()) {
            const std::size_t count = std::min(chunk_, bytes_.size() - at_);
            FUZZ_EXPECT(write(pipe_[1], bytes_.data() + at_, count) == static_cast<ssize_t>(count));
            at_ += count;
        } else if (pipe_[1] >= 0) {
            close(pipe_[1]);
            pipe_[1] = -1;
            if (failsAtEnd_) {
                const int directory = open("/", O_RDONLY | O_DIRECTORY);
                FUZZ_EXPECT(directory >= 0 && dup2(directory, pipe_[0]) == pipe_[0]);
                close(directory);
            }
        }
    }

  private:
    std::string bytes_;
    std::size_t chunk_;
    bool failsAtEnd_;
    std::size_t at_ = 0;
    int pipe_[2] = {-1, -1};
    std::FILE* stream_ = nullptr;
};

// At most 256 KiB, four times the reader's reads, and at most 512 chunks, which keeps one run
// within milliseconds.
std::string MakeStream(FuzzedDataProvider& input, std::size_t chunk) {
    const std::size_t largest = std::min<std::size_t>(1 << 18, chunk * 512);
    std::string stream;
    while (input.remaining_bytes() >= 2 && stream.size() < largest) {
        const char byte = input.ConsumeIntegral<char>();
        const auto repeat = input.ConsumeIntegral<uint8_t>();
        const std::size_t count = repeat < 128 ? repeat + 1u : (repeat - 127u) * 1021u;
        stream.append(std::min(count, largest - stream.size()), byte);
    }
    return stream;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::size_t limit = input.ConsumeBool()
                                  ? input.ConsumeIntegralInRange<std::size_t>(0, 40)
                                  : input.PickValueInArray<std::size_t>(
                                        {65534, 65535, 65536, 65537, 131071, 131072, 1 << 20});
    const bool failsAtEnd = input.ConsumeBool();
    const std::size_t chunk = input.PickValueInArray<std::size_t>({1, 7, 4096, 65535, 65536});
    const std::string bytes = MakeStream(input, chunk);
    Source source(bytes, chunk, failsAtEnd);

    const std::vector<Expected> expected = PlainLines(bytes, limit);
    LineReader reader(source.Stream(), limit, [&source] { source.BeforeReading(); });
    std::size_t taken = 0;
    for (;;) {
        std::string_view line;
        const LineStatus status = reader.Next(line);
        if (status == LineStatus::End || status == LineStatus::ReadError) {
            FUZZ_EXPECT((status == LineStatus::ReadError) == failsAtEnd);
            if (!failsAtEnd) FUZZ_EXPECT(taken == expected.size());
            FUZZ_EXPECT(reader.Next(line) == status);
            break;
        }
        FUZZ_EXPECT(taken < expected.size());
        FUZZ_EXPECT(status == expected[taken].status);
        if (status == LineStatus::Line) FUZZ_EXPECT_EQ(line, expected[taken].line);
        ++taken;
    }
    return 0;
}
