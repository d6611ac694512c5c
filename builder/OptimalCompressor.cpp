#include "builder/OptimalCompressor.h"

#include "archive/format/ArchiveFormat.h"
#include "builder/BlockWriter.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <exception>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace {

constexpr size_t kWindow = size_t(1) << 16;       // positions of one dynamic-program window
constexpr int kNearBits = 20;                      // the near chain reaches 1 MiB back
constexpr size_t kNearWindow = size_t(1) << kNearBits;
constexpr int kNearHashBits = 18;
constexpr int kFarMinHashBits = 12;
constexpr int kFarMaxHashBits = 22;
constexpr size_t kFarPrefix = 8;                   // bytes hashed for the far chain
// A near copy this long makes the far chain not worth searching: a longer far copy, if any, is
// found again at the next positions, where the near copy is shorter.
constexpr size_t kFarSkip = 32;
// After 2^kSkipShift searches in a row without a copy, one position is skipped between
// searches, after twice as many two, and so on up to kMaxSkip.
constexpr int kSkipShift = 5;
constexpr size_t kMaxSkip = 16;
constexpr int64_t kInfinity = INT64_MAX / 4;
constexpr int kMaxCandidates = 64;

uint64_t load64(const uint8_t* p)
{
    uint64_t v;
    memcpy(&v, p, sizeof v);
    return v;
}

// The number of equal bytes at a and b, at most limit.
size_t matchLength(const uint8_t* a, const uint8_t* b, size_t limit)
{
    size_t n = 0;
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    for (; n + 8 <= limit; n += 8) {
        const uint64_t x = load64(a + n) ^ load64(b + n);
        if (x != 0)
            return n + size_t(__builtin_ctzll(x)) / 8;
    }
#endif
    while (n < limit && a[n] == b[n])
        ++n;
    return n;
}

// The largest n >= lo (up to 2^31 - 1) for which f(n) == f(lo); f is nondecreasing.
template <class F>
uint32_t sameCostEnd(F f, uint32_t lo)
{
    const int64_t cost = f(lo);
    uint32_t good = lo, bad = 0x80000000u;
    while (bad - good > 1) {
        const uint32_t mid = good + (bad - good) / 2;
        (f(mid) == cost ? good : bad) = mid;
    }
    return good;
}

// Token costs in bits, taken from the block writer's own counts.
struct Costs {
    struct LiteralClass {
        uint32_t lo, hi;   // run lengths of this class
        int64_t head;      // bits besides the 8 per byte
    };

    explicit Costs(uint32_t niceLength)
    {
        copyLength.resize(niceLength);
        run.resize(niceLength);
        for (uint32_t n = kMinCopyLength; n < niceLength; ++n)
            copyLength[n] = copyBits(n, kMinCopyDistance);
        for (uint32_t n = kMinRunCount; n < niceLength; ++n)
            run[n] = byteRunBits(n);
        // A number's width depends only on how many bits its value has.
        const int nearest = copyBits(kMinCopyLength, kMinCopyDistance);
        for (int b = 0; b <= 32; ++b) {
            const uint64_t value = b == 0 ? 0 : uint64_t(1) << (b - 1);
            distanceByBits[b] = value + kMinCopyDistance > 0xFFFFFFFFu
                                    ? distanceByBits[b - 1]
                                    : copyBits(kMinCopyLength, uint32_t(value + kMinCopyDistance)) - nearest;
        }
        const auto head = [](uint32_t n) { return int64_t(literalRunBits(n)) - 8 * int64_t(n); };
        for (uint32_t lo = 1; lo <= kWindow;) {
            const uint32_t hi = sameCostEnd(head, lo);
            literal.push_back({lo, hi, head(lo)});
            lo = hi + 1;
        }
    }

    // The bits a copy's distance adds to those of the same copy from kMinCopyDistance back.
    int64_t distance(uint32_t d) const
    {
        const uint32_t value = d - kMinCopyDistance;
        return distanceByBits[value == 0 ? 0 : 32 - __builtin_clz(value)];
    }

    std::vector<int64_t> copyLength;   // copyBits(n, kMinCopyDistance) for n < niceLength
    std::vector<int64_t> run;          // byteRunBits(n) for n < niceLength
    int64_t distanceByBits[33] = {};
    std::vector<LiteralClass> literal; // classes covering run lengths 1..kWindow
};

// What every worker reads: the input, the far chain, the costs; and the progress count.
struct Shared {
    const OptimalCompressor::Options& options;
    const uint8_t* data;
    size_t size;
    Costs costs;
    std::vector<int32_t> farPrev;   // the previous position with the same 8-byte hash, or -1
    std::atomic<size_t> done{0};

    Shared(const OptimalCompressor::Options& o, const uint8_t* d, size_t n)
        : options(o), data(d), size(n), costs(o.niceLength)
    {
        buildFarChain();
    }

    void buildFarChain()
    {
        int bits = kFarMinHashBits;
        while (bits < kFarMaxHashBits && (size_t(1) << bits) < size)
            ++bits;
        std::vector<int32_t> head(size_t(1) << bits, -1);
        farPrev.assign(size, -1);
        for (size_t i = 0; i + kFarPrefix <= size; ++i) {
            const uint32_t h = uint32_t((load64(data + i) * 0x9E3779B97F4A7C15ull) >> (64 - bits));
            farPrev[i] = head[h];
            head[h] = int32_t(i);
        }
    }
};

struct Match {
    uint32_t length, distance;
};

// A monotonic queue of window positions i, least costM[i] - 8 i in front: the best start of a
// literal run whose length lies in one class.
class MinQueue {
public:
    void reset(size_t capacity)
    {
        size_t c = 2;
        while (c < capacity + 1)
            c <<= 1;
        if (buffer_.size() < c)
            buffer_.resize(c);
        mask_ = buffer_.size() - 1;
        front_ = back_ = 0;
    }
    bool empty() const { return front_ == back_; }
    uint32_t front() const { return buffer_[front_ & mask_]; }
    uint32_t back() const { return buffer_[(back_ - 1) & mask_]; }
    void popFront() { ++front_; }
    void popBack() { --back_; }
    void push(uint32_t i) { buffer_[back_++ & mask_] = i; }

private:
    std::vector<uint32_t> buffer_;
    size_t mask_ = 0, front_ = 0, back_ = 0;
};

// Parses segments of the input: one per worker thread, reused from segment to segment.
class SegmentParser {
public:
    explicit SegmentParser(Shared& shared)
        : sh_(shared), data_(shared.data), size_(shared.size), costs_(shared.costs),
          nice_(shared.options.niceLength), nearHead_(size_t(1) << kNearHashBits),
          nearPrev_(kNearWindow), costM_(kWindow + 1), costL_(kWindow + 1), from_(kWindow + 1),
          distance_(kWindow + 1), litLength_(kWindow + 1), bestL_(kWindow + 1), prevL_(kWindow + 1),
          queues_(shared.costs.literal.size())
    {
    }

    // Appends the tokens for the input bytes begin..end - 1 to out.
    void parse(size_t begin, size_t end, std::vector<CompressedToken>& out)
    {
        std::fill(nearHead_.begin(), nearHead_.end(), -1);
        inserted_ = begin > kNearWindow ? begin - kNearWindow : 0;
        runEnd_ = begin;
        nextSearch_ = begin;
        lastSearch_ = begin;
        misses_ = 0;
        for (size_t s = begin; s < end;) {
            const size_t next = parseWindow(s, std::min(end, s + kWindow), end, out);
            sh_.done += next - s;
            s = next;
        }
    }

private:
    uint32_t nearHash(size_t pos) const { return (loadU32(data_ + pos) * 2654435761u) >> (32 - kNearHashBits); }

    // Adds every position before end to the near chain (a position needs 4 bytes to hash).
    void insertUpTo(size_t end)
    {
        for (; inserted_ < end && inserted_ + 4 <= size_; ++inserted_) {
            const uint32_t h = nearHash(inserted_);
            nearPrev_[inserted_ & (kNearWindow - 1)] = nearHead_[h];
            nearHead_[h] = int32_t(inserted_);
        }
        inserted_ = std::max(inserted_, end);
    }

    // Weighs the copy from `from` for pos; false when the search can stop (a nice or full copy).
    bool consider(size_t pos, size_t from, size_t limit, size_t& best, Match* out, int& count) const
    {
        const size_t distance = pos - from;
        if (distance < size_t(kMinCopyDistance))
            return true;
        const size_t most = std::min(distance, limit);   // a copy never overlaps its output
        if (most <= best || data_[from + best] != data_[pos + best])
            return true;
        const size_t length = matchLength(data_ + from, data_ + pos, most);
        if (length <= best)
            return true;
        best = length;
        out[count++] = {uint32_t(length), uint32_t(distance)};
        return length < limit && length < nice_ && count < kMaxCandidates;
    }

    // The copies for pos of at most limit bytes, longer one after another, each the nearest
    // found of its length; their number.
    int findMatches(size_t pos, size_t limit, Match* out)
    {
        if (limit < size_t(kMinCopyLength))
            return 0;
        insertUpTo(pos);
        int count = 0;
        size_t best = size_t(kMinCopyLength) - 1;
        int32_t c = nearHead_[nearHash(pos)];
        int steps = sh_.options.nearChain;
        for (; c >= 0 && steps > 0; --steps) {
            const size_t from = size_t(c);
            if (pos - from >= kNearWindow)
                break;
            if (!consider(pos, from, limit, best, out, count))
                return count;
            const int32_t older = nearPrev_[from & (kNearWindow - 1)];
            if (older >= c) {
                c = -1;
                break;
            }
            c = older;
            if (best >= sh_.options.goodLength)
                break;
        }
        // The near chain covered every distance below this one.
        const size_t searched = c >= 0 && pos - size_t(c) < kNearWindow ? pos - size_t(c) : kNearWindow;
        // A copy as long as its distance is cut short by the rule that copies never overlap: the
        // bytes repeat with that period, so twice the distance back allows one twice as long.
        while (count > 0 && out[count - 1].length == out[count - 1].distance &&
               size_t(out[count - 1].distance) * 2 <= pos) {
            const int before = count;
            if (!consider(pos, pos - size_t(out[count - 1].distance) * 2, limit, best, out, count))
                return count;
            if (count == before)
                break;
        }
        if (limit < kFarPrefix || best >= kFarSkip)
            return count;
        c = sh_.farPrev[pos];
        for (int far = sh_.options.farChain; c >= 0 && far > 0; --far) {
            const size_t from = size_t(c);
            if (pos - from >= searched && !consider(pos, from, limit, best, out, count))
                return count;
            c = sh_.farPrev[from];
        }
        return count;
    }

    // Equal bytes from pos on, at most up to end.
    size_t runAt(size_t pos, size_t end)
    {
        if (pos >= runEnd_) {
            runEnd_ = pos + 1;
            while (runEnd_ < end && data_[runEnd_] == data_[pos])
                ++runEnd_;
        }
        return runEnd_ - pos;
    }

    void relax(size_t target, int64_t cost, size_t source, uint32_t distance)
    {
        if (cost < costM_[target]) {
            costM_[target] = cost;
            from_[target] = uint32_t(source);
            distance_[target] = distance;
            prevL_[target] = bestL_[source];
        }
    }

    // How many of the `skipped` positions before window position k (window start s) the copy m
    // also matches from, so that it can start there.
    size_t backwards(size_t s, size_t k, size_t skipped, const Match& m) const
    {
        size_t b = 0;
        while (b < std::min(skipped, k) && m.length + b < m.distance && s + k >= m.distance + b + 1 &&
               data_[s + k - b - 1] == data_[s + k - b - 1 - m.distance])
            ++b;
        return b;
    }

    // The cheapest literal run ending at window position k, from a position reached otherwise.
    void literalArrival(size_t k)
    {
        const std::vector<Costs::LiteralClass>& classes = costs_.literal;
        for (size_t c = 0; c < classes.size() && classes[c].lo <= k; ++c) {
            MinQueue& q = queues_[c];
            const size_t i = k - classes[c].lo;
            if (costM_[i] < kInfinity) {
                const int64_t v = costM_[i] - 8 * int64_t(i);
                while (!q.empty() && costM_[q.back()] - 8 * int64_t(q.back()) >= v)
                    q.popBack();
                q.push(uint32_t(i));
            }
            while (!q.empty() && k - q.front() > classes[c].hi)
                q.popFront();
            if (q.empty())
                continue;
            const size_t start = q.front();
            const int64_t cost = costM_[start] + 8 * int64_t(k - start) + classes[c].head;
            if (cost < costL_[k]) {
                costL_[k] = cost;
                litLength_[k] = uint32_t(k - start);
            }
        }
    }

    // Runs the dynamic program over s..windowEnd and appends the cheapest tokens; a copy or run
    // of niceLength or more ends the window early and is taken whole (up to end). The position
    // where parsing goes on.
    size_t parseWindow(size_t s, size_t windowEnd, size_t end, std::vector<CompressedToken>& out)
    {
        const size_t n = windowEnd - s;
        // Costs are set to infinity only as far as a token from k can reach (a token taken into
        // the program is shorter than niceLength): a window that a long copy ends early costs
        // no more than the positions it covered.
        size_t ready = 0;
        const auto prepareUpTo = [&](size_t last) {
            for (; ready <= last; ++ready)
                costM_[ready] = costL_[ready] = kInfinity;
        };
        prepareUpTo(0);
        for (size_t c = 0; c < queues_.size(); ++c)
            queues_[c].reset(std::min<size_t>(costs_.literal[c].hi - costs_.literal[c].lo + 1, n + 1));
        costM_[0] = 0;
        Match matches[kMaxCandidates];
        for (size_t k = 0;; ++k) {
            prepareUpTo(std::min(n, k + nice_));
            if (k > 0)
                literalArrival(k);
            bestL_[k] = costL_[k] < costM_[k];
            if (k == n)
                break;
            const int64_t here = std::min(costM_[k], costL_[k]);
            const size_t pos = s + k;
            const size_t run = runAt(pos, end);
            const bool search = pos >= nextSearch_;
            const int count = search ? findMatches(pos, end - pos, matches) : 0;
            // Where nothing matches (compressed files, say), look less and less often; a copy
            // found after skipping may start at a skipped position.
            size_t back = 0;
            if (search) {
                if (count > 0)
                    back = backwards(s, k, pos - lastSearch_ - 1, matches[count - 1]);
                misses_ = count > 0 ? 0 : misses_ + 1;
                nextSearch_ = pos + 1 + std::min<size_t>(misses_ >> kSkipShift, kMaxSkip);
                lastSearch_ = pos;
            }
            const size_t longest = count > 0 ? matches[count - 1].length : 0;
            if (run >= nice_ || longest >= nice_) {
                if (run >= longest) {
                    backtrack(s, k, out);
                    appendToken(out, CompressedToken::run(data_[pos], uint32_t(run)));
                } else {
                    backtrack(s, k - back, out);
                    appendToken(out, CompressedToken::copy(uint32_t(longest + back), matches[count - 1].distance));
                }
                return pos + std::max(run, longest);
            }
            for (size_t b = 1; b <= back && longest + b < nice_ && longest <= n - k; ++b)
                relax(k + longest, std::min(costM_[k - b], costL_[k - b]) + costs_.distance(matches[count - 1].distance) +
                                       costs_.copyLength[longest + b], k - b, matches[count - 1].distance);
            const size_t room = n - k;
            for (size_t m = kMinRunCount; m <= std::min(run, room); ++m)
                relax(k + m, here + costs_.run[m], k, 0);
            size_t shorter = size_t(kMinCopyLength) - 1;
            for (int i = 0; i < count && shorter < room; ++i) {
                const int64_t base = here + costs_.distance(matches[i].distance);
                const size_t top = std::min<size_t>(matches[i].length, room);
                for (size_t m = shorter + 1; m <= top; ++m)
                    relax(k + m, base + costs_.copyLength[m], k, matches[i].distance);
                shorter = top;
            }
        }
        backtrack(s, n, out);
        return windowEnd;
    }

    // Appends the cheapest tokens from the window's start s to window position k.
    void backtrack(size_t s, size_t k, std::vector<CompressedToken>& out)
    {
        path_.clear();
        bool literal = bestL_[k];
        while (k > 0) {
            if (literal) {
                path_.push_back(CompressedToken::literals(litLength_[k]));
                k -= litLength_[k];
                literal = false;
                continue;
            }
            const size_t source = from_[k];
            const uint32_t length = uint32_t(k - source);
            path_.push_back(distance_[k] == 0 ? CompressedToken::run(data_[s + source], length)
                                              : CompressedToken::copy(length, distance_[k]));
            literal = prevL_[k];
            k = source;
        }
        for (auto t = path_.rbegin(); t != path_.rend(); ++t)
            appendToken(out, *t);
    }

public:
    // Appends t, joining it to a literal run before it.
    static void appendToken(std::vector<CompressedToken>& out, const CompressedToken& t)
    {
        if (t.kind == CompressedToken::kLiterals && !out.empty() && out.back().kind == CompressedToken::kLiterals)
            out.back().length += t.length;
        else
            out.push_back(t);
    }

private:
    Shared& sh_;
    const uint8_t* data_;
    size_t size_;
    const Costs& costs_;
    size_t nice_;
    std::vector<int32_t> nearHead_;
    std::vector<int32_t> nearPrev_;
    size_t inserted_ = 0;
    size_t runEnd_ = 0;
    size_t nextSearch_ = 0;   // the next position where copies are searched for
    size_t misses_ = 0;       // searches in a row that found no copy
    size_t lastSearch_ = 0;   // the last position searched
    // Per window position: the cheapest arrival by a copy or run (M) and by a literal run (L).
    std::vector<int64_t> costM_, costL_;
    std::vector<uint32_t> from_;       // M: where the copy or run starts
    std::vector<uint32_t> distance_;   // M: the copy's distance, 0 for a run
    std::vector<uint32_t> litLength_;  // L: the literal run's length
    std::vector<bool> bestL_;          // the cheaper arrival is L
    std::vector<bool> prevL_;          // M: the copy or run follows an L arrival
    std::vector<MinQueue> queues_;     // one per literal-run class
    std::vector<CompressedToken> path_;
};

// Runs workers over the segments; the parts in order.
std::vector<std::vector<CompressedToken>> parseSegments(Shared& shared, const OptimalCompressor::Progress& progress)
{
    const size_t segment = shared.options.segmentSize;
    const size_t segments = (shared.size + segment - 1) / segment;
    unsigned threads = shared.options.threads ? shared.options.threads : std::thread::hardware_concurrency();
    threads = unsigned(std::max<size_t>(1, std::min<size_t>(threads, segments)));

    std::vector<std::vector<CompressedToken>> parts(segments);
    std::atomic<size_t> next{0};
    std::mutex mutex;
    std::condition_variable finished;
    unsigned running = threads;
    std::exception_ptr failure;
    const auto work = [&] {
        try {
            SegmentParser parser(shared);
            for (size_t i = next++; i < segments; i = next++)
                parser.parse(i * segment, std::min(shared.size, (i + 1) * segment), parts[i]);
        } catch (...) {
            std::lock_guard<std::mutex> lock(mutex);
            if (!failure)
                failure = std::current_exception();
            next = segments;
        }
        std::lock_guard<std::mutex> lock(mutex);
        --running;
        finished.notify_all();
    };
    std::vector<std::thread> workers;
    for (unsigned t = 0; t < threads; ++t)
        workers.emplace_back(work);
    {
        std::unique_lock<std::mutex> lock(mutex);
        while (running > 0) {
            finished.wait_for(lock, std::chrono::milliseconds(250));
            if (progress && running > 0) {
                lock.unlock();
                progress(shared.done.load(), shared.size);
                lock.lock();
            }
        }
    }
    for (std::thread& w : workers)
        w.join();
    if (failure)
        std::rethrow_exception(failure);
    return parts;
}

} // namespace

OptimalCompressor::OptimalCompressor(Options options) : options_(options)
{
    if (options_.nearChain < 1 || options_.farChain < 1 || options_.niceLength < 8 || options_.segmentSize == 0 ||
        options_.goodLength < size_t(kMinCopyLength))
        throw std::invalid_argument("OptimalCompressor: chain below 1, nice length below 8, good length below 4 or "
                                    "segment size 0");
}

std::vector<CompressedToken> OptimalCompressor::parse(const uint8_t* data, size_t size, const Progress& progress) const
{
    if (size > 0x7FFFFFFFu)
        throw std::length_error("OptimalCompressor: input of 2 GiB or more");
    std::vector<CompressedToken> tokens;
    if (size > 0) {
        Shared shared(options_, data, size);
        std::vector<std::vector<CompressedToken>> parts = parseSegments(shared, progress);
        size_t count = 0;
        for (const auto& p : parts)
            count += p.size();
        tokens.reserve(count);
        for (auto& p : parts) {
            for (const CompressedToken& t : p)
                SegmentParser::appendToken(tokens, t);
            std::vector<CompressedToken>().swap(p);
        }
    }
    if (progress)
        progress(size, size);
    return tokens;
}
