// The orbit tables of Chiron, Uranus, Neptune and Pluto on their own,
// without libswe.  Pinned positions come from libswe 2.10.03 reading
// seas_18.se1 (Chiron) and sepl_18.se1 (the planets) of swe-basic-data, printed by
// `make_orbit_tables --print BODY JD...`; the tables' fit to them is 1e-6 AU.
#include "orbit_tables.h"
#include "precise_ephemeris.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace zenlume::precise {
namespace {

// Where libswe's file starts and (at least) where each table must reach.
struct Table { Body body; const char *name; double first, lastAtLeast; };
constexpr Table kTables[] = {
    {kChiron, "Chiron", 2378496.5, 2597596.5},
    {kUranus, "Uranus", 2378496.5, 2597596.5},
    {kNeptune, "Neptune", 2378496.5, 2597596.5},
    {kPluto, "Pluto", 2378496.5, 2597596.5},
};

// The number of whole series a table holds.
int Segments(Body body)
{
    return static_cast<int>(std::lround((TableLastJd(body) - TableFirstJd(body)) / TableSegmentDays(body)));
}

double Distance(const double a[3], const double b[3]) { return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]); }

TEST(OrbitTables, RefuseDatesOutsideTheirRange)
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    for (const Table &t : kTables) {
        const double first = TableFirstJd(t.body), last = TableLastJd(t.body);
        EXPECT_EQ(first, t.first) << t.name << ": 1800 January 1, where the source file starts";
        EXPECT_GE(last, t.lastAtLeast) << t.name << ": 2399 November 17";
        EXPECT_EQ(last, first + Segments(t.body) * TableSegmentDays(t.body)) << t.name;
        struct Case { const char *name; double jd; bool known; } cases[] = {
            {"first date", first, true},          {"a second before", first - 1.0 / 86400, false},
            {"last date", last, true},            {"a second after", last + 1.0 / 86400, false},
            {"a day before", first - 1, false},   {"a day after", last + 1, false},
            {"NaN", std::nan(""), false},         {"+inf", inf, false},
            {"-inf", -inf, false},
        };
        for (const Case &c : cases) {
            double xyz[3] = {7, 7, 7};
            EXPECT_EQ(TabulatedHeliocentric(t.body, c.jd, xyz), c.known) << t.name << ", " << c.name;
            const bool untouched = xyz[0] == 7 && xyz[1] == 7 && xyz[2] == 7;
            EXPECT_TRUE(c.known || untouched) << t.name << ", " << c.name << ": xyz written";
        }
    }
}

TEST(OrbitTables, NoneForOtherBodies)
{
    const int others[] = {0, kSun, kMoon, kMercury, kMars, kJupiter, kSaturn, kTrueNode, kLastBody + 1};
    for (int number : others) {
        const Body body = static_cast<Body>(number);
        double xyz[3] = {7, 7, 7};
        EXPECT_FALSE(TabulatedHeliocentric(body, 2451545.0, xyz)) << "body " << number;
        EXPECT_TRUE(xyz[0] == 7 && xyz[1] == 7 && xyz[2] == 7) << "body " << number;
        EXPECT_EQ(TableFirstJd(body), 0) << "body " << number;
        EXPECT_EQ(TableLastJd(body), 0) << "body " << number;
    }
}

TEST(OrbitTables, MatchTheEphemerisAtNamedDates)
{
    struct Case { Body body; const char *name; double jd, x, y, z; } cases[] = {
        {kChiron, "Chiron 1800-01-01 0h, first", 2378496.5, -5.8856160836, -6.4271505010, -2.4018346233},
        {kChiron, "Chiron J1900.0", 2415020.0, -2.0908485332, -9.6324685620, -3.1595021733},
        {kChiron, "Chiron J2000.0", 2451545.0, -3.5295971290, -8.6754035561, -2.9358986969},
        {kChiron, "Chiron 2200-01-01 0h", 2524593.5, -2.8845237379, -9.0270021626, -2.9853494872},
        {kChiron, "Chiron 2399-11-17 0h, last", 2597596.5, 9.8685485466, -10.1426733230, -2.5444497401},
        {kUranus, "Uranus 1800-01-01 0h, first", 2378496.5, -18.2711628738, 0.8044089322, 0.6125344153},
        {kUranus, "Uranus J2000.0", 2451545.0, 14.4318570736, -12.5062662665, -5.6816902591},
        {kUranus, "Uranus 2400-01-07 0h, last", 2597647.5, -11.4379575084, -13.6083896463, -5.7976395285},
        {kNeptune, "Neptune 1800-01-01 0h, first", 2378496.5, -20.3102728829, -21.0082651779, -8.0935568924},
        {kNeptune, "Neptune J1900.0", 2415020.0, 1.5164791857, 27.6225506301, 11.2683073403},
        {kNeptune, "Neptune J2000.0", 2451545.0, 16.8120469035, -22.9800998715, -9.8244278801},
        {kNeptune, "Neptune 2200-01-01 0h", 2524593.5, 27.7757497446, 10.3041250492, 3.5256470355},
        {kNeptune, "Neptune 2399-11-17 0h", 2597596.5, -4.7688759111, 27.2869890665, 11.2872204782},
        {kNeptune, "Neptune 2400-01-07 0h, last", 2597647.5, -4.9273813760, 27.2626574445, 11.2812115148},
        {kPluto, "Pluto 1800-01-01 0h, first", 2378496.5, 36.3276019940, -11.8546867474, -14.6409388248},
        {kPluto, "Pluto J1900.0", 2415020.0, 10.2982136541, 44.5286286852, 10.7885263327},
        {kPluto, "Pluto J2000.0", 2451545.0, -9.8753522373, -27.9788704272, -5.7536887567},
        {kPluto, "Pluto 2200-01-01 0h", 2524593.5, -27.4204243180, 18.2899337660, 13.9725897439},
        {kPluto, "Pluto 2399-11-17 0h", 2597596.5, 7.2728276299, 44.3698964718, 11.6618289851},
        {kPluto, "Pluto 2400-01-07 0h, last", 2597647.5, 7.1608736569, 44.3583043167, 11.6920782820},
    };
    for (const Case &c : cases) {
        double xyz[3];
        ASSERT_TRUE(TabulatedHeliocentric(c.body, c.jd, xyz)) << c.name;
        const double expected[3] = {c.x, c.y, c.z};
        EXPECT_LT(Distance(xyz, expected), 1e-6) << c.name;
    }
}

// Neighbouring series pass through the same value at their shared edge, so a
// step there means a wrong segment or time scale.  Velocities from one-sided
// second-order differences (h = 1 day) on each side agree to 5e-8 AU/day,
// 2e-5 of the slowest speed of any of the three (2.1e-3 AU/day, Pluto at
// aphelion).
TEST(OrbitTables, ContinuousAcrossSegmentEdges)
{
    const double h = 1;
    for (const Table &t : kTables)
        for (int s = 1; s < Segments(t.body); ++s) {
            const double edge = TableFirstJd(t.body) + s * TableSegmentDays(t.body);
            double at[3], before[3], left1[3], left2[3], right1[3], right2[3];
            const auto place = [&](double jd, double xyz[3]) { return TabulatedHeliocentric(t.body, jd, xyz); };
            ASSERT_TRUE(place(edge, at) && place(std::nextafter(edge, 0.0), before) && place(edge - h, left1) &&
                        place(edge - 2 * h, left2) && place(edge + h, right1) && place(edge + 2 * h, right2));
            EXPECT_LT(Distance(at, before), 1e-9) << t.name << " edge " << s;
            double jump = 0;
            for (int i = 0; i < 3; ++i) {
                const double fromLeft = (3 * before[i] - 4 * left1[i] + left2[i]) / (2 * h);
                const double fromRight = (-3 * at[i] + 4 * right1[i] - right2[i]) / (2 * h);
                jump = std::fmax(jump, std::fabs(fromLeft - fromRight));
            }
            EXPECT_LT(jump, 5e-8) << t.name << " edge " << s;
        }
}

// Over each table's range libswe's bodies keep between these distances from
// the Sun (daily values): Chiron 8.377 AU (JD 2541186.5) to 18.869 AU
// (JD 2459361.5), Uranus 18.258 AU (JD 2593022.5) to 20.122 AU
// (JD 2577421.5), Neptune 29.798 AU (JD 2588138.5) to 30.344 AU
// (JD 2557882.5), Pluto 29.645 AU (JD 2538365.5) to 49.351 AU
// (JD 2583579.5).  The tables must too, and reach both.
TEST(OrbitTables, StayBetweenPerihelionAndAphelion)
{
    struct Case { Body body; const char *name; double nearest, farthest; } cases[] = {
        {kChiron, "Chiron", 8.377, 18.869},
        {kUranus, "Uranus", 18.258, 20.122},
        {kNeptune, "Neptune", 29.798, 30.344},
        {kPluto, "Pluto", 29.645, 49.351},
    };
    for (const Case &c : cases) {
        double nearest = 1e9, farthest = 0, xyz[3];
        for (double jd = TableFirstJd(c.body); TabulatedHeliocentric(c.body, jd, xyz); jd += 1) {
            const double r = std::hypot(xyz[0], xyz[1], xyz[2]);
            nearest = std::fmin(nearest, r);
            farthest = std::fmax(farthest, r);
        }
        EXPECT_NEAR(nearest, c.nearest, 0.001) << c.name;
        EXPECT_NEAR(farthest, c.farthest, 0.001) << c.name;
    }
}

// The precise ephemeris takes these bodies only in whole years inside their
// tables, a series' length (16 days) clear of the ends, and never beyond
// 1800-2399, where the Delta T table holds.
TEST(OrbitTables, BoundThePreciseRange)
{
    struct Case { Body body; int first, last; } cases[] = {
        {kChiron, 1801, 2398}, {kUranus, 1801, 2398}, {kNeptune, 1801, 2398}, {kPluto, 1801, 2398}, {kSaturn, 1800, 2399},
    };
    for (const Case &c : cases) {
        const YearRange range = PreciseRange(c.body);
        EXPECT_EQ(range.First, c.first) << "body " << c.body;
        EXPECT_EQ(range.Last, c.last) << "body " << c.body;
    }
}

}  // namespace
}  // namespace zenlume::precise
