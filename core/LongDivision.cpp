#include "core/LongDivision.h"

namespace {

// Leading zero bits of a value that is not 0, from the two 32-bit halves.
int leadingZeros(std::uint64_t value)
{
    std::uint32_t high = static_cast<std::uint32_t>(value >> 32);
    return high ? __builtin_clz(high) : 32 + __builtin_clz(static_cast<std::uint32_t>(value));
}

} // namespace

std::uint64_t divideLong(std::uint64_t dividend, std::uint64_t divisor, std::uint64_t& remainder)
{
    // Both in 32 bits (and a divisor of 0, which faults here): one processor division.
    if (((dividend | divisor) >> 32) == 0 || divisor == 0) {
        std::uint32_t n = static_cast<std::uint32_t>(dividend);
        std::uint32_t d = static_cast<std::uint32_t>(divisor);
        remainder = n % d;
        return n / d;
    }
    std::uint64_t quotient = 0;
    if (divisor <= dividend) {
        // Shift and subtract, from the divisor aligned with the dividend's top bit downwards.
        int shift = leadingZeros(divisor) - leadingZeros(dividend);
        divisor <<= shift;
        for (int i = 0; i <= shift; ++i) {
            quotient <<= 1;
            if (dividend >= divisor) {
                dividend -= divisor;
                quotient |= 1;
            }
            divisor >>= 1;
        }
    }
    remainder = dividend;
    return quotient;
}

std::int64_t divideLongSigned(std::int64_t dividend, std::int64_t divisor, std::int64_t& remainder)
{
    std::uint64_t n = dividend < 0 ? 0 - static_cast<std::uint64_t>(dividend) : dividend;
    std::uint64_t d = divisor < 0 ? 0 - static_cast<std::uint64_t>(divisor) : divisor;
    std::uint64_t r;
    std::uint64_t q = divideLong(n, d, r);
    remainder = static_cast<std::int64_t>(dividend < 0 ? 0 - r : r);
    return static_cast<std::int64_t>((dividend < 0) != (divisor < 0) ? 0 - q : q);
}
