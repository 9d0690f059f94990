// PlanetCalc: longitude, declination and daily motion of the twelve bodies.
// Each planet moves on a Keplerian ellipse whose elements are quadratic in
// time; Jupiter to Pluto get periodic corrections of their heliocentric
// coordinates; the Earth's orbit (the Sun's slots) turns heliocentric places
// into geocentric ones.  The Moon and the Node come from MoonCalc, the Sun's
// final longitude from ExactSun.
#include "fast_trig.h"
#include "internal.h"
#include "planet_table.h"

#include <cmath>

namespace {

using namespace qv;

// An exact 0 in the polar turning would leave the arctangent of 0/0 or put
// an angle on its branch point, so a value far below the accuracy of the
// places stands in for it: 1.7E-9 radians, and in the declination pass
// 1E-7 degrees in radians.
constexpr double kTinyTurn = 1.7E-9;
constexpr double kTinyDecl = 1.7453E-9;

// FR, FD and FU of the library, inlined: these run a hundred times a call.
// The conversions of angles within a few turns multiply in doubles (FR and
// FD round an 80-bit product once), which moves a result by at most an
// ulp; the mean anomalies, thousands of turns, keep the 80-bit product.
inline double Rad(double x) { return x * kDegToRad; }
inline double Deg(double x) { return x * kRadToDeg; }
inline double RadOfManyTurns(double x) { return static_cast<double>(x * kDegToRadL); }
inline double Turns(double x) { return ReduceTowardZero(x); }

// Kepler's constant: the Earth's mean motion in radians per day for a = 1.
constexpr double kGauss = 0.0172021;
// Light time per astronomical unit, days.
constexpr double kLightDaysPerAU = 0.0057683;

// The angle of (x, y) in radians, 0 < angle < 2 pi: the arctangent of y / x
// put into its quadrant, with an exact 0 (of y, or of the angle) replaced by `tiny`;
// within a few units of double rounding.
double PolarAngle(double x, double y, double tiny = kTinyTurn)
{
    if (y == 0) y = tiny;
    double a = FastQuadrant(y / x, y);
    if (a == 0) a = tiny;
    return a;
}

// A turn by a fixed angle.  Turning through polar form - radius, angle of
// the point plus the turn, back to x and y - is this same rotation; taking the sine and cosine of the turn once lets position and
// velocity (and all twelve declinations) share them, and the results agree
// with the polar form to double rounding.  The polar form's one special
// case that matters is kept: an exact 0 for y is first replaced by `tiny`
// (its other replacement, an angle of exactly 0, needs y / x to underflow).
struct Rotation {
    double Cos, Sin;
    explicit Rotation(double angle) : Rotation(FastSinCos(angle)) {}
    explicit Rotation(SinCosPair sc) : Cos(sc.Cos), Sin(sc.Sin) {}
};

void Turn(double &x, double &y, const Rotation &turn, double tiny = kTinyTurn)
{
    if (y == 0) y = tiny;
    const double x0 = x;
    x = x0 * turn.Cos - y * turn.Sin;
    y = x0 * turn.Sin + y * turn.Cos;
}

struct Vec3 {
    double X, Y, Z;
};

// The running slot index: every value is read once, in table order.
struct SlotReader {
    const double *Table;
    int32_t Slot;

    double Next() { return Table[Slot++]; }
    double Quadratic(double T)
    {
        const double c0 = Next(), c1 = Next(), c2 = Next();
        return c0 + c1 * T + c2 * T * T;
    }
};

// From the orbital plane (x toward perihelion) to the ecliptic: turn by the
// argument of perihelion, tilt by the inclination, turn by the node.
Vec3 Orient(double x, double y, const Rotation &w, double sinI, double cosI, const Rotation &N)
{
    Turn(x, y, w);
    const double z = y * sinI;
    y = y * cosI;
    Turn(x, y, N);
    return {x, y, z};
}

// One element block at time T: mean anomaly (radians, reduced by whole
// turns toward zero), eccentricity, semi-major axis (AU), and the argument
// of perihelion, node and inclination (radians).
struct Elements {
    double MeanAnomaly, Eccentricity, SemiMajorAxis, Perihelion, Node, Inclination;
};

Elements ReadElements(SlotReader &r, double T)
{
    Elements el;
    el.MeanAnomaly = RadOfManyTurns(r.Quadratic(T));
    el.MeanAnomaly -= kTwoPi * std::trunc(el.MeanAnomaly / kTwoPi);
    el.Eccentricity = r.Quadratic(T);
    el.SemiMajorAxis = r.Next();
    el.Perihelion = Rad(r.Quadratic(T));
    el.Node = Rad(r.Quadratic(T));
    el.Inclination = Rad(r.Quadratic(T));
    return el;
}

// Kepler's equation by five fixed iterations for each of n bodies: each
// shrinks the error by e, leaving about 3E-3 radians for Chiron (e = 0.38),
// 2E-4 for Pluto and far less for the others.  The table sine is within two
// ulps of the exact one, and each iteration contracts any difference by e.
// The bodies step together: one body's iterations form a chain of
// dependent sines, several side by side keep the processor busy.
void SolveKepler(int n, const Elements *el, double *E)
{
    for (int j = 0; j < n; ++j) E[j] = el[j].MeanAnomaly;
    for (int k = 0; k < 5; ++k)
        for (int j = 0; j < n; ++j) E[j] = el[j].MeanAnomaly + el[j].Eccentricity * FastSin(E[j]);
}

// Heliocentric ecliptic position (AU) and velocity (AU per day) on the
// ellipse of `el` at eccentric anomaly E.
void Orbit(const Elements &el, double E, Vec3 &pos, Vec3 &vel)
{
    const double e = el.Eccentricity, a = el.SemiMajorAxis;
    const Rotation w(el.Perihelion), N(el.Node);
    const SinCosPair sc = FastSinCos(E), inc = FastSinCos(el.Inclination);
    const double sinE = sc.Sin, cosE = sc.Cos;
    // a^1.5 as a sqrt(a): the same value to a few ulps, without exp and log.
    const double Edot = kGauss / ((1 - e * cosE) * (a * std::sqrt(a)));
    const double b = std::sqrt(1 - e * e);

    vel = Orient(-a * Edot * sinE, a * Edot * b * cosE, w, inc.Sin, inc.Cos, N);
    pos = Orient(a * (cosE - e), a * b * sinE, w, inc.Sin, inc.Cos, N);
}

// c0 + c1 T + c2 T^2 + the sum of A cos(f T + p), AU.
double CorrectionGroup(SlotReader &r, double T, int terms)
{
    double value = r.Quadratic(T);
    for (int k = 0; k < terms; ++k) {
        const double A = r.Next(), f = r.Next(), p = r.Next();
        value += A * FastCosDeg(f * T + p);
    }
    return value;
}

// Declinations (degrees) of the ecliptic points (Lon[k], Lat[k]), k = 1..12,
// for the obliquity eps (radians): each point's y-z pair turned by eps.  In
// two passes over the twelve, so that their chains of dependent steps (a
// sine, a square root, two divisions, an arctangent) run side by side.
void Declinations(const double *Lon, double *Lat, const Rotation &eps)
{
    double x[13], y[13], z[13];
    for (int k = 1; k <= 12; ++k) {
        double beta = Rad(Lat[k]);
        if (beta == 0) beta = kTinyDecl;
        double lambda = Rad(Lon[k]);
        if (lambda == 0) lambda = kTinyDecl;
        const SinCosPair b = FastSinCos(beta), l = FastSinCos(lambda);
        x[k] = b.Cos * l.Cos;
        y[k] = b.Cos * l.Sin;
        z[k] = b.Sin;
        Turn(y[k], z[k], eps, kTinyDecl);
    }
    for (int k = 1; k <= 12; ++k) Lat[k] = Deg(FastAtan(z[k] / std::sqrt(x[k] * x[k] + y[k] * y[k])));
}

}  // namespace

extern "C" {

// Bodies First..Last (1..12, see the header) for T in Julian centuries from
// JD 2415020.0.  Lon: degrees plus Offset, reduced by whole turns toward zero
// (a sum just below 0 stays negative).  Decl: declination in degrees, for
// every body 1..12 whatever First and Last.  Speed: 60 times the daily
// motion in radians per day, negative when retrograde, 0 for the Moon, the
// Node and in heliocentric mode.  Geocentric places of bodies 3..12 need body
// 1 in the same call (without it the Earth stands at the Sun).
// Accuracy against a modern ephemeris, as measured in docs/accuracy.md: in
// 2020-2029 within 3.5 arc-minutes for most bodies, 9' for Jupiter, 7' for
// Pluto and 82' for Chiron; the quadratic elements drift away over
// centuries (Chiron by 4.5 degrees at 1900 and 2100).  Declinations follow
// from the longitudes to a few units of double rounding.
void PlanetCalc(int32_t First, int32_t Last, int32_t Helio, double Offset, const double *Scratch,
                int32_t ScratchHigh, double T, const uint8_t *Counts, int32_t CountsHigh, int32_t MoonMode,
                double *Lon, int32_t LonHigh, double *Decl, int32_t DeclHigh, double *Speed, int32_t SpeedHigh,
                const double *Table, int32_t TableHigh, uint8_t MoonFlag)
{
    // The work arrays are taken by value and never read, but a caller that
    // passes them too short has the arguments wrong: do nothing.
    if (First < 1 || First > 12 || Last > 12) return;
    if (!HasElement(Scratch, ScratchHigh, 3) || !HasElement(Counts, CountsHigh, 10) ||
        !HasElement(Lon, LonHigh, 12) || !HasElement(Decl, DeclHigh, 12) || !HasElement(Speed, SpeedHigh, 12) ||
        !HasElement(Table, TableHigh, kPlanetTableLastSlot))
        return;

    // Every body's element block first, then their Kepler equations side by
    // side, then their heliocentric places with the periodic corrections:
    // each step is independent from body to body, so the processor overlaps
    // the bodies rather than waiting on one body's chain of dependent steps.
    // The blocks and correction groups lie in the table in body order.
    Elements elements[13];
    double anomaly[13];
    Vec3 helioPos[13], helioVel[13];
    int count = 0;
    for (int32_t b = First; b <= Last; ++b) {
        if (!HasElements(b)) continue;
        SlotReader block{Table, kFirstSlots.Slot[b]};
        elements[count++] = ReadElements(block, T);
    }
    SolveKepler(count, elements, anomaly);
    for (int32_t b = First, j = 0; b <= Last; ++b) {
        if (!HasElements(b)) continue;
        Vec3 &pos = helioPos[j];
        Orbit(elements[j], anomaly[j], pos, helioVel[j]);
        SlotReader slots{Table, kFirstSlots.Slot[b] + kElementSlots};
        for (int g = 1; g <= CorrectionGroups(b); ++g) {
            const double c = CorrectionGroup(slots, T, GroupTerms(b, g));
            if (g == 1) pos.Y += c;
            else if (g == 2) pos.X += c;
            else pos.Z += c;
        }
        ++j;
    }
    int next = 0;  // the place of the body in hand

    Vec3 earth{0, 0, 0};
    double earthVX = 0, earthVY = 0;  // the Earth's velocity, negated

    for (int32_t b = First; b <= Last; ++b) {
        Decl[b] = 0;
        Speed[b] = 0;
        if (b != 11) Lon[b] = 0;
        if (b == 2) {
            if (MoonMode != 2) {
                double lonOnly;
                MoonCalc(MoonFlag, &lonOnly, 0, Offset, T, &Lon[2], &Lon[11], &Decl[2]);
            }
            continue;
        }
        if (b == 11) continue;  // written with the Moon

        Vec3 pos = helioPos[next];
        const Vec3 vel = helioVel[next];
        ++next;
        // Velocity relative to the Earth, for the geocentric rate.
        double relVX, relVY;
        if (b == 1) {
            earthVX = -vel.X;
            earthVY = -vel.Y;
            relVX = earthVX;
            relVY = earthVY;
        } else {
            relVX = vel.X + earthVX;
            relVY = vel.Y + earthVY;
        }

        double rate = (pos.X * vel.Y - pos.Y * vel.X) / (pos.X * pos.X + pos.Y * pos.Y);
        if (Helio == 1) {
            double lon = Turns(Deg(PolarAngle(pos.X, pos.Y)) + Offset);
            if (b == 1) lon = Turns(lon + 180);
            Lon[b] = lon;
            continue;
        }

        if (b == 1) {
            earth = pos;
        } else {
            pos.X -= earth.X;
            pos.Y -= earth.Y;
            pos.Z -= earth.Z;
            rate = (pos.X * relVY - pos.Y * relVX) / (pos.X * pos.X + pos.Y * pos.Y);
        }
        // The light-time term: the distance in light days times the daily
        // motion, added to the longitude.
        // The Sun's longitude from its orbit is replaced by ExactSun's, so
        // for body 1 only its latitude and motion are kept.
        const double rho = std::sqrt(pos.X * pos.X + pos.Y * pos.Y);
        double lon;
        if (b == 1) {
            ExactSun(&lon, T);
            lon = Turns(lon + Offset);
        } else {
            const double distance = std::sqrt(pos.X * pos.X + pos.Y * pos.Y + pos.Z * pos.Z);
            lon = Turns(Deg(PolarAngle(pos.X, pos.Y)) + Deg(kLightDaysPerAU * distance * rate) + Offset);
        }
        const double lat = Deg(FastAtan(pos.Z / rho));
        Lon[b] = lon;
        Decl[b] = lat;
        Speed[b] = 60 * rate;
    }

    // The loop left the ecliptic latitude in Decl.
    const Rotation eps(Rad(23.452294 - 0.0130125 * T));
    Declinations(Lon, Decl, eps);
}

}  // extern "C"
