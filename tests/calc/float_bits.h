// Bit-level comparisons of doubles for the library's tests.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace floatbits {

// Distance in units in the last place from a to b: the difference of their
// bit patterns; 0 for +0 and -0, and 2^62 when their signs differ.
inline int64_t Ulps(double a, double b)
{
    if (a == b) return 0;
    int64_t x, y;
    std::memcpy(&x, &a, sizeof x);
    std::memcpy(&y, &b, sizeof y);
    return (x < 0) != (y < 0) ? int64_t{1} << 62 : std::abs(x - y);
}

// The same bits (the sign of a zero included), or both NaN.
inline bool SameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}

// v with its 13 low bits (those below a Real6 significand) set to `low`.
inline double WithLowBits(double v, int low)
{
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    bits = (bits & ~uint64_t{0x1FFF}) | static_cast<uint64_t>(low);
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

}  // namespace floatbits
