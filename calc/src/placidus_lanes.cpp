// The Placidus iteration with its four cusps side by side.
//
// One lane alone is a chain of dependent steps (sine, Real6 rounding,
// square root, arcsine series, Real6 rounding, then the next iterate),
// about 140 cycles a round.  Written lane after lane within each round, the
// four chains are independent work the processor overlaps, so a call takes
// little more than its slowest lane.  A lane that has settled drops out:
// the rounds differ from lane to lane, and computing on would cost more
// than the branch.
#include "placidus_lanes.h"

#include "arcsin_real6.h"
#include "fast_trig.h"

namespace qv {

double PlacidusFirstArcSin(PlacidusK &k)
{
    return ArcSinReal6OfProduct(k.Fast() * std::sin(1.0), [&] { return k.Exact() * std::sin(1.0); });
}

void IteratePlacidus(const double base[kPlacidusLanes], const double f[kPlacidusLanes], PlacidusK &k,
                     double x[kPlacidusLanes], int32_t rounds[kPlacidusLanes])
{
    IteratePlacidus(base, f, k, PlacidusFirstArcSin(k), x, rounds);
}

namespace {

[[gnu::always_inline]] inline double LaneArcSin(double next, PlacidusK &k)
{
    // The sine without FastSin's test for tiny arguments: a zero's sign
    // makes no difference to the arcsine.
    const double s = std::fabs(next) < fast_trig::kLimit ? FastSinCosBelowLimit(next).s : std::sin(next);
    const auto exact = [&] { return k.Exact() * std::sin(next); };
    if (k.HaveExact()) return ArcSinReal6OfProduct(k.Exact() * s, exact, kNearMidUlpsExactK);
    return ArcSinReal6OfProduct(k.Fast() * s, exact, kNearMidUlpsTableK);
}

}  // namespace

double PlacidusLaneArcSin(double next, PlacidusK &k) { return LaneArcSin(next, k); }
double PlacidusLaneExactArcSin(double next, PlacidusK &k) { return ArcSinReal6Fast(k.Exact() * std::sin(next)); }
SinCosPair PlacidusSinCos(double x) { return FastSinCos(x); }

void IteratePlacidus(const double base[kPlacidusLanes], const double f[kPlacidusLanes], PlacidusK &k,
                     double first, double x[kPlacidusLanes], int32_t rounds[kPlacidusLanes],
                     SinCosPair sines[kPlacidusLanes])
{
    // The AVX2 rounds pay off where every product k sin X stays inside the
    // table arcsine (|k| < 0.89, up to about 64 degrees of latitude); beyond,
    // lanes leave them for the scalar code so often that they are slower.
    const bool inTable = std::fabs(k.Fast()) < kArcSinFastEnd;
    if (!(inTable && IteratePlacidusAvx2(base, f, k, first, x, rounds, sines)))
        IteratePlacidusScalar(base, f, k, first, x, rounds, sines);
}

bool IteratePlacidusAvx2(const double base[kPlacidusLanes], const double f[kPlacidusLanes], PlacidusK &k,
                         double first, double x[kPlacidusLanes], int32_t rounds[kPlacidusLanes],
                         SinCosPair sines[kPlacidusLanes])
{
#if QV_PLACIDUS_AVX2
    static const bool kHaveAvx2 = __builtin_cpu_supports("avx2");
    if (!kHaveAvx2) return false;
    IteratePlacidusAvx2Lanes(base, f, k, first, x, rounds, sines);
    return true;
#else
    (void)base, (void)f, (void)k, (void)first, (void)x, (void)rounds, (void)sines;
    return false;
#endif
}

void IteratePlacidusScalar(const double base[kPlacidusLanes], const double f[kPlacidusLanes], PlacidusK &k,
                           double first, double x[kPlacidusLanes], int32_t rounds[kPlacidusLanes],
                           SinCosPair sines[kPlacidusLanes])
{
    double arcSin[kPlacidusLanes], last[kPlacidusLanes];
    bool running[kPlacidusLanes];
    for (int l = 0; l < kPlacidusLanes; ++l) {
        arcSin[l] = first;
        last[l] = 1.0;
        running[l] = true;
    }
    for (int32_t n = 1, left = kPlacidusLanes; left > 0; ++n) {
        for (int l = 0; l < kPlacidusLanes; ++l) {
            if (!running[l]) continue;
            const double next = base[l] + f[l] * arcSin[l];
            // For a double difference ">= 0.001" is exactly "> 0.001" taken
            // in extended precision (no double lies between the two
            // constants).  A NaN iterate fails it and ends as NaN.
            const bool settled = !(std::fabs(next - last[l]) >= 0.001);
            last[l] = next;
            if (settled || n == kPlacidusRounds) {
                x[l] = settled ? next : NAN;
                if (rounds) rounds[l] = n;
                running[l] = false;
                --left;
                continue;
            }
            arcSin[l] = LaneArcSin(next, k);
        }
    }
    if (sines) {
        for (int l = 0; l < kPlacidusLanes; ++l) sines[l] = FastSinCos(x[l]);
    }
}

}  // namespace qv
