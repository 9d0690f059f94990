// The chart's numbers as published to other programs: the fixed scientific
// form of width 23 with a four-digit exponent, the day count of the local
// time, and the order of the 15 lines.  Expected values: the worked examples
// of this clock's documentation (Ascendant 75.5 gives line 13 as 60, a body
// at 10 degrees as 354.5; noon on 1 January 2000 is day 36526.5).
#include "publication.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace zenlume;

TEST(PublishedNumber, FixedScientificFormOfWidth23)
{
    const struct {
        double X;
        const char *Text;
    } cases[] = {
        {123.456, " 1.23456000000000E+0002"},
        {0.0, " 0.00000000000000E+0000"},
        {-0.0, " 0.00000000000000E+0000"},  // zero is never negative
        {-12.5, "-1.25000000000000E+0001"},
        {60.0, " 6.00000000000000E+0001"},
        {354.5, " 3.54500000000000E+0002"},
        {36526.5, " 3.65265000000000E+0004"},
        {0.000123, " 1.23000000000000E-0004"},
        {359.99999999999999, " 3.60000000000000E+0002"},       // 15 significant digits round up
        {1.0 / 3.0, " 3.33333333333333E-0001"},
        {1e300, " 1.00000000000000E+0300"},
        {NAN, "                    NAN"},
        {-INFINITY, "                   -INF"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(PublishedNumber(c.X), c.Text) << c.X;
        EXPECT_EQ(PublishedNumber(c.X).size(), 23u) << c.X;
    }
}

TEST(PublishedLines, DayCountOfTheLocalTime)
{
    EXPECT_DOUBLE_EQ(DayCount({1899, 12, 30, 0, 0, 0, 0}), 0.0);
    EXPECT_DOUBLE_EQ(DayCount({2000, 1, 1, 12, 0, 0, 0}), 36526.5);
    EXPECT_DOUBLE_EQ(DayCount({2026, 12, 8, 6, 0, 0, 0}), 46364.25);
    EXPECT_NEAR(DayCount({2026, 12, 8, 23, 59, 59, 999}), 46365.0, 1e-7);
}

TEST(PublishedLines, FifteenLinesInTheirOrder)
{
    ClockChart chart;
    for (int k = QVCALC32_SUN; k <= QVCALC32_CHIRON; ++k) chart.PlanetPos[k] = 10.0 * k;
    chart.PlanetPos[QVCALC32_SUN] = 354.5;  // a body at 10 degrees with the Ascendant at 75.5
    chart.CuspPos[1] = 60.0;                // the Ascendant at 75.5: its sign begins at 60 in the wheel frame
    chart.CuspPos[10] = 330.25;
    chart.PlanetPos[QVCALC32_MIDHEAVEN] = 999;  // not published
    const std::vector<std::string> lines = PublishedLines(chart, {2000, 1, 1, 12, 0, 0, 0});
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_EQ(lines[0], " 3.54500000000000E+0002");
    for (int k = QVCALC32_MOON; k <= QVCALC32_CHIRON; ++k) EXPECT_EQ(lines[k - 1], PublishedNumber(10.0 * k)) << k;
    EXPECT_EQ(lines[12], " 6.00000000000000E+0001");
    EXPECT_EQ(lines[13], " 3.30250000000000E+0002");
    EXPECT_EQ(lines[14], " 3.65265000000000E+0004");
    EXPECT_EQ(PublishedText({"a", "b"}), "a\r\nb\r\n");
}

}  // namespace
