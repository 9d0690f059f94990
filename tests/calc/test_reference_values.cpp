// The fast trigonometry and the shortcuts of the house routines (opposite
// cusps half a turn on, the pole formula without the pole's angle) change
// values only by rounding.  These tables hold what PlanetCalc and the nine
// house routines gave with the C library's sine, cosine and arctangent and
// every cusp computed on its own: 24 moments from 1900 to 2100, and 24
// places from the equator to 89.9 degrees with offsets.  Every value must
// stay within 1e-10 degrees (angles compared round the circle; speeds in
// their own unit), and a cusp without a solution must stay without one.
#include "qvcalc32.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

struct PlanetRecord {
    double T;
    double lon[12], decl[12], speed[12];
};

struct HouseRecord {
    double lst, lat, obl, offset;
    double cusps[9][12];
};

#include "data/reference_values.inc"

constexpr double kTolerance = 1e-10;

// The difference of two angles in degrees, the short way round.
double AngleGap(double a, double b)
{
    const double d = std::fabs(std::remainder(a - b, 360.0));
    return std::isnan(d) ? INFINITY : d;
}

// Same value within the tolerance, or both "no value".
testing::AssertionResult Agrees(double now, double then, bool angle)
{
    if (std::isnan(now) || std::isnan(then)) {
        if (std::isnan(now) && std::isnan(then)) return testing::AssertionSuccess();
        return testing::AssertionFailure() << now << " where it was " << then;
    }
    const double gap = angle ? AngleGap(now, then) : std::fabs(now - then);
    if (gap <= kTolerance) return testing::AssertionSuccess();
    return testing::AssertionFailure() << now << " where it was " << then << " (" << gap << " apart)";
}

TEST(ReferenceValues, PlanetCalcStaysWithinRounding)
{
    double table[QVCALC32_PLANET_TABLE_HIGH + 1];
    InitialisePlanets(table, QVCALC32_PLANET_TABLE_HIGH);
    double scratch[QVCALC32_CHART_HIGH + 1] = {}, lon[QVCALC32_CHART_HIGH + 1], decl[QVCALC32_CHART_HIGH + 1],
           speed[QVCALC32_CHART_HIGH + 1];
    uint8_t counts[QVCALC32_BODIES_HIGH + 1] = {};
    for (const PlanetRecord &r : kPlanetRecords) {
        PlanetCalc(QVCALC32_SUN, QVCALC32_CHIRON, 0, 0, scratch, QVCALC32_CHART_HIGH, r.T, counts,
                   QVCALC32_BODIES_HIGH, 0, lon, QVCALC32_CHART_HIGH, decl, QVCALC32_CHART_HIGH, speed,
                   QVCALC32_CHART_HIGH, table, QVCALC32_PLANET_TABLE_HIGH, 0);
        for (int b = 0; b < 12; ++b) {
            SCOPED_TRACE("T " + std::to_string(r.T) + ", body " + std::to_string(b + 1));
            EXPECT_TRUE(Agrees(lon[b + 1], r.lon[b], true)) << "longitude";
            EXPECT_TRUE(Agrees(decl[b + 1], r.decl[b], false)) << "declination";
            EXPECT_TRUE(Agrees(speed[b + 1], r.speed[b], false)) << "speed";
        }
    }
}

TEST(ReferenceValues, HouseRoutinesStayWithinRounding)
{
    const char *names[9] = {"Placidus", "Koch",    "Campanus", "Topocentric", "Morinus",
                            "Porphyry", "Regiomontanus", "Meridian", "Equal"};
    for (const HouseRecord &r : kHouseRecords) {
        for (int sys = 0; sys < 9; ++sys) {
            double c[QVCALC32_CHART_HIGH + 1] = {};
            switch (sys) {
            case 0: PlacHouse(c, QVCALC32_CHART_HIGH, r.lst, r.lat, r.obl, r.offset); break;
            case 1: KochHouse(c, QVCALC32_CHART_HIGH, r.lst, r.lat, r.obl, r.offset); break;
            case 2: CampHouse(c, QVCALC32_CHART_HIGH, r.lat, r.lst, r.obl, r.offset); break;
            case 3: TopHouse(c, QVCALC32_CHART_HIGH, r.lst, r.lat, r.obl, r.offset); break;
            case 4: MorHouse(c, QVCALC32_CHART_HIGH, r.lst, r.lat, r.obl, r.offset); break;
            case 5: PorHouse(c, QVCALC32_CHART_HIGH, r.lst, r.lat, r.obl, r.offset); break;
            case 6: RegHouse(c, QVCALC32_CHART_HIGH, r.lst, r.lat, r.obl, r.offset); break;
            case 7: MeridHouse(c, QVCALC32_CHART_HIGH, r.lst, r.lat, r.obl, r.offset); break;
            default: {
                double asc, mc;
                EqHouse(&asc, &mc, r.lst, r.lat, r.offset, r.obl, c, QVCALC32_CHART_HIGH);
            }
            }
            for (int k = 0; k < 12; ++k)
                EXPECT_TRUE(Agrees(c[k + 1], r.cusps[sys][k], true))
                    << names[sys] << " cusp " << k + 1 << " at latitude " << r.lat << ", LST " << r.lst;
        }
    }
}

}  // namespace
