#include "chart.h"

#include "glyph_codes.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace zenlume {
namespace {

using Days = std::chrono::sys_days;

const char *const kHouseNames[10] = {"",          "Placidus", "Koch",          "Campanus", "Topocentric",
                                     "Morinus",   "Porphyry", "Regiomontanus", "Meridian", "Equal"};

// Int(x / 30) + 1, the sign number 1..12 of a longitude; 0 for NaN.
int SignNumber(double longitude)
{
    if (!(std::fabs(longitude) < 1e9)) return 0;
    return static_cast<int>(std::trunc(longitude / 30)) + 1;
}

ShortText10 SignText(double longitude, double speed)
{
    if (std::isnan(longitude)) return ShortText10{};  // no cusp: no text rather than "00 Aries 00"
    return MakeSign(qvcalc32_Real6FromDouble(longitude), qvcalc32_Real6FromDouble(speed));
}

}  // namespace

bool CalcHouses(uint8_t houseSys, double lst, double latitude, double obliquity, double offset, double cusps[QVCALC32_CHART_HIGH + 1],
                std::string &name)
{
    double asc, mc;
    switch (houseSys) {
    case QVCALC32_PLACIDUS: PlacHouse(cusps, QVCALC32_CHART_HIGH, lst, latitude, obliquity, offset); break;
    case QVCALC32_KOCH: KochHouse(cusps, QVCALC32_CHART_HIGH, lst, latitude, obliquity, offset); break;
    case QVCALC32_CAMPANUS: CampHouse(cusps, QVCALC32_CHART_HIGH, latitude, lst, obliquity, offset); break;
    case QVCALC32_TOPOCENTRIC: TopHouse(cusps, QVCALC32_CHART_HIGH, lst, latitude, obliquity, offset); break;
    case QVCALC32_MORINUS: MorHouse(cusps, QVCALC32_CHART_HIGH, lst, latitude, obliquity, offset); break;
    case QVCALC32_PORPHYRY: PorHouse(cusps, QVCALC32_CHART_HIGH, lst, latitude, obliquity, offset); break;
    case QVCALC32_REGIOMONTANUS: RegHouse(cusps, QVCALC32_CHART_HIGH, lst, latitude, obliquity, offset); break;
    case QVCALC32_MERIDIAN: MeridHouse(cusps, QVCALC32_CHART_HIGH, lst, latitude, obliquity, offset); break;
    case QVCALC32_EQUAL: EqHouse(&asc, &mc, lst, latitude, offset, obliquity, cusps, QVCALC32_CHART_HIGH); break;
    default: return false;
    }
    name = kHouseNames[houseSys];
    return true;
}

ChartMoment ComputeChartAt(const Settings &settings, const LocalDateTime &when, const PlanetTable &table,
                           ClockChart &chart)
{
    ChartMoment m;
    m.Local = when;

    // Universal Time from the local clock and the zone; the date rolls over
    // by whole days so month and year ends follow from the calendar.
    const double msOfDay = ((when.Hour * 60.0 + when.Minute) * 60.0 + when.Second) * 1000.0 + when.Millisecond;
    m.UT = msOfDay / 86400000.0 * 24 - settings.ZoneHours;
    using namespace std::chrono;
    Days date = Days(year_month_day(year(when.Year), month(static_cast<unsigned>(when.Month)),
                                    day(static_cast<unsigned>(when.Day))));
    if (m.UT < 0) {
        m.UT += 24;
        date -= days(1);
    }
    if (m.UT >= 24) {
        m.UT -= 24;
        date += days(1);
    }
    const year_month_day utDate(date);
    m.UtYear = static_cast<int>(utDate.year());
    m.UtMonth = static_cast<int>(static_cast<unsigned>(utDate.month()));
    m.UtDay = static_cast<int>(static_cast<unsigned>(utDate.day()));
    m.JD = JulDay(m.UtMonth, m.UtDay, m.UtYear);

    m.Latitude = settings.Latitude();
    m.Longitude = settings.Longitude();
    double offset = 0;  // tropical zodiac: SidTime leaves a zero offset alone
    ShortText10 lstText;
    SidTime(m.JD, &offset, &m.LST, m.UT, &m.T, &m.Obl, m.Longitude, &lstText);

    CalcHouses(settings.HouseSys, m.LST, m.Latitude, m.Obl, offset, chart.CuspPos, m.HouseName);

    double scratch[QVCALC32_CHART_HIGH + 1] = {};
    uint8_t counts[QVCALC32_BODIES_HIGH + 1] = {};
    PlanetCalc(QVCALC32_SUN, QVCALC32_CHIRON, 0, offset, scratch, QVCALC32_CHART_HIGH, m.T, counts, QVCALC32_BODIES_HIGH, 1,
               chart.PlanetPos, QVCALC32_CHART_HIGH, m.Decl, QVCALC32_CHART_HIGH, m.Speed, QVCALC32_CHART_HIGH, table.Values, QVCALC32_PLANET_TABLE_HIGH, 0);

    chart.PlanetPos[QVCALC32_ASCENDANT] = chart.CuspPos[1];
    chart.PlanetPos[QVCALC32_MIDHEAVEN] = settings.HouseSys == QVCALC32_EQUAL ? chart.CuspPos[0] : chart.CuspPos[10];
    m.RisingSign = SignNumber(chart.CuspPos[1]);
    if (m.RisingSign < 1 || m.RisingSign > 12) m.RisingSign = 0;

    m.Speed[QVCALC32_ASCENDANT] = m.Speed[QVCALC32_MIDHEAVEN] = 1.0;  // the angles always count as direct
    for (int i = QVCALC32_SUN; i <= QVCALC32_MIDHEAVEN; ++i) chart.PlanetText[i] = SignText(chart.PlanetPos[i], m.Speed[i]);
    for (int i = 1; i <= 12; ++i) {
        chart.CuspText[i] = SignText(chart.CuspPos[i], 1.0);
        if (std::isnan(chart.CuspPos[i])) m.CuspsMissing = true;
    }

    for (int k = QVCALC32_SUN; k <= QVCALC32_CHIRON; ++k) {
        GridRow &row = m.Grid[k];
        row.Glyph = static_cast<uint8_t>(BodyGlyphBase + k);
        row.Planet = chart.PlanetText[k];
        row.House = std::to_string(k);
        row.Cusp = chart.CuspText[k];
    }
    for (int i = 0; i <= QVCALC32_CHART_HIGH; ++i) {
        m.TruePlanetPos[i] = chart.PlanetPos[i];
        m.TrueCuspPos[i] = chart.CuspPos[i];
    }

    // Into the wheel frame: measured from the start of the rising sign.
    const double asc = chart.CuspPos[1];
    chart.SignShift = std::isfinite(asc) ? asc - 30 * std::trunc(asc / 30) : 0;
    const auto shift = [&](double &x) {
        x -= chart.SignShift;
        if (x < 0) x += 360;
    };
    for (int i = 1; i <= 12; ++i) {
        shift(chart.CuspPos[i]);
        shift(chart.PlanetPos[i]);  // the bodies QVCALC32_SUN .. QVCALC32_CHIRON
    }
    shift(chart.PlanetPos[QVCALC32_MIDHEAVEN]);
    return m;
}

LocalDateTime LocalNow()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::tm local{};
    localtime_r(&now.tv_sec, &local);
    LocalDateTime t;
    t.Year = local.tm_year + 1900;
    t.Month = local.tm_mon + 1;
    t.Day = local.tm_mday;
    t.Hour = local.tm_hour;
    t.Minute = local.tm_min;
    t.Second = local.tm_sec > 59 ? 59 : local.tm_sec;
    t.Millisecond = static_cast<int>(now.tv_nsec / 1000000);
    return t;
}

ChartMoment ComputeChart(const Settings &settings, const PlanetTable &table, ClockChart &chart)
{
    return ComputeChartAt(settings, LocalNow(), table, chart);
}

std::string MissingCuspsMessage(const ChartMoment &m)
{
    if (!m.CuspsMissing) return {};
    const double a = std::fabs(m.Latitude);
    const int deg = static_cast<int>(a);
    const int min = static_cast<int>(std::lround((a - deg) * 60));
    char text[200];
    std::snprintf(text, sizeof text,
                  "The %s house system has no cusps at latitude %d\u00B0%02d' %s; only the angles and the bodies "
                  "are shown.",
                  m.HouseName.c_str(), deg, min, m.Latitude < 0 ? "S" : "N");
    return text;
}

}  // namespace zenlume
