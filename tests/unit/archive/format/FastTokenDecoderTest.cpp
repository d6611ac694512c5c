// The fast decoder (decompressBlock) against the bit-by-bit reference (decompressBlockExact):
// on every block of a corpus of valid blocks and of damaged copies of them, both give the same
// answer, the same bytes, and leave the caller's pointer, length and block as they were when
// they fail.
#include "archive/format/FastTokenDecoder.h"

#include "archive/format/ArchiveFormat.h"
#include "archive/format/BitReader.h"
#include "archive/format/Decompressor.h"
#include "archive/format/TokenDecoder.h"
#include "builder/BitWriter.h"
#include "builder/Compressor.h"
#include "core/OutOfMemory.h"
#include "tests/support/SampleData.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

struct Decoded {
    bool ok = false;
    std::vector<uint8_t> bytes;
};

Decoded decodeWith(bool (*decode)(uint8_t*&, int&), const std::vector<uint8_t>& block)
{
    std::vector<uint8_t> copy = block;
    uint8_t* data = copy.data();
    int length = static_cast<int>(copy.size());
    Decoded result;
    result.ok = decode(data, length);
    if (!result.ok) {
        EXPECT_EQ(copy.data(), data);
        EXPECT_EQ(static_cast<int>(block.size()), length);
    } else {
        result.bytes.assign(data, data + length);
        releaseMemory(data);
    }
    EXPECT_EQ(block, copy) << "the decoder changed the block";
    return result;
}

// Whether both decoders agree on block; reports the first disagreement of a test.
bool agree(const std::vector<uint8_t>& block, const std::string& what)
{
    const Decoded fast = decodeWith(decompressBlock, block);
    const Decoded exact = decodeWith(decompressBlockExact, block);
    if (fast.ok != exact.ok || fast.bytes != exact.bytes) {
        ADD_FAILURE() << what << ": fast " << (fast.ok ? "decodes " : "fails ")
                      << fast.bytes.size() << " bytes, exact " << (exact.ok ? "decodes " : "fails ")
                      << exact.bytes.size() << (fast.ok == exact.ok ? ", not the same" : "");
        return false;
    }
    return true;
}

std::vector<uint8_t> compress(const std::string& input)
{
    return compressBlock(reinterpret_cast<const uint8_t*>(input.data()), input.size());
}

void flipBit(std::vector<uint8_t>& block, size_t bit)
{
    block[bit / 8] = static_cast<uint8_t>(block[bit / 8] ^ (1u << (bit % 8)));
}

void setOutputLength(std::vector<uint8_t>& block, int64_t value)
{
    storeU32(block.data() + kBlockOutputLengthOffset, static_cast<uint32_t>(value));
}

// Damaged copies of block: bit flips (all of them for small blocks, random ones for large),
// truncations (every length for small blocks, random ones and the last 16 for large), other
// output lengths. Stops at the first disagreement.
void mutationsAgree(const std::vector<uint8_t>& block, const std::string& name, uint32_t seed)
{
    const size_t bits = block.size() * 8;
    const bool small = block.size() <= 96;
    std::mt19937 rng(seed);
    const size_t streamBits = bits - kBlockHeadSize * 8;
    for (size_t i = 0; i < (small ? bits : 150); ++i) {
        const size_t bit = small ? i : kBlockHeadSize * 8 + rng() % streamBits;
        // Bits 20..30 of the output length ask for megabytes (slow under the sanitizers) of
        // a block that then ends early; the length changes below cover the field.
        if (bit >= kBlockOutputLengthOffset * 8 + 20 && bit < kBlockOutputLengthOffset * 8 + 31)
            continue;
        std::vector<uint8_t> damaged = block;
        flipBit(damaged, bit);
        if (!agree(damaged, name + ", bit " + std::to_string(bit) + " flipped"))
            return;
    }
    // Two flips close together change a token and its neighbour.
    for (int i = 0; i < 100 && streamBits > 1; ++i) {
        std::vector<uint8_t> damaged = block;
        const size_t bit = kBlockHeadSize * 8 + rng() % streamBits;
        flipBit(damaged, bit);
        flipBit(damaged, kBlockHeadSize * 8 + (bit + 1 + rng() % 40) % streamBits);
        if (!agree(damaged, name + ", bits near " + std::to_string(bit) + " flipped"))
            return;
    }
    for (size_t i = 0; i < (small ? block.size() : 40); ++i) {
        const size_t length = small ? i : i < 16 ? block.size() - 1 - i : rng() % block.size();
        const std::vector<uint8_t> cut(block.begin(), block.begin() + length);
        if (!agree(cut, name + ", cut to " + std::to_string(length)))
            return;
    }
    const int64_t outputLength = loadI32(block.data() + kBlockOutputLengthOffset);
    for (const int64_t changed : {int64_t(0), int64_t(-1), outputLength - 1, outputLength + 1,
                                  outputLength + 64, outputLength / 2, outputLength * 2 + 100}) {
        std::vector<uint8_t> damaged = block;
        setOutputLength(damaged, changed);
        if (!agree(damaged, name + ", output length " + std::to_string(changed)))
            return;
    }
}

// A block in which every number has a longer prefix than it needs, from none to well past the
// widest window (so tokens in the middle of the stream go both ways), with each kind of token.
std::vector<uint8_t> longPrefixBlock(int tokens)
{
    std::vector<uint8_t> head(8);
    storeU32(head.data(), kBlockMagic);
    BitWriter bits(head);
    std::mt19937 rng(9);
    int extra = 0;
    // value in the number (base, step) with `extra` more prefix ones than its shortest form.
    auto number = [&](uint32_t value, int base, int step) {
        int ones = 0;
        while (base + ones * step < 32 && (value >> (base + ones * step)) != 0)
            ++ones;
        ones += extra;
        for (int i = 0; i < ones; ++i)
            bits.writeBit(1);
        bits.writeBit(0);
        const int width = base + ones * step < 32 ? base + ones * step : 32;
        bits.writeBits(value, width);
        extra = (extra + 7) % 45;
    };
    int64_t produced = 0;
    for (int i = 0; i < tokens; ++i) {
        const int kind = produced < 64 ? 0 : static_cast<int>(rng() % 3);
        if (kind == 0) {
            const uint32_t count = 1 + rng() % 12;
            bits.writeBit(0);
            number(count - 1, kLiteralCountBase, kLiteralCountStep);
            for (uint32_t j = 0; j < count; ++j)
                bits.writeBits(rng() & 0xFF, 8);
            produced += count;
        } else if (kind == 1) {
            const uint32_t distance = 4 + rng() % uint32_t(produced - 3);
            const uint32_t length = 4 + rng() % (distance - 3 < 40 ? distance - 3 : 40);
            bits.writeBit(1);
            bits.writeBit(0);
            number(length - 4, kCopyLengthBase, kCopyLengthStep);
            number(distance - 4, kCopyDistanceBase, kCopyDistanceStep);
            produced += length;
        } else {
            const uint32_t count = 3 + rng() % 50;
            bits.writeBit(1);
            bits.writeBit(1);
            bits.writeBits(rng() & 0xFF, 8);
            number(count - 3, kRunCountBase, kRunCountStep);
            produced += count;
        }
    }
    std::vector<uint8_t> block = bits.take();
    setOutputLength(block, produced);
    return block;
}

// A block written token by token, each number in its shortest form.
class Tokens {
public:
    Tokens() : bits_(std::vector<uint8_t>(kBlockHeadSize)) {}

    Tokens& literals(const std::string& bytes)
    {
        bits_.writeBit(0);
        bits_.writeNumber(uint32_t(bytes.size()) - kLiteralCountBias, kLiteralCountBase, kLiteralCountStep);
        bits_.writeBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        produced_ += int64_t(bytes.size());
        return *this;
    }
    Tokens& copy(uint32_t length, uint32_t distance)
    {
        bits_.writeBit(1);
        bits_.writeBit(0);
        bits_.writeNumber(length - kCopyLengthBias, kCopyLengthBase, kCopyLengthStep);
        bits_.writeNumber(distance - kCopyDistanceBias, kCopyDistanceBase, kCopyDistanceStep);
        produced_ += length;
        return *this;
    }
    Tokens& run(uint8_t value, uint32_t count)
    {
        bits_.writeBit(1);
        bits_.writeBit(1);
        bits_.writeBits(value, 8);
        bits_.writeNumber(count - kRunCountBias, kRunCountBase, kRunCountStep);
        produced_ += count;
        return *this;
    }
    // The block: the last token's byte, then `padding` bytes that no token reads.
    std::vector<uint8_t> block(const std::string& padding = "")
    {
        std::vector<uint8_t> block = bits_.take();
        block.insert(block.end(), padding.begin(), padding.end());
        storeU32(block.data(), kBlockMagic);
        setOutputLength(block, produced_);
        return block;
    }

private:
    BitWriter bits_;
    int64_t produced_ = 0;
};

} // namespace

TEST(FastTokenDecoder, AgreesWithTheExactDecoderOnValidAndDamagedBlocks)
{
    std::string runs;
    std::mt19937 rng(3);
    while (runs.size() < 30000)
        runs.append(1 + rng() % 700, static_cast<char>(rng() % 3));
    const std::string chunk = randomBytes(3000, 4);
    const std::string periods = [] {
        std::string s;
        for (int period = 4; period < 40; ++period)
            for (int i = 0; i < 20; ++i)
                s += std::string("0123456789abcdefghijklmnopqrstuvwxyzABCD").substr(0, size_t(period));
        return s;
    }();
    const struct {
        const char* name;
        std::string input;
    } cases[] = {
        {"empty", ""},
        {"1 byte", "q"},
        {"2 bytes", "qr"},
        {"3 equal bytes", "aaa"},
        {"4 bytes", "abcd"},
        {"5 bytes", "abcda"},
        {"6 bytes", std::string(6, '\0')},
        {"7 bytes", "abcdabc"},
        {"8 bytes", "abcdabcd"},
        {"short text", wordText(300, 1)},
        {"random, short", randomBytes(70, 2)},
        {"text", wordText(20000, 5)},
        {"random", randomBytes(20000, 6)},
        {"runs", runs},
        {"copies at every short distance", periods},
        {"chunk again 103,000 bytes on", chunk + std::string(100000, '-') + chunk},
        {"one long run", std::string(100000, 'z') + "!"},
    };
    uint32_t seed = 100;
    for (const auto& c : cases) {
        const std::vector<uint8_t> block = compress(c.input);
        const Decoded fast = decodeWith(decompressBlock, block);
        ASSERT_TRUE(fast.ok) << c.name;
        EXPECT_EQ(c.input, std::string(fast.bytes.begin(), fast.bytes.end())) << c.name;
        if (agree(block, c.name))
            mutationsAgree(block, c.name, seed++);
    }
    const std::vector<uint8_t> longPrefixes = longPrefixBlock(400);
    ASSERT_TRUE(agree(longPrefixes, "long prefixes"));
    ASSERT_TRUE(decodeWith(decompressBlockExact, longPrefixes).ok);
    mutationsAgree(longPrefixes, "long prefixes", seed++);
    const std::vector<uint8_t> fewLongPrefixes = longPrefixBlock(6);
    ASSERT_TRUE(decodeWith(decompressBlockExact, fewLongPrefixes).ok);
    mutationsAgree(fewLongPrefixes, "a few long prefixes", seed++);
}

TEST(FastTokenDecoder, AgreesOnRandomStreams)
{
    // Streams of random bits hold every kind of token and fault: numbers of 32 bits that are
    // negative, prefixes that run to the end, copies from before the start.
    std::mt19937 rng(77);
    for (int trial = 0; trial < 3000; ++trial) {
        std::vector<uint8_t> block(kBlockHeadSize + 8 + rng() % 120);
        for (uint8_t& byte : block)
            byte = static_cast<uint8_t>(rng());
        // Mostly zeros, then ones: long prefixes of 1 bits with few other bits.
        if (trial % 3 == 1)
            for (uint8_t& byte : block)
                byte = static_cast<uint8_t>(byte & rng() & rng());
        if (trial % 3 == 2)
            for (uint8_t& byte : block)
                byte = static_cast<uint8_t>(byte | rng() | rng());
        storeU32(block.data(), kBlockMagic);
        setOutputLength(block, 1 + rng() % 400);
        if (!agree(block, "random stream " + std::to_string(trial)))
            break;
    }
}

TEST(FastTokenDecoder, AgreesOnTokensEndingAtTheEndOfTheOutputAndTheBlock)
{
    // Each kind of token, at every short length and distance, then a last literal run of 0 to
    // 40 bytes: alone (the token ends near the end of the output and of the block), with a run
    // of 40 after it (near the end of the block only), or with 40 bytes past the stream (near
    // the end of the output only). The pieces written and read past a token's end must stop
    // at both ends.
    enum Tail { kLiterals, kLiteralsAndRun, kPadding };
    const std::string prefix = randomBytes(64, 11);
    for (int tail = 0; tail <= 40; ++tail)
        for (const Tail kind : {kLiterals, kLiteralsAndRun, kPadding}) {
            const std::string last = randomBytes(size_t(tail), uint32_t(20 + tail));
            auto check = [&](Tokens& tokens, const std::string& what) {
                if (tail > 0)
                    tokens.literals(last);
                if (kind == kLiteralsAndRun)
                    tokens.run('e', 40);
                const std::vector<uint8_t> block = tokens.block(kind == kPadding ? prefix.substr(0, 40) : "");
                const std::string name = what + ", then " + std::to_string(tail) +
                                         (kind == kPadding ? " literal bytes and bytes past the stream"
                                          : kind == kLiterals ? " literal bytes"
                                                              : " literal bytes and a run");
                EXPECT_TRUE(decodeWith(decompressBlockExact, block).ok) << name;
                return agree(block, name);
            };
            for (uint32_t distance = 4; distance <= 48; ++distance)
                for (uint32_t length = 4; length <= distance && length <= 40; ++length) {
                    Tokens tokens;
                    tokens.literals(prefix).copy(length, distance);
                    if (!check(tokens, "copy of " + std::to_string(length) + " from " + std::to_string(distance)))
                        return;
                }
            for (uint32_t count = 3; count <= 70; ++count) {
                Tokens tokens;
                tokens.literals(prefix).run('r', count);
                if (!check(tokens, "run of " + std::to_string(count)))
                    return;
            }
            for (uint32_t count = 1; count <= 70; ++count) {
                Tokens tokens;
                tokens.literals(prefix).literals(randomBytes(count, count));
                if (!check(tokens, "literal run of " + std::to_string(count)))
                    return;
            }
        }
}

// Where a decoder stopped: its answer and the bytes it gives as final.
struct Stopped {
    bool ok = false;
    std::vector<uint8_t> final;
};

// The reference, token by token: on failure, the bytes before the token that failed.
Stopped exactStop(const std::vector<uint8_t>& block)
{
    const int32_t outputLength = loadI32(block.data() + kBlockOutputLengthOffset);
    std::vector<uint8_t> output(size_t(outputLength) + 1);
    BitReader bits(block.data(), static_cast<int>(block.size()));
    bits.seekBit(int64_t(kBlockHeadSize) * 8);
    TokenDecoder decoder(bits, output.data(), outputLength);
    Stopped s;
    s.ok = decoder.run();
    s.final.assign(output.begin(), output.begin() + decoder.produced());
    return s;
}

// runTo in steps of step bytes, until it fails or the output is complete.
Stopped stepwiseStop(const std::vector<uint8_t>& block, int64_t step)
{
    const int32_t outputLength = loadI32(block.data() + kBlockOutputLengthOffset);
    std::vector<uint8_t> output(size_t(outputLength) + 1);
    FastTokenDecoder decoder(block.data(), static_cast<int>(block.size()), output.data(), outputLength);
    Stopped s;
    for (;;) {
        const int64_t target = decoder.produced() + step;
        s.ok = decoder.runTo(target);
        if (!s.ok || decoder.produced() == outputLength)
            break;
        if (decoder.produced() < target) {
            ADD_FAILURE() << "stopped at " << decoder.produced() << " before " << target;
            break;
        }
    }
    s.final.assign(output.begin(), output.begin() + decoder.produced());
    return s;
}

TEST(FastTokenDecoder, DecodesInStepsAndStopsWhereTheExactDecoderStops)
{
    // In steps of any size the answer is run()'s, and a block that fails gives as final the
    // bytes before the token that fails, as the reference does: a reader of the decoded bytes
    // learns of damage at the place it is.
    const std::string text = wordText(40000, 12);
    std::vector<std::vector<uint8_t>> blocks = {compress(text), compress(randomBytes(5000, 13) + text),
                                                compress(std::string(20000, 'x') + text)};
    std::mt19937 rng(21);
    for (size_t b = 0, valid = blocks.size(); b < valid; ++b)
        for (int i = 0; i < 40; ++i) {
            std::vector<uint8_t> damaged = blocks[b];
            const size_t streamBits = (damaged.size() - kBlockHeadSize) * 8;
            flipBit(damaged, kBlockHeadSize * 8 + rng() % streamBits);
            if (i % 4 == 0)
                damaged.resize(kBlockHeadSize + rng() % (damaged.size() - kBlockHeadSize));
            blocks.push_back(damaged);
        }
    int failing = 0;
    for (size_t b = 0; b < blocks.size(); ++b) {
        const Stopped exact = exactStop(blocks[b]);
        failing += !exact.ok;
        for (const int64_t step : {1, 13, 4096, 1 << 20}) {
            const Stopped stepwise = stepwiseStop(blocks[b], step);
            EXPECT_EQ(exact.ok, stepwise.ok) << "block " << b << ", step " << step;
            EXPECT_TRUE(exact.final == stepwise.final)
                << "block " << b << ", step " << step << ": " << stepwise.final.size()
                << " bytes final, the reference " << exact.final.size();
        }
    }
    EXPECT_GT(failing, 20) << "the damaged blocks should mostly fail";
}
