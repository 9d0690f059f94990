#include "apparent_positions.h"

#include "geometric_positions.h"

#include <erfa.h>

#include <algorithm>
#include <cmath>

namespace zenlume::precise {
namespace {

constexpr double kDeg = 180 / M_PI;
constexpr double kSunRadiusAu = 695700 / kKilometresPerAu;  // IAU 2015 nominal solar radius

double Length(const double v[3]) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }

void Difference(const double a[3], const double b[3], double out[3])
{
    for (int i = 0; i < 3; ++i) out[i] = a[i] - b[i];
}

// The direction of a heliocentric body from the Earth, light time and
// aberration applied; false outside its theory.
bool PlanetDirection(Body body, double jdTT, double direction[3])
{
    double earth[3], at[3];
    EarthHeliocentric(jdTT, earth);
    if (!Heliocentric(body, jdTT, at)) return false;
    double tau = 0;
    for (int round = 0; round < 2; ++round) {
        Difference(at, earth, direction);
        tau = Length(direction) / kLightAuPerDay;
        if (!Heliocentric(body, jdTT - tau, at)) return false;
    }
    double earlierEarth[3];
    EarthHeliocentric(jdTT - tau, earlierEarth);
    Difference(at, earlierEarth, direction);
    return true;
}

// The ascending node of the orbit plane of position r and velocity v,
// both on the mean ecliptic of date: the node lies along z x (r x v).
double NodeLongitude(const double r[3], const double v[3])
{
    const double hx = r[1] * v[2] - r[2] * v[1], hy = r[2] * v[0] - r[0] * v[2];
    return std::atan2(hx, -hy);
}

bool TrueNode(const SkyOfDate &sky, ApparentPlace &place)
{
    // The Moon's velocity from ELP a quarter of an hour either side of the
    // moment: the central difference's error is a few parts in 1e8 of it.
    constexpr double h = 1.0 / 96;
    double r[3], before[3], after[3];
    MoonGeocentric(sky.JdTT, r);
    MoonGeocentric(sky.JdTT - h, before);
    MoonGeocentric(sky.JdTT + h, after);
    double v[3], re[3], ve[3];
    for (int i = 0; i < 3; ++i) v[i] = (after[i] - before[i]) / (2 * h);
    ToEclipticOfDate(sky, r, re);
    ToEclipticOfDate(sky, v, ve);
    place.Longitude = eraAnp(NodeLongitude(re, ve) + sky.NutationLongitude) * kDeg;
    if (place.Longitude >= 360) place.Longitude -= 360;
    place.Latitude = 0;
    place.Distance = 0;
    return true;
}

void UnitVector(double longitude, double latitude, double v[3])
{
    const double l = longitude / kDeg, b = latitude / kDeg;
    v[0] = std::cos(b) * std::cos(l);
    v[1] = std::cos(b) * std::sin(l);
    v[2] = std::sin(b);
}

// The direction p bent by the Sun's field (eraLd), for a body at
// `distance` from the Earth; e the unit vector from the Sun to the Earth.
void Bend(const double p[3], double distance, const double e[3], double em, double p1[3])
{
    double q[3];
    for (int i = 0; i < 3; ++i) q[i] = e[i] * em + p[i] * distance;
    const double qLength = Length(q);
    for (double &x : q) x /= qLength;
    double pp[3] = {p[0], p[1], p[2]}, ee[3] = {e[0], e[1], e[2]};
    eraLd(1.0, pp, q, ee, em, 1e-9, p1);
}

}  // namespace

bool IsDeflected(Body body) { return (body >= kMercury && body <= kPluto) || body == kChiron; }

void DeflectByTheSun(const ApparentPlace &sun, ApparentPlace &place)
{
    // On the ecliptic of date: the Earth from the Sun (e), the body from
    // the Earth (p).
    double e[3], p[3], p1[3];
    UnitVector(sun.Longitude, sun.Latitude, e);
    UnitVector(place.Longitude, place.Latitude, p);
    for (double &x : e) x = -x;
    const double elongation = std::acos(std::clamp(-(p[0] * e[0] + p[1] * e[1] + p[2] * e[2]), -1.0, 1.0));
    const double limb = std::asin(kSunRadiusAu / sun.Distance);
    if (elongation < limb && place.Distance > sun.Distance) {
        // Behind the Sun's disk no light comes through, and the bending,
        // which grows as one over the distance from the Sun's centre, would
        // reach arc-minutes at the centre: it is held at its value at the
        // limb, outwards from the centre (none right behind the centre,
        // where outwards has no direction).
        double out[3];
        for (int i = 0; i < 3; ++i) out[i] = p[i] + e[i] * std::cos(elongation);  // p less its part towards the Sun
        const double outLength = Length(out);
        if (!(outLength > 0)) return;
        double atLimb[3];
        for (int i = 0; i < 3; ++i) {
            out[i] /= outLength;
            atLimb[i] = -e[i] * std::cos(limb) + out[i] * std::sin(limb);
        }
        Bend(atLimb, place.Distance, e, sun.Distance, p1);
        double bend[3];
        Difference(p1, atLimb, bend);
        const double amount = Length(bend);
        for (int i = 0; i < 3; ++i) p1[i] = p[i] + out[i] * amount;
    } else {
        Bend(p, place.Distance, e, sun.Distance, p1);
    }
    place.Longitude = eraAnp(std::atan2(p1[1], p1[0])) * kDeg;
    if (place.Longitude >= 360) place.Longitude -= 360;
    place.Latitude = std::atan2(p1[2], std::hypot(p1[0], p1[1])) * kDeg;
}

bool ApparentPlaceAt(Body body, const SkyOfDate &sky, ApparentPlace &place)
{
    if (!UndeflectedPlaceAt(body, sky, place)) return false;
    if (!IsDeflected(body)) return true;
    ApparentPlace sun;
    UndeflectedPlaceAt(kSun, sky, sun);
    DeflectByTheSun(sun, place);
    return true;
}

bool UndeflectedPlaceAt(Body body, const SkyOfDate &sky, ApparentPlace &place)
{
    double direction[3];
    switch (body) {
    case kSun: {
        // The Sun from the Earth as it was one light time (8.3 min) ago:
        // the light time and the annual aberration together.
        double earth[3];
        EarthHeliocentric(sky.JdTT, earth);
        EarthHeliocentric(sky.JdTT - Length(earth) / kLightAuPerDay, earth);
        for (int i = 0; i < 3; ++i) direction[i] = -earth[i];
        break;
    }
    case kMoon: {
        // Geocentric: the light time alone, the Earth's motion cancels.
        double moon[3];
        MoonGeocentric(sky.JdTT, moon);
        MoonGeocentric(sky.JdTT - Length(moon) / kLightAuPerDay, direction);
        break;
    }
    case kTrueNode: return TrueNode(sky, place);
    default:
        if (body < kFirstBody || body > kLastBody) return false;
        if (!PlanetDirection(body, sky.JdTT, direction)) return false;
    }
    EclipticOfDate(sky, direction, place.Longitude, place.Latitude);
    place.Distance = Length(direction);
    return true;
}

bool ComputeApparent(Body body, double jdUt, ApparentPlace &place)
{
    if (!std::isfinite(jdUt)) return false;
    constexpr double h = 1.0 / 24;
    ApparentPlace before, after;
    if (!ApparentPlaceAt(body, SkyAt(jdUt), place) || !ApparentPlaceAt(body, SkyAt(jdUt - h), before) ||
        !ApparentPlaceAt(body, SkyAt(jdUt + h), after))
        return false;
    place.Speed = std::remainder(after.Longitude - before.Longitude, 360.0) / (2 * h);
    return true;
}

}  // namespace zenlume::precise
