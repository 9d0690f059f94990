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

bool CalcHouses(uint8_t houseSys, double lst, double latitude, double obliquity, double offset, double cusps[15],
                std::string &name)
{
    double asc, mc;
    switch (houseSys) {
    case kPlacidus: PlacHouse(cusps, 14, lst, latitude, obliquity, offset); break;
    case kKoch: KochHouse(cusps, 14, lst, latitude, obliquity, offset); break;
    case kCampanus: CampHouse(cusps, 14, latitude, lst, obliquity, offset); break;
    case kTopocentric: TopHouse(cusps, 14, lst, latitude, obliquity, offset); break;
    case kMorinus: MorHouse(cusps, 14, lst, latitude, obliquity, offset); break;
    case kPorphyry: PorHouse(cusps, 14, lst, latitude, obliquity, offset); break;
    case kRegiomontanus: RegHouse(cusps, 14, lst, latitude, obliquity, offset); break;
    case kMeridian: MeridHouse(cusps, 14, lst, latitude, obliquity, offset); break;
    case kEqual: EqHouse(&asc, &mc, lst, latitude, offset, obliquity, cusps, 14); break;
    default: return false;
    }
    name = kHouseNames[houseSys];
    return true;
}

ChartMoment ComputeChartAt(const Settings &settings, const LocalDateTime &when, const PlanetTable &table,
                           ClockChart &chart)
{
    ChartMoment m;
    m.local = when;

    // Universal Time from the local clock and the zone; the date rolls over
    // by whole days so month and year ends follow from the calendar.
    const double msOfDay = ((when.hour * 60.0 + when.minute) * 60.0 + when.second) * 1000.0 + when.millisecond;
    m.UT = msOfDay / 86400000.0 * 24 - settings.ZoneHours;
    using namespace std::chrono;
    Days date = Days(year_month_day(year(when.year), month(static_cast<unsigned>(when.month)),
                                    day(static_cast<unsigned>(when.day))));
    if (m.UT < 0) {
        m.UT += 24;
        date -= days(1);
    }
    if (m.UT >= 24) {
        m.UT -= 24;
        date += days(1);
    }
    const year_month_day utDate(date);
    m.utYear = static_cast<int>(utDate.year());
    m.utMonth = static_cast<int>(static_cast<unsigned>(utDate.month()));
    m.utDay = static_cast<int>(static_cast<unsigned>(utDate.day()));
    m.JD = JulDay(m.utMonth, m.utDay, m.utYear);

    m.Latitude = settings.Latitude();
    m.Longitude = settings.Longitude();
    double offset = 0;  // tropical zodiac: SidTime leaves a zero offset alone
    ShortText10 lstText;
    SidTime(m.JD, &offset, &m.LST, m.UT, &m.T, &m.Obl, m.Longitude, &lstText);

    CalcHouses(settings.HouseSys, m.LST, m.Latitude, m.Obl, offset, chart.CuspPos, m.HouseName);

    double scratch[15] = {};
    uint8_t counts[13] = {};
    PlanetCalc(1, 12, 0, offset, scratch, 14, m.T, counts, 12, 1, chart.PlanetPos, 14, m.Decl, 14, m.Speed, 14,
               table.values, 410, 0);

    chart.PlanetPos[13] = chart.CuspPos[1];
    chart.PlanetPos[14] = settings.HouseSys == kEqual ? chart.CuspPos[0] : chart.CuspPos[10];
    m.RisingSign = SignNumber(chart.CuspPos[1]);
    if (m.RisingSign < 1 || m.RisingSign > 12) m.RisingSign = 0;

    m.Speed[13] = m.Speed[14] = 1.0;  // the angles always count as direct
    for (int i = 1; i <= 14; ++i) chart.PlanetText[i] = SignText(chart.PlanetPos[i], m.Speed[i]);
    for (int i = 1; i <= 12; ++i) {
        chart.CuspText[i] = SignText(chart.CuspPos[i], 1.0);
        if (std::isnan(chart.CuspPos[i])) m.CuspsMissing = true;
    }

    for (int k = 1; k <= 12; ++k) {
        GridRow &row = m.Grid[k];
        row.glyph = static_cast<uint8_t>(BodyGlyphBase + k);
        row.planet = chart.PlanetText[k];
        row.house = std::to_string(k);
        row.cusp = chart.CuspText[k];
    }
    for (int i = 0; i < 15; ++i) {
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
        shift(chart.PlanetPos[i]);
    }
    shift(chart.PlanetPos[14]);
    return m;
}

LocalDateTime LocalNow()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::tm local{};
    localtime_r(&now.tv_sec, &local);
    LocalDateTime t;
    t.year = local.tm_year + 1900;
    t.month = local.tm_mon + 1;
    t.day = local.tm_mday;
    t.hour = local.tm_hour;
    t.minute = local.tm_min;
    t.second = local.tm_sec > 59 ? 59 : local.tm_sec;
    t.millisecond = static_cast<int>(now.tv_nsec / 1000000);
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
