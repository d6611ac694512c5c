#include "core/LongDivision.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>

namespace {

const std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
const std::int64_t kLowest = std::numeric_limits<std::int64_t>::min();
const std::int64_t kHighest = std::numeric_limits<std::int64_t>::max();

void expectUnsigned(std::uint64_t n, std::uint64_t d)
{
    std::uint64_t r = 12345;
    std::uint64_t q = divideLong(n, d, r);
    EXPECT_EQ(n / d, q) << n << " / " << d;
    EXPECT_EQ(n % d, r) << n << " % " << d;
}

void expectSigned(std::int64_t n, std::int64_t d)
{
    std::int64_t r = 12345;
    std::int64_t q = divideLongSigned(n, d, r);
    EXPECT_EQ(n / d, q) << n << " / " << d;
    EXPECT_EQ(n % d, r) << n << " % " << d;
}

} // namespace

TEST(LongDivision, UnsignedAgreesWithTheProcessorAtTheBoundaries)
{
    const std::uint64_t values[] = {1, 2, 3, 7, 10, 0xFFFFFFFFu, 0x100000000u, 0x100000001u,
        0x1FFFFFFFFu, 0x8000000000000000u, 0x8000000000000001u, kMax - 1, kMax,
        1000000007u * 1000000009ull, 0xDEADBEEFCAFEF00Du};
    for (std::uint64_t n : values) {
        for (std::uint64_t d : values)
            expectUnsigned(n, d);
        expectUnsigned(0, n);
    }
}

TEST(LongDivision, SignedRoundsTowardsZeroAndKeepsTheDividendsSign)
{
    const std::int64_t values[] = {1, -1, 2, -2, 7, -7, 10, 0x7FFFFFFF, -0x80000000LL, 0x100000000LL,
        -0x100000001LL, kHighest, kLowest + 1, kLowest, 0x123456789ABCDEFLL, -0x123456789ABCDEFLL};
    for (std::int64_t n : values) {
        for (std::int64_t d : values) {
            if (!(n == kLowest && d == -1))
                expectSigned(n, d);
        }
        expectSigned(0, n);
    }
    // The quotient that does not fit wraps to the lowest value, with remainder 0.
    std::int64_t r = 1;
    EXPECT_EQ(kLowest, divideLongSigned(kLowest, -1, r));
    EXPECT_EQ(0, r);
}

TEST(LongDivision, AgreesWithTheProcessorOnValuesOfEveryWidth)
{
    std::mt19937_64 random(8);
    for (int i = 0; i < 20000; ++i) {
        std::uint64_t n = random() >> (random() % 64);
        std::uint64_t d = random() >> (random() % 64);
        if (d == 0)
            continue;
        expectUnsigned(n, d);
        expectSigned(static_cast<std::int64_t>(n), static_cast<std::int64_t>(random() & 1 ? 0 - d : d));
    }
}
