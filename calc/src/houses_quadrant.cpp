// Quadrant house systems: Placidus, Koch, Topocentric, Regiomontanus and
// Campanus, and the angle fix-up they share with Porphyry.
//
// The methods and their formulas are those of R. W. Holden, "The Elements
// of House Division" (1977); the transformations between equatorial and
// ecliptic coordinates are those of J. Meeus, "Astronomical Algorithms"
// (2nd ed., 1998), chapter 13.
//
// Inputs: LST in hours, Lat in degrees, Obl in radians, Offset in degrees.
// Each routine computes all twelve cusps into a local array and copies them
// out only at the end, so a short or missing array is never touched.  Cusps
// are reduced by whole turns toward zero (std::trunc of the quotient by
// 360), so a negative offset can leave negative cusps.  RAMC and the
// latitude in radians are extended products, rounded, where a routine
// needs them (the Placidus iteration and the rare exact paths of the
// others); everything else is in doubles: the sines and cosines of both
// start from double products, the radians-to-degrees step of a cusp rounds
// twice where an extended one rounds once (under 1e-13 degrees apart), and
// the reductions and half-turns are exact.  NaN marks a cusp without a
// solution.
#include "arcsin_real6.h"
#include "fast_trig.h"
#include "internal.h"

#include <algorithm>

namespace qv {

// Right ascension of the midheaven in radians, from sidereal time in hours.
double HouseRamc(double lst)
{
    return static_cast<double>(lst * 15.0L * kDegToRadL);
}

// The sines and cosines start from products in doubles, not from the
// extended RAMC and latitude: either way the argument is within an ulp of
// the exact one.
HouseFrame::HouseFrame(double lst, double lat, double obl, double offset)
    : Lst(lst), Lat(lat), Offset(offset), RamcSin(FastSinCos(lst * kHoursToRad)),
      PhiSin(FastSinCos(lat * kDegToRad)), OblSin(FastSinCos(obl))
{
}

// Cusps 1, 4, 7 and 10 from the Ascendant and Midheaven of AsMcCalc, so that
// every quadrant system shows the same angles whatever its own formulas gave
// for them.  Degrees; the opposite points are brought below 360 once.
void FixAngles(double *cusps, double asc, double mc)
{
    cusps[1] = asc;
    cusps[10] = mc;
    cusps[7] = HalfTurnOn(asc);
    cusps[4] = HalfTurnOn(mc);
}

namespace {

// A product k sin X whose 13 low bits lie within this many ulps of a Real6
// midpoint takes the C library's product, which decides the rounding: the
// table sine's product is within 5 ulps of it (the sine's two, and the
// roundings).
constexpr int64_t kNearMidpointUlps = 16;
constexpr int32_t kPlacidusRounds = 100000;

// sin x from the table; its kernel alone below 2^19: the sign it loses on
// a zero sine makes no difference to the arcsine.
double PlacidusSin(double x)
{
    return std::fabs(x) < fast_trig::kLimit ? FastSinCosBelowLimit(x).Sin : std::sin(x);
}

// ArcSinReal6(k sin x), given the table's sinX.
double PlacidusArcSin(double k, double x, double sinX)
{
    return ArcSinReal6OfProduct(k * sinX, [&] { return k * std::sin(x); }, kNearMidpointUlps);
}

}  // namespace

// Right ascensions X (radians) of n <= 4 Placidus cusps: for each, the
// fixed-point iteration X' = base + f ArcSinReal6(k sin X) from X = 1
// until two iterates lie within 0.001 radians; the result is the last
// iterate.  The first round's product is kFirst sin 1 where it lies more
// than 64 ulps from a Real6 midpoint, k sin 1 where it does not.  The
// cusps advance side by side, each step of a round taken for every cusp
// before the next step: each cusp is a chain of dependent steps, and
// independent steps that stand close together overlap in the processor.
// A cusp that has settled drops out.  NaN where an iterate has no arcsine
// (beyond the polar circles) or the cusp has not settled after
// kPlacidusRounds; rounds (may be null) receives each cusp's count.
void IteratePlacidus(int n, const double *base, const double *f, double kFirst, double k, double *x,
                     int32_t *rounds)
{
    constexpr int kMaxCusps = 4;
    n = std::clamp(n, 0, kMaxCusps);
    const double first = ArcSinReal6OfProduct(kFirst * std::sin(1.0), [&] { return k * std::sin(1.0); }, 64);
    double arcSin[kMaxCusps], last[kMaxCusps], next[kMaxCusps], sinX[kMaxCusps];
    int running[kMaxCusps];  // the cusps still iterating: running[0 .. left - 1]
    for (int l = 0; l < n; ++l) {
        arcSin[l] = first;
        last[l] = 1.0;
        running[l] = l;
    }
    for (int32_t round = 1, left = n; left > 0; ++round) {
        int kept = 0;
        // Four cusps at most: unrolled, each step's cusps stand side by side.
#pragma GCC unroll 4
        for (int j = 0; j < left; ++j) {
            const int l = running[j];
            next[l] = base[l] + f[l] * arcSin[l];
            // For a double difference ">= 0.001" is exactly "> 0.001" taken
            // in extended precision (no double lies between the two
            // constants).  A NaN iterate fails it and ends as NaN.
            const bool settled = !(std::fabs(next[l] - last[l]) >= 0.001);
            if (settled || round == kPlacidusRounds) {
                x[l] = settled ? next[l] : NAN;
                if (rounds) rounds[l] = round;
                continue;
            }
            last[l] = next[l];
            running[kept++] = l;
        }
        left = kept;
#pragma GCC unroll 4
        for (int j = 0; j < left; ++j) sinX[running[j]] = PlacidusSin(next[running[j]]);
#pragma GCC unroll 4
        for (int j = 0; j < left; ++j) {
            const int l = running[j];
            arcSin[l] = PlacidusArcSin(k, next[l], sinX[l]);
        }
    }
}

}  // namespace qv

using namespace qv;

namespace {

// Ecliptic longitude (radians, 0..2pi) of the point of oblique ascension x
// under the pole whose tangent is tanPole: the Ascendant formula of a place
// at that latitude, as Koch and Topocentric use it.  With a = arctan(tanPole
// / cos x) the quotient cos a tan x / cos(a + obl) is, after cancelling
// cos a (always positive), sin x / (cos x cos obl - tanPole sin obl): the
// same quotient with the same sign, without the pole's own angle.
double PoleCusp(SinCosPair x, double tanPole, SinCosPair obl)
{
    return FastQuadrantOf(x.Sin, x.Cos * obl.Cos - tanPole * obl.Sin, x.Sin);
}

// Sines and cosines of k 30 degrees, k = 0..5.
constexpr SinCosPair kSixths[6] = {{0, 1}, {0.5, kHalfRoot3}, {kHalfRoot3, 0.5},
                                   {1, 0}, {kHalfRoot3, -0.5}, {0.5, -kHalfRoot3}};

void CopyOut(double *Cusps, const double *c)
{
    std::copy(c + 1, c + 13, Cusps + 1);
}

}  // namespace

extern "C" {

// Placidus cusps (Holden, ch. "Placidus"): the cusp of house i lies where
// a point of the ecliptic has covered the fraction f = (|i - 7| - 3) / 3
// of its semi-arc, that is at right ascension X = RAMC + (i + 2) 30 degrees
// + f AD(X), where sin AD = tan(lat) tan(decl) = k sin X with k = tan(lat)
// tan(obl); its longitude is arctan(tan X / cos obl) in X's half of the
// circle.  Degrees; the intermediate cusps carry the error of the 0.001
// radian stopping rule (up to 0.01 degrees at latitude 30, 0.035 at 51.5
// and 0.12 near the polar circles) and are NaN where they do not exist.
// Angles exact as in AsMcCalc.
void PlacHouse(double *Cusps, int32_t CuspsHigh, double LST, double Lat, double Obl, double Offset)
{
    if (!HasElement(Cusps, CuspsHigh, 12)) return;
    const HouseFrame frame(LST, Lat, Obl, Offset);

    // k as the C library gives it: the products k sin X are rounded to
    // Real6, and near a rounding midpoint an ulp of k decides.  The first
    // round takes k from the frame's sines and cosines (the latitude as a
    // double product) away from a midpoint.
    const double k = std::tan(frame.Phi()) * std::tan(Obl);
    const double kFirst = frame.TanPhi() * (frame.OblSin.Sin / frame.OblSin.Cos);
    // Houses 1 and 4 (and their opposites) are replaced by the fix-up, so
    // their iterations, the slowest of all, are not run.
    // House i starts from RAMC + (i + 2) 30 degrees and covers the fraction
    // (|i - 7| - 3) / 3 of its semi-arc.
    constexpr int kHouses[4] = {2, 3, 5, 6};
    constexpr double kFractions[4] = {2 / 3.0, 1 / 3.0, -1 / 3.0, -2 / 3.0};
    constexpr double kTurns[4] = {static_cast<double>(120 * kDegToRadL), static_cast<double>(150 * kDegToRadL),
                                  static_cast<double>(210 * kDegToRadL), static_cast<double>(240 * kDegToRadL)};
    const double ramc = frame.Ramc();
    double base[4], ra[4];
    for (int l = 0; l < 4; ++l) base[l] = ramc + kTurns[l];
    IteratePlacidus(4, base, kFractions, kFirst, k, ra, nullptr);

    double c[13] = {};
    for (int l = 0; l < 4; ++l) {
        // The arctangent gives -90..90 degrees, less whole half-turns of X;
        // reduced toward zero, and a negative sum with the offset comes up
        // by a turn, which leaves the longitude in X's half of the circle.
        const int i = kHouses[l];
        const double turns = std::trunc((ra[l] * kRadToDeg + 90) * (1.0 / 180));
        const SinCosPair x = FastSinCos(ra[l]);
        const double lam = ReduceTowardZero(FastAtanOf(x.Sin, x.Cos * frame.OblSin.Cos) * kRadToDeg - 180 * turns);
        c[i] = lam;
        c[i + 6] = ReduceTowardZero(lam + 180);
    }
    for (int i = 1; i <= 12; ++i) {
        const double v = c[i] + Offset;
        c[i] = v < 0 ? v + 360 : v;
    }
    // The angles only replace cusps 1, 4, 7 and 10: taken last, after the
    // iteration that everything else waits on.
    double asc, mc;
    frame.Angles(&asc, &mc);
    FixAngles(c, asc, mc);
    CopyOut(Cusps, c);
}

// Koch cusps (Holden, ch. "Koch"): the diurnal semi-arc of the Midheaven
// degree trisected, RAMC - AD + i (90 + AD) / 3 for i = 0..5 (houses 10,
// 11, 12, 1, 2, 3), each taken as an oblique ascension under the
// geographic pole; AD is the Midheaven degree's ascensional difference,
// sin AD = tan(lat) tan(obl) sin RAMC.  Degrees, exact to about 1e-10
// degrees (the ascensional difference is held at Real6 precision); NaN
// beyond the polar circles where the Midheaven never rises.
void KochHouse(double *Cusps, int32_t CuspsHigh, double LST, double Lat, double Obl, double Offset)
{
    if (!HasElement(Cusps, CuspsHigh, 12)) return;
    const HouseFrame frame(LST, Lat, Obl, Offset);
    const SinCosPair obl = frame.OblSin;
    const double tanPhi = frame.TanPhi();
    // The ascensional difference is rounded to Real6 by the arcsine, so its
    // argument is taken exactly as the C library gives it near a midpoint.
    const double ad = ArcSinReal6OfProduct(
        tanPhi * (obl.Sin / obl.Cos) * frame.RamcSin.Sin,
        [&] { return std::tan(frame.Phi()) * std::tan(Obl) * std::sin(frame.Ramc()); }, 64);
    double asc, mc;
    frame.Angles(&asc, &mc);

    // Oblique ascension i lies (i - 3) AD / 3 from RAMC + i 30 degrees, so
    // its sine and cosine come by the sum formulas from those of RAMC
    // turned by i 30 degrees and of (i - 3) AD / 3.  Houses 10 and 1 (i = 0
    // and 3) are the angles, which the fix-up sets; the others give their
    // opposites too.
    const SinCosPair third = SmallSinCos(ad * (1.0 / 3));  // |AD| <= pi/2
    const SinCosPair twoThirds = {2 * third.Sin * third.Cos, (third.Cos - third.Sin) * (third.Cos + third.Sin)};
    const SinCosPair r = frame.RamcSin;
    double c[13];
    for (int i : {1, 2, 4, 5}) {
        const int house = (i + 9) % 12 + 1;
        const SinCosPair shift = std::abs(i - 3) == 1 ? third : twoThirds;
        const SinCosPair signedShift = {i < 3 ? -shift.Sin : shift.Sin, shift.Cos};
        const SinCosPair turn = kSixths[i];
        const SinCosPair turned = {r.Sin * turn.Cos + r.Cos * turn.Sin, r.Cos * turn.Cos - r.Sin * turn.Sin};
        const SinCosPair x =
            FastSinCosSum(turned, signedShift, [&] { return frame.Ramc() + (i * ((kPi / 2 + ad) / 3) - ad); });
        const double deg = Reduce360(PoleCusp(x, tanPhi, obl) * kRadToDeg + Offset);
        c[house] = deg;
        c[house > 6 ? house - 6 : house + 6] = HalfTurnOn(deg);
    }
    FixAngles(c, asc, mc);
    CopyOut(Cusps, c);
}

// Topocentric cusps (Holden, ch. "Topocentric"): oblique ascensions RAMC +
// 30, 60, 120 and 150 degrees under poles whose tangents are one, two, two
// and one thirds of tan(latitude); the first two give the opposites of
// houses 11 and 12 (houses 5 and 6), the others houses 2 and 3.  Degrees,
// to a few units of double rounding; a derived cusp of exactly 360 stays
// 360.
void TopHouse(double *Cusps, int32_t CuspsHigh, double LST, double Lat, double Obl, double Offset)
{
    if (!HasElement(Cusps, CuspsHigh, 12)) return;
    const HouseFrame frame(LST, Lat, Obl, Offset);
    double asc, mc;
    frame.Angles(&asc, &mc);

    const double tanPhi = frame.TanPhi();
    const double t1 = tanPhi / 3, t2 = 2 * tanPhi / 3;
    struct Cusp {
        int House, Sixths;
        double TanPole;
        bool Opposite;
    };
    const Cusp cusps[4] = {{5, 1, t1, true}, {6, 2, t2, true}, {2, 4, t2, false}, {3, 5, t1, false}};
    double c[13] = {};
    for (const Cusp &p : cusps) {
        const SinCosPair x = FastSinCosSum(frame.RamcSin, kSixths[p.Sixths],
                                           [&] { return frame.Ramc() + p.Sixths * (kPi / 6); });
        const double lam = PoleCusp(x, p.TanPole, frame.OblSin);
        const double deg = Reduce360((p.Opposite ? OppositeOf(lam) : lam) * kRadToDeg + Offset);
        c[p.House] = deg;
        // Half a turn on, less a turn only above 360: a derived cusp of
        // exactly 360 stays 360.
        c[p.House + 6] = deg > 180 ? deg - 180 : deg + 180;
    }
    FixAngles(c, asc, mc);
    CopyOut(Cusps, c);
}

// Regiomontanus cusps (Holden, ch. "Regiomontanus"): the celestial equator
// cut into twelve 30-degree arcs from the meridian, each carried to the
// ecliptic along the great circle through the north and south points of
// the horizon: the cusp at equator point RAMC + H (H = 30i + 60 degrees)
// is arctan(sin(RAMC + H) / (cos(RAMC + H) cos obl - sin H tan(lat) sin
// obl)).  Degrees, to a few units of double rounding.  Circles half a turn
// apart give opposite cusps, so houses 2, 3, 5 and 6 are computed and 8,
// 9, 11 and 12 follow.
void RegHouse(double *Cusps, int32_t CuspsHigh, double LST, double Lat, double Obl, double Offset)
{
    if (!HasElement(Cusps, CuspsHigh, 12)) return;
    const HouseFrame frame(LST, Lat, Obl, Offset);
    double asc, mc;
    frame.Angles(&asc, &mc);

    const SinCosPair obl = frame.OblSin;
    const double tpso = frame.TanPhi() * obl.Sin;
    double c[13];
    for (int i : {2, 3, 5, 6}) {
        const SinCosPair h = kHouseCircleSines[i];
        const SinCosPair x = FastSinCosSum(frame.RamcSin, h, [&] { return frame.Ramc() + kHouseCircleAngles[i]; });
        const double lam = FastQuadrantOf(x.Sin, x.Cos * obl.Cos - h.Sin * tpso, x.Sin);
        c[i] = Reduce360(lam * kRadToDeg + Offset);
        c[i + 6] = Reduce360(OppositeOf(lam) * kRadToDeg + Offset);
    }
    FixAngles(c, asc, mc);
    CopyOut(Cusps, c);
}

// Campanus cusps (Holden, ch. "Campanus"): the prime vertical cut into
// twelve 30-degree arcs from the zenith, carried to the ecliptic along
// great circles through the north and south points.  Latitude comes before
// sidereal time.  Degrees; the millionth of a degree added to each division
// (to keep its tangent finite) shifts the cusps by about 1e-6 degrees.  As
// for Regiomontanus, houses 8, 9, 11 and 12 are the opposites of 2, 3, 5
// and 6.
void CampHouse(double *Cusps, int32_t CuspsHigh, double Lat, double LST, double Obl, double Offset)
{
    if (!HasElement(Cusps, CuspsHigh, 12)) return;
    const HouseFrame frame(LST, Lat, Obl, Offset);
    double asc, mc;
    frame.Angles(&asc, &mc);

    // The house circles H = 30i + 60 degrees plus a millionth of a degree
    // (which keeps tan H finite at 90 and 270), by their sines and tangents.
    static const struct HouseCircles {
        double SinH[13], TanH[13];
        HouseCircles()
        {
            for (int i = 1; i <= 12; ++i) {
                const double h = static_cast<double>((30.0L * i + 60 + 0.000001L) * kDegToRadL);
                SinH[i] = std::sin(h);
                TanH[i] = std::tan(h);
            }
        }
    } circles;
    const SinCosPair obl = frame.OblSin, p = frame.PhiSin, r = frame.RamcSin;
    const double sotp = obl.Sin * frame.TanPhi();
    double c[13] = {};
    // Where the house circle crosses the equator: t = arctan(tan H cos lat)
    // in H's half of the circle, so tan t = q.  The cusp is Quadrant(sin(RAMC
    // + t) / (cos obl cos(RAMC + t) - sotp sin t), sin(RAMC + t)); by the sum
    // formulas every term there is a multiple of cos t, which leaves sums in
    // q alone once divided out.  The sign of cos t stays: negative when the
    // quadrant step turns t by one half-turn.
    for (int i : {2, 3, 5, 6}) {
        const double q = circles.TanH[i] * p.Cos;
        const double sign = (q < 0) != (circles.SinH[i] < 0) ? -1 : 1;
        const double sx = sign * (r.Sin + r.Cos * q), cx = sign * (r.Cos - r.Sin * q);
        double lam;
        if (sx != 0 && cx != 0) {
            lam = FastQuadrantOf(sx, obl.Cos * cx - sotp * (sign * q), sx);
        } else {
            // A sum that cancels to exactly 0 would leave the half-turn to the
            // sign of a zero: the angles themselves decide it.
            const double t = FastQuadrant(q, circles.SinH[i]);
            const SinCosPair x = FastSinCos(frame.Ramc() + t), st = FastSinCos(t);
            lam = FastQuadrantOf(x.Sin, obl.Cos * x.Cos - sotp * st.Sin, x.Sin);
        }
        c[i] = Reduce360(lam * kRadToDeg + Offset);
        c[i + 6] = Reduce360(OppositeOf(lam) * kRadToDeg + Offset);
    }
    FixAngles(c, asc, mc);
    CopyOut(Cusps, c);
}

}  // extern "C"
