// The Sun and the Moon: ExactSun, ExactMoon, MoonCalc, MoonProgCalc.
// Sources: the theory's published worked values at T = 1.0 (JD 2451545.0), and
// J. Meeus, Astronomical Algorithms (2nd ed.), examples 25.b (the Sun,
// 1992 October 13.0 TD) and 47.a (the Moon, 1992 April 12.0 TD), at the
// precision a theory of this size reaches (stated per case).
#include "qvcalc32.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const double kT1992Oct13 = (2448908.5 - 2415020.0) / 36525;
const double kT1992Apr12 = (2448724.5 - 2415020.0) / 36525;

TEST(ExactSunAndMoon, AgreeWithWorkedValues)
{
    double sun2000, sun1992, moon2000, moon1992;
    ExactSun(&sun2000, 1.0);
    ExactSun(&sun1992, kT1992Oct13);
    ExactMoon(&moon2000, 0, 1.0);
    ExactMoon(&moon1992, 0, kT1992Apr12);
    EXPECT_NEAR(sun2000, 280.372, 0.0005);  // the published value, to its last digit
    EXPECT_NEAR(moon2000, 223.315, 0.0005);
    // Meeus 25.b: apparent 199.907272 less the nutation 15.908", which the
    // routine leaves out; 10" for the smaller series.
    EXPECT_NEAR(sun1992, 199.902853, 0.003);
    EXPECT_NEAR(moon1992, 133.162655, 0.003);  // Meeus 47.a, apparent
    // The Offset goes in before the reduction, which keeps the sign.
    double shifted;
    ExactMoon(&shifted, -300, 1.0);
    EXPECT_NEAR(shifted, moon2000 - 300, 1e-9);
}

TEST(MoonCalc, AgreesWithWorkedValues)
{
    // Meeus 47.a: geometric longitude 133.162655 - nutation 0.004610,
    // latitude -3.229126, mean node 274.400656.
    double lonOnly = -1, lon, node, lat;
    MoonCalc(0, &lonOnly, 0, 0, kT1992Apr12, &lon, &node, &lat);
    EXPECT_NEAR(lon, 133.158045, 0.05);
    EXPECT_NEAR(lat, -3.229126, 0.02);
    EXPECT_EQ(lonOnly, -1);  // full output leaves LonOnly alone
    MoonCalc(1, &lonOnly, 0, 0, kT1992Apr12, &lon, &node, &lat);
    EXPECT_NEAR(node, 274.400656, 0.002);
    // The short series meets the long series' published value at T = 1.0, and
    // the Moon is near its southern limit of latitude half a month later.
    MoonCalc(0, &lonOnly, 0, 0, 1.0, &lon, &node, &lat);
    EXPECT_NEAR(lon, 223.315, 0.01);
    EXPECT_NEAR(lat, 5.17, 0.05);
    MoonCalc(0, &lonOnly, 0, 0, 1.0 + 13.6 / 36525, &lon, &node, &lat);
    EXPECT_LT(lat, -4.5);
}

TEST(MoonCalc, LongitudeOnlyModeAndOffsets)
{
    double lonOnly = -1, lon = -7, node = -7, lat = -7;
    MoonCalc(0, &lonOnly, 1, 50, 1.0, &lon, &node, &lat);
    EXPECT_NEAR(lonOnly, 223.315, 0.01);  // no Offset in this mode
    EXPECT_EQ(lon, -7);
    EXPECT_EQ(node, -7);
    EXPECT_EQ(lat, -7);
    // The mean Node is still written, without Offset, reduced toward zero:
    // N is negative after 1913, so 125.04 reads -234.96.
    MoonCalc(1, &lonOnly, 1, 50, 1.0, &lon, &node, &lat);
    EXPECT_NEAR(node, 125.04 - 360, 0.01);
    EXPECT_EQ(lon, -7);

    double lon0, node0, lat0;
    MoonCalc(0, &lonOnly, 0, 0, 1.0, &lon0, &node0, &lat0);
    MoonCalc(0, &lonOnly, 0, -250, 1.0, &lon, &node, &lat);
    EXPECT_NEAR(lon, lon0 - 250 + 360, 1e-9);  // 360 added once when negative
    EXPECT_NEAR(node, node0 - 250, 1e-9);      // -236.1 - 250 + 360: still negative
    EXPECT_EQ(lat, lat0);
    MoonCalc(0, &lonOnly, 0, 200, 1.0, &lon, &node, &lat);
    EXPECT_NEAR(lon, lon0 + 200, 1e-9);  // 423.3: a positive Offset is not reduced
}

TEST(MoonProgCalc, TwelveEqualStepsToTheNextDay)
{
    double next, lon, node, lat;
    MoonCalc(0, &next, 1, 0, (2451545 + 1 - 2415020 + 12.0 / 24 - 0.5) / 36525, &lon, &node, &lat);
    struct Case {
        const char *name;
        double start, step;
    } cases[] = {
        {"a degree a month", next - 12, 1},
        // The Moon a day later is numerically below Start: 360 is added
        // before dividing, and each month past 360 is reduced once.
        {"round past 360", next + 11, 349.0 / 12},
    };
    for (const auto &c : cases) {
        double months[14];
        for (double &m : months) m = -99;
        MoonProgCalc(0, 2451545, 12.0, 0, c.start, months, 13);
        EXPECT_EQ(months[0], -99) << c.name;
        EXPECT_EQ(months[1], c.start) << c.name;
        double expect = c.start;
        for (int k = 1; k <= 12; ++k) {
            EXPECT_NEAR(months[k], expect, 1e-9) << c.name << " " << k;
            expect += c.step;
            if (expect >= 360) expect -= 360;
        }
        EXPECT_EQ(months[13], -99) << c.name;
    }
    double months[13];
    for (double &m : months) m = -99;
    MoonProgCalc(0, 2451545, 0, 0, 10, months, 11);  // needs upper bound 12
    for (double m : months) EXPECT_EQ(m, -99);
    MoonProgCalc(0, 2451545, 0, 0, 10, nullptr, 12);
}

TEST(MoonAndSun, NaNTimeGivesNaNAndNoTrap)
{
    for (double T : {double(NAN), double(INFINITY), 1e300}) {
        double sun = 0, moon = 0, lonOnly, lon = 0, node, lat;
        ExactSun(&sun, T);
        ExactMoon(&moon, 0, T);
        MoonCalc(0, &lonOnly, 0, 0, T, &lon, &node, &lat);
        if (std::isnan(T)) {
            EXPECT_TRUE(std::isnan(sun) && std::isnan(moon) && std::isnan(lon));
        }
    }
    ExactSun(nullptr, 1.0);
    ExactMoon(nullptr, 0, 1.0);
    MoonCalc(0, nullptr, 0, 0, 1.0, nullptr, nullptr, nullptr);
}

}  // namespace
