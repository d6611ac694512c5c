#include "builder/Compressor.h"

#include "builder/BlockWriter.h"

#include "archive/format/Decompressor.h"
#include "core/OutOfMemory.h"
#include "tests/support/SampleData.h"

#include <gtest/gtest.h>

#include <fstream>
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

// Compresses with the options, decodes with the engine's decoder; the block's size.
size_t roundTrip(const std::string& input, const Compressor::Options& options, const char* name)
{
    const uint8_t* in = reinterpret_cast<const uint8_t*>(input.data());
    std::vector<uint8_t> block = writeBlock(in, input.size(), Compressor(options).parse(in, input.size()));
    uint8_t* data = block.data();
    int length = static_cast<int>(block.size());
    EXPECT_TRUE(decompressBlock(data, length)) << name;
    if (data == block.data())
        return block.size();
    EXPECT_EQ(input, std::string(reinterpret_cast<const char*>(data), size_t(length))) << name;
    releaseMemory(data);
    return block.size();
}

} // namespace

TEST(Compressor, RoundTripsEveryKindOfInput)
{
    const std::string chunk = randomBytes(20000, 7);
    std::string mixedRuns;
    {
        std::mt19937 rng(3);
        while (mixedRuns.size() < 200000)
            mixedRuns.append(1 + rng() % 3000, static_cast<char>(rng() % 4));
    }
    const struct {
        const char* name;
        std::string input;
    } cases[] = {
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
    Compressor::Options greedy;
    greedy.lazy = false;
    greedy.maxChain = 8;
    for (const auto& c : cases) {
        roundTrip(c.input, Compressor::Options(), c.name);
        roundTrip(c.input, greedy, c.name);
    }
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
