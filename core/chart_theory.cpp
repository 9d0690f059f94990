#include "chart_theory.h"

namespace zenlume {

const char *TheoryName(bool precise) { return precise ? "precise" : "qvcalc32"; }

std::string TheorySentence(bool precise)
{
    // The figures are those docs/accuracy.md measures for 2000-2050.
    if (precise)
        return "Positions come from the high-precision ephemeris (VSOP87, ELP2000-82B and tables of JPL's "
               "ephemeris, with the IAU's precession and nutation), within 5 arc-seconds of JPL's ephemeris "
               "from 1900 to 2100.";
    return "Positions come from the qvcalc32 library's own theory, within a few arc-minutes of an "
           "astronomical almanac for most bodies this century (up to 17' for Jupiter, Pluto and the Node, "
           "and degrees for Chiron).";
}

}  // namespace zenlume
