// The sine, cosine and arctangent of fast_trig.h and the cusp reductions on
// two lanes at once, for routines whose values come in independent pairs
// (house cusps, the bodies' anomalies and series).  Each lane does the very
// operations of the one-lane routine in the same order, so its result is
// the same double bit for bit.  Each step also gives a mask of the lanes it
// served: a lane that would leave the one-lane fast path (a zero, infinite
// or NaN operand, a quotient that underflows, a cusp beyond two turns)
// computes harmless garbage, and the caller, testing all the masks once at
// the end, takes the one-lane path for the pair.  Lanes are GCC vector
// extensions: two doubles in one SSE2 register on x86, scalar code
// elsewhere.  Not exported.
#pragma once

#include "fast_trig.h"

#include <cstdint>
#include <cstring>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace qv {

typedef double DoublePair __attribute__((vector_size(16)));
typedef int64_t MaskPair __attribute__((vector_size(16)));  // comparisons: 0 or -1 per lane

struct SinCosLanes {
    DoublePair s, c;
};

// Both lanes x (written out so that the constant is one load, not a
// broadcast at run time).
constexpr DoublePair Both(double x) { return DoublePair{x, x}; }

// A comparison's lanes as bits 0 and 1 of an integer: masks are combined
// there (one instruction each on SSE2), and kBothLanes is a pair served.
inline constexpr int kBothLanes = 3;
inline int LaneBits(MaskPair m)
{
#ifdef __SSE2__
    return _mm_movemask_pd(reinterpret_cast<__m128d>(m));
#else
    return static_cast<int>((m[0] & 1) | (m[1] & 2));
#endif
}

// x + a where mask is set, x + b elsewhere, by a bitwise select of the
// constant (a single and with a constant when b is 0).
inline DoublePair AddWhere(DoublePair x, MaskPair mask, DoublePair a, DoublePair b)
{
    return x + (DoublePair)((mask & (MaskPair)a) | (~mask & (MaskPair)b));
}

namespace fast_trig {

inline constexpr MaskPair kSignBits = {INT64_MIN, INT64_MIN};

// |x| on two lanes (the sign bits cleared).
inline DoublePair AbsPair(DoublePair x) { return (DoublePair)((MaskPair)x & ~kSignBits); }

// The last bits of a rounding sum (y + kToInt, or y + kToInt / 16 for
// sixteenths), masked: the rounded integer modulo mask + 1, negative ones
// included, without converting a double (perhaps NaN) to an integer.
inline unsigned RoundedBits(double sum, unsigned mask)
{
    uint64_t bits;
    std::memcpy(&bits, &sum, sizeof bits);
    return static_cast<unsigned>(bits) & mask;
}

// kAtanTable padded to 32 entries, so that any index RoundedBits(sum, 31)
// gives (16 c, 0..16, in a served lane) stays inside.
struct PaddedAtanTable {
    TableEntry e[32];
};
inline constexpr PaddedAtanTable kAtanTable32 = [] {
    PaddedAtanTable t{};
    for (int k = 0; k < 17; ++k) t.e[k] = kAtanTable[k];
    return t;
}();

// AtanOfRatio on two lanes (served where 0 < a <= b < kHuge), the table
// looked up lane by lane.
[[gnu::always_inline]] inline DoublePair AtanOfRatioPair(DoublePair a, DoublePair b, MaskPair complement)
{
    constexpr double kToSixteenths = kToInt / 16;
    const DoublePair sum = a / b + Both(kToSixteenths);
    const DoublePair c = sum - Both(kToSixteenths);
    const DoublePair u = (a - c * b) / (b + c * a);
    const DoublePair u2 = u * u, u4 = u2 * u2;
    const DoublePair p = (Both(-1.0 / 3) + u2 * Both(1.0 / 5)) +
                         u4 * ((Both(-1.0 / 7) + u2 * Both(1.0 / 9)) + u4 * Both(-1.0 / 11));
    const DoublePair series = u + (u * u2) * p;
    const TableEntry e0 = kAtanTable32.e[RoundedBits(sum[0], 31)], e1 = kAtanTable32.e[RoundedBits(sum[1], 31)];
    const DoublePair hi = {e0.hi, e1.hi}, lo = {e0.lo, e1.lo};
    return complement ? Both(kHalfPiHi) + ((Both(kHalfPiLo) - lo) - series - hi) : hi + (lo + series);
}

// AtanOfAbsRatio on two lanes: atan |num / den|, served where neither
// operand is zero, infinite or NaN, their magnitudes add up to less than
// kHuge and the quotient does not underflow.
[[gnu::always_inline]] inline DoublePair AtanOfAbsRatioPair(DoublePair num, DoublePair den, int *served)
{
    const DoublePair an = AbsPair(num), ad = AbsPair(den);
    // std::min and std::max: the second operand when the first is not
    // smaller, which ties and non-NaN operands make the same value.
    const DoublePair lower = ad < an ? ad : an, upper = an < ad ? ad : an;
    const DoublePair r = AtanOfRatioPair(lower, upper, an > ad);
    *served = LaneBits(an + ad < Both(kHuge)) & LaneBits(lower > Both(0.0)) & LaneBits(r > Both(0.0));
    return r;
}

// Set where num and den differ in sign (both non-zero and finite): den with
// num's sign folded in is then negative.
inline MaskPair SignsDiffer(DoublePair num, DoublePair den)
{
    return (DoublePair)((MaskPair)den ^ ((MaskPair)num & kSignBits)) < Both(0.0);
}

}  // namespace fast_trig

// FastAtanOf(num, den) on two lanes; *served gets the LaneBits of the lanes
// whose result is the one-lane routine's.
[[gnu::always_inline]] inline DoublePair AtanOfPair(DoublePair num, DoublePair den, int *served)
{
    using namespace fast_trig;
    const DoublePair r = AtanOfAbsRatioPair(num, den, served);
    return (DoublePair)((MaskPair)r ^ (SignsDiffer(num, den) & kSignBits));
}

// FastQuadrantOf(num, den, num) on two lanes, served as AtanOfPair.
[[gnu::always_inline]] inline DoublePair QuadrantOfPair(DoublePair num, DoublePair den, int *served)
{
    using namespace fast_trig;
    const DoublePair r = AtanOfAbsRatioPair(num, den, served);
    const DoublePair half = SignsDiffer(num, den) ? Both(kPi) - r : r;
    return AddWhere(half, num < Both(0.0), Both(kPi), Both(0.0));
}

// FastSinCos on two lanes, served where |x| < 2^19 (the kernel's range; a
// tiny x gives {x, 1} as there); the table index comes from the rounding
// sum's last bits, as for the arctangent.  Its cosine is FastCos's.
[[gnu::always_inline]] inline SinCosLanes SinCosPairOf(DoublePair x, int *served)
{
    using namespace fast_trig;
    const DoublePair ax = AbsPair(x);
    *served = LaneBits(ax < Both(kLimit));
    const MaskPair tiny = ax < Both(0x1p-27);
    const DoublePair sum = x * kStepsPerRadian + Both(kToInt);
    const DoublePair fn = sum - Both(kToInt);
    const DoublePair h = ((x - fn * kStep1) - fn * kStep2) - fn * kStep3;
    const unsigned j0 = RoundedBits(sum[0], 255), j1 = RoundedBits(sum[1], 255);
    const TableEntry s0 = kSinTable[j0], s1 = kSinTable[j1];
    const TableEntry c0 = kSinTable[(j0 + 64) & 255u], c1 = kSinTable[(j1 + 64) & 255u];
    const DoublePair sHi = {s0.hi, s1.hi}, sLo = {s0.lo, s1.lo}, cHi = {c0.hi, c1.hi}, cLo = {c0.lo, c1.lo};
    const DoublePair h2 = h * h, h4 = h2 * h2;
    const DoublePair sinH =
        h + (h * h2) * ((Both(-1.0 / 6) + h2 * Both(1.0 / 120)) + h4 * Both(-1.0 / 5040));
    const DoublePair cosHm1 = h2 * ((Both(-0.5) + h2 * Both(1.0 / 24)) + h4 * Both(-1.0 / 720));
    const DoublePair sine = sHi + ((sLo + sHi * cosHm1) + cHi * sinH);
    const DoublePair cosine = cHi + ((cLo + cHi * cosHm1) - sHi * sinH);
    return {tiny ? x : sine, tiny ? Both(1.0) : cosine};
}

// std::trunc on two lanes, served where |x| < 2^31 (by SSE2's conversion,
// the sign of x kept so that -0.5 gives -0 as std::trunc does).
[[gnu::always_inline]] inline DoublePair TruncPair(DoublePair x, int *served)
{
    *served = LaneBits(fast_trig::AbsPair(x) < Both(0x1p31));
#ifdef __SSE2__
    const __m128d t = _mm_cvtepi32_pd(_mm_cvttpd_epi32(reinterpret_cast<__m128d>(x)));
    return (DoublePair)((MaskPair)t | ((MaskPair)x & fast_trig::kSignBits));
#else
    return DoublePair{std::trunc(x[0]), std::trunc(x[1])};
#endif
}

// ReduceTowardZero on two lanes, serving |x| < 1080: x less its whole
// turns toward zero, counted by comparisons (no division).  Within three
// turns the remainder x - 360 m is exact, which is the one-lane result bit
// for bit (-0 giving +0, exact multiples of 360 giving +0).
[[gnu::always_inline]] inline DoublePair ReduceTowardZeroPair(DoublePair x, int *served)
{
    using fast_trig::kSignBits;
    const DoublePair ax = fast_trig::AbsPair(x);
    *served = LaneBits(ax < Both(1080.0));
    const DoublePair turns = (DoublePair)((ax >= Both(360.0)) & (MaskPair)Both(360.0)) +
                             (DoublePair)((ax >= Both(720.0)) & (MaskPair)Both(360.0));
    return x - (DoublePair)((MaskPair)turns | ((MaskPair)x & kSignBits));
}

// Reduce360 on two lanes, serving (LaneBits in *served) x in [0, 720):
// the same doubles, -0 giving +0.
[[gnu::always_inline]] inline DoublePair Reduce360Pair(DoublePair x, int *served)
{
    *served = LaneBits(x >= Both(0.0)) & LaneBits(x < Both(720.0));
    return AddWhere(x, x >= Both(360.0), Both(-360.0), Both(0.0));
}

// OppositeOf on two lanes.
[[gnu::always_inline]] inline DoublePair OppositeOfPair(DoublePair lam)
{
    return AddWhere(lam, lam < Both(kPi), Both(kPi), Both(-kPi));
}

// HalfTurnOn on two lanes.
[[gnu::always_inline]] inline DoublePair HalfTurnOnPair(DoublePair deg)
{
    return AddWhere(deg, deg >= Both(180.0), Both(-180.0), Both(180.0));
}

}  // namespace qv
