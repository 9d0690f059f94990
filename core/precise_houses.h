// House cusps for the precise ephemeris: the library's house routines fed
// the apparent sidereal time and the true obliquity of date, without the
// arc-minute the library adds to the Ascendant and the Midheaven, and with
// Placidus' intermediate cusps iterated to convergence.
#pragma once

#include "qvcalc32.h"

#include <cstdint>

namespace zenlume {

// Cusps 1..12 (degrees, [0, 360); NaN where the system has none) of
// `houseSys` (1..9) for the local apparent sidereal time `lst` (hours), the
// latitude (degrees, north positive) and the true obliquity (radians).
// Equal houses also write the Midheaven into cusps[0].  False, nothing
// written, for a code outside 1..9.
bool PreciseHouseCusps(uint8_t houseSys, double lst, double latitude, double obliquity,
                       double cusps[QVCALC32_CHART_HIGH + 1]);

// Placidus' cusp 11, 12, 2 or 3 (degrees) for the RAMC (radians): the
// point of the ecliptic that has run the house's fraction of its diurnal or
// nocturnal semi-arc, iterated until its right ascension stops changing
// (1e-13 radians).  NaN where the point never rises or never sets.
double PlacidusCusp(int cusp, double ramc, double latitude, double obliquity);

}  // namespace zenlume
