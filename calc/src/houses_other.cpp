// Equal, Porphyry, Meridian and Morinus houses, and the arc between two
// cusps.  Same units and conventions as the quadrant systems: LST in hours,
// Lat in degrees, Obl in radians, Offset and cusps in degrees, cusp k in
// element k; nothing is written unless the array reaches element 12.
#include "fast_trig.h"
#include "internal.h"

#include <algorithm>

using namespace qv;

namespace {

constexpr double kThird = 1.0 / 3;

// a + step, less 360 only when the sum is above 360: Equal and Porphyry
// keep a sum of exactly 360 as 360.  In doubles: for a above 360 - step
// (and below 720), a - 360 is exact, so the result is rounded once, as the
// exact sum less 360 would be.
double AddKeeping360(double a, double step)
{
    return a > 360 - step ? (a - 360) + step : a + step;
}

// Ecliptic longitudes of the twelve equatorial points RAMC + 30i + 60
// degrees (house 10 on the meridian, house 1 at the east point): along the
// declination circle (Meridian) or along the circle through the ecliptic
// poles (Morinus).  The sign of the numerator picks the half-turn, so the
// point half a turn on gives the opposite cusp: houses 1 to 6 are computed,
// 7 to 12 follow.
void EquatorialHouses(double *Cusps, double LST, double Obl, double Offset, bool morinus)
{
    const SinCosPair r = FastSinCos(LST * kHoursToRad);  // as the house frame takes it
    const double co = FastCos(Obl);
    double c[13] = {};
    for (int i = 1; i <= 6; ++i) {
        // RAMC + 30i + 60 degrees by the sum formulas.
        const auto [sx, cx] =
            FastSinCosSum(r, kHouseCircleSines[i], [&] { return HouseRamc(LST) + kHouseCircleAngles[i]; });
        const double lam = morinus ? FastQuadrantOf(sx * co, cx, sx * co) : FastQuadrantOf(sx, cx * co, sx);
        c[i] = Reduce360(lam * kRadToDeg + Offset);
        c[i + 6] = Reduce360(OppositeOf(lam) * kRadToDeg + Offset);
    }
    std::copy(c + 1, c + 13, Cusps + 1);
}

}  // namespace

extern "C" {

// Equal houses of 30 degrees from the Ascendant.  Offset comes before Obl
// and the array last.  Returns Asc and MC (as AsMcCalc) and also writes MC
// into Cusps[0]; cusp 10 is Asc + 270, not the Midheaven.  Exact to double
// rounding.
void EqHouse(double *Asc, double *MC, double LST, double Lat, double Offset, double Obl, double *Cusps,
             int32_t CuspsHigh)
{
    if (!HasElement(Cusps, CuspsHigh, 12)) return;
    const HouseFrame frame(LST, Lat, Obl, Offset);
    double asc, mc;
    frame.Angles(&asc, &mc);
    if (Asc) *Asc = asc;
    if (MC) *MC = mc;

    // Cusp 1 is the Ascendant; each further cusp is Asc + 30 (k - 1),
    // rounded once, less 360 only when above 360 (exactly 360 stays 360).
    // Side by side rather than each from the last.  A negative offset can
    // leave cusps below 0, which come up by a turn.
    double c[13];
    c[0] = mc;
    c[1] = asc < 0 ? asc + 360 : asc;
    for (int k = 2; k <= 12; ++k) {
        const double v = asc + 30 * (k - 1);
        c[k] = v > 360 ? v - 360 : v < 0 ? v + 360 : v;
    }
    std::copy(c, c + 13, Cusps);
}

// Porphyry: each quadrant between the angles cut into three equal arcs; the
// quadrant from the IC to the Descendant is taken the same size as the one
// from the Midheaven to the Ascendant.  Degrees, within an ulp or two of
// the exact thirds (a product with 1/3 stands in for the division, which
// would be the longest step after the angles); the offset reaches the
// cusps once, through the angles.
void PorHouse(double *Cusps, int32_t CuspsHigh, double LST, double Lat, double Obl, double Offset)
{
    if (!HasElement(Cusps, CuspsHigh, 12)) return;
    const HouseFrame frame(LST, Lat, Obl, Offset);
    double asc, mc;
    frame.Angles(&asc, &mc);

    const double ic = HalfTurnOn(mc);
    double q = asc - mc, q2 = ic - asc;
    if (q < 0) q += 360;
    if (q2 < 0) q2 += 360;
    const double s = q * kThird, s2 = q2 * kThird;
    // Cusps 2, 3, 5 and 6 and their opposites; the angles (1, 4, 7, 10)
    // come from the fix-up.
    double c[13] = {};
    c[2] = Reduce360(asc + s2);
    c[3] = Reduce360(asc + 2 * s2);
    c[5] = Reduce360(ic + s);
    c[6] = Reduce360(ic + 2 * s);
    for (int k : {2, 3, 5, 6}) {
        c[k + 6] = AddKeeping360(c[k], 180);
        if (c[k] < 0) c[k] += 360;
        if (c[k + 6] < 0) c[k + 6] += 360;
    }
    FixAngles(c, asc, mc);
    std::copy(c + 1, c + 13, Cusps + 1);
}

// Meridian houses: equal steps of right ascension carried to the ecliptic
// along declination circles.  Lat is not used; no arc-minute and no
// fix-up, so cusp 1 is the East Point.  Degrees, to a few units of double
// rounding.
void MeridHouse(double *Cusps, int32_t CuspsHigh, double LST, double /*Lat*/, double Obl, double Offset)
{
    if (!HasElement(Cusps, CuspsHigh, 12)) return;
    EquatorialHouses(Cusps, LST, Obl, Offset, false);
}

// Morinus houses: equal steps of right ascension carried to the ecliptic
// along circles through the ecliptic poles.  Lat is not used.  Degrees, to
// a few units of double rounding.
void MorHouse(double *Cusps, int32_t CuspsHigh, double LST, double /*Lat*/, double Obl, double Offset)
{
    if (!HasElement(Cusps, CuspsHigh, 12)) return;
    EquatorialHouses(Cusps, LST, Obl, Offset, true);
}

// The arc in degrees from A forward (in the order of the signs) to B, in
// [0, 360) for cusps in [0, 360).  Exact.
double GetHouseSize(double A, double B)
{
    if (B < A) B += 360;
    return B - A;
}

}  // extern "C"
