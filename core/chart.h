// The chart of the moment: from the settings and one local date-time to the
// chart record that the wheel, the positions window, the tray icon and the
// publication read.  Pure computation, no window.
#pragma once

#include "place_zone.h"
#include "qvcalc32.h"
#include "settings.h"

#include <string>

namespace zenlume {

// The element table, filled once by InitialisePlanets.
struct PlanetTable {
    double Values[QVCALC32_PLANET_TABLE_HIGH + 1] = {};
    PlanetTable() { InitialisePlanets(Values, QVCALC32_PLANET_TABLE_HIGH); }
};

// The chart record holds longitudes in two frames:
// - the true longitude, in degrees of the tropical zodiac from 0 Aries;
// - the wheel frame: the true longitude less SignShift (the Ascendant's
//   degrees into its sign), brought into 0..360, so that cusp 1 falls on
//   the start of the rising sign (the wheel draws in it, and the
//   publication serves it).
// Entries 1..12 are the bodies QVCALC32_SUN .. QVCALC32_CHIRON, 13 the
// Ascendant and 14 the Midheaven.  The Ascendant entry keeps its true
// longitude beside the wheel-frame entries: the reports and other programs
// read the record as it is laid out, so the entry stays where it is and
// goes by the name below wherever it is read.
inline constexpr int kTrueAscendantEntry = QVCALC32_ASCENDANT;

// Whether PlanetPos[entry] is in the wheel frame (the bodies and the
// Midheaven) rather than a true longitude (the Ascendant).
constexpr bool IsWheelFrameEntry(int entry)
{
    return (entry >= QVCALC32_SUN && entry <= QVCALC32_CHIRON) || entry == QVCALC32_MIDHEAVEN;
}

// The chart record.  The texts are made from the true positions.
struct ClockChart {
    // Wheel frame at the entries IsWheelFrameEntry names; the true
    // Ascendant at kTrueAscendantEntry.
    double PlanetPos[QVCALC32_CHART_HIGH + 1] = {};
    // Cusps 1..12 in the wheel frame; NaN where the house system has no
    // cusp.  The other entries are the house routine's own (true longitudes
    // where it writes any).
    double CuspPos[QVCALC32_CHART_HIGH + 1] = {};
    ShortText10 PlanetText[QVCALC32_CHART_HIGH + 1] = {};
    ShortText10 CuspText[QVCALC32_CHART_HIGH + 1] = {};
    // The Ascendant's degrees into its sign, 0 up to 30 (0 without an
    // Ascendant): what the wheel frame takes off every true longitude.
    double SignShift = 0;

    // The Ascendant's true longitude (NaN without a house system).
    double TrueAscendant() const { return PlanetPos[kTrueAscendantEntry]; }
};

// One row of the positions grid: body glyph, its sign notation, the house
// number, the cusp's sign notation.
struct GridRow {
    uint8_t Glyph = 0;
    ShortText10 Planet{};
    std::string House;
    ShortText10 Cusp{};
};

// The working values of one computation, kept for reports.
struct ChartMoment {
    Instant At{};              // the instant computed for
    LocalDateTime Local;       // the place's clock time at that instant
    int UtcOffset = 0;         // seconds east of UT in force at the place
    std::string ZoneName;      // the database zone, empty for a fixed offset
    std::string ZoneAbbreviation;  // "CEST"; empty for a fixed offset
    int UtYear = 0, UtMonth = 0, UtDay = 0;
    double UT = 0;
    int32_t JD = 0;
    double LST = 0, Obl = 0, T = 0;
    double Latitude = 0, Longitude = 0;
    // PlanetPos and CuspPos as true longitudes, before the shift into the
    // wheel frame.
    double TruePlanetPos[QVCALC32_CHART_HIGH + 1] = {};
    double TrueCuspPos[QVCALC32_CHART_HIGH + 1] = {};
    double Speed[QVCALC32_CHART_HIGH + 1] = {};
    double Decl[QVCALC32_CHART_HIGH + 1] = {};
    int RisingSign = 0;             // 1 Aries .. 12 Pisces; 0 when unknown
    std::string HouseName;          // empty for a code outside 1..9
    bool CuspsMissing = false;      // the system has no cusps at this latitude (false without a system)
    GridRow Grid[QVCALC32_BODIES_HIGH + 1];  // rows 1..12
    // Computed with the precise ephemeris ([Setting] Precision=1): the
    // bodies' apparent places, houses from the apparent sidereal time (LST)
    // and the true obliquity (Obl).
    bool Precise = false;
    // With Precise, the bodies the precise ephemeris does not cover at this
    // date, which keep the library's places; empty when it covers all.
    std::string PreciseNotice;
};

// Whether year-month-day is a day of the calendar the library counts in
// (JulDay): the Julian calendar up to 4 October 1582, the Gregorian one from
// 15 October 1582, so 1500-02-29 is a day and 1582-10-05 .. 1582-10-14 are
// not.  Years 1 to 9999.
bool IsCalendarDate(int year, int month, int day);

// Year, month and day of a Julian Day Number in that same calendar (the
// inverse of JulDay).
void CalendarDate(int64_t jd, int &year, int &month, int &day);

// Calls the house export of `houseSys` (1..9) in its own parameter order;
// for any other code does nothing and returns false.
bool CalcHouseCusps(uint8_t houseSys, double lst, double latitude, double obliquity, double offset,
                    double cusps[QVCALC32_CHART_HIGH + 1]);

// The chart of `instant` for `settings`, with the place's clock time read in
// `zone`.  A house code outside 1..9 has no cusps: the cusps, the Ascendant
// and the Midheaven are NaN, the rising sign 0, their texts empty and
// HouseName empty.  Dates are days of the library's calendar.
ChartMoment ComputeChartAt(const Settings &settings, const PlaceZone &zone, Instant instant,
                           const PlanetTable &table, ClockChart &chart);

// The chart of the place's clock time `local`: in the settings' zone
// (PlaceZone::Of; an unknown zone name counts as the numeric zone).  A time
// the zone skips or repeats takes the earlier of its two instants.
ChartMoment ComputeChartAt(const Settings &settings, const LocalDateTime &local, const PlanetTable &table,
                           ClockChart &chart);

// The chart of the present instant: reads the system clock once.
ChartMoment ComputeChart(const Settings &settings, const PlanetTable &table, ClockChart &chart);

// "The Placidus house system has no cusps at latitude 70°00' N; ..." when
// the cusps are missing, else empty.
std::string MissingCuspsMessage(const ChartMoment &moment);

}  // namespace zenlume
