// The chart in words, as a screen reader reads the wheel: the angles, the
// bodies shown with sign, degrees, minutes, motion and house, the cusps, and
// what the chart says without cusps or without a house system.  Positions
// are checked against the sign notation of the same chart record (the
// positions window's text), so words and window never disagree.
#include "chart_words.h"

#include "chart_report.h"

#include <gtest/gtest.h>

#include <cmath>

#include <string>
#include <vector>

namespace {

using namespace zenlume;

const PlanetTable &Table()
{
    static const PlanetTable table;
    return table;
}

bool Has(const std::string &text, const std::string &part) { return text.find(part) != std::string::npos; }

// London, UT, with the settings' defaults otherwise.
Settings London(uint8_t houseSys = QVCALC32_PLACIDUS)
{
    Settings s;
    s.LatDeg = 51;
    s.LatMin = 30;
    s.LongDeg = 0;
    s.LongMin = 7;
    s.HouseSys = houseSys;
    return s;
}

std::string WordsAt(const Settings &s, const LocalDateTime &local)
{
    ClockChart chart;
    const ChartMoment m = ComputeChartAt(s, local, Table(), chart);
    return ChartWords(s, m);
}

struct Case {
    const char *Name;
    Settings Place;
    LocalDateTime At;
    std::vector<std::string> Present, Absent;
};

Settings Polar()
{
    Settings s = London();
    s.LatDeg = 75;
    return s;
}

Settings NoHouseSystem() { return London(0); }  // what a stored "Houses" of 255 gives

Settings OnlySunAndChiron()
{
    Settings s = London();
    for (bool &shown : s.ShowBody) shown = false;
    s.ShowBody[QVCALC32_SUN] = s.ShowBody[QVCALC32_CHIRON] = true;
    return s;
}

// 10 March 2026, noon UT in London: Mercury and Jupiter retrograde (the
// chart as zenlume-chart prints it for this place and time).
TEST(ChartWords, NamedCharts)
{
    const LocalDateTime at{2026, 3, 10, 12, 0, 0, 0};
    const Case cases[] = {
        {"retrograde Mercury and Jupiter in London", London(), at,
         {"Ascendant 17 Cancer 36; Midheaven 17 Pisces 2; Sun 19 Pisces 54 in the tenth house; "
          "Moon 10 Sagittarius 6 in the sixth house; Mercury 13 Pisces 51 retrograde in the ninth house; ",
          "; Jupiter 14 Cancer 58 retrograde in the twelfth house; ", "; Pluto 4 Aquarius 42 in the eighth house; ",
          "; cusps: first house 17 Cancer 36, second house 3 Leo 17, ", ", twelfth house 9 Gemini 58."},
         {"Node", "Chiron", "stationary", "position unknown", "Venus 5 Aries 3 retrograde"}},
        {"polar latitude without cusps", Polar(), at,
         {"Ascendant 24 Leo 2; Midheaven 17 Pisces 2; the Placidus house system has no cusps at this latitude; "
          "Sun 19 Pisces 54; Moon "},
         {"in the ", "cusps:"}},
        {"no house system", NoHouseSystem(), at,
         {"No house system: no angles, houses or cusps; Sun 19 Pisces 54; Moon 10 Sagittarius 6; "},
         {"Ascendant", "Midheaven", "cusps:", "in the "}},
        {"bodies hidden", OnlySunAndChiron(), at,
         {"; Sun 19 Pisces 54 in the tenth house; Chiron 25 Aries 30 in the eleventh house; cusps: "},
         {"Moon", "Mercury", "Venus", "Pluto", "Node"}},
        {"equal houses", London(QVCALC32_EQUAL), at,
         {"Ascendant 17 Cancer 36; Midheaven 17 Pisces 2; ", "second house 17 Leo 36, third house 17 Virgo 36"},
         {"position unknown"}},
    };
    for (const Case &c : cases) {
        const std::string words = WordsAt(c.Place, c.At);
        for (const std::string &part : c.Present) EXPECT_TRUE(Has(words, part)) << c.Name << ": " << words;
        for (const std::string &part : c.Absent) EXPECT_FALSE(Has(words, part)) << c.Name << ": " << words;
    }
}

// Each body's words against its true longitude and speed, worked here with
// plain arithmetic: degrees and minutes into the sign cut, not rounded, and
// "retrograde" exactly when the speed is negative.  A week apart through
// 2026, so that every body is seen direct and most retrograde.
TEST(ChartWords, EveryBodySaysItsTrueLongitude)
{
    Settings s = London();
    for (bool &shown : s.ShowBody) shown = true;
    for (int day = 0; day < 365; day += 7) {
        LocalDateTime at{2026, 1, 1, 12, 0, 0, 0};
        CalendarDate(JulDay(1, 1, 2026) + day, at.Year, at.Month, at.Day);
        ClockChart chart;
        const ChartMoment m = ComputeChartAt(s, at, Table(), chart);
        const std::string words = ChartWords(s, m);
        for (int k = QVCALC32_SUN; k <= QVCALC32_CHIRON; ++k) {
            const double lon = m.TruePlanetPos[k];
            const double inSign = lon - 30 * std::floor(lon / 30);
            const int degrees = static_cast<int>(inSign);
            const int minutes = static_cast<int>((inSign - degrees) * 60);
            const std::string said = std::string(kBodyNames[k]) + " " + std::to_string(degrees) + " " +
                                     SignName(static_cast<int>(lon / 30) + 1) + " " + std::to_string(minutes) +
                                     (m.Speed[k] < 0 ? " retrograde in the " : " in the ");
            EXPECT_TRUE(Has(words, said)) << "day " << day << ": " << said << " in " << words;
        }
    }
}

TEST(ChartWords, OrdinalsAndSignNames)
{
    const struct { int Number; const char *Ordinal, *Sign; } cases[] = {
        {0, "", ""}, {1, "first", "Aries"}, {3, "third", "Gemini"}, {12, "twelfth", "Pisces"}, {13, "", ""}, {-1, "", ""},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(OrdinalWord(c.Number), c.Ordinal) << c.Number;
        EXPECT_EQ(SignName(c.Number), c.Sign) << c.Number;
    }
}

}  // namespace
