// Apparent places: where a body is seen from the Earth's centre at one
// moment, on the true ecliptic and equinox of date.  This is the plain
// computation, every call from the theories; PreciseEphemeris keeps short
// series fitted to it for the chart of the moment.
#pragma once

#include "precise_body.h"
#include "sky_of_date.h"

namespace zenlume::precise {

// Ecliptic longitude and latitude of date in degrees (longitude in
// [0, 360)), the longitude's daily motion in degrees per day, and the
// distance from the Earth's centre in AU (0 for the Node).
struct ApparentPlace {
    double Longitude = 0, Latitude = 0, Speed = 0, Distance = 0;
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
// False for a body outside 1..12, or Uranus, Neptune, Pluto or Chiron
// outside their tables.
bool ApparentPlaceAt(Body body, const SkyOfDate &sky, ApparentPlace &place);

// ApparentPlaceAt without the Sun's deflection of the light, which changes
// quickly only while a planet passes behind the Sun: series are fitted to
// this, and DeflectByTheSun added afterwards.
bool UndeflectedPlaceAt(Body body, const SkyOfDate &sky, ApparentPlace &place);

// Whether the Sun's deflection applies to the body (the planets and Chiron).
bool IsDeflected(Body body);

// Moves `place` (an undeflected place with its distance) away from the Sun
// at `sun` (the Sun's place with its distance) by the bending of the light
// in the Sun's field (eraLd): 1.75" at the Sun's limb, 0.004" at 90
// degrees; held at the limb's value for a body behind the Sun's disk.
// `place.Speed` is left as it is.
void DeflectByTheSun(const ApparentPlace &sun, ApparentPlace &place);

// The apparent place at a Julian date of Universal Time with its speed,
// the central difference over an hour either side (its error is under
// 0.001 degrees per day, the Moon's largest).
bool ComputeApparent(Body body, double jdUt, ApparentPlace &place);

}  // namespace zenlume::precise
