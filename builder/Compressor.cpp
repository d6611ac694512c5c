#include "builder/Compressor.h"

#include "archive/format/ArchiveFormat.h"
#include "builder/BlockWriter.h"

#include <algorithm>
#include <stdexcept>

namespace {

constexpr int kMinHashBits = 12;
constexpr int kMaxHashBits = 18;
// A copy this long is taken without looking further down the chain; after one half as long
// only a quarter of the remaining chain is searched.
constexpr size_t kNiceLength = 256;
constexpr size_t kGoodLength = 32;
// A token must save more than this many bits over literal bytes: ending a literal run and
// starting another costs about as much.
constexpr int64_t kMinGain = 4;
// Deferring a token costs one literal byte.
constexpr int64_t kLazyMargin = 8;

struct Candidate {
    CompressedToken token = CompressedToken::literals(1);
    int64_t gain = 0;   // 8 bits per byte produced, less the token's bits
};

class Parser {
public:
    Parser(const Compressor::Options& options, const uint8_t* data, size_t size)
        : options_(options), data_(data), size_(size)
    {
        hashBits_ = kMinHashBits;
        while (hashBits_ < kMaxHashBits && (size_t(1) << hashBits_) < size)
            ++hashBits_;
        head_.assign(size_t(1) << hashBits_, -1);
        size_t prevSize = 1;
        while (prevSize < std::min<size_t>(size, options.window))
            prevSize <<= 1;
        prev_.assign(prevSize, -1);
        mask_ = prevSize - 1;
        window_ = std::min<size_t>(options.window, prevSize);
    }

    std::vector<CompressedToken> run()
    {
        size_t pos = 0, literalStart = 0;
        bool haveNext = false;
        Candidate next;
        while (pos < size_) {
            const Candidate here = haveNext ? next : best(pos);
            haveNext = false;
            if (here.gain <= kMinGain) {
                ++pos;
                continue;
            }
            if (options_.lazy && pos + 1 < size_) {
                next = best(pos + 1);
                haveNext = true;
                if (next.gain > here.gain + kLazyMargin) {
                    ++pos;
                    continue;
                }
                haveNext = false;
            }
            flushLiterals(literalStart, pos);
            tokens_.push_back(here.token);
            pos += here.token.length;
            literalStart = pos;
        }
        flushLiterals(literalStart, pos);
        return std::move(tokens_);
    }

private:
    uint32_t hashAt(size_t pos) const { return (loadU32(data_ + pos) * 2654435761u) >> (32 - hashBits_); }

    // Adds every position before end to the chains (a position needs 4 bytes to hash).
    void insertUpTo(size_t end)
    {
        for (; inserted_ < end && inserted_ + 4 <= size_; ++inserted_) {
            const uint32_t h = hashAt(inserted_);
            prev_[inserted_ & mask_] = head_[h];
            head_[h] = int32_t(inserted_);
        }
        inserted_ = std::max(inserted_, end);
    }

    // The best token starting at pos: a byte run or the copy with the most gain.
    Candidate best(size_t pos)
    {
        insertUpTo(pos);
        Candidate result;
        const size_t remaining = size_ - pos;
        size_t run = 1;
        while (run < remaining && data_[pos + run] == data_[pos])
            ++run;
        if (run >= size_t(kMinRunCount)) {
            result.token = CompressedToken::run(data_[pos], uint32_t(run));
            result.gain = int64_t(run) * 8 - byteRunBits(uint32_t(run));
        }
        // A copy would have to be longer than a long run to beat it; that is rare enough not to
        // be searched for.
        if (remaining >= size_t(kMinCopyLength) && run < kNiceLength)
            bestCopy(pos, remaining, result);
        return result;
    }

    void bestCopy(size_t pos, size_t remaining, Candidate& result) const
    {
        size_t bestLength = size_t(kMinCopyLength) - 1;
        bool shortened = false;
        int32_t candidate = head_[hashAt(pos)];
        for (int steps = options_.maxChain; candidate >= 0 && steps > 0; --steps) {
            const size_t from = size_t(candidate);
            const size_t distance = pos - from;
            if (distance >= window_)
                break;
            // A copy may not overlap its output: it is at most distance bytes long. Chains run
            // from near to far, so a farther copy pays off only when it is longer.
            const size_t limit = std::min(distance, remaining);
            if (distance >= size_t(kMinCopyDistance) && limit > bestLength &&
                data_[from + bestLength] == data_[pos + bestLength]) {
                size_t length = 0;
                while (length < limit && data_[from + length] == data_[pos + length])
                    ++length;
                if (length > bestLength) {
                    const int64_t gain = int64_t(length) * 8 - copyBits(uint32_t(length), uint32_t(distance));
                    if (gain > result.gain) {
                        result.token = CompressedToken::copy(uint32_t(length), uint32_t(distance));
                        result.gain = gain;
                    }
                    bestLength = length;
                    if (length == remaining || length >= kNiceLength)
                        break;
                    if (length >= kGoodLength && !shortened) {
                        steps = steps / 4 + 1;
                        shortened = true;
                    }
                }
            }
            const int32_t older = prev_[from & mask_];
            if (older >= candidate)
                break;   // the slot was reused by a newer position: the chain ends here
            candidate = older;
        }
    }

    void flushLiterals(size_t start, size_t end)
    {
        if (end > start)
            tokens_.push_back(CompressedToken::literals(uint32_t(end - start)));
    }

    const Compressor::Options& options_;
    const uint8_t* data_;
    size_t size_;
    std::vector<int32_t> head_;
    std::vector<int32_t> prev_;
    int hashBits_ = kMinHashBits;
    size_t mask_ = 0;
    size_t window_ = 0;
    size_t inserted_ = 0;
    std::vector<CompressedToken> tokens_;
};

} // namespace

Compressor::Compressor(Options options) : options_(options)
{
    if (options_.maxChain < 1 || options_.window == 0 || (options_.window & (options_.window - 1)) != 0)
        throw std::invalid_argument("Compressor: maxChain below 1 or window not a power of two");
}

std::vector<CompressedToken> Compressor::parse(const uint8_t* data, size_t size) const
{
    if (size > 0x7FFFFFFFu)
        throw std::length_error("Compressor: input of 2 GiB or more");
    if (size == 0)
        return {};
    return Parser(options_, data, size).run();
}

std::vector<uint8_t> compressBlock(const uint8_t* data, size_t size)
{
    return writeBlock(data, size, Compressor().parse(data, size));
}
