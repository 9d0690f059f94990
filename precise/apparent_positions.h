// Apparent places: where a body is seen from the Earth's centre at one
// moment, on the true ecliptic and equinox of date.  This is the plain
// computation, every call from the theories; PreciseEphemeris keeps short
// series fitted to it for the chart of the moment.
#pragma once

#include "precise_body.h"
#include "sky_of_date.h"

namespace zenlume::precise {

// Ecliptic longitude and latitude of date in degrees (longitude in
// [0, 360)) and the longitude's daily motion in degrees per day.
struct ApparentPlace {
    double Longitude = 0, Latitude = 0, Speed = 0;
};

// The speed of light in astronomical units per day.
inline constexpr double kLightAuPerDay = 173.1446326846693;

// The apparent place of `body` at the moment `sky` was made for, without
// its speed:
// - light time: the body where it was when the light left it, the Earth
//   where the light arrives, iterated twice (1e-10 day for Pluto);
// - aberration: the direction from the Earth's position one light time
//   earlier, which adds the Earth's velocity times the light time, the
//   annual aberration to first order in v/c (second order is 0.001");
// - the Sun's deflection of the light (eraLd) for the planets and Chiron;
// - the frame of date: precession to the mean ecliptic of date, then the
//   nutation in longitude.
// The Moon's light time is 1.3 s; it is applied the same way.  The true
// Node is the ascending node of the Moon's geometric osculating orbit, the
// plane of its position and velocity (r x v), on the ecliptic of date.
// False for a body outside 1..12 or Chiron outside its table.
bool ApparentPlaceAt(Body body, const SkyOfDate &sky, ApparentPlace &place);

// The apparent place at a Julian date of Universal Time with its speed,
// the central difference over an hour either side (its error is under
// 0.001 degrees per day, the Moon's largest).
bool ComputeApparent(Body body, double jdUt, ApparentPlace &place);

}  // namespace zenlume::precise
