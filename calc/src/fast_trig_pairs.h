// The arctangent steps of fast_trig.h on two lanes at once, for house
// routines whose cusps come in independent pairs.  Each lane does the very
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

// kAtanTable index from the rounding sum: with kToInt / 16 added, the last
// bits of the double are 16 c itself (0..16 for a served lane; any other
// lane still lands inside the padded table, and no conversion of a NaN to an
// integer happens).
inline unsigned AtanIndex(double sum)
{
    uint64_t bits;
    std::memcpy(&bits, &sum, sizeof bits);
    return static_cast<unsigned>(bits) & 31u;
}

// kAtanTable padded to 32 entries for AtanIndex.
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
    const TableEntry e0 = kAtanTable32.e[AtanIndex(sum[0])], e1 = kAtanTable32.e[AtanIndex(sum[1])];
    const DoublePair hi = {e0.hi, e1.hi}, lo = {e0.lo, e1.lo};
    return complement ? Both(kHalfPiHi) + ((Both(kHalfPiLo) - lo) - series - hi) : hi + (lo + series);
}

}  // namespace fast_trig

// FastQuadrantOf(num, den, num) on two lanes; *served gets the LaneBits of
// the lanes whose result is the one-lane routine's.
[[gnu::always_inline]] inline DoublePair QuadrantOfPair(DoublePair num, DoublePair den, int *served)
{
    using namespace fast_trig;
    const DoublePair an = (DoublePair)((MaskPair)num & ~kSignBits), ad = (DoublePair)((MaskPair)den & ~kSignBits);
    // std::min and std::max: the second operand when the first is not
    // smaller, which ties and non-NaN operands make the same value.
    const DoublePair lower = ad < an ? ad : an, upper = an < ad ? ad : an;
    const DoublePair r = AtanOfRatioPair(lower, upper, an > ad);
    *served = LaneBits(an + ad < Both(kHuge)) & LaneBits(lower > Both(0.0)) & LaneBits(r > Both(0.0));
    // den with num's sign folded in is negative when the signs differ
    // (both are non-zero and finite in a served lane).
    const DoublePair signedDen = (DoublePair)((MaskPair)den ^ ((MaskPair)num & kSignBits));
    const DoublePair half = signedDen < Both(0.0) ? Both(kPi) - r : r;
    return AddWhere(half, num < Both(0.0), Both(kPi), Both(0.0));
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
