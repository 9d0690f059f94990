// Whole routines against references written here from the textbook
// formulas, with the C library's sin, cos, tan and atan in place of the
// library's table trigonometry: AsMcCalc, the nine house systems and
// PlanetCalc, over 258,000 inputs drawn from named classes (the seams of
// sidereal time, the polar circles and the poles, negative and large
// offsets, NaN and infinite inputs among them).
//
// Sources of the formulas: J. Meeus, "Astronomical Algorithms" (2nd ed.,
// 1998), ch. 13 (ecliptic and equatorial coordinates, the Ascendant and
// Midheaven), ch. 30 (Kepler's equation); R. W. Holden, "The Elements of
// House Division" (1977) for the house systems.  Where the library rounds
// an intermediate value to Real6 or reduces toward zero, the reference does
// the same.
//
// Tolerance: the table sines and arctangents are within two ulps of the C
// library's, so each operand of a final arctangent is within a few units of
// 2^-52 times the largest term it sums; its angle then moves by at most
// that over the length of (numerator, denominator).  Every longitude is
// compared on the circle within 1e-9 degrees plus that bound (which only
// matters where the operands nearly vanish, as at the polar circles) plus
// four ulps of the offset added to it.  The Real6 roundings give the same
// values on both sides: near a Real6 midpoint the library takes the C
// library's product, which decides them.  NaN exactly where the library
// gives NaN.
#include "internal.h"
#include "planet_table.h"
#include "qvcalc32.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>

namespace {

using qv::kDegToRad;
using qv::kDegToRadL;
using qv::kPi;
using qv::kRadToDeg;

// ---- The comparison ----

// A reference longitude (degrees) and its tolerance.
struct Expected {
    double Value, Tolerance;
};

// The angle of (den, num) by the quadrant rule of the house routines (see
// qv::Quadrant), with the bound on its change when each operand is off by
// a few units of 2^-52 times `scale`.
struct Angle {
    double Radians, Slack;
};
Angle QuadrantOf(double num, double den, double sign, double scale)
{
    return {qv::Quadrant(num / den, sign), 8 * 0x1p-52 * scale / std::hypot(num, den)};
}

// Degrees plus the offset.  A cusp that the routine reduces by whole turns
// has no value when the sum is infinite.
Expected Degrees(Angle a, double offset, bool reduced = true)
{
    double deg = a.Radians * kRadToDeg + offset;
    if (reduced && std::isinf(deg)) deg = NAN;
    return {deg, 1e-9 + a.Slack * kRadToDeg + 4 * 0x1p-52 * (std::fabs(offset) + 720)};
}

// The first failure, as the input that gave it.
struct Failure {
    std::string Text;
    long Cases = 0;

    void Check(const char *routine, const char *inputClass, const double (&input)[4], int index, Expected want,
               double got)
    {
        ++Cases;
        if (!Text.empty()) return;
        const bool ok = std::isfinite(want.Value) && std::isfinite(got)
                            ? std::fabs(std::remainder(got - want.Value, 360.0)) <= want.Tolerance
                            : (std::isnan(want.Value) && std::isnan(got)) || want.Value == got;
        if (ok) return;
        char line[400];
        std::snprintf(line, sizeof line,
                      "%s (%s): LST %a, Lat %a, Obl %a, Offset %a, element %d: expected %a (within %a), got %a",
                      routine, inputClass, input[0], input[1], input[2], input[3], index, want.Value, want.Tolerance,
                      got);
        Text = line;
    }
};

// ---- The references ----

// ArcSinReal6 as the house formulas state it: the sine and the arcsine at
// Real6 precision, arctan(x / sqrt(1 - x^2)) in extended precision.
double ArcSinReal6(double x)
{
    const long double a = qv::Real6Round(x);
    if (!(std::fabs(a) <= 1)) return NAN;
    return qv::Real6Round(std::atan(a / std::sqrt(1.0L - a * a)));
}

// What every house reference starts from, as the routines take it: RAMC and
// latitude as double products for the sines and cosines, and as extended
// products rounded where the routine needs them.
struct Place {
    double Lst, Lat, Obl, Offset;
    double Ramc() const { return Lst * qv::kHoursToRad; }
    double Phi() const { return Lat * kDegToRad; }
    double RamcL() const { return static_cast<double>(Lst * 15.0L * kDegToRadL); }
    double PhiL() const { return static_cast<double>(Lat * kDegToRadL); }
};

// Meeus, ch. 13: the Midheaven tan M = tan RAMC / cos obl, the Ascendant
// tan A = cos RAMC / -(sin RAMC cos obl + tan lat sin obl); degrees plus
// the offset and one arc-minute, less a turn from 360 on.
void AsMc(double ramc, double phi, double obl, double offset, Expected *asc, Expected *mc)
{
    const double s = std::sin(ramc), c = std::cos(ramc), so = std::sin(obl), co = std::cos(obl);
    const double t = std::tan(phi);
    const auto finish = [&](Angle a) {
        Expected e = Degrees(a, offset + 1.0 / 60, false);
        if (e.Value >= 360) e.Value -= 360;
        return e;
    };
    *mc = finish(QuadrantOf(s, c * co, s, 1));
    *asc = finish(QuadrantOf(c, -s * co - so * t, c, 1 + std::fabs(t)));
}

// Cusps 1..12 of a house system (element 0 unused).
struct Cusps {
    Expected C[13];
};

void FixAngles(const Place &p, Cusps &r)
{
    Expected asc, mc;
    AsMc(p.Ramc(), p.Phi(), p.Obl, p.Offset, &asc, &mc);
    r.C[1] = asc;
    r.C[10] = mc;
    r.C[7] = {asc.Value + 180, asc.Tolerance};
    r.C[4] = {mc.Value + 180, mc.Tolerance};
}

// The cusp on the ecliptic where the great circle of oblique ascension x
// under the pole tanPole cuts it (Holden): tan L = sin x / (cos x cos obl -
// tanPole sin obl).
Angle PoleCusp(double x, double tanPole, double obl)
{
    const double s = std::sin(x), c = std::cos(x);
    return QuadrantOf(s, c * std::cos(obl) - tanPole * std::sin(obl), s, 1 + std::fabs(tanPole));
}

Cusps Opposites(Cusps r)
{
    for (int i = 1; i <= 6; ++i) r.C[i + 6] = {r.C[i].Value + 180, r.C[i].Tolerance};
    return r;
}

// Placidus: X = RAMC + (i + 2) 30 deg + f AD(X), sin AD = tan lat tan obl
// sin X, by the fixed-point iteration from X = 1 that stops when two
// iterates lie within 0.001 radians, AD at Real6 precision; the longitude
// arctan(tan X / cos obl), less whole half-turns of X counted by truncation
// toward zero, and a negative sum with the offset up by a turn.
Cusps Placidus(const Place &p)
{
    Cusps r{};
    const double k = std::tan(p.PhiL()) * std::tan(p.Obl);
    for (int i : {2, 3, 5, 6}) {
        const double f = (std::abs(i - 7) - 3) / 3.0;
        const double base = p.RamcL() + static_cast<double>((i + 2) * 30 * kDegToRadL);
        double x = 1, next = NAN;
        for (int round = 1; round <= 100000; ++round) {
            next = base + f * ArcSinReal6(k * std::sin(x));
            if (!(std::fabs(next - x) >= 0.001)) break;
            x = next;
            if (round == 100000) next = NAN;
        }
        const double turns = std::trunc((next * kRadToDeg + 90) / 180);
        const double num = std::sin(next), den = std::cos(next) * std::cos(p.Obl);
        const Angle a = {std::atan(num / den) - kPi * turns, 8 * 0x1p-52 / std::hypot(num, den)};
        r.C[i] = Degrees(a, p.Offset, false);
        r.C[i + 6] = {r.C[i].Value + 180, r.C[i].Tolerance};
    }
    FixAngles(p, r);
    return r;
}

// Koch: oblique ascensions RAMC - AD + i (90 deg + AD) / 3 under the
// geographic pole, sin AD = tan lat tan obl sin RAMC at Real6 precision.
Cusps Koch(const Place &p)
{
    Cusps r{};
    const double ad = ArcSinReal6(std::tan(p.PhiL()) * std::tan(p.Obl) * std::sin(p.RamcL()));
    for (int i : {1, 2, 4, 5}) {
        const int house = (i + 9) % 12 + 1;
        const double x = p.Ramc() + (i * ((kPi / 2 + ad) / 3) - ad);
        const Expected e = Degrees(PoleCusp(x, std::tan(p.Phi()), p.Obl), p.Offset);
        r.C[house] = e;
        r.C[house > 6 ? house - 6 : house + 6] = {e.Value + 180, e.Tolerance};
    }
    FixAngles(p, r);
    return r;
}

// Topocentric: oblique ascensions RAMC + 30, 60, 120, 150 deg under poles
// of tangent 1/3, 2/3, 2/3, 1/3 tan lat give houses 11, 12, 2, 3.
Cusps Topocentric(const Place &p)
{
    Cusps r{};
    const double t = std::tan(p.Phi());
    const struct {
        int House, Sixths;
        double TanPole;
    } cusps[] = {{11, 1, t / 3}, {12, 2, 2 * t / 3}, {2, 4, 2 * t / 3}, {3, 5, t / 3}};
    for (const auto &c : cusps) {
        const Expected e = Degrees(PoleCusp(p.Ramc() + c.Sixths * kPi / 6, c.TanPole, p.Obl), p.Offset);
        r.C[c.House] = e;
        r.C[c.House > 6 ? c.House - 6 : c.House + 6] = {e.Value + 180, e.Tolerance};
    }
    FixAngles(p, r);
    return r;
}

// Regiomontanus: the equator point RAMC + H, H = 30i + 60 deg, carried
// along the circle through the north and south points: tan L = sin(RAMC +
// H) / (cos(RAMC + H) cos obl - sin H tan lat sin obl).
Cusps Regiomontanus(const Place &p)
{
    Cusps r{};
    for (int i : {2, 3, 5, 6}) {
        const double h = (30 * i + 60) * kDegToRad;
        r.C[i] = Degrees(PoleCusp(p.Ramc() + h, std::sin(h) * std::tan(p.Phi()), p.Obl), p.Offset);
    }
    r = Opposites(r);
    FixAngles(p, r);
    return r;
}

// Campanus: the prime vertical point H = 30i + 60 deg (plus a millionth of
// a degree) meets the equator at t = arctan(tan H cos lat) in H's half of
// the circle; tan L = sin(RAMC + t) / (cos(RAMC + t) cos obl - sin t tan
// lat sin obl).
Cusps Campanus(const Place &p)
{
    Cusps r{};
    for (int i : {2, 3, 5, 6}) {
        const double h = static_cast<double>((30.0L * i + 60 + 0.000001L) * kDegToRadL);
        const double t = qv::Quadrant(std::tan(h) * std::cos(p.Phi()), std::sin(h));
        const double x = p.Ramc() + t, s = std::sin(x);
        const double tl = std::tan(p.Phi());
        const Angle a = QuadrantOf(s, std::cos(x) * std::cos(p.Obl) - std::sin(t) * tl * std::sin(p.Obl), s,
                                   1 + std::fabs(tl));
        r.C[i] = Degrees(a, p.Offset);
    }
    r = Opposites(r);
    FixAngles(p, r);
    return r;
}

// Porphyry: the quadrants between the angles in thirds, the quadrant from
// the IC to the Descendant taken as large as the one from the Midheaven to
// the Ascendant.  The arcs are the differences of the angles as AsMcCalc
// gives them (the offset included), a turn added only to a negative one, so
// that an offset beyond a turn below zero can leave an arc above 360.
// Where an arc or the Midheaven's distance from 180 nearly vanishes, which
// side the library's comparison takes is left open.
Cusps Porphyry(const Place &p)
{
    Cusps r{};
    Expected asc, mc;
    AsMc(p.Ramc(), p.Phi(), p.Obl, p.Offset, &asc, &mc);
    const double ic = mc.Value >= 180 ? mc.Value - 180 : mc.Value + 180;
    double q = asc.Value - mc.Value, q2 = ic - asc.Value;
    const double tol = asc.Tolerance + mc.Tolerance;
    const bool open = std::fabs(q) < 1e-6 || std::fabs(q2) < 1e-6 || std::fabs(mc.Value - 180) < 1e-6;
    if (q < 0) q += 360;
    if (q2 < 0) q2 += 360;
    r.C[2] = {asc.Value + q2 / 3, tol};
    r.C[3] = {asc.Value + 2 * q2 / 3, tol};
    r.C[5] = {ic + q / 3, tol};
    r.C[6] = {ic + 2 * q / 3, tol};
    for (int k : {2, 3, 5, 6}) {
        if (open) r.C[k].Tolerance = HUGE_VAL;
        r.C[k + 6] = {r.C[k].Value + 180, r.C[k].Tolerance};
    }
    FixAngles(p, r);
    return r;
}

// Meridian (along declination circles: tan L = tan(RAMC + H) / cos obl)
// and Morinus (along circles through the ecliptic poles: tan L = tan(RAMC
// + H) cos obl), H = 30i + 60 deg, no fix-up.
Cusps Equatorial(const Place &p, bool morinus)
{
    Cusps r{};
    const double co = std::cos(p.Obl);
    for (int i = 1; i <= 6; ++i) {
        const double x = p.Ramc() + (30 * i + 60) * kDegToRad, s = std::sin(x), c = std::cos(x);
        r.C[i] = Degrees(morinus ? QuadrantOf(s * co, c, s * co, 1) : QuadrantOf(s, c * co, s, 1), p.Offset);
    }
    return Opposites(r);
}

// Equal: cusp k is the Ascendant plus 30 (k - 1) degrees; element 0 holds
// the Midheaven.
Cusps Equal(const Place &p, Expected *mc)
{
    Cusps r{};
    Expected asc;
    AsMc(p.Ramc(), p.Phi(), p.Obl, p.Offset, &asc, mc);
    for (int k = 1; k <= 12; ++k) r.C[k] = {asc.Value + 30 * (k - 1), asc.Tolerance};
    return r;
}

// ---- The inputs ----

constexpr double kObl = 23.44 * kDegToRad;

// One input class: how it draws LST (hours), latitude (degrees), obliquity
// (radians) and offset (degrees).
struct InputClass {
    const char *Name;
    double (*Lst)(std::mt19937_64 &);
    double (*Lat)(std::mt19937_64 &);
    double (*Obl)(std::mt19937_64 &);
    double (*Offset)(std::mt19937_64 &);
};

double Uniform(std::mt19937_64 &g, double a, double b) { return std::uniform_real_distribution<double>(a, b)(g); }
// x moved by up to four ulps either way.
double Ulps(std::mt19937_64 &g, double x)
{
    for (int n = static_cast<int>(g() % 9) - 4; n != 0; n += n > 0 ? -1 : 1)
        x = std::nextafter(x, n > 0 ? HUGE_VAL : -HUGE_VAL);
    return x;
}
double AnyLst(std::mt19937_64 &g) { return Uniform(g, 0, 24); }
double AnyLat(std::mt19937_64 &g) { return Uniform(g, -66, 66); }
double Ecliptic(std::mt19937_64 &g) { return Uniform(g, 0.40, 0.42); }
double NoOffset(std::mt19937_64 &) { return 0; }
double SmallOffset(std::mt19937_64 &g) { return Uniform(g, -30, 30); }
double PolarLat(std::mt19937_64 &g, double obl) { return (g() & 1 ? 1 : -1) * Ulps(g, 90 - obl * kRadToDeg); }
double NonFinite(std::mt19937_64 &g)
{
    const double v[] = {NAN, HUGE_VAL, -HUGE_VAL};
    return v[g() % 3];
}

const InputClass kClasses[] = {
    {"everyday places", AnyLst, AnyLat, Ecliptic, SmallOffset},
    {"sidereal time 0 and 24", [](std::mt19937_64 &g) { return Ulps(g, g() & 1 ? 24.0 : 0.0); }, AnyLat, Ecliptic,
     NoOffset},
    {"whole hours", [](std::mt19937_64 &g) { return static_cast<double>(g() % 25); }, AnyLat, Ecliptic, NoOffset},
    {"negative and large sidereal times", [](std::mt19937_64 &g) { return Uniform(g, -1e4, 1e4); }, AnyLat,
     Ecliptic, NoOffset},
    {"at the polar circles", AnyLst, [](std::mt19937_64 &g) { return PolarLat(g, kObl); },
     [](std::mt19937_64 &) { return kObl; }, NoOffset},
    {"beyond the polar circles to the poles", AnyLst,
     [](std::mt19937_64 &g) { return (g() & 1 ? 1 : -1) * Uniform(g, 66, 90); }, Ecliptic, NoOffset},
    {"at the poles", AnyLst, [](std::mt19937_64 &g) { return g() & 1 ? 90.0 : -90.0; }, Ecliptic, NoOffset},
    {"at the equator", AnyLst, [](std::mt19937_64 &g) { return Ulps(g, 0.0); }, Ecliptic, NoOffset},
    {"negative and large offsets", AnyLst, AnyLat, Ecliptic,
     [](std::mt19937_64 &g) { return g() & 1 ? Uniform(g, -1080, 0) : Uniform(g, -1e5, 1e5); }},
    {"other obliquities", AnyLst, AnyLat, [](std::mt19937_64 &g) { return Uniform(g, -1.5, 1.5); }, SmallOffset},
    {"NaN and infinite sidereal times", NonFinite, AnyLat, Ecliptic, NoOffset},
    {"NaN and infinite latitudes", AnyLst, NonFinite, Ecliptic, NoOffset},
    {"NaN and infinite obliquities", AnyLst, AnyLat, NonFinite, NoOffset},
    {"NaN and infinite offsets", AnyLst, AnyLat, Ecliptic, NonFinite},
};

// ---- The house routines ----

using House = void (*)(double *, int32_t, double, double, double, double);
void Camp(double *c, int32_t h, double lst, double lat, double obl, double off) { CampHouse(c, h, lat, lst, obl, off); }

const struct {
    const char *Name;
    House Routine;
    Cusps (*Reference)(const Place &);
} kHouseSystems[] = {
    {"PlacHouse", PlacHouse, Placidus},
    {"KochHouse", KochHouse, Koch},
    {"TopHouse", TopHouse, Topocentric},
    {"RegHouse", RegHouse, Regiomontanus},
    {"CampHouse", Camp, Campanus},
    {"PorHouse", PorHouse, Porphyry},
    {"MeridHouse", MeridHouse, [](const Place &p) { return Equatorial(p, false); }},
    {"MorHouse", MorHouse, [](const Place &p) { return Equatorial(p, true); }},
};

constexpr int kHouseCasesPerClass = 2000;  // per system: 14 classes, 28,000 inputs

TEST(Differential, HouseSystemsAgainstTheTextbookFormulas)
{
    Failure failure;
    std::mt19937_64 rng(20261208);
    for (const auto &system : kHouseSystems)
        for (const InputClass &cls : kClasses)
            for (int n = 0; n < kHouseCasesPerClass; ++n) {
                const Place p{cls.Lst(rng), cls.Lat(rng), cls.Obl(rng), cls.Offset(rng)};
                const double input[4] = {p.Lst, p.Lat, p.Obl, p.Offset};
                double got[13];
                system.Routine(got, 12, p.Lst, p.Lat, p.Obl, p.Offset);
                const Cusps want = system.Reference(p);
                for (int i = 1; i <= 12; ++i) failure.Check(system.Name, cls.Name, input, i, want.C[i], got[i]);
            }
    EXPECT_EQ(failure.Text, "") << "first failure of " << failure.Cases << " cusps";
    EXPECT_GE(failure.Cases, 8L * 14 * kHouseCasesPerClass * 12);
}

TEST(Differential, EqualHousesAndTheAnglesAgainstTheTextbookFormulas)
{
    Failure failure;
    std::mt19937_64 rng(20261209);
    for (const InputClass &cls : kClasses)
        for (int n = 0; n < kHouseCasesPerClass; ++n) {
            const Place p{cls.Lst(rng), cls.Lat(rng), cls.Obl(rng), cls.Offset(rng)};
            const double input[4] = {p.Lst, p.Lat, p.Obl, p.Offset};
            double got[13], asc, mc;
            EqHouse(&asc, &mc, p.Lst, p.Lat, p.Offset, p.Obl, got, 12);
            Expected wantMc;
            const Cusps want = Equal(p, &wantMc);
            failure.Check("EqHouse", cls.Name, input, 0, wantMc, got[0]);
            for (int i = 1; i <= 12; ++i) failure.Check("EqHouse", cls.Name, input, i, want.C[i], got[i]);
            // AsMcCalc takes RAMC and the latitude in radians.
            const double ramc = p.Ramc(), phi = p.Phi();
            const double angleInput[4] = {ramc, phi, p.Obl, p.Offset};
            Expected wantAsc;
            AsMc(ramc, phi, p.Obl, p.Offset, &wantAsc, &wantMc);
            AsMcCalc(&asc, &mc, ramc, phi, p.Obl, p.Offset);
            failure.Check("AsMcCalc (RAMC, Lat in radians)", cls.Name, angleInput, 1, wantAsc, asc);
            failure.Check("AsMcCalc (RAMC, Lat in radians)", cls.Name, angleInput, 10, wantMc, mc);
        }
    EXPECT_EQ(failure.Text, "") << "first failure of " << failure.Cases << " values";
    EXPECT_GE(failure.Cases, 14L * kHouseCasesPerClass * 15);
}

// ---- PlanetCalc ----

// The planetary theory as Meeus, ch. 30 and 33, states it for elements
// quadratic in time: Kepler's equation by five fixed iterations, the
// position and velocity on the ellipse turned by the argument of
// perihelion, tilted by the inclination and turned by the node, Jupiter to
// Pluto corrected by periodic terms, then geocentric, with the light-time
// term; the Moon and the Node from MoonCalc, the Sun's longitude from
// ExactSun.  Reductions toward zero, and the tiny stand-ins for an exact 0
// (1.7E-9 in the turns, 1.7453E-9 for the declinations), as the library
// takes them.
struct Bodies {
    double Lon[13], Decl[13], Speed[13];
};

struct Vec {
    double X, Y, Z;
};

void TurnBy(double &x, double &y, double angle, double tiny = 1.7E-9)
{
    if (y == 0) y = tiny;
    const double x0 = x;
    x = x0 * std::cos(angle) - y * std::sin(angle);
    y = x0 * std::sin(angle) + y * std::cos(angle);
}

double PolarAngle(double x, double y)
{
    if (y == 0) y = 1.7E-9;
    double a = qv::Quadrant(y / x, y);
    if (a == 0) a = 1.7E-9;
    return a;
}

double TowardZero(double x) { return x - 360 * std::trunc(x / 360); }

Bodies Theory(const double *table, double T, int32_t helio, double offset, uint8_t moonFlag)
{
    Bodies r{};
    Vec pos[13], vel[13];
    for (int b = 1; b <= 12; ++b) {
        if (!qv::HasElements(b)) continue;
        int32_t slot = qv::kFirstSlots.Slot[b];
        const auto next = [&] { return table[slot++]; };
        const auto quadratic = [&] {
            const double c0 = next(), c1 = next(), c2 = next();
            return c0 + c1 * T + c2 * T * T;
        };
        double M = static_cast<double>(quadratic() * kDegToRadL);
        M -= 2 * kPi * std::trunc(M / (2 * kPi));
        const double e = quadratic(), a = next();
        const double w = quadratic() * kDegToRad, node = quadratic() * kDegToRad, inc = quadratic() * kDegToRad;
        double E = M;
        for (int k = 0; k < 5; ++k) E = M + e * std::sin(E);
        const double Edot = 0.0172021 / ((1 - e * std::cos(E)) * std::pow(a, 1.5));
        const double bAxis = std::sqrt(1 - e * e);
        const auto orient = [&](double x, double y) {
            TurnBy(x, y, w);
            const double z = y * std::sin(inc);
            y *= std::cos(inc);
            TurnBy(x, y, node);
            return Vec{x, y, z};
        };
        vel[b] = orient(-a * Edot * std::sin(E), a * Edot * bAxis * std::cos(E));
        pos[b] = orient(a * (std::cos(E) - e), a * bAxis * std::sin(E));
        for (int g = 1; g <= qv::CorrectionGroups(b); ++g) {
            double c = quadratic();
            for (int t = 0; t < qv::GroupTerms(b, g); ++t) {
                const double A = next(), f = next(), phase = next();
                c += A * std::cos((f * T + phase) * kDegToRad);
            }
            (g == 1 ? pos[b].Y : g == 2 ? pos[b].X : pos[b].Z) += c;
        }
    }
    double lat[13] = {};
    double lonOnly;
    MoonCalc(moonFlag, &lonOnly, 0, offset, T, &r.Lon[2], &r.Lon[11], &lat[2]);
    const Vec earth = pos[1];
    for (int b = 1; b <= 12; ++b) {
        if (!qv::HasElements(b)) continue;
        Vec p = pos[b];
        // The Sun's motion from the Earth's own velocity, the others'
        // relative to the Earth.
        double vx = vel[b].X, vy = vel[b].Y;
        if (b != 1) vx -= vel[1].X, vy -= vel[1].Y;
        if (helio == 1) {
            double lon = TowardZero(PolarAngle(p.X, p.Y) * kRadToDeg + offset);
            r.Lon[b] = b == 1 ? TowardZero(lon + 180) : lon;
            continue;
        }
        if (b != 1) p = {p.X - earth.X, p.Y - earth.Y, p.Z - earth.Z};
        const double rate = (p.X * vy - p.Y * vx) / (p.X * p.X + p.Y * p.Y);
        const double rho = std::hypot(p.X, p.Y);
        if (b == 1) {
            ExactSun(&r.Lon[1], T);
            r.Lon[1] = TowardZero(r.Lon[1] + offset);
        } else {
            const double distance = std::sqrt(p.X * p.X + p.Y * p.Y + p.Z * p.Z);
            r.Lon[b] = TowardZero(PolarAngle(p.X, p.Y) * kRadToDeg + 0.0057683 * distance * rate * kRadToDeg + offset);
        }
        lat[b] = std::atan(p.Z / rho) * kRadToDeg;
        r.Speed[b] = 60 * rate;
    }
    // Declinations: each ecliptic point's (y, z) turned by the obliquity.
    const double eps = (23.452294 - 0.0130125 * T) * kDegToRad;
    for (int b = 1; b <= 12; ++b) {
        const double beta = lat[b] == 0 ? 1.7453E-9 : lat[b] * kDegToRad;
        const double lambda = r.Lon[b] == 0 ? 1.7453E-9 : r.Lon[b] * kDegToRad;
        const double x = std::cos(beta) * std::cos(lambda);
        double y = std::cos(beta) * std::sin(lambda), z = std::sin(beta);
        TurnBy(y, z, eps, 1.7453E-9);
        r.Decl[b] = std::atan(z / std::hypot(x, y)) * kRadToDeg;
    }
    return r;
}

TEST(Differential, PlanetCalcAgainstTheTheoryWithTheCLibrarysTrigonometry)
{
    static double table[QVCALC32_PLANET_TABLE_HIGH + 1];
    InitialisePlanets(table, QVCALC32_PLANET_TABLE_HIGH);
    const struct {
        const char *Name;
        double (*T)(std::mt19937_64 &);
        double (*Offset)(std::mt19937_64 &);
    } classes[] = {
        {"this century", [](std::mt19937_64 &g) { return Uniform(g, 0.9, 1.3); }, NoOffset},
        {"1000 years either way", [](std::mt19937_64 &g) { return Uniform(g, -9, 11); }, SmallOffset},
        {"T = 0", [](std::mt19937_64 &g) { return Ulps(g, 0.0); }, NoOffset},
        {"far centuries", [](std::mt19937_64 &g) { return Uniform(g, -100, 100); }, NoOffset},
        {"negative and large offsets", [](std::mt19937_64 &g) { return Uniform(g, -3, 3); },
         [](std::mt19937_64 &g) { return Uniform(g, -1080, 1080); }},
        {"NaN and infinite times", NonFinite, NoOffset},
    };
    constexpr int kCasesPerClass = 1000;
    Failure failure;
    std::mt19937_64 rng(20261210);
    for (const auto &cls : classes)
        for (int n = 0; n < kCasesPerClass; ++n) {
            const double T = cls.T(rng), offset = cls.Offset(rng);
            const int32_t helio = n % 4 == 3;
            const uint8_t moonFlag = n % 2;
            const double input[4] = {T, static_cast<double>(helio), static_cast<double>(moonFlag), offset};
            double scratch[4] = {}, lon[13] = {}, decl[13] = {}, speed[13] = {};
            uint8_t counts[11] = {};
            PlanetCalc(1, 12, helio, offset, scratch, 3, T, counts, 10, 0, lon, 12, decl, 12, speed, 12, table,
                       QVCALC32_PLANET_TABLE_HIGH, moonFlag);
            const Bodies want = Theory(table, T, helio, offset, moonFlag);
            for (int b = 1; b <= 12; ++b) {
                const double tol = 1e-9 + 4 * 0x1p-52 * (std::fabs(offset) + 720);
                failure.Check("PlanetCalc Lon (T, Helio, MoonFlag, Offset)", cls.Name, input, b, {want.Lon[b], tol},
                              lon[b]);
                failure.Check("PlanetCalc Decl", cls.Name, input, b, {want.Decl[b], 1e-9}, decl[b]);
                failure.Check("PlanetCalc Speed", cls.Name, input, b,
                              {want.Speed[b], 1e-12 + 1e-9 * std::fabs(want.Speed[b])}, speed[b]);
            }
        }
    EXPECT_EQ(failure.Text, "") << "first failure of " << failure.Cases << " values";
    EXPECT_GE(failure.Cases, 6L * kCasesPerClass * 36);
}

}  // namespace
