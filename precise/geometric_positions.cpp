#include "geometric_positions.h"

#include "orbit_tables.h"

#include <libnova/libnova.h>

#include <cmath>

namespace zenlume::precise {
namespace {

constexpr double kRad = M_PI / 180;
const double kCosObliquityJ2000 = std::cos(84381.406 / 3600 * kRad);
const double kSinObliquityJ2000 = std::sin(84381.406 / 3600 * kRad);

// ELP's truncation, in libnova's units: measured against the full series,
// it moves the Moon by under 0.1" (0.09" over 1900-2100) and takes a
// seventh of the time (0.26 against 1.9 ms).
constexpr double kLunarPrecision = 1e-8;

// libnova's heliocentric spherical coordinates (degrees, AU) on the J2000
// ecliptic, onto the ICRS axes.
void FromHelio(const ln_helio_posn &h, double xyz[3])
{
    const double cb = std::cos(h.B * kRad);
    const double ecliptic[3] = {h.R * cb * std::cos(h.L * kRad), h.R * cb * std::sin(h.L * kRad), h.R * std::sin(h.B * kRad)};
    EclipticJ2000ToIcrs(ecliptic, xyz);
}

using HelioRoutine = void (*)(double, ln_helio_posn *);
constexpr HelioRoutine kPlanets[] = {ln_get_mercury_helio_coords, ln_get_venus_helio_coords,
                                     ln_get_mars_helio_coords,    ln_get_jupiter_helio_coords,
                                     ln_get_saturn_helio_coords};

}  // namespace

void EclipticJ2000ToIcrs(const double e[3], double icrs[3])
{
    const double y = e[1], z = e[2];
    icrs[0] = e[0];
    icrs[1] = kCosObliquityJ2000 * y - kSinObliquityJ2000 * z;
    icrs[2] = kSinObliquityJ2000 * y + kCosObliquityJ2000 * z;
}

void EarthHeliocentric(double jdTT, double xyz[3])
{
    ln_helio_posn h;
    ln_get_earth_helio_coords(jdTT, &h);
    FromHelio(h, xyz);
}

bool Heliocentric(Body body, double jdTT, double xyz[3])
{
    if ((body >= kUranus && body <= kPluto) || body == kChiron) return TabulatedHeliocentric(body, jdTT, xyz);
    if (body < kMercury || body > kSaturn) return false;
    ln_helio_posn h;
    kPlanets[body - kMercury](jdTT, &h);
    FromHelio(h, xyz);
    return true;
}

void MoonGeocentric(double jdTT, double xyz[3])
{
    ln_rect_posn m;
    ln_get_lunar_geo_posn(jdTT, &m, kLunarPrecision);
    const double ecliptic[3] = {m.X / kKilometresPerAu, m.Y / kKilometresPerAu, m.Z / kKilometresPerAu};
    EclipticJ2000ToIcrs(ecliptic, xyz);
}

}  // namespace zenlume::precise
