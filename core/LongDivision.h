#pragma once
// Division of 64-bit integers with 32-bit instructions only. The 32-bit engine routes the
// compiler's 64-bit division helpers here (app/LongDivisionHelpers.cpp): the C++ runtime's
// helpers are five times the size.

#include <cstdint>

// The quotient of dividend / divisor, truncated; remainder gets dividend - quotient * divisor.
// The divisor must not be 0: like the processor's own division, 0 raises the division fault.
std::uint64_t divideLong(std::uint64_t dividend, std::uint64_t divisor, std::uint64_t& remainder);

// The same for signed values: the quotient is rounded towards zero and the remainder has the
// dividend's sign; the lowest value divided by -1 gives the lowest value (the quotient wraps).
std::int64_t divideLongSigned(std::int64_t dividend, std::int64_t divisor, std::int64_t& remainder);
