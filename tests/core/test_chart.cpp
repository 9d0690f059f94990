// The chart of the moment: Universal Time and date from the local clock and
// the zone, the house dispatch, the angles, the rising sign, the texts and
// the shift into the wheel frame.  Each expectation follows from the
// library's own routines called directly, so only the chart's own steps are
// under test.
#include "chart.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using namespace zenlume;

const PlanetTable &Table()
{
    static const PlanetTable table;
    return table;
}

LocalDateTime At(int y, int mo, int d, int h, int mi, int s = 0)
{
    LocalDateTime t;
    t.Year = y;
    t.Month = mo;
    t.Day = d;
    t.Hour = h;
    t.Minute = mi;
    t.Second = s;
    return t;
}

Settings Place(double zoneHours, int houseSys = QVCALC32_PLACIDUS, int latDeg = 51, int latMin = 30)
{
    Settings s;
    s.ZoneHours = zoneHours;
    s.HouseSys = static_cast<uint8_t>(houseSys);
    s.LatDeg = latDeg;
    s.LatMin = latMin;
    s.LongDeg = 0;
    s.LongMin = 7;
    return s;
}

ChartMoment Compute(const Settings &s, const LocalDateTime &t, ClockChart &chart)
{
    return ComputeChartAt(s, t, Table(), chart);
}

TEST(ChartTime, ZoneRollOvers)
{
    struct Case { double zone; LocalDateTime local; int y, m, d; double ut; const char *what; } cases[] = {
        {0, At(2026, 12, 7, 12, 34, 30), 2026, 12, 7, 12 + 34.5 / 60, "default zone: UT is local time"},
        {-5, At(2026, 12, 31, 21, 30), 2027, 1, 1, 2.5, "5 h west at 21:30: next day, next year"},
        {-5, At(2024, 2, 28, 21, 30), 2024, 2, 29, 2.5, "into a leap day"},
        {10, At(2026, 3, 1, 3, 0), 2026, 2, 28, 17, "10 h east at 03:00: previous day, previous month"},
        {10, At(2027, 1, 1, 3, 0), 2026, 12, 31, 17, "previous year"},
        {0.5, At(2026, 6, 1, 0, 15), 2026, 5, 31, 23.75, "half an hour east"},
    };
    for (const auto &c : cases) {
        ClockChart chart;
        const ChartMoment m = Compute(Place(c.zone), c.local, chart);
        EXPECT_EQ(m.UtYear, c.y) << c.what;
        EXPECT_EQ(m.UtMonth, c.m) << c.what;
        EXPECT_EQ(m.UtDay, c.d) << c.what;
        EXPECT_NEAR(m.UT, c.ut, 1e-12) << c.what;
        EXPECT_EQ(m.JD, JulDay(c.m, c.d, c.y)) << c.what;
    }
}

TEST(ChartHouses, EachCodeCallsItsSystemInItsOwnParameterOrder)
{
    const LocalDateTime t = At(2026, 12, 7, 21, 40);
    for (int code = QVCALC32_PLACIDUS; code <= QVCALC32_EQUAL; ++code) {
        ClockChart chart;
        const ChartMoment m = Compute(Place(0, code), t, chart);
        double expected[QVCALC32_CHART_HIGH + 1] = {}, asc, mc;
        const double lat = 51.5;
        switch (code) {
        case QVCALC32_PLACIDUS: PlacHouse(expected, QVCALC32_CHART_HIGH, m.LST, lat, m.Obl, 0); break;
        case QVCALC32_KOCH: KochHouse(expected, QVCALC32_CHART_HIGH, m.LST, lat, m.Obl, 0); break;
        case QVCALC32_CAMPANUS: CampHouse(expected, QVCALC32_CHART_HIGH, lat, m.LST, m.Obl, 0); break;
        case QVCALC32_TOPOCENTRIC: TopHouse(expected, QVCALC32_CHART_HIGH, m.LST, lat, m.Obl, 0); break;
        case QVCALC32_MORINUS: MorHouse(expected, QVCALC32_CHART_HIGH, m.LST, lat, m.Obl, 0); break;
        case QVCALC32_PORPHYRY: PorHouse(expected, QVCALC32_CHART_HIGH, m.LST, lat, m.Obl, 0); break;
        case QVCALC32_REGIOMONTANUS: RegHouse(expected, QVCALC32_CHART_HIGH, m.LST, lat, m.Obl, 0); break;
        case QVCALC32_MERIDIAN: MeridHouse(expected, QVCALC32_CHART_HIGH, m.LST, lat, m.Obl, 0); break;
        case QVCALC32_EQUAL: EqHouse(&asc, &mc, m.LST, lat, 0, m.Obl, expected, QVCALC32_CHART_HIGH); break;
        }
        for (int k = 1; k <= 12; ++k) EXPECT_EQ(m.TrueCuspPos[k], expected[k]) << "code " << code << " cusp " << k;
        EXPECT_FALSE(m.HouseName.empty());
        // The Midheaven: element 0 for Equal houses, cusp 10 for the others.
        EXPECT_EQ(m.TruePlanetPos[QVCALC32_MIDHEAVEN], code == QVCALC32_EQUAL ? expected[0] : expected[10]) << code;
        EXPECT_EQ(m.TruePlanetPos[QVCALC32_ASCENDANT], expected[1]);
    }
}

// A code that names no system (a stored "Houses" of 255 gives 0) has no
// cusps: neither zeros on a fresh chart nor the cusps of an earlier one,
// and no Ascendant, Midheaven or rising sign.
TEST(ChartHouses, UnknownCodeHasNoCuspsNorAngles)
{
    const LocalDateTime t = At(2026, 12, 7, 21, 40);
    ClockChart earlier;
    Compute(Place(0, QVCALC32_KOCH), t, earlier);
    ClockChart fresh;
    for (ClockChart *chart : {&fresh, &earlier}) {
        for (int code : {0, QVCALC32_EQUAL + 1, 255}) {
            const ChartMoment m = Compute(Place(0, code), t, *chart);
            EXPECT_TRUE(m.HouseName.empty()) << code;
            EXPECT_EQ(m.RisingSign, 0) << code;
            EXPECT_FALSE(m.CuspsMissing) << code;  // not a latitude without cusps
            EXPECT_EQ(MissingCuspsMessage(m), "") << code;
            for (int k = 1; k <= 12; ++k) {
                EXPECT_TRUE(std::isnan(chart->CuspPos[k])) << code << " cusp " << k;
                EXPECT_EQ(chart->CuspText[k].length, 0) << code << " cusp " << k;
            }
            for (int k : {QVCALC32_ASCENDANT, QVCALC32_MIDHEAVEN}) {
                EXPECT_TRUE(std::isnan(chart->PlanetPos[k])) << code << " angle " << k;
                EXPECT_EQ(chart->PlanetText[k].length, 0) << code << " angle " << k;
            }
            EXPECT_EQ(chart->SignShift, 0.0);
            for (int k = QVCALC32_SUN; k <= QVCALC32_CHIRON; ++k) {
                EXPECT_TRUE(std::isfinite(chart->PlanetPos[k])) << k;  // the bodies are there
                EXPECT_EQ(chart->PlanetPos[k], m.TruePlanetPos[k]);     // unshifted
            }
        }
    }
}

// The date rolls through JulDay's own calendar: Julian up to 4 October 1582,
// Gregorian from the next day, 15 October 1582.  An hour's zone moves the
// chart by an hour, never by days.
TEST(ChartTime, ZoneRollsThroughTheLibrarysCalendar)
{
    struct Case { double zone; LocalDateTime local; int y, m, d; int days; const char *what; } cases[] = {
        {-1, At(1582, 10, 4, 23, 30), 1582, 10, 15, 1, "last Julian day to the first Gregorian one"},
        {1, At(1582, 10, 15, 0, 30), 1582, 10, 4, -1, "first Gregorian day back to the last Julian one"},
        {-1, At(1500, 2, 28, 23, 30), 1500, 2, 29, 1, "into the Julian leap day of 1500"},
        {-1, At(1500, 2, 29, 23, 30), 1500, 3, 1, 1, "out of the Julian leap day of 1500"},
        {1, At(1500, 3, 1, 0, 30), 1500, 2, 29, -1, "back into the Julian leap day"},
        {-1, At(1700, 2, 28, 23, 30), 1700, 3, 1, 1, "1700 has no Gregorian leap day"},
        {1, At(1, 1, 1, 0, 30), 0, 12, 31, -1, "before the first day of year 1"},
    };
    for (const auto &c : cases) {
        ClockChart chart;
        const ChartMoment m = Compute(Place(c.zone), c.local, chart);
        EXPECT_EQ(m.UtYear, c.y) << c.what;
        EXPECT_EQ(m.UtMonth, c.m) << c.what;
        EXPECT_EQ(m.UtDay, c.d) << c.what;
        EXPECT_EQ(m.JD, JulDay(c.local.Month, c.local.Day, c.local.Year) + c.days) << c.what;
        EXPECT_NEAR(m.UT, c.days > 0 ? 0.5 : 23.5, 1e-12) << c.what;
    }
}

TEST(ChartCalendar, DaysOfTheLibrarysCalendar)
{
    struct Case { int y, m, d; bool isDay; } cases[] = {
        {1500, 2, 29, true},  {1600, 2, 29, true},   {1700, 2, 29, false}, {2024, 2, 29, true},
        {2026, 2, 29, false}, {1582, 10, 4, true},   {1582, 10, 5, false}, {1582, 10, 14, false},
        {1582, 10, 15, true}, {1, 1, 1, true},       {9999, 12, 31, true}, {0, 12, 31, false},
        {2026, 4, 31, false}, {2026, 13, 1, false},  {2026, 0, 1, false},  {2026, 1, 0, false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(IsCalendarDate(c.y, c.m, c.d), c.isDay) << c.y << "-" << c.m << "-" << c.d;
}

TEST(ChartCalendar, CalendarDateInvertsJulDay)
{
    for (int64_t jd = JulDay(1, 1, 1) - 400; jd <= JulDay(12, 31, 9999); jd += 97) {
        int y, m, d;
        CalendarDate(jd, y, m, d);
        EXPECT_EQ(JulDay(m, d, y), jd) << y << "-" << m << "-" << d;
    }
    for (int64_t jd = 2299150; jd <= 2299175; ++jd) {  // every day around the change of calendar
        int y, m, d;
        CalendarDate(jd, y, m, d);
        EXPECT_EQ(JulDay(m, d, y), jd) << y << "-" << m << "-" << d;
    }
}

TEST(ChartRecord, WheelFrameTextsAndRisingSign)
{
    for (int hour = 0; hour < 24; hour += 3) {
        ClockChart chart;
        const ChartMoment m = Compute(Place(1, QVCALC32_PLACIDUS), At(2026, 4, 18, hour, 5), chart);
        const double asc = m.TrueCuspPos[1];
        EXPECT_EQ(m.RisingSign, static_cast<int>(asc / 30) + 1);
        EXPECT_DOUBLE_EQ(chart.SignShift, std::fmod(asc, 30));
        EXPECT_EQ(chart.CuspPos[1], 30 * std::trunc(asc / 30));  // the rising sign's start
        EXPECT_EQ(chart.TrueAscendant(), asc);                    // the Ascendant is not shifted
        EXPECT_EQ(chart.PlanetPos[kTrueAscendantEntry], asc);
        for (int i = QVCALC32_SUN; i <= QVCALC32_MIDHEAVEN; ++i) {
            if (!IsWheelFrameEntry(i)) continue;
            double expected = m.TruePlanetPos[i] - chart.SignShift;
            if (expected < 0) expected += 360;
            EXPECT_DOUBLE_EQ(chart.PlanetPos[i], expected) << i;
            const ShortText10 made = MakeSign(qvcalc32_Real6FromDouble(m.TruePlanetPos[i]),
                                              qvcalc32_Real6FromDouble(m.Speed[i]));
            EXPECT_EQ(std::string(chart.PlanetText[i].chars, chart.PlanetText[i].length),
                      std::string(made.chars, made.length));
        }
        // The angles never carry a motion mark, nor do the cusps.
        EXPECT_EQ(chart.PlanetText[QVCALC32_ASCENDANT].chars[8], ' ');
        EXPECT_EQ(chart.PlanetText[QVCALC32_MIDHEAVEN].chars[8], ' ');
        for (int k = 1; k <= 12; ++k) EXPECT_EQ(chart.CuspText[k].chars[8], ' ');
        for (int k = 1; k <= 12; ++k) {
            EXPECT_EQ(m.Grid[k].Glyph, 127 + k);
            EXPECT_EQ(m.Grid[k].House, std::to_string(k));
        }
    }
}

// Which PlanetPos entries are in the wheel frame: the bodies and the
// Midheaven; the Ascendant entry is the true one, and entry 0 is unused.
TEST(ChartRecord, TheFramesOfTheEntries)
{
    struct Case { int entry; bool wheel; const char *name; } cases[] = {
        {0, false, "unused"},
        {QVCALC32_SUN, true, "Sun"},
        {QVCALC32_PLUTO, true, "Pluto"},
        {QVCALC32_NODE, true, "Node"},
        {QVCALC32_CHIRON, true, "Chiron"},
        {QVCALC32_ASCENDANT, false, "the true Ascendant"},
        {QVCALC32_MIDHEAVEN, true, "Midheaven"},
        {15, false, "beyond the record"},
    };
    for (const auto &c : cases) EXPECT_EQ(IsWheelFrameEntry(c.entry), c.wheel) << c.name;
    EXPECT_EQ(kTrueAscendantEntry, QVCALC32_ASCENDANT);

    // Without a house system there is no Ascendant and no shift.
    ClockChart chart;
    Settings none = Place(1, QVCALC32_PLACIDUS);
    none.HouseSys = 0;
    Compute(none, At(2026, 4, 18, 12, 5), chart);
    EXPECT_TRUE(std::isnan(chart.TrueAscendant()));
    EXPECT_EQ(chart.SignShift, 0.0);
}

TEST(ChartRecord, PolarLatitudesKeepBodiesAndAnglesButNoFalseCusps)
{
    ClockChart chart;
    const ChartMoment m = Compute(Place(0, QVCALC32_PLACIDUS, 70, 0), At(2026, 12, 7, 12, 0), chart);
    EXPECT_TRUE(m.CuspsMissing);
    EXPECT_NE(MissingCuspsMessage(m).find("Placidus house system has no cusps at latitude 70"), std::string::npos);
    EXPECT_GE(m.RisingSign, 1);
    EXPECT_TRUE(std::isfinite(chart.SignShift));
    for (int k : {1, 4, 7, 10}) EXPECT_EQ(chart.CuspText[k].length, 9) << k;
    int empty = 0;
    for (int k = 1; k <= 12; ++k) empty += chart.CuspText[k].length == 0;
    EXPECT_GT(empty, 0);
    for (int i = QVCALC32_SUN; i <= QVCALC32_CHIRON; ++i) EXPECT_TRUE(std::isfinite(chart.PlanetPos[i])) << i;

    ClockChart equal;
    EXPECT_FALSE(Compute(Place(0, QVCALC32_EQUAL, 70, 0), At(2026, 12, 7, 12, 0), equal).CuspsMissing);
}

// At and beyond the polar circles, and at the poles themselves, every house
// system either gives a cusp or says it has none: never a crash, never a
// text for a cusp that is not a number, and the bodies are always placed.
TEST(ChartRecord, EveryHouseSystemAtThePolarCirclesAndThePoles)
{
    struct Latitude {
        const char *name;
        int deg, min;
    };
    const Latitude latitudes[] = {
        {"Arctic circle", 66, 34}, {"Antarctic circle", -66, -34}, {"80 N", 80, 0}, {"80 S", -80, 0},
        {"a minute from the North Pole", 89, 59}, {"a minute from the South Pole", -89, -59},
        {"North Pole", 90, 0}, {"South Pole", -90, 0},
    };
    for (int code = QVCALC32_PLACIDUS; code <= QVCALC32_EQUAL; ++code) {
        for (const Latitude &lat : latitudes) {
            SCOPED_TRACE(std::string(lat.name) + ", house code " + std::to_string(code));
            ClockChart chart;
            const ChartMoment m = Compute(Place(1, code, lat.deg, lat.min), At(2026, 6, 21, 3, 30), chart);
            EXPECT_FALSE(m.HouseName.empty());
            for (int i = QVCALC32_SUN; i <= QVCALC32_CHIRON; ++i)
                EXPECT_TRUE(std::isfinite(chart.PlanetPos[i])) << "body " << i;
            int absent = 0;
            for (int k = 1; k <= 12; ++k) {
                const bool shown = chart.CuspText[k].length == 9;
                EXPECT_TRUE(shown || chart.CuspText[k].length == 0) << "cusp " << k;
                EXPECT_EQ(shown, std::isfinite(m.TrueCuspPos[k])) << "cusp " << k;
                if (shown) {
                    EXPECT_TRUE(m.TrueCuspPos[k] > -360 && m.TrueCuspPos[k] < 720) << "cusp " << k;
                }
                absent += !shown;
            }
            EXPECT_EQ(m.CuspsMissing, absent > 0);
            if (m.CuspsMissing) {
                EXPECT_FALSE(MissingCuspsMessage(m).empty());
            }
            EXPECT_TRUE(m.RisingSign >= 0 && m.RisingSign <= 12);
        }
    }
}

}  // namespace
