// Chart points: the Vertex, the East Point, the Part of Fortune and the
// Moon's quarter.  Angles in degrees, obliquity in radians, sidereal time in
// hours.  Vertex and East Point are exact to double rounding (~1e-13 deg).
#include "internal.h"

using namespace qv;

namespace {

constexpr long double kOver90L = 1.0L / 90.0L;  // lies just below 1/90

// Which side of the meridian an ecliptic longitude lies on: positive when
// the point is in the eastern half of the sky (toward the east point of the
// horizon at right ascension RAMC + 90 degrees).
double EastwardComponent(double lonDeg, double ramc, double obl)
{
    const double l = lonDeg * kDegToRad;
    return -std::cos(l) * std::sin(ramc) + std::sin(l) * std::cos(obl) * std::cos(ramc);
}

}  // namespace

extern "C" {

// The Vertex, the western intersection of the prime vertical with the
// ecliptic, 0..360 degrees.  It is the Ascendant formula taken for the
// co-latitude and the opposite RAMC; where the latitude is below the
// obliquity that formula, like a polar Ascendant, sometimes lands on the
// eastern intersection instead, so the result is turned to the western one.
// A latitude of exactly 0 is taken as 0.01 radians.
void Vertex(double *Vx, double Obl, double LST, double Lat)
{
    if (!Vx) return;
    const double ramc = FR(LST * 15);
    double phi = FR(Lat);
    if (phi == 0) phi = 0.01;
    const double r = ramc + kPi;
    const double q = std::cos(r) / (-std::sin(r) * std::cos(Obl) - std::sin(Obl) / std::tan(phi));
    double vx = FD(Quadrant(q, std::cos(r)));
    if (EastwardComponent(vx, ramc, Obl) > 0) {
        vx += 180;
        if (vx >= 360) vx -= 360;
    }
    *Vx = vx;
}

// The East Point: the ecliptic degree rising at the equator, 0..360.
void EastPoint(double *East, double Obl, double LST)
{
    if (!East) return;
    const double ramc = FR(LST * 15);
    *East = FD(Quadrant(std::cos(ramc) / (-std::sin(ramc) * std::cos(Obl)), std::cos(ramc)));
}

// Part of Fortune: Asc + Moon - Sun by day (Sun above the horizon, i.e. at
// least 180 degrees past the Ascendant), Asc + Sun - Moon by night.
void PartFortune(double *Fortune, double Sun, double Moon, double Asc)
{
    if (!Fortune) return;
    double d = Sun - Asc;
    if (d < 0) d += 360;
    double f;
    if (d >= 180) {
        if (Moon < Sun) Moon += 360;
        f = Moon - Sun + Asc;
    } else {
        if (Sun < Moon) Sun += 360;
        f = Sun - Moon + Asc;
    }
    if (f >= 360) f -= 360;
    *Fortune = f;
}

// The Moon's quarter 1..4 from the elongation Moon - Sun.  Exactly 90, 180
// and 270 degrees count to the earlier quarter; NaN gives 0.
void MoonPhase(uint16_t *Phase, double Sun, double Moon)
{
    if (!Phase) return;
    double d = Moon - Sun;
    if (d < 0) d += 360;
    // The 80-bit reciprocal lies below 1/90, yet 270 times it still rounds
    // up to 3; the exact quarters are therefore settled first.
    if (d == 90 || d == 180 || d == 270) {
        *Phase = static_cast<uint16_t>(d / 90);
        return;
    }
    int32_t q;
    *Phase = TruncToInt32(std::trunc(d * kOver90L), q) ? static_cast<uint16_t>(q + 1) : 0;
}

}  // extern "C"
