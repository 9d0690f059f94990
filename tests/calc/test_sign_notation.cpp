// Sign notation and chart lookups.  Sources: the worked values of this
// library's own documentation; Real6 boundaries worked by hand.
#include "internal.h"
#include "qvcalc32.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using qv::Real6Encode;

std::string Str(const ShortText10 &t) { return std::string(t.chars, t.length); }
std::string Sign(double lon, double speed) { return Str(MakeSign(Real6Encode(lon), Real6Encode(speed))); }
std::string Glyph(int index) { return std::string(1, static_cast<char>(QVCALC32_SIGN_GLYPH_BASE + index)); }

TEST(MakeSign, WorkedTexts)
{
    struct Case { double lon, speed; std::string text; const char *what; } cases[] = {
        {0, 1.0, "00 " + Glyph(0) + " 00  ", "zero, direct"},
        {45.5, -0.1, "15 " + Glyph(1) + " 30 R", "retrograde"},
        {29.99999, 1.0, "29 " + Glyph(0) + " 59  ", "minutes truncated"},
        {359.999, 1.0, "29 " + Glyph(11) + " 59  ", "last minute of Pisces"},
        {123.456, 0.5, "03 " + Glyph(4) + " 27  ", "Leo"},
        {210.0, 1e-6, "00 " + Glyph(7) + " 00 s", "stationary"},
        {210.0, 0.0, "00 " + Glyph(7) + " 00  ", "speed exactly 0: no mark"},
        {210.0, -1e-30, "00 " + Glyph(7) + " 00 R", "any negative speed is retrograde"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(Sign(c.lon, c.speed), c.text) << c.what;
        EXPECT_EQ(Sign(c.lon, c.speed).size(), 9u) << c.what;
    }
}

TEST(MakeSign, StationaryLimitIsOneSevenHundredTwentiethDegreePerHour)
{
    // Speed * 60 < 0.0013888891666666667: the limit lies just above 1/720.
    const double limit = 0.0013888891666666667 / 60;
    EXPECT_EQ(Sign(100, limit * 0.999).substr(7), " s");
    EXPECT_EQ(Sign(100, limit * 1.001).substr(7), "  ");
    EXPECT_EQ(Sign(100, 1.0 / 720 / 60).substr(7), " s");
}

TEST(MakeSign, RealSixRoundingAtSignBoundaries)
{
    // Within a few 1e-11 degrees below 30 the Real6 step rounds into Taurus.
    EXPECT_EQ(Sign(30 - 1e-11, 1), "00 " + Glyph(1) + " 00  ");
    EXPECT_EQ(Sign(30 - 1e-6, 1), "29 " + Glyph(0) + " 59  ");
    for (int s = 0; s < 12; ++s) EXPECT_EQ(Sign(30.0 * s, 1).substr(0, 4), "00 " + Glyph(s)) << s;
}

TEST(MakeSign, OutOfRangeLongitudesFollowTheArithmetic)
{
    EXPECT_EQ(Sign(360, 1), "00 " + Glyph(12) + " 00  ");  // sign index 12, past Pisces
    EXPECT_EQ(Sign(-5, 1), "0-5 " + Glyph(0) + " 00  ");  // negative digits, not reduced
    EXPECT_EQ(MakeSign(Real6Encode(1e12), Real6Encode(1)).length, 0);  // sign index beyond 32 bits
    // Every byte stays inside the 10 characters.
    for (double lon : {1e6, -1e6, 7e10, -359.9}) EXPECT_LE(MakeSign(Real6Encode(lon), Real6Encode(1)).length, 10);
}

TEST(FindPlanetHouse, HousesAndTheZeroSeam)
{
    double even[QVCALC32_CHART_HIGH + 1] = {};
    double shifted[QVCALC32_CHART_HIGH + 1] = {};
    for (int k = 1; k <= 12; ++k) {
        even[k] = 30.0 * (k - 1);
        shifted[k] = 30.0 * k - 20;
    }
    struct Case { const double *cusps; double lon; int house; const char *what; } cases[] = {
        {even, 30, 2, "on a cusp: the house beginning there"},
        {even, 359.9, 12, "before 0"},
        {even, 0, 1, "at 0"},
        {shifted, 5, 12, "house 12 spans 0 degrees"},
        {shifted, 355, 12, "house 12 before the seam"},
        {shifted, 10, 1, "cusp 1"},
        {shifted, 360, 12, "360 lies in the house spanning the seam"},
        {even, 360, 0, "360 with no house spanning the seam: none"},
        {even, NAN, 0, "NaN"},
    };
    for (const auto &c : cases) EXPECT_EQ(FindPlanetHouse(c.cusps, QVCALC32_CHART_HIGH, c.lon), c.house) << c.what;
    EXPECT_EQ(FindPlanetHouse(even, QVCALC32_BODIES_HIGH - 1, 45), 0);  // array too short
    EXPECT_EQ(FindPlanetHouse(nullptr, QVCALC32_CHART_HIGH, 45), 0);
}

TEST(FindPlanetHouse, InconsistentCuspsGiveTheLowestMatch)
{
    double cusps[QVCALC32_BODIES_HIGH + 1] = {0, 10, 50, 20, 60, 70, 80, 90, 100, 110, 120, 130, 140};
    EXPECT_EQ(FindPlanetHouse(cusps, QVCALC32_BODIES_HIGH, 30), 1);
}

TEST(DistanceFromCusp, ForwardArcs)
{
    EXPECT_EQ(DistanceFromCusp(10, 10), 0);
    EXPECT_EQ(DistanceFromCusp(300, 10), 70);
    EXPECT_EQ(DistanceFromCusp(10, 300), 290);
}

TEST(RotateToCusp, TurnsPointsAndCuspsButNotTheSpareElements)
{
    double points[QVCALC32_CHART_HIGH + 1], cusps[QVCALC32_CHART_HIGH + 1];
    for (int k = 0; k <= QVCALC32_CHART_HIGH; ++k) {
        points[k] = 50 + k;
        cusps[k] = 100 + 20 * k;
    }
    cusps[1] = 100;
    RotateToCusp(points, QVCALC32_CHART_HIGH, cusps, QVCALC32_CHART_HIGH, 1);
    EXPECT_EQ(points[0], 50);
    EXPECT_EQ(points[1], 51 - 100 + 360);
    EXPECT_EQ(cusps[1], 0);
    EXPECT_EQ(cusps[3], 60);
    EXPECT_EQ(points[13], 63);
    EXPECT_EQ(cusps[14], 380);
    EXPECT_EQ(cusps[0], 100);

    double before[QVCALC32_CHART_HIGH + 1];
    std::copy(cusps, cusps + QVCALC32_CHART_HIGH + 1, before);
    // Index beyond the array: refused.
    RotateToCusp(points, QVCALC32_CHART_HIGH, cusps, QVCALC32_CHART_HIGH, QVCALC32_CHART_HIGH + 1);
    RotateToCusp(points, QVCALC32_BODIES_HIGH - 1, cusps, QVCALC32_CHART_HIGH, 1);  // short array: refused
    EXPECT_TRUE(std::equal(cusps, cusps + QVCALC32_CHART_HIGH + 1, before));
}

}  // namespace
