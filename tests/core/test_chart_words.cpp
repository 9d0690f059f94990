// The chart in words, as a screen reader reads the wheel.  The named charts
// are 10 March 2026, noon UT, as zenlume-chart prints it (Mercury and
// Jupiter retrograde); every body is checked against its true longitude.
#include "chart_report.h"
#include "chart_words.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace zenlume;

const PlanetTable &Table()
{
    static const PlanetTable table;
    return table;
}

// London with the house system `houses`, the latitude `latDeg` and the
// bodies shown in `shown` (1 = shown, from the Sun to Chiron).
Settings Place(uint8_t houses, int latDeg = 51, const char *shown = "111111111100")
{
    Settings s;
    s.LatDeg = latDeg;
    s.LatMin = 30;
    s.LongMin = 7;
    s.HouseSys = houses;
    for (int k = QVCALC32_SUN; k <= QVCALC32_CHIRON; ++k) s.ShowBody[k] = shown[k - 1] == '1';
    return s;
}

std::string Words(const Settings &s, const LocalDateTime &at)
{
    ClockChart chart;
    return ChartWords(s, ComputeChartAt(s, at, Table(), chart));
}

TEST(ChartWords, NamedCharts)
{
    const struct { const char *Name; Settings Place; const char *Present, *Absent; } cases[] = {
        {"retrograde bodies", Place(QVCALC32_PLACIDUS),
         "Ascendant 17 Cancer 36; Midheaven 17 Pisces 2; Sun 19 Pisces 54 in the tenth house; Moon 10 Sagittarius 6 "
         "in the sixth house; Mercury 13 Pisces 51 retrograde in the ninth house; ",
         "Node"},
        {"the cusps", Place(QVCALC32_PLACIDUS),
         "; Pluto 4 Aquarius 42 in the eighth house; cusps: first house 17 Cancer 36, second house 3 Leo 17, ",
         "Chiron"},
        {"polar latitude", Place(QVCALC32_PLACIDUS, 75),
         "Ascendant 24 Leo 2; Midheaven 17 Pisces 2; the Placidus house system has no cusps at this latitude; "
         "Sun 19 Pisces 54; Moon ",
         "in the "},
        {"no house system", Place(0), "No house system: no angles, houses or cusps; Sun 19 Pisces 54; Moon 10 ",
         "Ascendant"},
        {"bodies hidden", Place(QVCALC32_PLACIDUS, 51, "100000000001"),
         "; Sun 19 Pisces 54 in the tenth house; Chiron 25 Aries 30 in the eleventh house; cusps: ", "Moon"},
        {"equal houses", Place(QVCALC32_EQUAL), "; Midheaven 17 Pisces 2; ", "second house 3 Leo"},
    };
    for (const auto &c : cases) {
        const std::string words = Words(c.Place, LocalDateTime{2026, 3, 10, 12, 0, 0, 0});
        EXPECT_NE(words.find(c.Present), std::string::npos) << c.Name << ": " << words;
        EXPECT_EQ(words.find(c.Absent), std::string::npos) << c.Name << ": " << words;
    }
}

// Degrees and minutes into the sign cut, not rounded, and "retrograde"
// exactly when the speed is negative; a week apart through 2026.
TEST(ChartWords, EveryBodySaysItsTrueLongitude)
{
    const Settings s = Place(QVCALC32_PLACIDUS, 51, "111111111111");
    for (int day = 0; day < 365; day += 7) {
        LocalDateTime at{2026, 1, 1, 12, 0, 0, 0};
        CalendarDate(JulDay(1, 1, 2026) + day, at.Year, at.Month, at.Day);
        ClockChart chart;
        const ChartMoment m = ComputeChartAt(s, at, Table(), chart);
        const std::string words = ChartWords(s, m);
        for (int k = QVCALC32_SUN; k <= QVCALC32_CHIRON; ++k) {
            const double lon = m.TruePlanetPos[k], inSign = std::fmod(lon, 30);
            const std::string said = std::string(kBodyNames[k]) + " " + std::to_string(int(inSign)) + " " +
                                     SignName(int(lon / 30) + 1) + " " +
                                     std::to_string(int((inSign - int(inSign)) * 60)) +
                                     (m.Speed[k] < 0 ? " retrograde in the " : " in the ");
            EXPECT_NE(words.find(said), std::string::npos) << "day " << day << ": " << said << " in " << words;
        }
    }
}

}  // namespace
