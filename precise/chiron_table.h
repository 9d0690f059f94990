// Chiron from a table: no analytical theory of Chiron exists, so its orbit
// is kept as Chebyshev series of its heliocentric position, generated once
// by tools/make_chiron_table from a numerically integrated ephemeris and
// kept in chiron_coefficients.inc.  Reading the table needs nothing else.
#pragma once

namespace zenlume::precise {

// The first and last Julian dates (Terrestrial Time) the table covers.
double ChironFirstJd();
double ChironLastJd();

// Chiron's geometric heliocentric position at `jdTT` (Julian date,
// Terrestrial Time) in astronomical units, in the mean equator and equinox
// of J2000 (the ICRS axes): x towards the equinox, z towards the pole.
// False, and `xyz` untouched, outside [ChironFirstJd, ChironLastJd] or for
// a date that is not a number.
bool ChironHeliocentric(double jdTT, double xyz[3]);

}  // namespace zenlume::precise
