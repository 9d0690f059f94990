#include "sky_of_date.h"

#include "delta_t.h"

#include <erfa.h>

#include <cmath>

namespace zenlume::precise {
namespace {

constexpr double kJ2000 = 2451545.0;

SkyOfDate Sky(double jdUt, double jdTT, double deltaT)
{
    SkyOfDate sky;
    sky.JdUt = jdUt;
    sky.JdTT = jdTT;
    sky.DeltaT = deltaT;
    // Two-part dates keep the fractions of a day exact near J2000.
    const double tt2 = jdTT - kJ2000, ut2 = jdUt - kJ2000;
    double deps = 0;
    eraNut00b(kJ2000, tt2, &sky.NutationLongitude, &deps);
    sky.MeanObliquity = eraObl06(kJ2000, tt2);
    sky.TrueObliquity = sky.MeanObliquity + deps;
    // The equation of the equinoxes: the nutation in longitude projected on
    // the equator, plus its small complementary terms.
    sky.ApparentSiderealTime = eraAnp(eraGmst06(kJ2000, ut2, kJ2000, tt2) +
                                      sky.NutationLongitude * std::cos(sky.MeanObliquity) + eraEect00(kJ2000, tt2));
    eraEcm06(kJ2000, tt2, sky.IcrsToEcliptic);
    return sky;
}

}  // namespace

SkyOfDate SkyAt(double jdUt)
{
    const double deltaT = DeltaTSeconds(jdUt);
    return Sky(jdUt, jdUt + deltaT / 86400, deltaT);
}

SkyOfDate SkyAtTT(double jdTT)
{
    // Delta T changes by well under a millisecond in the minute it shifts
    // the date, so one step finds the UT.
    const double deltaT = DeltaTSeconds(jdTT - DeltaTSeconds(jdTT) / 86400);
    return Sky(jdTT - deltaT / 86400, jdTT, deltaT);
}

void ToEclipticOfDate(const SkyOfDate &sky, const double icrs[3], double ecliptic[3])
{
    for (int i = 0; i < 3; ++i)
        ecliptic[i] = sky.IcrsToEcliptic[i][0] * icrs[0] + sky.IcrsToEcliptic[i][1] * icrs[1] +
                      sky.IcrsToEcliptic[i][2] * icrs[2];
}

void EclipticOfDate(const SkyOfDate &sky, const double icrs[3], double &longitude, double &latitude)
{
    double e[3];
    ToEclipticOfDate(sky, icrs, e);
    constexpr double kDeg = 180 / M_PI;
    longitude = eraAnp(std::atan2(e[1], e[0]) + sky.NutationLongitude) * kDeg;
    if (longitude >= 360) longitude -= 360;
    latitude = std::atan2(e[2], std::hypot(e[0], e[1])) * kDeg;
}

}  // namespace zenlume::precise
