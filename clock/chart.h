// The chart of the moment: from the settings and one local date-time to the
// chart record that the wheel, the positions window, the tray icon and the
// publication read.  Pure computation, no window.
#pragma once

#include "qvcalc32.h"
#include "settings.h"

#include <string>

namespace zenlume {

// The element table, filled once by InitialisePlanets.
struct PlanetTable {
    double values[411] = {};
    PlanetTable() { InitialisePlanets(values, 410); }
};

struct LocalDateTime {
    int year = 2000, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// The chart record.  Index 1..12 bodies, 13 Ascendant, 14 Midheaven.
// After a computation PlanetPos[1..12], PlanetPos[14] and CuspPos[1..12]
// hold wheel-frame values (true longitude - SignShift, in 0..360);
// PlanetPos[13] keeps the true Ascendant; the texts are made from the true
// positions.
struct ClockChart {
    double PlanetPos[15] = {};
    double CuspPos[15] = {};
    ShortText10 PlanetText[15] = {};
    ShortText10 CuspText[15] = {};
    double SignShift = 0;
};

// One row of the positions grid: body glyph, its sign notation, the house
// number, the cusp's sign notation.
struct GridRow {
    uint8_t glyph = 0;
    ShortText10 planet{};
    std::string house;
    ShortText10 cusp{};
};

// The working values of one computation, kept for reports.
struct ChartMoment {
    LocalDateTime local;
    int utYear = 0, utMonth = 0, utDay = 0;
    double UT = 0;
    int32_t JD = 0;
    double LST = 0, Obl = 0, T = 0;
    double Latitude = 0, Longitude = 0;
    double TruePlanetPos[15] = {};  // before the shift into the wheel frame
    double TrueCuspPos[15] = {};
    double Speed[15] = {};
    double Decl[15] = {};
    int RisingSign = 0;             // 1 Aries .. 12 Pisces; 0 when unknown
    std::string HouseName;          // empty for a code outside 1..9
    bool CuspsMissing = false;      // the system has no cusps at this latitude
    GridRow Grid[13];
};

// Calls the house export of `houseSys` (1..9) in its own parameter order and
// names the system; for any other code does nothing and returns false.
bool CalcHouses(uint8_t houseSys, double lst, double latitude, double obliquity, double offset, double cusps[15],
                std::string &name);

// The chart of local clock time `when` for `settings`.  `chart` is in-out: a
// house code outside 1..9 leaves its previous cusps in place.
ChartMoment ComputeChartAt(const Settings &settings, const LocalDateTime &when, const PlanetTable &table,
                           ClockChart &chart);

// The local clock, read once.
LocalDateTime LocalNow();

// The chart of the present minute: reads the clock once and computes.
ChartMoment ComputeChart(const Settings &settings, const PlanetTable &table, ClockChart &chart);

// "The Placidus house system has no cusps at latitude 70°00' N; ..." when
// the cusps are missing, else empty.
std::string MissingCuspsMessage(const ChartMoment &moment);

}  // namespace zenlume
