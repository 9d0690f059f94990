// The arcsine of the Placidus iteration and the Koch ascensional
// difference: ArcSinReal6 (argument and result at Real6 precision, NaN
// beyond +-1), bit for bit, at a tenth of its cost; inline, as the
// iteration calls it a few dozen times per chart.  Not exported.
#pragma once

#include "fast_trig.h"
#include "internal.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace qv {

// Real6Round of a double, by bit operations: nearest 40-bit significand,
// ties to even; 0 below 2^-128, infinite beyond the largest Real6.
inline double Real6RoundDouble(double x)
{
    uint64_t b;
    std::memcpy(&b, &x, sizeof b);
    if (((b >> 52) & 0x7FF) == 0x7FF) return x;
    // Adding just under half a unit, plus the last kept bit, carries exactly
    // when rounding goes up (ties to even); branch-free, as the direction is
    // a coin toss.  A carry out of the significand moves the exponent up.
    b = (b + 0xFFF + ((b >> 13) & 1)) & ~uint64_t{0x1FFF};
    const int exponent = static_cast<int>((b >> 52) & 0x7FF) - 1023;
    if (exponent < -128) return 0.0;
    if (exponent > 126) return (b >> 63) ? -HUGE_VAL : HUGE_VAL;
    double r;
    std::memcpy(&r, &b, sizeof r);
    return r;
}

// The argument at Real6 precision and arcsin a = arctan(a /
// sqrt(1 - a^2)) from the table arctangent: the quotient within 2 ulps, the
// arctangent within 2 more.  Meaningless for |a| >= 1, which ArcSinFinish
// sorts out.
struct ArcSinStart {
    double a, s, y;
    explicit ArcSinStart(double x)
        : a(Real6RoundDouble(x)), s(std::sqrt((1.0 - a) * (1.0 + a))), y(FastAtan(a / s))
    {
    }
};

// The result: the table arcsine and ArcSinReal6's extended arctangent (whose
// error grows as 1/sqrt(1 - x^2) toward +-1, from 2^-62 to 2^-45) round to
// the same Real6 unless the value lies within their error of a Real6
// rounding midpoint; those cases (about 1%) and x = +-1 take ArcSinReal6
// itself.
inline double ArcSinFinish(double x, const ArcSinStart &st)
{
    if (!(std::fabs(st.a) < 1.0)) return std::fabs(st.a) == 1.0 ? ArcSinReal6(x) : NAN;
    if (st.a == 0) return 0.0;
    uint64_t bits;
    std::memcpy(&bits, &st.y, sizeof bits);
    // Distance, in double ulps of y, from the Real6 midpoint (the 13 bits
    // below a Real6 significand reading 0x1000).
    const int64_t fromMid = static_cast<int64_t>(bits & 0x1FFF) - 0x1000;
    const uint64_t ulpBits = (bits & 0x7FF0000000000000u) - (uint64_t{52} << 52);
    double ulp;
    std::memcpy(&ulp, &ulpBits, sizeof ulp);
    // Outside 16 ulps + 2^-60 + 2^-62 / s, four times both error bounds.
    const double clear = static_cast<double>((fromMid < 0 ? -fromMid : fromMid) - 16) * ulp - 0x1p-60;
    if (clear * st.s > 0x1p-62) return Real6RoundDouble(st.y);
    return ArcSinReal6(x);
}

inline double ArcSinReal6Fast(double x)
{
    return ArcSinFinish(x, ArcSinStart(x));
}

}  // namespace qv
