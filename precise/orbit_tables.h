// The bodies kept as tables: Chiron, which has no analytical theory, and
// Uranus, Neptune and Pluto, whose analytical series drift by arc-seconds.  Each
// body's orbit is kept as Chebyshev series of its heliocentric position,
// generated once by tools/make_orbit_tables from a numerically integrated
// ephemeris and kept in <body>_coefficients.inc.  Reading the tables needs
// nothing else.
#pragma once

#include "precise_body.h"

namespace zenlume::precise {

// The first and last Julian dates (Terrestrial Time) the table of `body`
// covers; 0 for a body without a table.
double TableFirstJd(Body body);
double TableLastJd(Body body);
// The length in days of each of the table's series (the table holds whole
// series from the first date to the last); 0 for a body without a table.
double TableSegmentDays(Body body);

// The body's geometric heliocentric position at `jdTT` (Julian date,
// Terrestrial Time) in astronomical units, in the mean equator and equinox
// of J2000 (the ICRS axes): x towards the equinox, z towards the pole.
// False, and `xyz` untouched, for a body without a table, outside
// [TableFirstJd, TableLastJd] or for a date that is not a number.
bool TabulatedHeliocentric(Body body, double jdTT, double xyz[3]);

}  // namespace zenlume::precise
