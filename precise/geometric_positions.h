// Geometric positions on the ICRS axes (the J2000 equator and equinox), in
// astronomical units, at Julian dates of Terrestrial Time: where the bodies
// are, before light time, aberration and the frame of date.  The Earth and
// Mercury to Saturn from libnova's VSOP87 (Bretagnon and Francou), the Moon
// from ELP2000-82B (Chapront-Touze and Chapront), Uranus, Neptune, Pluto and
// Chiron from their tables (orbit_tables.h): libnova's VSOP87 drifts by up
// to 1.5" for Uranus and 2" for Neptune over 1900-2100.
#pragma once

#include "precise_body.h"

namespace zenlume::precise {

inline constexpr double kKilometresPerAu = 149597870.7;

// The Earth's centre from the Sun's.
void EarthHeliocentric(double jdTT, double xyz[3]);

// Mercury to Pluto, and Chiron, from the Sun's centre.  False for any other
// body, or Uranus, Neptune, Pluto or Chiron outside its table.
bool Heliocentric(Body body, double jdTT, double xyz[3]);

// The Moon from the Earth's centre.  ELP's smallest terms are left out
// (libnova's precision argument 1e-8): measured over 1900-2100 they move
// the Moon by under 0.1" and the call takes a seventh of the time.
void MoonGeocentric(double jdTT, double xyz[3]);

// A vector on the J2000 ecliptic axes of these theories onto the ICRS
// axes: a turn about the equinox by the J2000 obliquity, 84381.406".
void EclipticJ2000ToIcrs(const double ecliptic[3], double icrs[3]);

}  // namespace zenlume::precise
