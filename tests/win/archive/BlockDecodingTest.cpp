// The file-data block decoded on a thread of its own: the bytes it gives as decoded are the
// block's, at every point the reader asks for them; a block damaged in the middle gives the
// bytes before the damage and then its failure, whatever the reader waits for.
#include "archive/BlockDecoding.h"

#include "archive/format/ArchiveFormat.h"
#include "builder/BitWriter.h"
#include "builder/BlockWriter.h"
#include "builder/Compressor.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// About 3 MB (more than one publishing step of the decoder) of text, noise and runs.
std::string sampleData()
{
    std::mt19937 rng(5);
    const char* words[] = {"alpha ", "beta ", "gamma ", "delta\r\n", "epsilon ", "zeta "};
    std::string data;
    while (data.size() < 3000000) {
        for (int i = 0; i < 200; ++i)
            data += words[rng() % 6];
        for (int i = 0; i < 300; ++i)
            data.push_back(static_cast<char>(rng()));
        data.append(rng() % 2000, static_cast<char>(rng() % 4));
    }
    return data;
}

struct Sample {
    std::string data = sampleData();
    std::vector<CompressedToken> tokens =
        Compressor().parse(reinterpret_cast<const uint8_t*>(data.data()), data.size());
};

const Sample& sample()
{
    static const Sample s;
    return s;
}

// The sample's block with the token at index bad replaced by a copy from before the output's
// start (none when bad is past the last token); decodedBefore: the bytes before it.
std::vector<uint8_t> sampleBlock(size_t bad, uint32_t& decodedBefore)
{
    const Sample& s = sample();
    std::vector<uint8_t> head(kBlockHeadSize);
    storeU32(head.data(), kBlockMagic);
    storeU32(head.data() + kBlockOutputLengthOffset, static_cast<uint32_t>(s.data.size()));
    BitWriter bits(head);
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(s.data.data());
    uint32_t produced = 0;
    decodedBefore = static_cast<uint32_t>(s.data.size());
    for (size_t i = 0; i < s.tokens.size(); ++i) {
        CompressedToken t = s.tokens[i];
        if (i == bad) {
            decodedBefore = produced;
            t = CompressedToken::copy(4, produced + 5);
        }
        writeToken(bits, bytes + produced, t);
        produced += t.length;
    }
    return bits.take();
}

TEST(BlockDecoding, GivesTheDecodedBytesAsTheReaderWaitsForThem)
{
    const std::string& data = sample().data;
    uint32_t all = 0;
    const std::vector<uint8_t> block = sampleBlock(SIZE_MAX, all);
    ASSERT_EQ(data.size(), all);
    BlockDecoding decoding;
    ASSERT_TRUE(decoding.start(block.data(), static_cast<int>(block.size())));
    ASSERT_EQ(data.size(), decoding.outputLength());
    // The reader waits for a file's bytes at a time, checking what it is given.
    for (uint32_t want = 1; want < all; want = want * 3 + 1000) {
        const uint32_t decoded = decoding.waitFor(want);
        ASSERT_GE(decoded, want);
        ASSERT_LE(decoded, all);
        EXPECT_EQ(0, memcmp(decoding.output(), data.data(), decoded)) << "at " << decoded;
    }
    EXPECT_EQ(all, decoding.waitFor(all + 10));
    EXPECT_TRUE(decoding.finish());
    EXPECT_TRUE(decoding.finish());
    EXPECT_EQ(0, memcmp(decoding.output(), data.data(), data.size()));
}

TEST(BlockDecoding, StopsAtTheDamageInTheMiddleOfTheBlock)
{
    const Sample& s = sample();
    for (const size_t bad : {size_t(0), s.tokens.size() / 3, s.tokens.size() - 1}) {
        SCOPED_TRACE("bad token " + std::to_string(bad));
        uint32_t before = 0;
        const std::vector<uint8_t> block = sampleBlock(bad, before);
        BlockDecoding decoding;
        ASSERT_TRUE(decoding.start(block.data(), static_cast<int>(block.size())));
        // Bytes before the damage come as they do from a good block; past it, the reader
        // learns where it stopped.
        if (before > 0) {
            EXPECT_GE(decoding.waitFor(before), before);
        }
        EXPECT_EQ(before, decoding.waitFor(before + 1));
        EXPECT_EQ(before, decoding.waitFor(decoding.outputLength()));
        EXPECT_FALSE(decoding.finish());
        EXPECT_EQ(0, memcmp(decoding.output(), s.data.data(), before));
    }
}

TEST(BlockDecoding, RefusesABlockWhoseHeadIsNotValid)
{
    std::vector<uint8_t> head(kBlockHeadSize);
    storeU32(head.data(), kBlockMagic);
    storeU32(head.data() + kBlockOutputLengthOffset, 0);
    BlockDecoding empty;
    ASSERT_TRUE(empty.start(head.data(), static_cast<int>(head.size())));
    EXPECT_EQ(0u, empty.outputLength());
    EXPECT_EQ(0u, empty.waitFor(5));
    EXPECT_TRUE(empty.finish());

    std::vector<uint8_t> wrongMagic = head;
    wrongMagic[0] ^= 1;
    std::vector<uint8_t> negative = head;
    storeU32(negative.data() + kBlockOutputLengthOffset, 0x80000000u);
    for (const std::vector<uint8_t>& block : {wrongMagic, negative, std::vector<uint8_t>(head.begin(), head.begin() + 7)}) {
        BlockDecoding decoding;
        EXPECT_FALSE(decoding.start(block.data(), static_cast<int>(block.size())));
        EXPECT_FALSE(decoding.finish());
    }
}

} // namespace
