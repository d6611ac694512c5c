// The helpers that the 32-bit compiler calls for 64-bit division and for counting the trailing
// zeros of a 64-bit value, linked into the 32-bit qsx.exe in place of the C++ runtime's (see
// cmake/windows.cmake): these are a fifth of the size and bring no unwind tables.
// This file is compiled without link-time optimisation: the calls to these names are made
// only while the optimised code is generated, after the linker has chosen its objects.
#include "core/LongDivision.h"

#include <cstdint>

extern "C" {

std::uint64_t __udivdi3(std::uint64_t dividend, std::uint64_t divisor)
{
    std::uint64_t remainder;
    return divideLong(dividend, divisor, remainder);
}

std::uint64_t __umoddi3(std::uint64_t dividend, std::uint64_t divisor)
{
    std::uint64_t remainder;
    divideLong(dividend, divisor, remainder);
    return remainder;
}

std::uint64_t __udivmoddi4(std::uint64_t dividend, std::uint64_t divisor, std::uint64_t* remainder)
{
    std::uint64_t r;
    std::uint64_t quotient = divideLong(dividend, divisor, r);
    if (remainder)
        *remainder = r;
    return quotient;
}

std::int64_t __divdi3(std::int64_t dividend, std::int64_t divisor)
{
    std::int64_t remainder;
    return divideLongSigned(dividend, divisor, remainder);
}

std::int64_t __moddi3(std::int64_t dividend, std::int64_t divisor)
{
    std::int64_t remainder;
    divideLongSigned(dividend, divisor, remainder);
    return remainder;
}

std::int64_t __divmoddi4(std::int64_t dividend, std::int64_t divisor, std::int64_t* remainder)
{
    std::int64_t r;
    std::int64_t quotient = divideLongSigned(dividend, divisor, r);
    if (remainder)
        *remainder = r;
    return quotient;
}

// Trailing zero bits of a value that is not 0.
int __ctzdi2(std::uint64_t value)
{
    std::uint32_t low = static_cast<std::uint32_t>(value);
    return low ? __builtin_ctz(low) : 32 + __builtin_ctz(static_cast<std::uint32_t>(value >> 32));
}

} // extern "C"
