// Throughput of the Base64 buffer routines on 1 KB and 1 MB, in bytes of input per second. Each
// benchmark first checks that the routine gives back exactly what it should, so a fast wrong
// decoder cannot post a figure.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "core/base64.h"

namespace {

using tarvik::Base64DecodeBuffer;
using tarvik::Base64EncodeBuffer;

std::vector<unsigned char> RandomBytes(std::size_t count) {
    std::mt19937 generator(20261206);
    std::vector<unsigned char> bytes(count);
    for (auto& byte : bytes) byte = static_cast<unsigned char>(generator());
    return bytes;
}

std::string Encoded(const std::vector<unsigned char>& bytes) {
    std::string text(tarvik::Base64EncodedLength(bytes.size()) + 1, '#');
    const int32_t length = Base64EncodeBuffer(bytes.data(), static_cast<int32_t>(bytes.size()),
                                              text.data(), static_cast<int32_t>(text.size()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

// The decoder reads `size` characters: the Base64 form of size / 4 × 3 random bytes.
void DecodeBuffer(benchmark::State& state) {
    const auto size = static_cast<std::size_t>(state.range(0));
    const auto bytes = RandomBytes(size / 4 * 3);
    const std::string text = Encoded(bytes);
    std::vector<unsigned char> output(tarvik::Base64DecodedCapacity(text.size()) + 1);
    const auto length = static_cast<int32_t>(text.size());

    const int32_t count = Base64DecodeBuffer(text.data(), length, output.data(), 0);
    if (text.size() != size || static_cast<std::size_t>(count) != bytes.size() ||
        !std::equal(bytes.begin(), bytes.end(), output.begin())) {
        state.SkipWithError("decoding does not give the encoded bytes back");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(Base64DecodeBuffer(text.data(), length, output.data(), 0));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * length);
}

// The encoder reads `size` random bytes.
void EncodeBuffer(benchmark::State& state) {
    const auto bytes = RandomBytes(static_cast<std::size_t>(state.range(0)));
    std::string output(tarvik::Base64EncodedLength(bytes.size()) + 1, '#');
    const auto length = static_cast<int32_t>(bytes.size());

    const std::string text = Encoded(bytes);
    std::vector<unsigned char> decoded(bytes.size() + 1);
    Base64DecodeBuffer(text.data(), static_cast<int32_t>(text.size()), decoded.data(), 0);
    if (text.size() != tarvik::Base64EncodedLength(bytes.size()) ||
        !std::equal(bytes.begin(), bytes.end(), decoded.begin())) {
        state.SkipWithError("encoding does not decode to the bytes it was given");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(Base64EncodeBuffer(bytes.data(), length, output.data(), 0));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * length);
}

BENCHMARK(DecodeBuffer)->Arg(1 << 10)->Arg(1 << 20);
BENCHMARK(EncodeBuffer)->Arg(1 << 10)->Arg(1 << 20);

}  // namespace

BENCHMARK_MAIN();
