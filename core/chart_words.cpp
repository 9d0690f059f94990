#include "chart_words.h"

#include "chart_report.h"

#include <cmath>

namespace zenlume {
namespace {

const char *const kSignNames[12] = {"Aries", "Taurus",  "Gemini",      "Cancer",    "Leo",      "Virgo",
                                    "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces"};
const char *const kOrdinals[12] = {"first",   "second", "third", "fourth",   "fifth",    "sixth",
                                   "seventh", "eighth", "ninth", "tenth", "eleventh", "twelfth"};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// "16 Sagittarius 58", "2 Capricorn 10 retrograde": the sign notation the
// positions window shows for this longitude ("16 <glyph> 58 R"), read back
// into words, so that both say the same degrees and minutes.
std::string PositionWords(double longitude, double speed)
{
    if (!std::isfinite(longitude)) return "position unknown";
    const ShortText10 text = MakeSign(qvcalc32_Real6FromDouble(longitude), qvcalc32_Real6FromDouble(speed));
    const char *c = text.chars;
    const int sign = static_cast<uint8_t>(c[3]) - QVCALC32_SIGN_GLYPH_BASE + 1;
    if (text.length != 9 || !IsDigit(c[0]) || !IsDigit(c[1]) || !IsDigit(c[5]) || !IsDigit(c[6]) ||
        SignName(sign).empty())
        return "position unknown";
    std::string words = std::to_string((c[0] - '0') * 10 + (c[1] - '0')) + " " + SignName(sign) + " " +
                        std::to_string((c[5] - '0') * 10 + (c[6] - '0'));
    if (c[8] == 'R') words += " retrograde";
    if (c[8] == 's') words += " stationary";
    return words;
}

bool HasHouses(const ChartMoment &m) { return !m.HouseName.empty() && !m.CuspsMissing; }

std::string BodyWords(const ChartMoment &m, int body)
{
    std::string words = std::string(kBodyNames[body]) + " " + PositionWords(m.TruePlanetPos[body], m.Speed[body]);
    if (HasHouses(m) && std::isfinite(m.TruePlanetPos[body])) {
        const int house = FindPlanetHouse(m.TrueCuspPos, QVCALC32_CHART_HIGH, m.TruePlanetPos[body]);
        if (!OrdinalWord(house).empty()) words += " in the " + OrdinalWord(house) + " house";
    }
    return words;
}

std::string CuspWords(const ChartMoment &m)
{
    std::string words = "cusps:";
    for (int k = 1; k <= 12; ++k)
        words += std::string(k == 1 ? " " : ", ") + OrdinalWord(k) + " house " + PositionWords(m.TrueCuspPos[k], 1.0);
    return words;
}

// What the chart says before the bodies: the angles, or why there are none.
std::string OpeningWords(const ChartMoment &m)
{
    if (m.HouseName.empty()) return "No house system: no angles, houses or cusps";
    std::string words = "Ascendant " + PositionWords(m.TruePlanetPos[QVCALC32_ASCENDANT], 1.0) + "; Midheaven " +
                        PositionWords(m.TruePlanetPos[QVCALC32_MIDHEAVEN], 1.0);
    if (m.CuspsMissing) words += "; the " + m.HouseName + " house system has no cusps at this latitude";
    return words;
}

}  // namespace

std::string OrdinalWord(int number) { return number >= 1 && number <= 12 ? kOrdinals[number - 1] : ""; }

std::string SignName(int sign) { return sign >= 1 && sign <= 12 ? kSignNames[sign - 1] : ""; }

std::string ChartWords(const Settings &settings, const ChartMoment &moment)
{
    std::string words = OpeningWords(moment);
    for (int body = QVCALC32_SUN; body <= QVCALC32_CHIRON; ++body)
        if (settings.ShowBody[body]) words += "; " + BodyWords(moment, body);
    if (HasHouses(moment)) words += "; " + CuspWords(moment);
    return words + ".";
}

}  // namespace zenlume
