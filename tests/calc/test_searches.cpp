// The searches: YieldToOthers, GetReturn, Dawn and Noon.  Sources: the
// first minute at which the body reaches the target, found here minute by
// minute from the theory itself; for Dawn and Noon the almanac times of
// sunrise and solar transit (U.S. Naval Observatory tables: Greenwich,
// 2000 January 1, sunrise 08:06 UT for the upper limb with refraction, about
// 7 minutes earlier than the centre on the true horizon at that latitude;
// transit 12:03 UT, equation of time -3m09s).
#include "julian_centuries.h"
#include "qvcalc32.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>

namespace {

std::atomic<int> g_yields{0};
void QVCALC32_CALL CountYield() { ++g_yields; }

// Counts the pauses of one search.
struct YieldCounter {
    qvcalc32_YieldHook previous;
    YieldCounter() : previous(qvcalc32_SetYieldHook(CountYield)) { g_yields = 0; }
    ~YieldCounter() { qvcalc32_SetYieldHook(previous); }
    int count() const { return g_yields; }
};

TEST(YieldToOthers, CallsTheInstalledHookOrNothing)
{
    YieldToOthers();  // no hook: returns at once
    const qvcalc32_YieldHook before = qvcalc32_SetYieldHook(CountYield);
    EXPECT_EQ(before, nullptr);
    g_yields = 0;
    YieldToOthers();
    YieldToOthers();
    EXPECT_EQ(g_yields, 2);
    EXPECT_EQ(qvcalc32_SetYieldHook(nullptr), CountYield);
    YieldToOthers();
    EXPECT_EQ(g_yields, 2);
}

// ---- GetReturn ----

// The place of a body as the search sees it: T and the sidereal offset of
// the day from SidTime at 0h, other hours from T directly.
double PlaceAt(int body, int32_t jd, double u, bool sidereal)
{
    static double table[QVCALC32_PLANET_TABLE_HIGH + 1];
    static const bool filled = (InitialisePlanets(table, QVCALC32_PLANET_TABLE_HIGH), true);
    (void)filled;
    double offset = sidereal ? 1 : 0, lst, T, obl;
    ShortText10 text;
    SidTime(jd, &offset, &lst, 0, &T, &obl, 0, &text);
    if (u != 0) T = qv::JulianCenturies(jd, u);
    double scratch[15] = {}, lon[QVCALC32_CHART_HIGH + 1] = {}, decl[QVCALC32_CHART_HIGH + 1] = {},
           speed[QVCALC32_CHART_HIGH + 1] = {};
    uint8_t counts[13] = {};
    PlanetCalc(QVCALC32_SUN, QVCALC32_CHIRON, 0, offset, scratch, 14, T, counts, 12, 13, lon, QVCALC32_CHART_HIGH, decl,
               QVCALC32_CHART_HIGH, speed, QVCALC32_CHART_HIGH, table, QVCALC32_PLANET_TABLE_HIGH, 0);
    return lon[body];
}

struct ReturnCase {
    const char *name;
    uint16_t body, window;
    int32_t startJD;
    double target;
    bool sidereal;
    int32_t expectedJD;
    // The place at 0h of the day after the found one, read as the day test
    // reads it: what makes the case worth having.
    double nextDayMin, nextDayMax;
};

TEST(GetReturn, FindsTheFirstMinuteAtTheTarget)
{
    const ReturnCase cases[] = {
        // Plain returns.
        {"Sun to 280.0 a year on", 1, 360, 2451555, 280.0, false, 2451910, 280, 282.5},
        {"Jupiter to 40.0", 6, 30, 2451545, 40.0, false, 2451639, 40, 42.5},
        {"Sun to 0.3 across 0 Aries", 1, 360, 2451624 - 69, 0.3, false, 2451624, 0.3, 1},
        // Target between 0 and 1, and the day's place at 0h already past 1:
        // a search that compared it with 360.7 failed the scan and found
        // the return only in 2004.
        {"Sun to 0.7 (target below 1)", 1, 360, 2451555, 0.7, false, 2451625, 1, 2.5},
        // The crossing day starts below 359.5 and ends past 0 Aries: a
        // day test on the reported place alone saw no day qualify until 2003.
        {"Sun to 359.5 (day ends past 0 Aries)", 1, 360, 2451911, 359.5, false, 2451989, 0, 2},
        // Mercury crosses 0 Aries at 1.6 degrees a day: a search that lifted
        // the noon probe to 360.7 went to the second half and lifted every
        // later place again, so its step-back never ended.
        {"Mercury to 1.254 (step-back without end)", 3, 360, 2453433, 1.254, false, 2453435, 1.254, 3.754},
        // Sidereal: the offset of about -24.7 reports 350 as -10, which a
        // search comparing the reported places with 350 never reaches.
        {"sidereal Sun to 350 (reported below 0)", 1, 360, 2451555, 350.0, true, 2451639, -10, -7.5},
    };
    for (const auto &c : cases) {
        YieldCounter yields;
        double time = -1;
        int32_t jd = c.startJD;
        GetReturn(c.body, c.window, 0, c.target, &time, &jd, c.sidereal ? 1 : 0, 0);
        EXPECT_EQ(jd, c.expectedJD) << c.name;
        EXPECT_GE(time, 0) << c.name;
        EXPECT_GT(yields.count(), 0) << c.name;

        auto place = [&](double u) {
            double p = PlaceAt(c.body, jd, u, c.sidereal);
            if (c.target - p > 180) p += 360;  // read across 0 Aries
            return p;
        };
        const double next = PlaceAt(c.body, jd + 1, 0, c.sidereal);
        EXPECT_GE(next, c.nextDayMin) << c.name;
        EXPECT_LT(next, c.nextDayMax) << c.name;
        // The first minute at or past the target, within a minute of arc.
        EXPECT_GE(place(time), c.target) << c.name;
        EXPECT_LT(place(time - 1.0 / 60), c.target) << c.name;
        EXPECT_LT(place(time) - c.target, 1.0 / 60) << c.name;
    }
}

TEST(GetReturn, MoonTakesTheFirstScannedMinuteAtOrBelowTheTarget)
{
    // MoonCalc gives no speed, so the search takes the branches of a body
    // that is not moving forward and stops at the first scanned minute at or
    // below the target: 0h of the day before the first qualifying day.
    double time = -1;
    int32_t jd = 2451545;
    GetReturn(QVCALC32_MOON, 360, 0, 100, &time, &jd, 0, 0);
    EXPECT_EQ(time, 0);
    EXPECT_LE(PlaceAt(QVCALC32_MOON, jd, 0, false), 100);
    const double next = PlaceAt(QVCALC32_MOON, jd + 1, 0, false);
    EXPECT_GE(next, 100);
    EXPECT_LT(next, 102.5);
}

TEST(GetReturn, GivesUpQuietlyOutsideTheContract)
{
    struct Case {
        const char *name;
        uint16_t body, window;
        double target;
        bool changesJD;
    } cases[] = {
        {"body 0", 0, 360, 100, false},
        {"body 13", 13, 360, 100, false},
        {"NaN target", 1, 360, NAN, false},
        {"target below every place", 1, 65535, -1000, false},
        {"infinite target", 1, 360, -INFINITY, false},
    };
    for (const auto &c : cases) {
        double time = -1;
        int32_t jd = 2451545;
        GetReturn(c.body, c.window, 0, c.target, &time, &jd, 0, 0);
        EXPECT_EQ(time, -1) << c.name;
        EXPECT_EQ(jd != 2451545, c.changesJD) << c.name;
    }
    int32_t jd = 2451545;
    double time = -1;
    GetReturn(QVCALC32_SUN, 360, 0, 100, nullptr, &jd, 0, 0);
    GetReturn(QVCALC32_SUN, 360, 0, 100, &time, nullptr, 0, 0);
    EXPECT_EQ(jd, 2451545);
    EXPECT_EQ(time, -1);
}

// ---- Dawn and Noon ----

// The angle the search reports for day jd at t hours, computed afresh.
double AngleAt(bool midheaven, int32_t jd, double t, double longitude, double latitude)
{
    double offset = 0, lst, T, obl, asc, mc;
    ShortText10 text;
    SidTime(jd, &offset, &lst, t, &T, &obl, longitude, &text);
    AsMcCalc(&asc, &mc, FR(lst * 15), FR(latitude), obl, offset);
    return midheaven ? mc : asc;
}

double SunAt(int32_t jd, double t)
{
    double sun;
    ExactSun(&sun, qv::JulianCenturies(jd, t));
    return sun;
}

struct MeetCase {
    const char *name;
    bool noon;
    int32_t jd;
    double longitude, latitude;
    double expectedTime, tolerance;  // hours UT
};

TEST(DawnAndNoon, MeetTheSunAtTheAlmanacTimes)
{
    const MeetCase cases[] = {
        {"Greenwich sunrise 2000-01-01", false, 2451545, 0, 51.4769, 8.0 + 13.0 / 60, 2.0 / 60},
        {"Greenwich transit 2000-01-01", true, 2451545, 0, 51.4769, 12.0 + 3.15 / 60, 1.0 / 60},
        // 120 degrees east: the estimate from 6h lands near 28 hours; the
        // hour is taken on the same day, the transit at 12:03 local mean
        // time less 8 hours.
        {"transit at 120 E, 33 S", true, 2451545, -120, -33, 4.0 + 3.15 / 60, 1.0 / 60},
        {"New York transit 2000-06-21", true, 2451717, 74.006, 40.7128, 16.0 + 57.9 / 60, 1.0 / 60},
    };
    for (const auto &c : cases) {
        YieldCounter yields;
        double angle = NAN, time = NAN;
        (c.noon ? Noon : Dawn)(0, 0, c.jd, 0, c.longitude, c.latitude, &angle, &time);
        EXPECT_NEAR(time, c.expectedTime, c.tolerance) << c.name;
        EXPECT_GE(time, 0) << c.name;
        EXPECT_LT(time, 24) << c.name;
        EXPECT_LT(yields.count(), 60) << c.name;  // a few minute steps
        EXPECT_EQ(angle, AngleAt(c.noon, c.jd, time, c.longitude, c.latitude)) << c.name;
        const double step = std::fabs(angle - AngleAt(c.noon, c.jd, time - 1.0 / 60, c.longitude, c.latitude));
        EXPECT_LE(std::fabs(angle - SunAt(c.jd, time)), step + 0.01) << c.name;
    }
}

TEST(Noon, EstimatePastTwentyFourHoursIsTakenOnTheSameDay)
{
    // The estimate as the steps form it: 6h01 plus the Sun's distance ahead
    // of the Midheaven over its rate per minute.
    const double m0 = AngleAt(true, 2451545, 6.0, -120, -33);
    const double m1 = AngleAt(true, 2451545, 6.0 + 1.0 / 60, -120, -33);
    double sun = SunAt(2451545, 6.0 + 1.0 / 60);
    if (sun < m1) sun += 360;
    const double estimate = 6.0 + 1.0 / 60 + (sun - m1) / (m1 - m0) / 60;
    EXPECT_GT(estimate, 27.5);  // about 28 hours
    double mc, time;
    Noon(0, 0, 2451545, 0, -120, -33, &mc, &time);
    EXPECT_GE(time, 0);
    EXPECT_NEAR(time, estimate - 24, 0.5);  // minute steps from the same hour of day JD
}

TEST(DawnAndNoon, SeamEndsAfterOneDayOfSteps)
{
    // March 20, 2000 (the equinox): a Sun just below 360 that the angle's
    // minute steps jump across, and a Sun just above 0 that the backward
    // steps never come down to.  Each search stops after 1440 steps with the
    // hour and the angle it has reached.
    const struct {
        const char *name;
        bool noon;
        double longitude, latitude;
        bool sunBelow360;
    } cases[] = {
        {"Dawn, Sun just below 360", false, -90, 30, true},
        {"Dawn, Sun just above 0", false, 15, 0, false},
        {"Noon, Sun just below 360", true, 175, 30, true},
        {"Noon, Sun just above 0", true, -69, 0, false},
    };
    for (const auto &c : cases) {
        YieldCounter yields;
        double angle, time;
        (c.noon ? Noon : Dawn)(0, 0, 2451624, 0, c.longitude, c.latitude, &angle, &time);
        EXPECT_EQ(yields.count(), 1440) << c.name;
        EXPECT_GE(time, 0) << c.name;
        EXPECT_LT(time, 24) << c.name;
        EXPECT_EQ(angle, AngleAt(c.noon, 2451624, time, c.longitude, c.latitude)) << c.name;
        const double sun = SunAt(2451624, time);
        if (c.sunBelow360) {
            EXPECT_GT(sun, 359.5) << c.name;
        } else {
            EXPECT_LT(sun, 0.01) << c.name;
        }
    }
    // Degenerate places end as well: no Ascendant at NaN, a frozen one at
    // the poles.
    for (double latitude : {double(NAN), 90.0, -90.0}) {
        YieldCounter yields;
        double angle, time;
        Dawn(0, 0, 2451545, 0, 0, latitude, &angle, &time);
        EXPECT_LE(yields.count(), 1440) << latitude;
        Noon(0, 0, 2451545, 0, 0, latitude, nullptr, nullptr);
    }
}

}  // namespace
