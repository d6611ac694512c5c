#include "builder/BlockWriter.h"

#include "archive/format/ArchiveFormat.h"
#include "builder/BitWriter.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

const uint8_t* bytesOf(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

std::vector<uint8_t> blockHead(uint32_t outputLength)
{
    std::vector<uint8_t> head(8);
    storeU32(head.data(), kBlockMagic);
    storeU32(head.data() + 4, outputLength);
    return head;
}

} // namespace

TEST(BlockWriter, ExactBits)
{
    // A single literal: 0, 00, then 'A' = bits 0,0,0,0 | 1,0,0,0,0,0,1,0.
    std::vector<uint8_t> expected = blockHead(1);
    expected.insert(expected.end(), {0x10, 0x04});
    EXPECT_EQ(expected, writeBlock(bytesOf("A"), 1, {CompressedToken::literals(1)}));

    // Four spaces as a run: 1,1, 0x20 as 00000100, count 4 as 0,1: 0x83, then 0x08.
    expected = blockHead(4);
    expected.insert(expected.end(), {0x83, 0x08});
    EXPECT_EQ(expected, writeBlock(bytesOf("    "), 4, {CompressedToken::run(' ', 4)}));

    EXPECT_EQ(blockHead(0), writeBlock(nullptr, 0, {}));
}

TEST(BlockWriter, TokenCostsMatchTheBitsWritten)
{
    const std::string data = std::string(5000, 'x') + std::string(5000, 'y') + std::string(5000, 'x');
    const std::vector<CompressedToken> tokens = {
        CompressedToken::literals(4999), CompressedToken::run('x', 1),
        CompressedToken::run('y', 5000), CompressedToken::copy(5000, 10000)};
    // The run of 1 is refused; the writer checks each token.
    EXPECT_THROW(writeBlock(bytesOf(data), data.size(), tokens), std::invalid_argument);

    const std::vector<CompressedToken> good = {
        CompressedToken::literals(4999), CompressedToken::literals(1),
        CompressedToken::run('y', 5000), CompressedToken::copy(5000, 10000)};
    const uint64_t bits = 64 + literalRunBits(4999) + literalRunBits(1) + byteRunBits(5000) +
                          copyBits(5000, 10000);
    EXPECT_EQ((bits + 7) / 8, writeBlock(bytesOf(data), data.size(), good).size());
    EXPECT_EQ(18, copyBits(4, 4099));    // shortest forms: 2 + 3 + 13
    EXPECT_EQ(21, copyBits(4, 4100));    // the distance needs the 14-bit form
    EXPECT_EQ(12, byteRunBits(4));
}

TEST(BlockWriter, TokenBitsAreTheBitsWrittenAtEveryWidthBoundary)
{
    // Each number on both sides of every width its (base, step) form has: 2^w - 1 and 2^w.
    const auto boundaries = [](int base, int step, uint32_t bias, uint64_t most) {
        std::vector<uint32_t> values = {bias};
        for (int w = base; w < 32; w += step)
            for (uint64_t v : {(uint64_t(1) << w) - 1, uint64_t(1) << w})
                if (v + bias <= most)
                    values.push_back(uint32_t(v + bias));
        values.push_back(uint32_t(most));
        return values;
    };
    const std::vector<uint8_t> bytes(1u << 20 | 1, 'b');
    std::vector<CompressedToken> tokens;
    for (uint32_t n : boundaries(kLiteralCountBase, kLiteralCountStep, kLiteralCountBias, bytes.size()))
        tokens.push_back(CompressedToken::literals(n));
    for (uint32_t n : boundaries(kRunCountBase, kRunCountStep, kRunCountBias, 0x7FFFFFFF))
        tokens.push_back(CompressedToken::run('r', n));
    for (uint32_t length : boundaries(kCopyLengthBase, kCopyLengthStep, kCopyLengthBias, 0x7FFFFFFF))
        for (uint32_t distance : boundaries(kCopyDistanceBase, kCopyDistanceStep, kCopyDistanceBias, 0x7FFFFFFF))
            tokens.push_back(CompressedToken::copy(length, distance));
    for (const CompressedToken& t : tokens) {
        BitWriter bits;
        bits.writeBit(1);   // tokens start at any bit
        writeToken(bits, bytes.data(), t);
        EXPECT_EQ(1 + tokenBits(t), bits.bitCount())
            << "kind " << int(t.kind) << " length " << t.length << " distance " << t.distance;
    }
}

TEST(BlockWriter, RefusesTokensTheDecoderWouldReject)
{
    const std::string data = "abcdabcdabcdX";
    struct Bad {
        const char* name;
        std::vector<CompressedToken> tokens;
    } cases[] = {
        {"overlapping copy", {CompressedToken::literals(4), CompressedToken::copy(8, 4),
                              CompressedToken::literals(1)}},
        {"copy of 3", {CompressedToken::literals(4), CompressedToken::copy(3, 4),
                       CompressedToken::literals(6)}},
        {"distance 3", {CompressedToken::literals(3), CompressedToken::copy(3, 3),
                        CompressedToken::literals(7)}},
        {"copy from before the start", {CompressedToken::literals(2), CompressedToken::copy(4, 4),
                                        CompressedToken::literals(7)}},
        {"copy of other bytes", {CompressedToken::literals(5), CompressedToken::copy(4, 5),
                                 CompressedToken::literals(4)}},
        {"run of other bytes", {CompressedToken::run('a', 3), CompressedToken::literals(10)}},
        {"empty literal run", {CompressedToken::literals(0), CompressedToken::literals(13)}},
        {"short of the input", {CompressedToken::literals(12)}},
        {"past the input", {CompressedToken::literals(14)}},
    };
    for (const Bad& c : cases)
        EXPECT_THROW(writeBlock(bytesOf(data), data.size(), c.tokens), std::invalid_argument) << c.name;
}
