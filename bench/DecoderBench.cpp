// The block decoder's speed: the token-at-a-time decoder, the bit-by-bit reference, zlib's
// inflate of the same input and memcpy of the decoded size, each writing into a buffer made
// beforehand (plus decompressBlock with its allocation). Figures are decoded bytes per second.
//
//   decoder_bench [benchmark flags] [--input=FILE-OR-FOLDER] [--limit=BYTES]
//
// The input is a file or the files below a folder (in sorted path order, one after the other,
// as an installer's data block holds them), at most --limit bytes (default 64 MiB); without
// --input, 8 MiB of generated text and random bytes.
#include "archive/format/ArchiveFormat.h"
#include "archive/format/BitReader.h"
#include "archive/format/Decompressor.h"
#include "archive/format/FastTokenDecoder.h"
#include "archive/format/TokenDecoder.h"
#include "bench/BenchInput.h"
#include "builder/Compressor.h"
#include "core/OutOfMemory.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Sample {
    std::vector<uint8_t> input;
    std::vector<uint8_t> block;   // the builder's compressed block of input
    std::vector<uint8_t> zlib;    // zlib (level 6) of input
};

Sample& sample()
{
    static Sample s;
    return s;
}

bool prepare(int argc, char** argv)
{
    std::string input;
    size_t limit = size_t(64) << 20;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--input=", 0) == 0) {
            input = arg.substr(8);
        } else if (arg.rfind("--limit=", 0) == 0) {
            limit = std::stoull(arg.substr(8));
        } else {
            std::fprintf(stderr, "decoder_bench: unknown argument %s\n", arg.c_str());
            return false;
        }
    }
    Sample& s = sample();
    s.input = input.empty() ? generatedInput(size_t(8) << 20) : readInput(input, limit);
    if (s.input.empty()) {
        std::fprintf(stderr, "decoder_bench: no input bytes in %s\n", input.c_str());
        return false;
    }
    s.block = compressBlock(s.input.data(), s.input.size());
    uLongf zlibSize = compressBound(uLong(s.input.size()));
    s.zlib.resize(zlibSize);
    if (compress2(s.zlib.data(), &zlibSize, s.input.data(), uLong(s.input.size()), 6) != Z_OK)
        return false;
    s.zlib.resize(zlibSize);
    std::fprintf(stderr, "decoder_bench: %zu input bytes (%s); block %zu bytes (%.3f), zlib %zu (%.3f)\n",
                 s.input.size(), input.empty() ? "generated" : input.c_str(), s.block.size(),
                 double(s.block.size()) / double(s.input.size()), s.zlib.size(),
                 double(s.zlib.size()) / double(s.input.size()));
    return true;
}

// Runs decode into a buffer of the input's size; fails the benchmark unless it gives the input.
template <typename Decode>
void measure(benchmark::State& state, Decode decode)
{
    const Sample& s = sample();
    std::vector<uint8_t> output(s.input.size());
    for (auto _ : state) {
        if (!decode(output.data())) {
            state.SkipWithError("decoding failed");
            return;
        }
        benchmark::DoNotOptimize(output.data());
        benchmark::ClobberMemory();
    }
    if (output != s.input)
        state.SkipWithError("decoded bytes differ from the input");
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(s.input.size()));
}

void fast(benchmark::State& state)
{
    const Sample& s = sample();
    measure(state, [&](uint8_t* out) {
        return FastTokenDecoder(s.block.data(), int(s.block.size()), out, int32_t(s.input.size())).run();
    });
}

void exact(benchmark::State& state)
{
    const Sample& s = sample();
    measure(state, [&](uint8_t* out) {
        BitReader bits(s.block.data(), int(s.block.size()));
        bits.seekBit(int64_t(kBlockHeadSize) * 8);
        return TokenDecoder(bits, out, int32_t(s.input.size())).run();
    });
}

void zlibInflate(benchmark::State& state)
{
    const Sample& s = sample();
    measure(state, [&](uint8_t* out) {
        uLongf size = uLongf(s.input.size());
        return uncompress(out, &size, s.zlib.data(), uLong(s.zlib.size())) == Z_OK &&
               size == s.input.size();
    });
}

void copyMemory(benchmark::State& state)
{
    const Sample& s = sample();
    measure(state, [&](uint8_t* out) {
        memcpy(out, s.input.data(), s.input.size());
        return true;
    });
}

// decompressBlock as the engine calls it: head checks, a new output buffer each time.
void fastWithAllocation(benchmark::State& state)
{
    const Sample& s = sample();
    for (auto _ : state) {
        uint8_t* data = const_cast<uint8_t*>(s.block.data());
        int length = int(s.block.size());
        if (!decompressBlock(data, length)) {
            state.SkipWithError("decoding failed");
            return;
        }
        benchmark::DoNotOptimize(data);
        releaseMemory(data);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(s.input.size()));
}

} // namespace

BENCHMARK(fast)->Name("decode/fast")->Unit(benchmark::kMillisecond);
BENCHMARK(exact)->Name("decode/exact")->Unit(benchmark::kMillisecond);
BENCHMARK(zlibInflate)->Name("decode/zlib_inflate")->Unit(benchmark::kMillisecond);
BENCHMARK(copyMemory)->Name("decode/memcpy")->Unit(benchmark::kMillisecond);
BENCHMARK(fastWithAllocation)->Name("decode/fast_decompressBlock")->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (!prepare(argc, argv))
        return 2;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
