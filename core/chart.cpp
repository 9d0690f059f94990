#include "chart.h"

#include "angle_text.h"
#include "glyph_codes.h"
#include "precise_ephemeris.h"
#include "precise_houses.h"

#include <cmath>
#include <ctime>

namespace zenlume {
namespace {

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

// Floor division, for day numbers before the epoch as well.
int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// JulDay's first Gregorian day, 15 October 1582.
constexpr int64_t kFirstGregorianDay = 2299161;

}  // namespace

void CalendarDate(int64_t jd, int &year, int &month, int &day)
{
    // Days counted from 1 March of year -4800; centuries only in the Gregorian calendar.
    int64_t centuries = 0, c = jd + 32082;
    if (jd >= kFirstGregorianDay) {
        const int64_t a = jd + 32044;
        centuries = FloorDiv(4 * a + 3, 146097);
        c = a - FloorDiv(146097 * centuries, 4);
    }
    const int64_t years = FloorDiv(4 * c + 3, 1461);
    const int64_t e = c - FloorDiv(1461 * years, 4);
    const int64_t m = FloorDiv(5 * e + 2, 153);
    day = static_cast<int>(e - FloorDiv(153 * m + 2, 5) + 1);
    month = static_cast<int>(m + 3 - 12 * FloorDiv(m, 10));
    year = static_cast<int>(100 * centuries + years - 4800 + FloorDiv(m, 10));
}

bool IsCalendarDate(int year, int month, int day)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31) return false;
    int y, m, d;
    CalendarDate(JulDay(month, day, year), y, m, d);
    return y == year && m == month && d == day;
}

bool CalcHouseCusps(uint8_t houseSys, double lst, double latitude, double obliquity, double offset,
                    double cusps[QVCALC32_CHART_HIGH + 1])
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
    return true;
}

namespace {

// The Julian date (UT) of an instant.
double JulianDateOf(Instant instant)
{
    return 2440587.5 + static_cast<double>(instant.time_since_epoch().count()) / 86400000.0;
}

const char *const kBodyNames[13] = {"",       "the Sun", "the Moon", "Mercury", "Venus",         "Mars",  "Jupiter",
                                    "Saturn", "Uranus",  "Neptune",  "Pluto",   "the true Node", "Chiron"};

// Replaces the library's places of the bodies with the precise ephemeris's
// where it covers the moment; names the others in m.PreciseNotice.
void PreciseBodies(double jdUt, ChartMoment &m, ClockChart &chart)
{
    // One cache per thread: the clock's minutes mostly fall in series
    // already fitted.
    thread_local precise::PreciseEphemeris ephemeris;
    std::string missing;
    int missingCount = 0;
    for (int k = QVCALC32_SUN; k <= QVCALC32_CHIRON; ++k) {
        const auto body = static_cast<precise::Body>(k);
        precise::ApparentPlace place;
        if (!ephemeris.Place(body, jdUt, place)) {
            const precise::YearRange range = precise::PreciseRange(body);
            missing += std::string(missing.empty() ? "" : ", ") + kBodyNames[k] + " (" + std::to_string(range.First) +
                       "-" + std::to_string(range.Last) + ")";
            ++missingCount;
            continue;
        }
        chart.PlanetPos[k] = place.Longitude;
        // The library's unit: 60 times the daily motion in radians.
        m.Speed[k] = place.Speed * M_PI / 180 * 60;
        const double lambda = place.Longitude * M_PI / 180, beta = place.Latitude * M_PI / 180;
        m.Decl[k] = std::asin(std::sin(beta) * std::cos(m.Obl) + std::cos(beta) * std::sin(m.Obl) * std::sin(lambda)) *
                    180 / M_PI;
    }
    if (missingCount > 0)
        m.PreciseNotice = "High precision does not reach " + std::to_string(m.UtYear) + " for " + missing +
                          "; the library's own theory gives " + (missingCount == 1 ? "its" : "their") +
                          (missingCount == 1 ? " position" : " positions") + " instead.";
}

static_assert(int{precise::kSun} == QVCALC32_SUN && int{precise::kTrueNode} == QVCALC32_NODE &&
              int{precise::kChiron} == QVCALC32_CHIRON);

}  // namespace

ChartMoment ComputeChartAt(const Settings &settings, const PlaceZone &zone, Instant instant,
                           const PlanetTable &table, ClockChart &chart)
{
    ChartMoment m;
    m.At = instant;
    m.UtcOffset = zone.OffsetAt(instant);
    m.Local = zone.LocalAt(instant);
    m.ZoneName = zone.Name();
    m.ZoneAbbreviation = zone.AbbreviationAt(instant);

    // The UT day number and hours of the instant.
    const LocalDateTime ut = UtOf(instant);
    const double msOfDay = ((ut.Hour * 60.0 + ut.Minute) * 60.0 + ut.Second) * 1000.0 + ut.Millisecond;
    m.UT = msOfDay / 86400000.0 * 24;
    m.UtYear = ut.Year;
    m.UtMonth = ut.Month;
    m.UtDay = ut.Day;
    m.JD = JulDay(ut.Month, ut.Day, ut.Year);

    m.Latitude = settings.Latitude();
    m.Longitude = settings.Longitude();
    double offset = 0;  // tropical zodiac: SidTime leaves a zero offset alone
    ShortText10 lstText;
    SidTime(m.JD, &offset, &m.LST, m.UT, &m.T, &m.Obl, m.Longitude, &lstText);
    const double jdUt = JulianDateOf(instant);
    m.Precise = settings.Precise;
    if (m.Precise) {
        // The apparent sidereal time at the place (west longitudes
        // positive) and the true obliquity of date.
        const precise::SkyOfDate sky = precise::SkyAt(jdUt);
        m.LST = sky.ApparentSiderealTime * 12 / M_PI - m.Longitude / 15;
        m.LST -= 24 * std::floor(m.LST / 24);
        m.Obl = sky.TrueObliquity;
    }

    const bool housesDone = m.Precise ? PreciseHouseCusps(settings.HouseSys, m.LST, m.Latitude, m.Obl, chart.CuspPos)
                                      : CalcHouseCusps(settings.HouseSys, m.LST, m.Latitude, m.Obl, offset, chart.CuspPos);
    if (housesDone) m.HouseName = kHouseNames[settings.HouseSys];
    if (!housesDone) {
        // No house system: no cusps and no angles, rather than zeros that
        // would read as 0° Aries.
        for (double &cusp : chart.CuspPos) cusp = std::nan("");
    }

    double scratch[QVCALC32_CHART_HIGH + 1] = {};
    uint8_t counts[QVCALC32_BODIES_HIGH + 1] = {};
    PlanetCalc(QVCALC32_SUN, QVCALC32_CHIRON, 0, offset, scratch, QVCALC32_CHART_HIGH, m.T, counts, QVCALC32_BODIES_HIGH, 1,
               chart.PlanetPos, QVCALC32_CHART_HIGH, m.Decl, QVCALC32_CHART_HIGH, m.Speed, QVCALC32_CHART_HIGH, table.Values, QVCALC32_PLANET_TABLE_HIGH, 0);
    if (m.Precise) PreciseBodies(jdUt, m, chart);

    // The Ascendant entry keeps the true longitude of cusp 1; the shift below
    // leaves it out.
    chart.PlanetPos[kTrueAscendantEntry] = chart.CuspPos[1];
    chart.PlanetPos[QVCALC32_MIDHEAVEN] = settings.HouseSys == QVCALC32_EQUAL ? chart.CuspPos[0] : chart.CuspPos[10];
    m.RisingSign = SignNumber(chart.CuspPos[1]);
    if (m.RisingSign < 1 || m.RisingSign > 12) m.RisingSign = 0;

    m.Speed[QVCALC32_ASCENDANT] = m.Speed[QVCALC32_MIDHEAVEN] = 1.0;  // the angles always count as direct
    for (int i = QVCALC32_SUN; i <= QVCALC32_MIDHEAVEN; ++i) chart.PlanetText[i] = SignText(chart.PlanetPos[i], m.Speed[i]);
    for (int i = 1; i <= 12; ++i) {
        chart.CuspText[i] = SignText(chart.CuspPos[i], 1.0);
        if (std::isnan(chart.CuspPos[i]) && !m.HouseName.empty()) m.CuspsMissing = true;
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

    // Into the wheel frame: back by the Ascendant's degrees into its sign.
    const double asc = chart.CuspPos[1];
    chart.SignShift = std::isfinite(asc) ? asc - 30 * std::trunc(asc / 30) : 0;
    const auto shift = [&](double &x) {
        x -= chart.SignShift;
        if (x < 0) x += 360;
    };
    for (int i = 1; i <= 12; ++i) shift(chart.CuspPos[i]);
    for (int i = QVCALC32_SUN; i <= QVCALC32_MIDHEAVEN; ++i)
        if (IsWheelFrameEntry(i)) shift(chart.PlanetPos[i]);
    return m;
}

ChartMoment ComputeChartAt(const Settings &settings, const LocalDateTime &local, const PlanetTable &table,
                           ClockChart &chart)
{
    const PlaceZone zone = PlaceZone::Of(settings);
    return ComputeChartAt(settings, zone, zone.Resolve(local).Earlier, table, chart);
}

ChartMoment ComputeChart(const Settings &settings, const PlanetTable &table, ClockChart &chart)
{
    return ComputeChartAt(settings, PlaceZone::Of(settings), Now(), table, chart);
}

std::string MissingCuspsMessage(const ChartMoment &m)
{
    if (!m.CuspsMissing) return {};
    return "The " + m.HouseName + " house system has no cusps at latitude " + DegreesMinutesText(m.Latitude) +
           (m.Latitude < 0 ? " S" : " N") + "; only the angles and the bodies are shown.";
}

}  // namespace zenlume
