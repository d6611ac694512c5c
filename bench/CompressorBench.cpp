// The compressors on one input: OptimalCompressor on one and on two threads, and the fast
// Compressor; each run's block size is reported as a ratio to the input, next to its time.
//
//   compressor_bench [benchmark flags] [--input=FILE-OR-FOLDER] [--limit=BYTES]
//                    [--near-chain=N] [--far-chain=N] [--good-length=N] [--nice-length=N]
//
// The input is a file or the files below a folder (in sorted path order, one after the other,
// as an installer's data block holds them), at most --limit bytes (default: all); without
// --input, 8 MiB of generated text and random bytes. The last four set OptimalCompressor's
// options of those names (default: its defaults), for trying them out.
#include "bench/BenchInput.h"
#include "builder/BlockWriter.h"
#include "builder/Compressor.h"
#include "builder/OptimalCompressor.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

OptimalCompressor::Options& optimalOptions()
{
    static OptimalCompressor::Options options;
    return options;
}

std::vector<uint8_t>& input()
{
    static std::vector<uint8_t> bytes;
    return bytes;
}

template <typename Parse>
void measure(benchmark::State& state, Parse parse)
{
    const std::vector<uint8_t>& in = input();
    size_t blockSize = 0;
    for (auto _ : state) {
        std::vector<CompressedToken> tokens = parse(in.data(), in.size());
        state.PauseTiming();
        blockSize = writeBlock(in.data(), in.size(), tokens).size();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(in.size()));
    state.counters["ratio"] = double(blockSize) / double(in.size());
    state.counters["block"] = double(blockSize);
}

void optimal(benchmark::State& state)
{
    OptimalCompressor::Options options = optimalOptions();
    options.threads = unsigned(state.range(0));
    const OptimalCompressor compressor(options);
    measure(state, [&](const uint8_t* data, size_t size) { return compressor.parse(data, size); });
}

void fast(benchmark::State& state)
{
    measure(state, [](const uint8_t* data, size_t size) { return Compressor().parse(data, size); });
}

bool prepare(int argc, char** argv)
{
    std::string where;
    size_t limit = SIZE_MAX;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--input=", 0) == 0) {
            where = arg.substr(8);
        } else if (arg.rfind("--limit=", 0) == 0) {
            limit = std::stoull(arg.substr(8));
        } else if (arg.rfind("--near-chain=", 0) == 0) {
            optimalOptions().nearChain = std::stoi(arg.substr(13));
        } else if (arg.rfind("--far-chain=", 0) == 0) {
            optimalOptions().farChain = std::stoi(arg.substr(12));
        } else if (arg.rfind("--good-length=", 0) == 0) {
            optimalOptions().goodLength = uint32_t(std::stoul(arg.substr(14)));
        } else if (arg.rfind("--nice-length=", 0) == 0) {
            optimalOptions().niceLength = uint32_t(std::stoul(arg.substr(14)));
        } else {
            std::fprintf(stderr, "compressor_bench: unknown argument %s\n", arg.c_str());
            return false;
        }
    }
    input() = where.empty() ? generatedInput(size_t(8) << 20) : readInput(where, limit);
    if (input().empty()) {
        std::fprintf(stderr, "compressor_bench: no input bytes in %s\n", where.c_str());
        return false;
    }
    std::fprintf(stderr, "compressor_bench: %zu input bytes (%s)\n", input().size(),
                 where.empty() ? "generated" : where.c_str());
    return true;
}

} // namespace

// Whole-input runs of several seconds: one iteration each, real time (the parse has threads).
BENCHMARK(optimal)->Name("compress/optimal")->Arg(1)->Arg(2)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);
BENCHMARK(fast)->Name("compress/fast")->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (!prepare(argc, argv))
        return 2;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
