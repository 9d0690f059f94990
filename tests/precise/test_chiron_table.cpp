// Chiron's table on its own, without libswe.  Pinned positions come from
// libswe 2.10.03 reading seas_18.se1 of swe-basic-data, printed by
// `make_chiron_table --print JD...`; the table's fit to them is 1e-6 AU.
#include "chiron_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <type_traits>

namespace zenlume::precise {
namespace {

namespace table {
#include "chiron_coefficients.inc"
}
constexpr int kSegments = std::extent_v<decltype(table::kChironCoefficients), 0>;

double Distance(const double a[3], const double b[3]) { return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]); }

TEST(ChironTable, RefusesDatesOutsideItsRange)
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    const double first = ChironFirstJd(), last = ChironLastJd();
    EXPECT_EQ(first, 2378496.5) << "1800 January 1, where the source file starts";
    EXPECT_GE(last, 2597596.5) << "2399 November 17";
    struct Case { const char *name; double jd; bool known; } cases[] = {
        {"first date", first, true},          {"a second before", first - 1.0 / 86400, false},
        {"last date", last, true},            {"a second after", last + 1.0 / 86400, false},
        {"a day before", first - 1, false},   {"a day after", last + 1, false},
        {"NaN", std::nan(""), false},         {"+inf", inf, false},
        {"-inf", -inf, false},
    };
    for (const Case &c : cases) {
        double xyz[3] = {7, 7, 7};
        EXPECT_EQ(ChironHeliocentric(c.jd, xyz), c.known) << c.name;
        const bool untouched = xyz[0] == 7 && xyz[1] == 7 && xyz[2] == 7;
        EXPECT_TRUE(c.known || untouched) << c.name << ": xyz written";
    }
}

TEST(ChironTable, MatchesTheEphemerisAtNamedDates)
{
    struct Case { const char *name; double jd, x, y, z; } cases[] = {
        {"1800-01-01 0h, first", 2378496.5, -5.8856160836, -6.4271505010, -2.4018346233},
        {"J1900.0", 2415020.0, -2.0908485332, -9.6324685620, -3.1595021733},
        {"J2000.0", 2451545.0, -3.5295971290, -8.6754035561, -2.9358986969},
        {"2200-01-01 0h", 2524593.5, -2.8845237379, -9.0270021626, -2.9853494872},
        {"2399-11-17 0h, last", 2597596.5, 9.8685485466, -10.1426733230, -2.5444497401},
    };
    for (const Case &c : cases) {
        double xyz[3];
        ASSERT_TRUE(ChironHeliocentric(c.jd, xyz)) << c.name;
        const double expected[3] = {c.x, c.y, c.z};
        EXPECT_LT(Distance(xyz, expected), 1e-6) << c.name;
    }
}

// Neighbouring series pass through the same value at their shared edge, so a
// step there means a wrong segment or time scale.  Velocities from one-sided
// second-order differences (h = 1 day) on each side agree to 5e-8 AU/day,
// 2e-5 of Chiron's slowest speed (3.1e-3 AU/day at aphelion).
TEST(ChironTable, ContinuousAcrossSegmentEdges)
{
    const double h = 1;
    for (int s = 1; s < kSegments; ++s) {
        const double edge = ChironFirstJd() + s * table::kChironSegmentDays;
        double at[3], before[3], left1[3], left2[3], right1[3], right2[3];
        ASSERT_TRUE(ChironHeliocentric(edge, at) && ChironHeliocentric(std::nextafter(edge, 0.0), before) &&
                    ChironHeliocentric(edge - h, left1) && ChironHeliocentric(edge - 2 * h, left2) &&
                    ChironHeliocentric(edge + h, right1) && ChironHeliocentric(edge + 2 * h, right2));
        EXPECT_LT(Distance(at, before), 1e-9) << "edge " << s;
        double jump = 0;
        for (int i = 0; i < 3; ++i) {
            const double fromLeft = (3 * before[i] - 4 * left1[i] + left2[i]) / (2 * h);
            const double fromRight = (-3 * at[i] + 4 * right1[i] - right2[i]) / (2 * h);
            jump = std::fmax(jump, std::fabs(fromLeft - fromRight));
        }
        EXPECT_LT(jump, 5e-8) << "edge " << s;
    }
}

// Over 1800-2399 libswe's Chiron keeps between 8.377 AU (JD 2541186.5) and
// 18.869 AU (JD 2459361.5) from the Sun; the table must too, and reach both.
TEST(ChironTable, StaysBetweenPerihelionAndAphelion)
{
    double nearest = 1e9, farthest = 0, xyz[3];
    for (double jd = ChironFirstJd(); ChironHeliocentric(jd, xyz); jd += 1) {
        const double r = std::hypot(xyz[0], xyz[1], xyz[2]);
        nearest = std::fmin(nearest, r);
        farthest = std::fmax(farthest, r);
    }
    EXPECT_NEAR(nearest, 8.377, 0.001);
    EXPECT_NEAR(farthest, 18.869, 0.001);
}

}  // namespace
}  // namespace zenlume::precise
