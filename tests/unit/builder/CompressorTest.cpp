#include "builder/Compressor.h"

#include "builder/BlockWriter.h"
#include "builder/OptimalCompressor.h"

#include "archive/format/Decompressor.h"
#include "core/OutOfMemory.h"
#include "tests/support/SampleData.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>

namespace {

std::string sourceFile(const char* relative)
{
    std::ifstream in(std::string(QUIV_SOURCE_DIR) + "/" + relative, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A parse of an input: one of the compressors with its settings.
using Parse = std::function<std::vector<CompressedToken>(const std::string&)>;

Parse lazyParse(Compressor::Options options)
{
    return [options](const std::string& s) {
        return Compressor(options).parse(reinterpret_cast<const uint8_t*>(s.data()), s.size());
    };
}

Parse optimalParse(OptimalCompressor::Options options)
{
    return [options](const std::string& s) {
        return OptimalCompressor(options).parse(reinterpret_cast<const uint8_t*>(s.data()), s.size());
    };
}

// Writes the parse's block, decodes it with the engine's decoder; the block's size.
size_t roundTrip(const std::string& input, const Parse& parse, const std::string& name)
{
    const uint8_t* in = reinterpret_cast<const uint8_t*>(input.data());
    std::vector<uint8_t> block = writeBlock(in, input.size(), parse(input));
    uint8_t* data = block.data();
    int length = static_cast<int>(block.size());
    EXPECT_TRUE(decompressBlock(data, length)) << name;
    if (data == block.data())
        return block.size();
    EXPECT_EQ(input, std::string(reinterpret_cast<const char*>(data), size_t(length))) << name;
    releaseMemory(data);
    return block.size();
}

size_t roundTrip(const std::string& input, const Compressor::Options& options, const char* name)
{
    return roundTrip(input, lazyParse(options), name);
}

struct Case {
    const char* name;
    std::string input;
};

const std::vector<Case>& everyKindOfInput()
{
    static const std::vector<Case> cases = [] {
        const std::string chunk = randomBytes(20000, 7);
        std::string mixedRuns;
        std::mt19937 rng(3);
        while (mixedRuns.size() < 200000)
            mixedRuns.append(1 + rng() % 3000, static_cast<char>(rng() % 4));
        return std::vector<Case>{
            {"empty", ""},
            {"one byte", "x"},
            {"run of exactly 3", "aaa"},
            {"four bytes", "abcd"},
            {"period 2", [] { std::string s; for (int i = 0; i < 3000; ++i) s += "ab"; return s; }()},
            {"period 3", [] { std::string s; for (int i = 0; i < 3000; ++i) s += "abc"; return s; }()},
            {"period 4", [] { std::string s; for (int i = 0; i < 3000; ++i) s += "abcd"; return s; }()},
            {"random", randomBytes(65536, 1)},
            {"words", wordText(200000, 2)},
            {"source text", sourceFile("archive/format/ArchiveFormat.h")},
            {"runs of 1024 and 1025", std::string(1024, ' ') + "x" + std::string(1025, '\0') + "y"},
            {"runs of random lengths", mixedRuns},
            {"chunk repeated 50000 back", chunk + randomBytes(30000, 8) + chunk},
            {"run then copies of it", std::string(5000, 'z') + "q" + std::string(5000, 'z') + "q"},
        };
    }();
    return cases;
}

struct NamedParse {
    const char* name;
    Parse parse;
};

std::ostream& operator<<(std::ostream& os, const NamedParse& p) { return os << p.name; }

OptimalCompressor::Options smallSegments()
{
    OptimalCompressor::Options o;
    o.segmentSize = 10007;   // many segments, parsed by two threads, joined at odd places
    o.threads = 2;
    o.niceLength = 8;
    return o;
}

Compressor::Options greedy()
{
    Compressor::Options o;
    o.lazy = false;
    o.maxChain = 8;
    return o;
}

class EveryCompressor : public ::testing::TestWithParam<NamedParse> {};

} // namespace

INSTANTIATE_TEST_SUITE_P(Compressors, EveryCompressor,
                         ::testing::Values(NamedParse{"lazy", lazyParse({})}, NamedParse{"greedy", lazyParse(greedy())},
                                           NamedParse{"optimal", optimalParse({})},
                                           NamedParse{"optimalSmallSegments", optimalParse(smallSegments())}),
                         [](const ::testing::TestParamInfo<NamedParse>& info) { return std::string(info.param.name); });

TEST_P(EveryCompressor, RoundTripsEveryKindOfInput)
{
    for (const Case& c : everyKindOfInput())
        roundTrip(c.input, GetParam().parse, c.name);
}

TEST(OptimalCompressor, NeverLargerThanTheLazyParse)
{
    // The lazy parse searching its chain as deep as the optimal one searches its near chain.
    Compressor::Options sameDepth;
    sameDepth.maxChain = OptimalCompressor::Options().nearChain;
    for (const Case& c : everyKindOfInput()) {
        const size_t lazy = roundTrip(c.input, lazyParse(sameDepth), c.name);
        EXPECT_LE(roundTrip(c.input, optimalParse({}), c.name), lazy) << c.name;
    }
}

TEST(OptimalCompressor, OneThreadAndTwoGiveTheSameBlock)
{
    const std::string input = wordText(100000, 31) + randomBytes(30000, 32) + wordText(100000, 33);
    OptimalCompressor::Options one = smallSegments(), two = smallSegments();
    one.threads = 1;
    two.threads = 2;
    const uint8_t* in = reinterpret_cast<const uint8_t*>(input.data());
    EXPECT_EQ(writeBlock(in, input.size(), OptimalCompressor(one).parse(in, input.size())),
              writeBlock(in, input.size(), OptimalCompressor(two).parse(in, input.size())));
}

TEST(OptimalCompressor, FindsCopiesBeyondTheNearWindow)
{
    // The chunk comes back 1.5 MB later, past the 4-byte chain's reach: one copy.
    const std::string chunk = randomBytes(20000, 21);
    const std::string input = chunk + randomBytes(1500000, 22) + chunk;
    EXPECT_GT(chunk.size() + 1500000 + 400, roundTrip(input, optimalParse({}), "far copy"));
}

TEST(OptimalCompressor, ReportsProgressUpToTheWholeInput)
{
    const std::string words = wordText(300000, 5);
    std::vector<std::pair<size_t, size_t>> calls;
    OptimalCompressor(smallSegments())
        .parse(reinterpret_cast<const uint8_t*>(words.data()), words.size(),
               [&](size_t done, size_t total) { calls.emplace_back(done, total); });
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(std::make_pair(words.size(), words.size()), calls.back());
    for (size_t i = 1; i < calls.size(); ++i)
        EXPECT_LE(calls[i - 1].first, calls[i].first);
}

TEST(Compressor, FindsRunsAndFarCopies)
{
    const Compressor::Options options;
    // 100,000 equal bytes are one byte-run token.
    EXPECT_GT(24u, roundTrip(std::string(100000, '\0'), options, "long run"));

    // A 20,000-byte random chunk seen again 50,000 bytes later is one copy.
    const std::string chunk = randomBytes(20000, 11);
    const std::string input = chunk + randomBytes(30000, 12) + chunk;
    EXPECT_GT(50000u + 200u, roundTrip(input, options, "far copy"));

    // Random data costs little more than its own size; text compresses well.
    EXPECT_GT(65536u + 65536u / 100u + 16u, roundTrip(randomBytes(65536, 13), options, "random"));
    const std::string words = wordText(200000, 14);
    EXPECT_GT(words.size() * 45 / 100, roundTrip(words, options, "words"));
}

TEST(Compressor, CompressBlockIsTheDefaultParse)
{
    const std::string text = sourceFile("archive/format/ArchiveFormat.h");
    ASSERT_FALSE(text.empty());
    const uint8_t* in = reinterpret_cast<const uint8_t*>(text.data());
    EXPECT_EQ(writeBlock(in, text.size(), Compressor().parse(in, text.size())),
              compressBlock(in, text.size()));
}
