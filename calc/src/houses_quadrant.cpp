// Quadrant house systems: Placidus, Koch, Topocentric, Regiomontanus and
// Campanus, and the angle fix-up they share with Porphyry.
//
// Inputs: LST in hours, Lat in degrees, Obl in radians, Offset in degrees.
// Each routine computes all twelve cusps into a local array and copies them
// out only at the end, so a short or missing array is never touched.  The
// arithmetic follows the house formulas step by step, the reductions
// included (Int and FU truncate toward zero, so a negative offset can leave
// negative cusps).  RAMC and the latitude in radians are extended
// products, rounded, where a routine needs them (the Placidus iteration
// and the rare exact paths of the others); everything else is in doubles:
// the sines and cosines of both start from double products, the
// radians-to-degrees step of a cusp rounds twice where an extended one
// rounds once (under 1e-13 degrees apart), and the reductions and
// half-turns are exact.  The x87 round trip an extended step costs was most
// of a cusp's latency.  NaN marks a cusp without a solution.
#include "arcsin_real6.h"
#include "fast_trig.h"
#include "fast_trig_pairs.h"
#include "internal.h"
#include "placidus_lanes.h"

#include <algorithm>

namespace qv {

// Right ascension of the midheaven in radians, from sidereal time in hours.
double HouseRamc(double lst)
{
    return static_cast<double>(lst * 15.0L * kDegToRadL);
}

// The sines and cosines start from products in doubles, not from the
// extended RAMC and latitude: an x87 product and its round trip take
// longer than the sine itself.  Either way the argument is within an ulp
// of the exact one.
HouseFrame::HouseFrame(double lst, double lat, double obl, double offset)
    : lst(lst), lat(lat), offset(offset), ramcSin(FastSinCos(lst * kHoursToRad)),
      phiSin(FastSinCos(lat * kDegToRad)), oblSin(FastSinCos(obl))
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

// The iteration with k as the C library gives it, on up to four lanes (a
// test hook).
void PlacidusLanes(int lanes, const double *base, const double *f, double k, double *x, int32_t *rounds)
{
    double b[kPlacidusLanes], g[kPlacidusLanes], y[kPlacidusLanes];
    int32_t r[kPlacidusLanes];
    for (int l = 0; l < kPlacidusLanes; ++l) {
        b[l] = base[l < lanes ? l : 0];
        g[l] = f[l < lanes ? l : 0];
    }
    PlacidusK exact = PlacidusK::Exact(k);
    IteratePlacidus(b, g, exact, y, r);
    for (int l = 0; l < lanes && l < kPlacidusLanes; ++l) {
        x[l] = y[l];
        if (rounds) rounds[l] = r[l];
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
[[gnu::always_inline]] inline double PoleCusp(SinCosPair x, double tanPole, SinCosPair obl)
{
    return FastQuadrantOf(x.s, x.c * obl.c - tanPole * obl.s, x.s);
}

// The house circles of Campanus: H = 30i + 60 degrees plus a millionth of
// a degree (which keeps tan H finite at 90 and 270), by their sines and
// tangents.
struct HouseCircles {
    double sinH[13], tanH[13];
};

HouseCircles MakeCircles(long double extra)
{
    HouseCircles c{};
    for (int i = 1; i <= 12; ++i) {
        const double h = static_cast<double>((30.0L * i + 60 + extra) * kDegToRadL);
        c.sinH[i] = std::sin(h);
        c.tanH[i] = std::tan(h);
    }
    return c;
}

// Cusps h0 and h1 (lanes 0 and 1) and their opposites from longitudes lam
// in radians, as Regiomontanus and Campanus reduce them: false, with
// nothing written, unless `served` (LaneBits) and the reductions hold for
// both lanes.
[[gnu::always_inline]] inline bool StorePair(double *c, int h0, int h1, DoublePair lam, int served, double offset)
{
    int cuspServed, oppositeServed;
    const DoublePair cusp = Reduce360Pair(lam * kRadToDeg + offset, &cuspServed);
    const DoublePair opposite = Reduce360Pair(OppositeOfPair(lam) * kRadToDeg + offset, &oppositeServed);
    if ((served & cuspServed & oppositeServed) != kBothLanes) return false;
    c[h0] = cusp[0];
    c[h1] = cusp[1];
    c[h0 + 6] = opposite[0];
    c[h1 + 6] = opposite[1];
    return true;
}

void CopyOut(double *Cusps, const double *c)
{
    std::copy(c + 1, c + 13, Cusps + 1);
}

}  // namespace

extern "C" {

// Placidus cusps by iteration on the semi-arcs.  Degrees; the intermediate
// cusps carry the error of the 0.001 radian stopping rule (up to 0.01
// degrees at latitude 30, 0.035 at 51.5 and 0.12 near the polar circles)
// and are NaN where they do not exist.  Angles exact as in AsMcCalc.
void PlacHouse(double *Cusps, int32_t CuspsHigh, double LST, double Lat, double Obl, double Offset)
{
    if (!HasElement(Cusps, CuspsHigh, 12)) return;
    const HouseFrame frame(LST, Lat, Obl, Offset);
    const double ramc = frame.Ramc(), phi = frame.Phi();

    const double cosObl = frame.oblSin.c;
    const double k = frame.TanPhi() * (frame.oblSin.s / cosObl);
    PlacidusK placidusK(k, phi, Obl);
    const double first = PlacidusFirstArcSin(placidusK);
    double asc, mc;
    frame.Angles(&asc, &mc);
    double c[13] = {};
    // Houses 1 and 4 (and their opposites) are replaced by the fix-up, so
    // their iterations, the slowest of all, are not run: the cusps written
    // are the same either way.
    constexpr int kHouses[kPlacidusLanes] = {2, 3, 5, 6};
    double base[kPlacidusLanes], f[kPlacidusLanes], ra[kPlacidusLanes];
    for (int l = 0; l < kPlacidusLanes; ++l) {
        const int i = kHouses[l];
        f[l] = (std::abs(i - 7) - 3) / 3.0;
        base[l] = ramc + static_cast<double>((i + 2) * 30 * kDegToRadL);
    }
    // k as the C library gives it narrows the rounds' midpoint window four
    // times; its two tangents run alongside the first arcsine and the angles.
    placidusK.Exact();
    SinCosPair sines[kPlacidusLanes];
    IteratePlacidus(base, f, placidusK, first, ra, nullptr, sines);
    // The arctangent gives -90..90 degrees; whole half-turns of X bring the
    // longitude into X's half of the circle.
    const auto cusp = [&](int l) {
        const int i = kHouses[l];
        const double x = ra[l];
        const double turns = std::trunc((x * kRadToDeg + 90) * (1.0 / 180));
        const SinCosPair sx = sines[l];  // FastSinCos(x)
        double lam = FastAtanOf(sx.s, sx.c * cosObl) * kRadToDeg - 180 * turns;
        lam = ReduceTowardZero(lam);
        c[i] = lam;
        c[i + 6] = ReduceTowardZero(lam + 180);
    };
    // Lanes 0 and 1, then 2 and 3, converted two at once (each lane the
    // one-lane cusp's doubles); a pair off the fast path goes one by one.
    const auto pair = [&](int l) __attribute__((always_inline)) {
        const DoublePair x = {ra[l], ra[l + 1]};
        int truncated, atan, reduced, opposite;
        const DoublePair turns = TruncPair((x * kRadToDeg + 90) * (1.0 / 180), &truncated);
        const SinCosLanes sx = {DoublePair{sines[l].s, sines[l + 1].s}, DoublePair{sines[l].c, sines[l + 1].c}};
        const DoublePair lam =
            ReduceTowardZeroPair(AtanOfPair(sx.s, sx.c * cosObl, &atan) * kRadToDeg - 180 * turns, &reduced);
        const DoublePair next = ReduceTowardZeroPair(lam + 180, &opposite);
        if ((truncated & atan & reduced & opposite) == kBothLanes) {
            c[kHouses[l]] = lam[0];
            c[kHouses[l + 1]] = lam[1];
            c[kHouses[l] + 6] = next[0];
            c[kHouses[l + 1] + 6] = next[1];
            return;
        }
        cusp(l);
        cusp(l + 1);
    };
    pair(0);
    pair(2);
    for (int i = 1; i <= 12; ++i) {
        const double v = c[i] + Offset;
        c[i] = v < 0 ? v + 360 : v;
    }
    FixAngles(c, asc, mc);
    CopyOut(Cusps, c);
}

// Koch cusps: trisected diurnal semi-arc of the Midheaven degree, taken as
// oblique ascensions under the geographic pole.  Degrees, exact to about
// 1e-10 degrees (the ascensional difference is held at Real6 precision);
// NaN beyond the polar circles where the Midheaven never rises.
void KochHouse(double *Cusps, int32_t CuspsHigh, double LST, double Lat, double Obl, double Offset)
{
    if (!HasElement(Cusps, CuspsHigh, 12)) return;
    const HouseFrame frame(LST, Lat, Obl, Offset);

    const SinCosPair obl = frame.oblSin;
    const double tanPhi = frame.TanPhi();
    // The ascensional difference is rounded to Real6 by the arcsine, so its
    // argument is taken exactly as the C library gives it near a midpoint.
    const double ad = ArcSinReal6OfProduct(tanPhi * (obl.s / obl.c) * frame.ramcSin.s, [&] {
        return std::tan(frame.Phi()) * std::tan(Obl) * std::sin(frame.Ramc());
    });
    double asc, mc;
    frame.Angles(&asc, &mc);
    // Oblique ascensions RAMC - AD + i (90 + AD) / 3 give houses 10, 11,
    // 12, 1, 2, 3 (i = 0..5) and their opposites; 10 and 1 are the angles,
    // which the fix-up sets.  They lie (i - 3) AD / 3 from RAMC + i 30
    // degrees, so their sines and cosines come by the sum formulas from
    // those of RAMC turned by i 30 degrees (which do not wait for AD) and of
    // AD / 3 and 2 AD / 3: no sine of a large angle after the arcsine.
    const SinCosPair third = SmallSinCos(ad * (1.0 / 3));  // |AD| <= pi/2
    const SinCosPair twoThirds = {2 * third.s * third.c, (third.c - third.s) * (third.c + third.s)};
    const SinCosPair r = frame.ramcSin;
    double c[13];
    // House `house` at `shift` from RAMC + i 30 degrees, turn = i 30 degrees.
    const auto cusp = [&](int house, int i, SinCosPair turn, SinCosPair shift) __attribute__((always_inline)) {
        const SinCosPair turned = {r.s * turn.c + r.c * turn.s, r.c * turn.c - r.s * turn.s};
        const SinCosPair x =
            FastSinCosSum(turned, shift, [&] { return frame.Ramc() + (i * ((kPi / 2 + ad) / 3) - ad); });
        const double deg = Reduce360(PoleCusp(x, tanPhi, obl) * kRadToDeg + Offset);
        c[house] = deg;
        c[house > 6 ? house - 6 : house + 6] = HalfTurnOn(deg);
    };
    // (i - 3) AD / 3 is -2, -1, 1 or 2 thirds of AD.  Houses 12 and 2 lie
    // at RAMC + 60 and 120 degrees less and plus AD / 3, houses 11 and 3 at
    // RAMC + 30 and 150 less and plus 2 AD / 3: each pair runs on two lanes
    // at once (the lanes give the one-lane cusp's doubles), the pair that
    // waits only on AD / 3 first.
    const auto pair = [&](int h0, int h1, double turnS, double turnC, SinCosPair shift) __attribute__((always_inline)) {
        const DoublePair ts = {turnS, turnS}, tc = {turnC, -turnC};
        const DoublePair ss = {-shift.s, shift.s}, sc = {shift.c, shift.c};
        const SinCosLanes turned = {r.s * tc + r.c * ts, r.c * tc - r.s * ts};
        const SinCosLanes x = {turned.s * sc + turned.c * ss, turned.c * sc - turned.s * ss};
        int quadrantServed, reduceServed;
        const DoublePair lam = QuadrantOfPair(x.s, x.c * obl.c - tanPhi * obl.s, &quadrantServed);
        const DoublePair deg = Reduce360Pair(lam * kRadToDeg + Offset, &reduceServed);
        if ((LaneBits(x.s * x.c != Both(0.0)) & quadrantServed & reduceServed) == kBothLanes) {
            const DoublePair opposite = HalfTurnOnPair(deg);
            c[h0] = deg[0];
            c[h1] = deg[1];
            c[h0 - 6] = opposite[0];
            c[h1 + 6] = opposite[1];
            return;
        }
        // A lane off the fast path: both cusps one at a time (house 12 or 11
        // is i = 2 or 1, house 2 or 3 is i = 4 or 5).
        cusp(h0, h0 - 10, {turnS, turnC}, {-shift.s, shift.c});
        cusp(h1, h1 + 2, {turnS, -turnC}, shift);
    };
    pair(12, 2, kHalfRoot3, 0.5, third);
    pair(11, 3, 0.5, kHalfRoot3, twoThirds);
    FixAngles(c, asc, mc);
    CopyOut(Cusps, c);
}

// Topocentric cusps: oblique ascensions 30 degrees apart under poles whose
// tangents are one, two and three thirds of tan(latitude).  Degrees, to a
// few units of double rounding; a derived cusp of exactly 360 stays 360.
void TopHouse(double *Cusps, int32_t CuspsHigh, double LST, double Lat, double Obl, double Offset)
{
    if (!HasElement(Cusps, CuspsHigh, 12)) return;
    const HouseFrame frame(LST, Lat, Obl, Offset);
    double asc, mc;
    frame.Angles(&asc, &mc);

    const SinCosPair obl = frame.oblSin;
    const double tanPhi = frame.TanPhi();
    const double t1 = tanPhi / 3, t2 = 2 * tanPhi / 3;
    // Oblique ascensions RAMC + 30, 60, 120 and 150 degrees give the
    // opposites of houses 11 and 12 and houses 2 and 3, each by the sum
    // formulas from RAMC and k 30 degrees; the angles (1 and 4, with 7 and
    // 10) come from the fix-up.
    constexpr double kSixth = kPi / 6;
    constexpr SinCosPair kSixths[6] = {{0, 1},          {0.5, kHalfRoot3},  {kHalfRoot3, 0.5},
                                       {1, 0},          {kHalfRoot3, -0.5}, {0.5, -kHalfRoot3}};
    double c[13] = {};
    // Half a turn on, less a turn only ABOVE 360: a derived cusp of exactly
    // 360 stays 360.
    const auto cusp = [&](int house, int k, double tanPole, bool opposite) {
        const SinCosPair x = FastSinCosSum(frame.ramcSin, kSixths[k], [&] { return frame.Ramc() + k * kSixth; });
        const double lam = PoleCusp(x, tanPole, obl);
        const double deg = Reduce360((opposite ? OppositeOf(lam) : lam) * kRadToDeg + Offset);
        c[house] = deg;
        c[house + 6] = deg > 180 ? deg - 180 : deg + 180;
    };
    // Houses 5 and 6 (the opposites of 11 and 12), then 2 and 3, two lanes
    // at once (each lane the one-lane cusp's doubles); a pair off the fast
    // path goes one by one.
    const SinCosPair r = frame.ramcSin;
    const auto pair = [&](int h0, int k0, double tan0, int h1, int k1, double tan1, bool opposite)
                          __attribute__((always_inline)) {
        const DoublePair ks = {kSixths[k0].s, kSixths[k1].s}, kc = {kSixths[k0].c, kSixths[k1].c};
        const SinCosLanes x = {r.s * kc + r.c * ks, r.c * kc - r.s * ks};
        int served, reduced;
        DoublePair lam = QuadrantOfPair(x.s, x.c * obl.c - DoublePair{tan0, tan1} * obl.s, &served);
        if (opposite) lam = OppositeOfPair(lam);
        const DoublePair deg = Reduce360Pair(lam * kRadToDeg + Offset, &reduced);
        if ((served & reduced & LaneBits(x.s * x.c != Both(0.0))) == kBothLanes) {
            const DoublePair next = AddWhere(deg, deg > Both(180.0), Both(-180.0), Both(180.0));
            c[h0] = deg[0];
            c[h1] = deg[1];
            c[h0 + 6] = next[0];
            c[h1 + 6] = next[1];
            return;
        }
        cusp(h0, k0, tan0, opposite);
        cusp(h1, k1, tan1, opposite);
    };
    pair(5, 1, t1, 6, 2, t2, true);
    pair(2, 4, t2, 3, 5, t1, false);
    FixAngles(c, asc, mc);
    CopyOut(Cusps, c);
}

// Regiomontanus cusps: the celestial equator cut into twelve 30-degree arcs
// from the meridian, each carried to the ecliptic along the great circle
// through the north and south points of the horizon.  Degrees, to a few
// units of double rounding.  Circles half a turn apart give opposite
// cusps, so houses 2, 3, 5 and 6 are computed and 8, 9, 11 and 12 follow.
void RegHouse(double *Cusps, int32_t CuspsHigh, double LST, double Lat, double Obl, double Offset)
{
    if (!HasElement(Cusps, CuspsHigh, 12)) return;
    const HouseFrame frame(LST, Lat, Obl, Offset);
    double asc, mc;
    frame.Angles(&asc, &mc);

    const SinCosPair obl = frame.oblSin;
    const double tpso = frame.TanPhi() * obl.s;
    const SinCosPair r = frame.ramcSin;
    double c[13];
    const auto cusp = [&](int i) {
        const SinCosPair x =
            FastSinCosSum(r, kHouseCircleSines[i], [&] { return frame.Ramc() + kHouseCircleAngles[i]; });
        const double lam = FastQuadrantOf(x.s, x.c * obl.c - kHouseCircleSines[i].s * tpso, x.s);
        c[i] = Reduce360(lam * kRadToDeg + Offset);
        c[i + 6] = Reduce360(OppositeOf(lam) * kRadToDeg + Offset);
    };
    // Houses 2 and 3, then 5 and 6, two lanes at once (each lane the
    // one-lane cusp's doubles); a pair off the fast path goes one by one.
    const auto pair = [&](int h0, int h1) __attribute__((always_inline)) {
        const SinCosPair k0 = kHouseCircleSines[h0], k1 = kHouseCircleSines[h1];
        const DoublePair ks = {k0.s, k1.s}, kc = {k0.c, k1.c};
        const SinCosLanes x = {r.s * kc + r.c * ks, r.c * kc - r.s * ks};
        int served;
        const DoublePair lam = QuadrantOfPair(x.s, x.c * obl.c - ks * tpso, &served);
        if (!StorePair(c, h0, h1, lam, served & LaneBits(x.s * x.c != Both(0.0)), Offset)) {
            cusp(h0);
            cusp(h1);
        }
    };
    pair(2, 3);
    pair(5, 6);
    FixAngles(c, asc, mc);
    CopyOut(Cusps, c);
}

// Campanus cusps: the prime vertical cut into twelve 30-degree arcs from the
// zenith, carried to the ecliptic along great circles through the north and
// south points.  Latitude comes BEFORE sidereal time.  Degrees; the
// millionth of a degree added to each division (to keep its tangent finite)
// shifts the cusps by about 1e-6 degrees.  As for Regiomontanus, houses 8,
// 9, 11 and 12 are the opposites of 2, 3, 5 and 6.
void CampHouse(double *Cusps, int32_t CuspsHigh, double Lat, double LST, double Obl, double Offset)
{
    if (!HasElement(Cusps, CuspsHigh, 12)) return;
    const HouseFrame frame(LST, Lat, Obl, Offset);
    double asc, mc;
    frame.Angles(&asc, &mc);

    static const HouseCircles circles = MakeCircles(0.000001L);
    const SinCosPair obl = frame.oblSin, p = frame.phiSin, r = frame.ramcSin;
    const double sotp = obl.s * frame.TanPhi();
    double c[13] = {};
    // Where the house circle crosses the equator: t = arctan(tan H cos lat)
    // in H's half of the circle, so tan t = q.  The cusp is Quadrant(sin(RAMC
    // + t) / (cos obl cos(RAMC + t) - sotp sin t), sin(RAMC + t)); by the sum
    // formulas every term there is a multiple of cos t, which leaves sums in
    // q alone once divided out.  The sign of cos t stays: negative when the
    // quadrant step turns t by one half-turn.
    const auto cusp = [&](int i) {
        const double q = circles.tanH[i] * p.c;
        const double sign = (q < 0) != (circles.sinH[i] < 0) ? -1 : 1;
        const double sx = sign * (r.s + r.c * q), cx = sign * (r.c - r.s * q);
        double lam;
        if (sx != 0 && cx != 0) {
            lam = FastQuadrantOf(sx, obl.c * cx - sotp * (sign * q), sx);
        } else {
            // A sum that cancels to exactly 0 would leave the half-turn to the
            // sign of a zero: the angles themselves decide it.
            const double t = FastQuadrant(q, circles.sinH[i]);
            const SinCosPair x = FastSinCos(frame.Ramc() + t), st = FastSinCos(t);
            lam = FastQuadrantOf(x.s, obl.c * x.c - sotp * st.s, x.s);
        }
        c[i] = Reduce360(lam * kRadToDeg + Offset);
        c[i + 6] = Reduce360(OppositeOf(lam) * kRadToDeg + Offset);
    };
    // Houses 2 and 3, then 5 and 6, two lanes at once (each lane the
    // one-lane cusp's doubles); a pair off the fast path goes one by one.
    const auto pair = [&](int h0, int h1) __attribute__((always_inline)) {
        const DoublePair q = DoublePair{circles.tanH[h0], circles.tanH[h1]} * p.c;
        const MaskPair negativeH = {circles.sinH[h0] < 0 ? -1 : 0, circles.sinH[h1] < 0 ? -1 : 0};
        const DoublePair sign = (DoublePair)((MaskPair)Both(1.0) | (((q < Both(0.0)) ^ negativeH) & fast_trig::kSignBits));
        const DoublePair sx = sign * (r.s + r.c * q), cx = sign * (r.c - r.s * q);
        int served;
        const DoublePair lam = QuadrantOfPair(sx, obl.c * cx - sotp * (sign * q), &served);
        served &= LaneBits(sx != Both(0.0)) & LaneBits(cx != Both(0.0));
        if (!StorePair(c, h0, h1, lam, served, Offset)) {
            cusp(h0);
            cusp(h1);
        }
    };
    pair(2, 3);
    pair(5, 6);
    FixAngles(c, asc, mc);
    CopyOut(Cusps, c);
}

}  // extern "C"
