#include "orbit_tables.h"

#include "inner_planet_masses.h"

#include <cmath>
#include <iterator>
#include <numbers>
#include <type_traits>

namespace zenlume::precise {
namespace {

namespace chiron {
#include "chiron_coefficients.inc"
}
namespace uranus {
#include "uranus_coefficients.inc"
}
namespace neptune {
#include "neptune_coefficients.inc"
}
namespace pluto {
#include "pluto_coefficients.inc"
}

constexpr double kJ2000 = 2451545.0;
constexpr double kRadiansPerDegree = std::numbers::pi / 180;
constexpr double kObliquityJ2000 = 23.4392911 * kRadiansPerDegree;  // 84381.448 arc-seconds

// The inner planets' mean orbits in the ecliptic and equinox of J2000, in the
// order of kInnerPlanetMasses: Standish, "Keplerian Elements for
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
static_assert(std::size(kInnerOrbits) == std::size(kInnerPlanetMasses));

// Adds the Sun's inner wobble, the sum of (m/M_sun) r over the inner planets,
// which the series leave out (see inner_planet_masses.h): each planet on its
// mean ellipse, with the equation of the centre to second order in e.
void AddInnerWobble(double jdTT, double xyz[3])
{
    const double centuries = (jdTT - kJ2000) / 36525;
    for (size_t i = 0; i < std::size(kInnerOrbits); ++i) {
        const MeanOrbit &o = kInnerOrbits[i];
        const double meanAnomaly = (o.longitude + o.motion * centuries - o.perihelion) * kRadiansPerDegree;
        const double e = o.e, sinM = std::sin(meanAnomaly), cosM = std::cos(meanAnomaly);
        const double trueAnomaly = meanAnomaly + 2 * e * sinM + 2.5 * e * e * sinM * cosM;
        const double radius = o.a * (1 - e * cosM + e * e * sinM * sinM) / kInnerPlanetMasses[i].SunOverPlanet;
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

// Sum of c[k] T_k(x) for k = 0..degree.
double Clenshaw(const double *c, int degree, double x)
{
    double b1 = 0, b2 = 0;
    for (int k = degree; k >= 1; --k) {
        const double b0 = 2 * x * b1 - b2 + c[k];
        b2 = b1;
        b1 = b0;
    }
    return c[0] + x * b1 - b2;
}

// One body's table: segments of equal length from firstJd, each holding
// the coefficients c[0..degree] of x, y and z.
struct Table {
    Body body;
    double firstJd, segmentDays;
    int segments, degree;
    const double *(*row)(int segment, int axis);

    double LastJd() const { return firstJd + segments * segmentDays; }
};

template <const auto &kCoefficients>
const double *Row(int segment, int axis) { return kCoefficients[segment][axis]; }

template <const auto &kCoefficients>
constexpr Table Describe(Body body, double firstJd, double segmentDays)
{
    using Coefficients = std::remove_cvref_t<decltype(kCoefficients)>;
    static_assert(std::extent_v<Coefficients, 1> == 3);
    return {body, firstJd, segmentDays, static_cast<int>(std::extent_v<Coefficients, 0>),
            static_cast<int>(std::extent_v<Coefficients, 2>) - 1, Row<kCoefficients>};
}

constexpr Table kTables[] = {
    Describe<chiron::kCoefficients>(kChiron, chiron::kFirstJd, chiron::kSegmentDays),
    Describe<uranus::kCoefficients>(kUranus, uranus::kFirstJd, uranus::kSegmentDays),
    Describe<neptune::kCoefficients>(kNeptune, neptune::kFirstJd, neptune::kSegmentDays),
    Describe<pluto::kCoefficients>(kPluto, pluto::kFirstJd, pluto::kSegmentDays),
};

const Table *Find(Body body)
{
    for (const Table &table : kTables)
        if (table.body == body) return &table;
    return nullptr;
}

}  // namespace

double TableFirstJd(Body body)
{
    const Table *table = Find(body);
    return table ? table->firstJd : 0;
}

double TableLastJd(Body body)
{
    const Table *table = Find(body);
    return table ? table->LastJd() : 0;
}

double TableSegmentDays(Body body)
{
    const Table *table = Find(body);
    return table ? table->segmentDays : 0;
}

bool TabulatedHeliocentric(Body body, double jdTT, double xyz[3])
{
    const Table *table = Find(body);
    if (!table || !(jdTT >= table->firstJd && jdTT <= table->LastJd())) return false;  // NaN fails both
    const double days = jdTT - table->firstJd;
    int segment = static_cast<int>(days / table->segmentDays);
    if (segment == table->segments) --segment;  // the last date closes the last segment
    const double x = 2 * (days - segment * table->segmentDays) / table->segmentDays - 1;
    for (int axis = 0; axis < 3; ++axis) xyz[axis] = Clenshaw(table->row(segment, axis), table->degree, x);
    AddInnerWobble(jdTT, xyz);
    return true;
}

}  // namespace zenlume::precise
