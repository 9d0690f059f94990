#include "chiron_table.h"

#include <cmath>
#include <iterator>
#include <numbers>
#include <type_traits>

namespace zenlume::precise {
namespace {

#include "chiron_coefficients.inc"

constexpr int kSegments = static_cast<int>(std::extent_v<decltype(kChironCoefficients), 0>);
constexpr double kJ2000 = 2451545.0;
constexpr double kRadiansPerDegree = std::numbers::pi / 180;
constexpr double kObliquityJ2000 = 23.4392911 * kRadiansPerDegree;  // 84381.448 arc-seconds

// The inner planets' mean orbits in the ecliptic and equinox of J2000, in the
// order of kInnerPlanetSunOverPlanet: Standish, "Keplerian Elements for
// Approximate Positions of the Major Planets" (JPL), table for 1800-2050.
// Semi-major axis in AU, eccentricity, then degrees: inclination, ascending
// node, longitude of perihelion, mean longitude at J2000 and its motion per
// Julian century.  Over 1800-2400 these place each planet within 0.011 AU of
// libswe's, which moves the wobble by under 1e-8 AU in all.
struct MeanOrbit { double a, e, inclination, node, perihelion, longitude, motion; };
constexpr MeanOrbit kInnerOrbits[] = {
    {0.38709927, 0.20563593, 7.00497902, 48.33076593, 77.45779628, 252.25032350, 149472.67411175},  // Mercury
    {0.72333566, 0.00677672, 3.39467605, 76.67984255, 131.60246718, 181.97909950, 58517.81538729},   // Venus
    {1.00000261, 0.01671123, -0.00001531, 0.0, 102.93768193, 100.46457166, 35999.37244981},         // Earth-Moon
    {1.52371034, 0.09339410, 1.84969142, 49.55953891, -23.94362959, -4.55343205, 19140.30268499},   // Mars
};
static_assert(std::size(kInnerOrbits) == std::size(kInnerPlanetSunOverPlanet));

// Adds the Sun's inner wobble, the sum of (m/M_sun) r over the inner planets,
// which the series leave out (see chiron_coefficients.inc): each planet on its
// mean ellipse, with the equation of the centre to second order in e.
void AddInnerWobble(double jdTT, double xyz[3])
{
    const double centuries = (jdTT - kJ2000) / 36525;
    for (size_t i = 0; i < std::size(kInnerOrbits); ++i) {
        const MeanOrbit &o = kInnerOrbits[i];
        const double meanAnomaly = (o.longitude + o.motion * centuries - o.perihelion) * kRadiansPerDegree;
        const double e = o.e, sinM = std::sin(meanAnomaly), cosM = std::cos(meanAnomaly);
        const double trueAnomaly = meanAnomaly + 2 * e * sinM + 2.5 * e * e * sinM * cosM;
        const double radius = o.a * (1 - e * cosM + e * e * sinM * sinM) / kInnerPlanetSunOverPlanet[i];
        const double u = trueAnomaly + (o.perihelion - o.node) * kRadiansPerDegree;  // argument of latitude
        const double node = o.node * kRadiansPerDegree, inclination = o.inclination * kRadiansPerDegree;
        const double x = radius * (std::cos(node) * std::cos(u) - std::sin(node) * std::sin(u) * std::cos(inclination));
        const double y = radius * (std::sin(node) * std::cos(u) + std::cos(node) * std::sin(u) * std::cos(inclination));
        const double z = radius * std::sin(u) * std::sin(inclination);
        xyz[0] += x;
        xyz[1] += y * std::cos(kObliquityJ2000) - z * std::sin(kObliquityJ2000);
        xyz[2] += y * std::sin(kObliquityJ2000) + z * std::cos(kObliquityJ2000);
    }
}

// Sum of c[k] T_k(x) for k = 0..kChironDegree.
double Clenshaw(const double *c, double x)
{
    double b1 = 0, b2 = 0;
    for (int k = kChironDegree; k >= 1; --k) {
        const double b0 = 2 * x * b1 - b2 + c[k];
        b2 = b1;
        b1 = b0;
    }
    return c[0] + x * b1 - b2;
}

}  // namespace

double ChironFirstJd() { return kChironFirstJd; }

double ChironLastJd() { return kChironFirstJd + kSegments * kChironSegmentDays; }

bool ChironHeliocentric(double jdTT, double xyz[3])
{
    if (!(jdTT >= ChironFirstJd() && jdTT <= ChironLastJd())) return false;  // NaN fails both
    const double days = jdTT - kChironFirstJd;
    int segment = static_cast<int>(days / kChironSegmentDays);
    if (segment == kSegments) --segment;  // the last date closes the last segment
    const double x = 2 * (days - segment * kChironSegmentDays) / kChironSegmentDays - 1;
    for (int axis = 0; axis < 3; ++axis) xyz[axis] = Clenshaw(kChironCoefficients[segment][axis], x);
    AddInnerWobble(jdTT, xyz);
    return true;
}

}  // namespace zenlume::precise
