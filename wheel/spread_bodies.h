// Spreads crowded body glyphs apart along the circle in one forward pass,
// so that glyphs of bodies standing close together do not overprint.
#pragma once

#include "qvcalc32.h"

#include <array>

namespace zenlume {

inline constexpr double SpreadStep = 4.5;  // degrees: closer neighbours are pushed

// Per chart entry 1..14 (element 0 unused): a longitude, or whether the
// entry takes part.
using EntryLongitudes = std::array<double, QVCALC32_CHART_HIGH + 1>;
using EntryFlags = std::array<bool, QVCALC32_CHART_HIGH + 1>;

// The spread longitudes of the entries that take part; the others keep
// their longitude.  Entries are ordered by longitude (to nine decimals, ties
// by entry number) and walked once from the second to the last: an entry
// behind its predecessor's value first moves to the whole degree after the
// predecessor's whole degree, keeping its fraction; then an entry ahead of
// its predecessor by at most SpreadStep, or by more than 300 degrees, moves
// on by SpreadStep.  The first entry never moves, the last is not compared
// with the first (nothing spreads across 0 degrees) and values may end
// above 360.  An entry whose longitude is not a finite number never takes
// part.
EntryLongitudes SpreadBodies(const EntryLongitudes &longitude, const EntryFlags &takesPart);

}  // namespace zenlume
