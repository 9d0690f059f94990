// Calendar and sidereal time.  Sources: the worked values of this library's
// own documentation; JD of civil dates from the standard Julian Day tables
// (Meeus, Astronomical Algorithms, ch. 7); sidereal time checked against
// the IAU 1982 GMST formula to 0.1 s.
#include "qvcalc32.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

std::string Str(const ShortText10 &t) { return std::string(t.chars, t.length); }

TEST(JulDay, WorkedDates)
{
    struct Case { int m, d, y, jd; const char *what; } cases[] = {
        {1, 1, 2000, 2451545, "J2000"},
        {10, 15, 1582, 2299161, "first Gregorian day"},
        {10, 4, 1582, 2299160, "last Julian day"},
        {10, 16, 1582, 2299162, "second Gregorian day"},
        {3, 1, 1900, 2415080, "1900 March 1"},
        {1, 1, 1, 1721424, "year 1, Julian"},
        {2, 29, 1900, 2415080, "no 29 February 1900: counts on"},
        {13, 1, 1999, 2451545, "month 13 is January next year"},
        {1, 0, 2000, 2451544, "day 0 is the day before"},
        {12, 31, 1899, 2415020, "epoch of T"},
        {1, 1, -4712, 0, "day zero of the count"},
    };
    for (const auto &c : cases) EXPECT_EQ(JulDay(c.m, c.d, c.y), c.jd) << c.what;
}

// Absurd fields run through the same arithmetic, each step wrapping at 32
// bits rather than overflowing (which the sanitizer build would stop on):
// the values are those of that arithmetic, worked step by step with 64-bit
// integers and reduced to 32 bits after each step.
TEST(JulDay, AbsurdYearsWrapAt32Bits)
{
    EXPECT_EQ(JulDay(12, 31, 2147483647), 1721057);
    EXPECT_EQ(JulDay(-2147483647 - 1, 2147483647, -2147483647 - 1), 1926850638);
}

TEST(JuldayToDate, AlwaysGregorian)
{
    int32_t m, d, y;
    JuldayToDate(2451545, &m, &d, &y);
    EXPECT_EQ((m * 100 + d) * 10000 + y, 1012000);
    JuldayToDate(2299160, &m, &d, &y);  // never the Julian 4 October
    EXPECT_EQ(m, 10);
    EXPECT_EQ(d, 14);
    EXPECT_EQ(y, 1582);
    JuldayToDate(JulDay(2, 29, 2024), &m, &d, &y);
    EXPECT_EQ(m, 2);
    EXPECT_EQ(d, 29);
    EXPECT_EQ(y, 2024);
}

// Independent proleptic Gregorian day count (H. Hinnant's days_from_civil),
// JD 2440588 being 1970 January 1.
int32_t GregorianJD(int y, int m, int d)
{
    y -= m <= 2;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468 + 2440588;
}

TEST(JuldayToDate, InvertsJulDayFromYear1To2999)
{
    const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int wrongDates = 0, wrongNumbers = 0;
    for (int y = 1; y <= 2999; ++y) {
        for (int m = 1; m <= 12; ++m) {
            if (y == 1 && m < 3) continue;
            const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
            const int n = days[m - 1] + (m == 2 && leap);
            for (int d = 1; d <= n; ++d) {
                const int32_t jd = GregorianJD(y, m, d);
                int32_t m2, d2, y2;
                JuldayToDate(jd, &m2, &d2, &y2);
                if (m2 != m || d2 != d || y2 != y) ++wrongDates;
                // JulDay counts in the Julian calendar before 15 October 1582.
                if (jd >= 2299161 && JulDay(m, d, y) != jd) ++wrongNumbers;
            }
        }
    }
    EXPECT_EQ(wrongDates, 0);
    EXPECT_EQ(wrongNumbers, 0);
}

TEST(JuldayToDate, TerminatesForEveryNumber)
{
    // Before year 1 the answers are meaningless, but every call returns.
    for (int32_t jd : {0, -1, 1721029, 1721030, -2147483647 - 1, 2147483647}) {
        int32_t m = -1, d = -1, y = -1;
        JuldayToDate(jd, &m, &d, &y);
    }
    int32_t m, d, y;
    JuldayToDate(1721485, &m, &d, &y);  // 1 March of year 1, the first exact day
    EXPECT_EQ(m * 100 + d, 301);
    EXPECT_EQ(y, 1);
}

TEST(TimeConv, SplitsAndRoundsToTheSecond)
{
    struct Case { double hours; int h, m, s; } cases[] = {
        {23.99999, 24, 0, 0}, {0, 0, 0, 0}, {13.2583333333, 13, 15, 30},
        {7.0841666667, 7, 5, 3}, {1.5, 1, 30, 0}, {12.999861, 13, 0, 0},
    };
    for (const auto &c : cases) {
        uint8_t h, m, s;
        TimeConv(&h, &m, &s, c.hours);
        EXPECT_EQ(h, c.h) << c.hours;
        EXPECT_EQ(m, c.m) << c.hours;
        EXPECT_EQ(s, c.s) << c.hours;
    }
    uint8_t h = 9, m = 9, s = 9;
    TimeConv(&h, &m, &s, NAN);
    EXPECT_EQ(h + m + s, 0);
}

TEST(SidTime, EpochValuesAndObliquity)
{
    double offset = 0, lst, t, obl;
    ShortText10 text;
    SidTime(2415020, &offset, &lst, 12.0, &t, &obl, 0.0, &text);
    EXPECT_EQ(t, 0.0);
    EXPECT_DOUBLE_EQ(obl, 23.452294 * M_PI / 180);
    EXPECT_EQ(offset, 0.0);  // a zero offset is never written
    // GMST at 1900 Jan 0.5 is 6.6460656 + 12 h = 18h 38m 45.8s.
    EXPECT_NEAR(lst, 18.6460656, 1e-9);
    EXPECT_EQ(Str(text), "18H38M46S");
}

TEST(SidTime, AgreesWithTheModernFormulaAndWrapsLongitude)
{
    // 2000 January 1, 0h UT: GMST = 6h 39m 51.6s by the IAU 1982 expression;
    // the older linear formula lies within a second of it.
    double offset = 0, lst, t, obl;
    ShortText10 text;
    SidTime(2451545, &offset, &lst, 0.0, &t, &obl, 0.0, &text);
    EXPECT_NEAR(lst, 6.0 + 39.0 / 60 + 51.6 / 3600, 1.0 / 3600);
    double east, west;
    SidTime(2451545, &offset, &east, 5.3, &t, &obl, -180.0, &text);
    SidTime(2451545, &offset, &west, 5.3, &t, &obl, 180.0, &text);
    EXPECT_NEAR(east, west, 1e-12);
    for (double lon : {-179.9, -45.0, 0.0, 73.5, 179.9}) {
        SidTime(2460000, &offset, &lst, 23.9, &t, &obl, lon, &text);
        EXPECT_GE(lst, 0.0);
        EXPECT_LT(lst, 24.0);
    }
}

TEST(SidTime, SiderealOffsetOnlyWhenAsked)
{
    double offset = 1, lst, t, obl;
    ShortText10 text;
    SidTime(2451545, &offset, &lst, 0.0, &t, &obl, 0.0, &text);
    EXPECT_NEAR(offset, -24.74, 0.01);
    const double first = offset;
    SidTime(2451545, &offset, &lst, 0.0, &t, &obl, 0.0, &text);  // non-zero again: rewritten
    EXPECT_EQ(offset, first);
}

TEST(SidTime, TextHasNoLeadingZeros)
{
    double offset = 0, lst, t, obl;
    ShortText10 text;
    // Choose a longitude that puts the sidereal time at 7h 05m 03s.
    SidTime(2415020, &offset, &lst, 12.0, &t, &obl, 0.0, &text);
    const double lon = (lst - (7 + 5.0 / 60 + 3.2 / 3600)) * 15;
    SidTime(2415020, &offset, &lst, 12.0, &t, &obl, lon, &text);
    EXPECT_EQ(Str(text), "7H5M3S");
}

}  // namespace
