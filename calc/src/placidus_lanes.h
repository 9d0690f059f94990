// The Placidus fixed-point iteration, four cusps side by side.  Not exported.
#pragma once

#include "internal.h"

#include <cmath>
#include <cstdint>

namespace qv {

// k = tan(latitude) tan(obliquity) for the iteration's products k sin x.
// `fast` comes from the table trigonometry (within a dozen ulps of the
// product of the C library's tangents); Exact() gives that product,
// computed the first time it is asked for: where a product lies near a
// Real6 rounding midpoint it decides the rounding, and once it is known the
// rounds take it for their products and watch a narrower window around the
// midpoints.
class PlacidusK {
public:
    PlacidusK(double fast, double phi, double obl) : fast_(fast), phi_(phi), obl_(obl) {}
    // k as the C library gives it already.
    static PlacidusK Exact(double k)
    {
        PlacidusK r(k, 0, 0);
        r.exact_ = k;
        r.haveExact_ = true;
        return r;
    }
    double Fast() const { return fast_; }
    bool HaveExact() const { return haveExact_; }
    double Exact()
    {
        if (!haveExact_) {
            exact_ = std::tan(phi_) * std::tan(obl_);
            haveExact_ = true;
        }
        return exact_;
    }

private:
    double fast_, phi_, obl_, exact_ = 0;
    bool haveExact_ = false;
};

// A product k sin X whose 13 low bits lie within this many ulps of a Real6
// midpoint takes the C library's product, which decides the rounding.  With
// k as the C library gives it the table sine's product is within 5 ulps of
// that one (the sine's two, and the roundings); with the table k a dozen
// more.
constexpr int64_t kNearMidUlpsExactK = 16, kNearMidUlpsTableK = 64;

constexpr int kPlacidusLanes = 4;
constexpr int32_t kPlacidusRounds = 100000;

// Right ascensions X (radians) of cusps whose ascensional difference,
// scaled by f, puts them at RAMC + H (base = RAMC + H): fixed-point
// iteration X' = base + f ArcSin(k sin X) from X = 1 until two iterates lie
// within 0.001 radians, the arcsine at Real6 precision (ArcSinReal6).  The
// result is the last iterate, off the true solution by up to
// 0.001 c / (1 - c) where the map contracts by c < |f|: below the polar
// circles the intermediate cusps settle in at most about 21 rounds, while
// f = 1 (the Ascendant) slows to thousands near 66 degrees.  NaN where an
// iterate has no arcsine (beyond the polar circles) or the lane has not
// settled after kPlacidusRounds.  Each lane's iterates are bit for bit
// those of the lane run alone; rounds (may be null) receives each lane's
// count.
void IteratePlacidus(const double base[kPlacidusLanes], const double f[kPlacidusLanes], PlacidusK &k,
                     double x[kPlacidusLanes], int32_t rounds[kPlacidusLanes]);

// The first round's arcsine, the same in every lane (X = 1), for callers
// that start it early: IteratePlacidus continues from it.
double PlacidusFirstArcSin(PlacidusK &k);
// `sines` (may be null) receives FastSinCos of each lane's X, which the
// AVX2 rounds have at hand when a lane settles: a caller converting X to a
// longitude need not wait for them after the last round.
void IteratePlacidus(const double base[kPlacidusLanes], const double f[kPlacidusLanes], PlacidusK &k,
                     double firstArcSin, double x[kPlacidusLanes], int32_t rounds[kPlacidusLanes],
                     SinCosPair sines[kPlacidusLanes] = nullptr);

// The two ways IteratePlacidus runs, the same iterates bit for bit (test
// hooks).  The lanes one after another in each round, in doubles; or, on
// x86-64 processors with AVX2 (not in Windows builds) and for |k| < 0.89,
// all four lanes in one 256-bit register, which takes less time: four
// scalar chains of a round need more instructions in flight than the
// processor keeps, so they overlap only in part.  The AVX2 one returns
// false, doing nothing, where the processor or the build lacks it (it
// takes any k).
void IteratePlacidusScalar(const double base[kPlacidusLanes], const double f[kPlacidusLanes], PlacidusK &k,
                           double firstArcSin, double x[kPlacidusLanes], int32_t rounds[kPlacidusLanes],
                           SinCosPair sines[kPlacidusLanes] = nullptr);
bool IteratePlacidusAvx2(const double base[kPlacidusLanes], const double f[kPlacidusLanes], PlacidusK &k,
                         double firstArcSin, double x[kPlacidusLanes], int32_t rounds[kPlacidusLanes],
                         SinCosPair sines[kPlacidusLanes] = nullptr);

// One lane's next arcsine, ArcSinReal6(k sin X), as the scalar rounds take
// it: the AVX2 rounds' way out for a lane off their fast path.
double PlacidusLaneArcSin(double next, PlacidusK &k);
// The same for a lane whose product k sin X lies near a Real6 midpoint:
// the C library's product decides, without the table sine first.
double PlacidusLaneExactArcSin(double next, PlacidusK &k);
// FastSinCos(x), for the AVX2 rounds where X lies outside the table kernel.
SinCosPair PlacidusSinCos(double x);

// GCC or Clang on x86-64, outside Windows (whose 64-bit ABI keeps the stack
// too loosely aligned for 256-bit spills): the AVX2 rounds are built, in
// placidus_lanes_avx2.cpp, for processors that have it.
#if (defined(__GNUC__) || defined(__clang__)) && defined(__x86_64__) && !defined(_WIN32)
#define QV_PLACIDUS_AVX2 1
void IteratePlacidusAvx2Lanes(const double base[kPlacidusLanes], const double f[kPlacidusLanes], PlacidusK &k,
                              double firstArcSin, double x[kPlacidusLanes], int32_t rounds[kPlacidusLanes],
                              SinCosPair sines[kPlacidusLanes]);
#else
#define QV_PLACIDUS_AVX2 0
#endif

}  // namespace qv
