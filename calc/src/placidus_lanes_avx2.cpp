// The Placidus rounds with all four lanes in one AVX2 register.
//
// Each lane takes the scalar round's steps (the table sine, the product,
// its Real6 rounding, the arcsine by its series below 0.6 or by the table
// above, and its Real6 rounding), without fused multiply-adds.  The sine
// is the scalar one bit for bit; the arcsines may differ in their last
// bits (the table node is picked from the product, not from its Real6
// rounding, so the look-up does not wait for the rounding), but each is
// within its error bound of the exact value, and a result counts only
// where it is clear of a Real6 midpoint by more than those bounds: so
// every Real6 arcsine, and every iterate, is the scalar one bit for bit.
// A lane the fast path does not serve (an iterate beyond 2^19, a product
// outside 2^-120..0.89 or near a Real6 midpoint, an arcsine near one)
// takes the one-lane step that serves it for that round.  The table
// look-ups load each lane's row; indices are masked so that a lane holding
// garbage (settled, or NaN) never reads outside a table.
//
// The headers come before the switch to AVX2, so that any of their inline
// functions the compiler emits out of line keeps the baseline instruction
// set; only this file's own functions use AVX2, and IteratePlacidusAvx2
// calls them only after asking the processor.
#include "arcsin_real6.h"
#include "fast_trig.h"
#include "placidus_lanes.h"

#if QV_PLACIDUS_AVX2

#include <immintrin.h>

#include <array>

#ifdef __clang__
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif

namespace qv {

namespace {

inline __m256d Abs(__m256d x) { return _mm256_andnot_pd(_mm256_set1_pd(-0.0), x); }
inline __m256d Both(double x) { return _mm256_set1_pd(x); }
inline int Lanes(__m256d mask) { return _mm256_movemask_pd(mask); }

// Real6RoundNotTie on four lanes, by the bits: half a Real6 unit added to
// the magnitude carries into the kept bits exactly when the 13 dropped ones
// are above a half (a carry out of the significand moves the exponent up).
// Two integer operations in the vector unit, shorter than the split's three
// floating-point ones.
inline __m256d Real6RoundNotTie4(__m256d x)
{
    const __m256i up = _mm256_add_epi64(_mm256_castpd_si256(x), _mm256_set1_epi64x(0x1000));
    return _mm256_castsi256_pd(_mm256_and_si256(up, _mm256_set1_epi64x(~int64_t{0x1FFF})));
}

// The 13 low bits of each lane less 0x1000 plus `shift`, as 64-bit integers.
inline __m256i FromMidpoint(__m256d x, int64_t shift)
{
    const __m256i low = _mm256_and_si256(_mm256_castpd_si256(x), _mm256_set1_epi64x(0x1FFF));
    return _mm256_add_epi64(low, _mm256_set1_epi64x(shift - 0x1000));
}

// The tables again as rows of four doubles, one 32-byte row per look-up:
// sin and cos of step j side by side (the cosine is entry j + 64), and the
// arcsine nodes padded to 64 rows (the mask of a garbage lane's index may
// pick any of them).
struct alignas(32) Row4 {
    double v[4];
};
constexpr std::array<Row4, 256> SinCosRows()
{
    std::array<Row4, 256> rows{};
    for (int j = 0; j < 256; ++j) {
        const fast_trig::TableEntry s = fast_trig::kSinTable[j], c = fast_trig::kSinTable[(j + 64) & 255];
        rows[j] = {{s.hi, s.lo, c.hi, c.lo}};
    }
    return rows;
}
constexpr std::array<Row4, 64> ArcSinRows()
{
    std::array<Row4, 64> rows{};
    for (int j = 0; j < 64; ++j) {
        const ArcSinNode n = kArcSinNodes[j < 58 ? j : 57];
        rows[j] = {{n.hi, n.lo, n.cos, 0.0}};
    }
    return rows;
}
constexpr std::array<Row4, 256> kSinCosRows = SinCosRows();
constexpr std::array<Row4, 64> kArcSinRows = ArcSinRows();

// Row a's two doubles from `a` on, then row b's.
inline __m256d Halves(const double *a, const double *b)
{
    return _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_load_pd(a)), _mm_load_pd(b), 1);
}

// The four columns of four table rows, row l for lane l (64-bit row
// numbers): a 16-byte load per half row and a transpose, shorter in the
// chain than gathers.
struct Columns {
    __m256d c0, c1, c2, c3;
};
inline Columns LoadRows(const Row4 *rows, __m256i index)
{
    const __m128i low = _mm256_castsi256_si128(index), high = _mm256_extracti128_si256(index, 1);
    const double *r0 = rows[_mm_cvtsi128_si64(low)].v, *r1 = rows[_mm_extract_epi64(low, 1)].v;
    const double *r2 = rows[_mm_cvtsi128_si64(high)].v, *r3 = rows[_mm_extract_epi64(high, 1)].v;
    const __m256d a = Halves(r0, r2), b = Halves(r1, r3), c = Halves(r0 + 2, r2 + 2), d = Halves(r1 + 2, r3 + 2);
    return {_mm256_unpacklo_pd(a, b), _mm256_unpackhi_pd(a, b), _mm256_unpacklo_pd(c, d), _mm256_unpackhi_pd(c, d)};
}

// x rounded to an integer by adding kToInt (|x| < 2^51), as the double and
// as the low bits of the sum, masked: a look-up's row without a conversion.
struct RowOf {
    __m256d n;
    __m256i row;
};
inline RowOf NearestRow(__m256d x, int64_t mask)
{
    const __m256d t = _mm256_add_pd(x, Both(fast_trig::kToInt));
    return {_mm256_sub_pd(t, Both(fast_trig::kToInt)), _mm256_and_si256(_mm256_castpd_si256(t), _mm256_set1_epi64x(mask))};
}

// ClearOfMidpoint(y, s) on four lanes (y normal): the distance from the
// midpoint, in ulps of y, less the error bounds, exactly as the one-lane
// test computes it (the small integers and the ulp are exact doubles).
inline __m256d ClearOfMidpointBounds(__m256d y, __m256d s)
{
    const __m256i bits = _mm256_castpd_si256(y);
    // fromMid + 2^51 (0..2^51 + 4095) as the double 2^52 + 2^51 + fromMid.
    const __m256i biased = _mm256_add_epi64(_mm256_and_si256(bits, _mm256_set1_epi64x(0x1FFF)),
                                            _mm256_set1_epi64x(0x4338000000000000 - 0x1000));
    const __m256d fromMid = _mm256_sub_pd(_mm256_castsi256_pd(biased), Both(0x1.8p52));
    const __m256i ulpBits = _mm256_sub_epi64(_mm256_and_si256(bits, _mm256_set1_epi64x(0x7FF0000000000000)),
                                             _mm256_set1_epi64x(int64_t{52} << 52));
    const __m256d clear = _mm256_sub_pd(
        _mm256_mul_pd(_mm256_sub_pd(Abs(fromMid), Both(16.0)), _mm256_castsi256_pd(ulpBits)), Both(0x1p-60));
    return _mm256_cmp_pd(_mm256_mul_pd(clear, s), Both(0x1p-62), _CMP_GT_OQ);
}

struct SinCosLanes4 {
    __m256d s, c;
};

// FastSinCosBelowLimit(x) on four lanes.
inline SinCosLanes4 TableSinCos(__m256d x)
{
    using namespace fast_trig;
    // The row is n mod 256 (two's complement), a garbage lane's any row.
    const RowOf n = NearestRow(_mm256_mul_pd(x, Both(kStepsPerRadian)), 255);
    const __m256d fn = n.n;
    const __m256d h = _mm256_sub_pd(
        _mm256_sub_pd(_mm256_sub_pd(x, _mm256_mul_pd(fn, Both(kStep1))), _mm256_mul_pd(fn, Both(kStep2))),
        _mm256_mul_pd(fn, Both(kStep3)));
    const Columns row = LoadRows(kSinCosRows.data(), n.row);
    const __m256d sHi = row.c0, sLo = row.c1, cHi = row.c2, cLo = row.c3;
    const __m256d h2 = _mm256_mul_pd(h, h), h4 = _mm256_mul_pd(h2, h2);
    const __m256d sinPoly = _mm256_add_pd(_mm256_add_pd(Both(-1.0 / 6), _mm256_mul_pd(h2, Both(1.0 / 120))),
                                          _mm256_mul_pd(h4, Both(-1.0 / 5040)));
    const __m256d sinH = _mm256_add_pd(h, _mm256_mul_pd(_mm256_mul_pd(h, h2), sinPoly));
    const __m256d cosPoly =
        _mm256_add_pd(_mm256_add_pd(Both(-0.5), _mm256_mul_pd(h2, Both(1.0 / 24))), _mm256_mul_pd(h4, Both(-1.0 / 720)));
    const __m256d cosHm1 = _mm256_mul_pd(h2, cosPoly);
    return {_mm256_add_pd(sHi, _mm256_add_pd(_mm256_add_pd(sLo, _mm256_mul_pd(sHi, cosHm1)), _mm256_mul_pd(cHi, sinH))),
            _mm256_add_pd(cHi, _mm256_sub_pd(_mm256_add_pd(cLo, _mm256_mul_pd(cHi, cosHm1)), _mm256_mul_pd(sHi, sinH)))};
}

// TableArcSinInTable(a, s) on four lanes, the node nearest to nodeOf
// (the product that a is the Real6 rounding of).
inline __m256d TableArcSin(__m256d a, __m256d s, __m256d nodeOf)
{
    using namespace fast_trig;
    const __m256d t = Abs(a);
    const RowOf j = NearestRow(_mm256_mul_pd(Abs(nodeOf), Both(64.0)), 63);
    const __m256d fj = j.n;
    const Columns node = LoadRows(kArcSinRows.data(), j.row);
    const __m256d nHi = node.c0, nLo = node.c1, nCos = node.c2;
    const __m256d w = _mm256_sub_pd(_mm256_mul_pd(t, nCos), _mm256_mul_pd(_mm256_mul_pd(fj, Both(0.015625)), s));
    const __m256d w2 = _mm256_mul_pd(w, w), w4 = _mm256_mul_pd(w2, w2);
    const __m256d poly = _mm256_add_pd(_mm256_add_pd(Both(1.0 / 6), _mm256_mul_pd(w2, Both(3.0 / 40))),
                                       _mm256_mul_pd(w4, _mm256_add_pd(Both(5.0 / 112), _mm256_mul_pd(w2, Both(35.0 / 1152)))));
    const __m256d series = _mm256_add_pd(w, _mm256_mul_pd(_mm256_mul_pd(w, w2), poly));
    const __m256d r = _mm256_add_pd(nHi, _mm256_add_pd(nLo, series));
    const __m256d sign = Both(-0.0);
    return _mm256_or_pd(_mm256_andnot_pd(sign, r), _mm256_and_pd(sign, a));
}

// Terms i and i + 1 of the series.
inline __m256d SeriesPair(int i, __m256d z)
{
    return _mm256_add_pd(Both(kArcSinSeries[i]), _mm256_mul_pd(Both(kArcSinSeries[i + 1]), z));
}

// ArcSinSeries on four lanes, the same operations.
inline __m256d ArcSinSeries4(__m256d a)
{
    const __m256d z = _mm256_mul_pd(a, a), z2 = _mm256_mul_pd(z, z), z4 = _mm256_mul_pd(z2, z2);
    const __m256d q0 = _mm256_add_pd(SeriesPair(0, z), _mm256_mul_pd(SeriesPair(2, z), z2));
    const __m256d q1 = _mm256_add_pd(SeriesPair(4, z), _mm256_mul_pd(SeriesPair(6, z), z2));
    const __m256d q2 = _mm256_add_pd(SeriesPair(8, z), _mm256_mul_pd(SeriesPair(10, z), z2));
    const __m256d q3 = _mm256_add_pd(SeriesPair(12, z), _mm256_mul_pd(SeriesPair(14, z), z2));
    const __m256d r0 = _mm256_add_pd(q0, _mm256_mul_pd(q1, z4)), r1 = _mm256_add_pd(q2, _mm256_mul_pd(q3, z4));
    const __m256d poly = _mm256_add_pd(r0, _mm256_mul_pd(r1, _mm256_mul_pd(z4, z4)));
    return _mm256_add_pd(a, _mm256_mul_pd(_mm256_mul_pd(a, z), poly));
}

}  // namespace

void IteratePlacidusAvx2Lanes(const double base[kPlacidusLanes], const double f[kPlacidusLanes], PlacidusK &k,
                              double first, double x[kPlacidusLanes], int32_t rounds[kPlacidusLanes],
                              SinCosPair sines[kPlacidusLanes])
{
    static_assert(kPlacidusLanes == 4, "one AVX2 register holds the four lanes");
    const __m256d vBase = _mm256_loadu_pd(base), vF = _mm256_loadu_pd(f);
    // k as the C library gives it, once known, takes the products and
    // narrows the window around a midpoint (|fromMid| <= nearMidUlps).
    bool exactK = k.HaveExact();
    __m256d vK = Both(exactK ? k.Exact() : k.Fast());
    int64_t nearMidUlps = (exactK ? kNearMidUlpsExactK : kNearMidUlpsTableK) - 1;
    __m256d arcSin = Both(first), last = Both(1.0);
    // A lane that settles keeps its X, sine, cosine and round count here and
    // goes on computing, masked, until the last one settles: no branch on
    // each lane's settling, which the processor cannot predict.
    __m256d runningMask = _mm256_castsi256_pd(_mm256_set1_epi64x(-1));
    __m256d xOut = Both(NAN), sOut = Both(0.0), cOut = Both(0.0), roundsOut = Both(0.0);
    int running = 0xF;
    alignas(32) double lane[kPlacidusLanes], arc[kPlacidusLanes], product[kPlacidusLanes];
    for (int32_t n = 1;; ++n) {
        const __m256d next = _mm256_add_pd(vBase, _mm256_mul_pd(vF, arcSin));
        // ">= 0.001" as the scalar test has it; a NaN iterate settles (as NaN).
        const __m256d moved = _mm256_cmp_pd(Abs(_mm256_sub_pd(next, last)), Both(0.001), _CMP_GE_OQ);
        last = next;
        const __m256d settled = _mm256_andnot_pd(moved, runningMask);
        runningMask = _mm256_and_pd(runningMask, moved);
        running = Lanes(runningMask);
        // Taken before the test: a settling lane's X leaves with its sine
        // and cosine.
        const SinCosLanes4 sc = TableSinCos(next);
        xOut = _mm256_blendv_pd(xOut, next, settled);
        sOut = _mm256_blendv_pd(sOut, sc.s, settled);
        cOut = _mm256_blendv_pd(cOut, sc.c, settled);
        roundsOut = _mm256_blendv_pd(roundsOut, Both(n), settled);
        if (running == 0 || n == kPlacidusRounds) {
            // A lane still running after kPlacidusRounds ends as NaN.
            roundsOut = _mm256_blendv_pd(roundsOut, Both(n), runningMask);
            alignas(32) double sinX[kPlacidusLanes], cosX[kPlacidusLanes], count[kPlacidusLanes];
            _mm256_store_pd(lane, xOut);
            _mm256_store_pd(sinX, sOut);
            _mm256_store_pd(cosX, cOut);
            _mm256_store_pd(count, roundsOut);
            for (int l = 0; l < kPlacidusLanes; ++l) {
                x[l] = lane[l];
                if (rounds) rounds[l] = static_cast<int32_t>(count[l]);
                // FastSinCos's own value outside the kernel's range.
                if (sines) {
                    const bool kernel = std::fabs(x[l]) >= 0x1p-27 && std::fabs(x[l]) < fast_trig::kLimit;
                    sines[l] = kernel ? SinCosPair{sinX[l], cosX[l]} : PlacidusSinCos(x[l]);
                }
            }
            return;
        }

        const __m256d p = _mm256_mul_pd(vK, sc.s);
        const __m256d ap = Abs(p);
        // Off the fast path: an iterate beyond 2^19 or a product outside
        // 2^-120..0.89 (the scalar round's way), a product near a Real6
        // midpoint (the C library's product), an arcsine near one (the
        // extended arctangent).
        const int outside = ~Lanes(_mm256_cmp_pd(Abs(next), Both(fast_trig::kLimit), _CMP_LT_OQ)) |
                            ~Lanes(_mm256_cmp_pd(ap, Both(0x1p-120), _CMP_GE_OQ)) |
                            ~Lanes(_mm256_cmp_pd(ap, Both(kArcSinFastEnd), _CMP_LT_OQ));
        const __m256i pFromMid = FromMidpoint(p, nearMidUlps);
        const int nearMid =
            Lanes(_mm256_castsi256_pd(_mm256_cmpgt_epi64(_mm256_set1_epi64x(2 * nearMidUlps + 1), pFromMid))) &
            ~Lanes(_mm256_castsi256_pd(_mm256_cmpgt_epi64(_mm256_setzero_si256(), pFromMid)));
        const __m256d a = Real6RoundNotTie4(p);
        // Every running lane's product below 0.6 in size (up to about 54
        // degrees of latitude): the arcsine by its series (ArcSinSeries),
        // without the square root and the table look-up.
        __m256d y, root;
        if (((Lanes(_mm256_cmp_pd(ap, Both(kArcSinSeriesEnd), _CMP_LT_OQ)) | ~running) & 0xF) == 0xF) {
            y = ArcSinSeries4(a);
            root = Both(kArcSinSeriesRoot);
        } else {
            root = _mm256_sqrt_pd(_mm256_mul_pd(_mm256_sub_pd(Both(1.0), a), _mm256_add_pd(Both(1.0), a)));
            y = TableArcSin(a, root, p);
        }
        // Clear of the result's midpoint: by 17 ulps or more where |y| >=
        // 2^-5 lets the distance alone decide, by the error bounds below.
        const __m256i fromMid = FromMidpoint(y, 16);
        const __m256i byDistance =
            _mm256_or_si256(_mm256_cmpgt_epi64(fromMid, _mm256_set1_epi64x(32)), _mm256_cmpgt_epi64(_mm256_setzero_si256(), fromMid));
        const int large = Lanes(_mm256_cmp_pd(Abs(y), Both(0x1p-5), _CMP_GE_OQ));
        const int clear = (large & Lanes(_mm256_castsi256_pd(byDistance))) |
                          (~large & Lanes(ClearOfMidpointBounds(y, root)));
        arcSin = Real6RoundNotTie4(y);
        const int aside = (outside | nearMid | ~clear) & running;
        if (aside != 0) {
            _mm256_store_pd(lane, next);
            _mm256_store_pd(arc, arcSin);
            _mm256_store_pd(product, p);
            for (int l = 0; l < kPlacidusLanes; ++l) {
                if (!((aside >> l) & 1)) continue;
                if ((outside >> l) & 1)
                    arc[l] = PlacidusLaneArcSin(lane[l], k);
                else if ((nearMid >> l) & 1)
                    arc[l] = PlacidusLaneExactArcSin(lane[l], k);
                else  // rounds to the C library's product's Real6
                    arc[l] = ArcSinReal6(product[l]);
            }
            arcSin = _mm256_load_pd(arc);
            if (!exactK && k.HaveExact()) {
                exactK = true;
                vK = Both(k.Exact());
                nearMidUlps = kNearMidUlpsExactK - 1;
            }
        }
    }
}

}  // namespace qv

#ifdef __clang__
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

#endif
