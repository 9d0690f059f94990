// The place's time zone: how far its clocks stand from Universal Time at any
// instant.  Either a zone of the system's time-zone database (summer time
// and every past change of the rules included, read by CCTZ from the
// system's zoneinfo) or the fixed offset of the settings' numeric zone.
//
// Instants are milliseconds of the system clock (Unix time, UT); local dates
// are days of the library's calendar (Julian before 15 October 1582,
// Gregorian from then on), counted by day numbers so that both ends agree
// with JulDay for any year the calendar has.
#pragma once

#include "settings.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zenlume {

using Instant = std::chrono::sys_time<std::chrono::milliseconds>;

// A date (library calendar) and time of day.
struct LocalDateTime {
    int Year = 2000, Month = 1, Day = 1;
    int Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
};

// The system clock, read once.
Instant Now();

// The instant whose UT date and time of day `ut` names (library calendar).
Instant InstantOfUt(const LocalDateTime &ut);
// The UT date and time of day of `instant` (library calendar).
LocalDateTime UtOf(Instant instant);

// What a local date and time is in a zone: one instant, none (the hour the
// clocks skip when summer time starts) or two (the hour they repeat when it
// ends).  For a skipped time `Earlier` and `Later` are the instants the
// time would name under the offsets before and after the change; for a
// repeated one, the two instants it names.
struct LocalResolution {
    enum class Kind { kUnique, kSkipped, kRepeated } What = Kind::kUnique;
    Instant Earlier{}, Later{};
    int EarlierOffset = 0, LaterOffset = 0;  // seconds east of UT under which each reads
};

class PlaceZone {
public:
    // A fixed offset, seconds east of UT (no name, no summer time).
    static PlaceZone Fixed(int offsetSeconds);
    // The zone `name` of the system's database ("Europe/Berlin"); nothing
    // when the database has no such zone.  "UTC" and "Etc/..." are zones too.
    static std::optional<PlaceZone> Named(const std::string &name);
    // The zone the settings name with [Place] TimeZone, else their numeric
    // zone.  An unknown name gives the numeric zone and, in `problem` (when
    // given), "the time zone "Mars/Olympus" is not in the system's
    // time-zone database; using the fixed zone +01:00".
    static PlaceZone Of(const Settings &settings, std::string *problem = nullptr);

    // The database name, empty for a fixed offset.
    const std::string &Name() const { return name_; }
    // Seconds east of UT at `instant`.
    int OffsetAt(Instant instant) const;
    // The zone's abbreviation at `instant` ("CEST"), empty for a fixed offset.
    std::string AbbreviationAt(Instant instant) const;
    // The offset without summer time: the offset in force at `around` when
    // it is standard time, else at the nearest instant within a year around
    // it that is.  A fixed offset is its own.
    int StandardOffset(Instant around) const;
    // The instant(s) of local date and time `local` (library calendar).
    LocalResolution Resolve(const LocalDateTime &local) const;
    // The local date and time at `instant` (library calendar).
    LocalDateTime LocalAt(Instant instant) const;

private:
    struct Rules;
    std::string name_;
    int fixedOffset_ = 0;
    std::shared_ptr<const Rules> rules_;  // null for a fixed offset
};

// "+02:00", "-09:30", "+05:45", "+00:00": an offset in seconds as hours and
// minutes (seconds of local mean time dropped).
std::string OffsetText(int offsetSeconds);

// The settings' numeric zone as seconds east of UT, to the second.
int NumericZoneOffset(const Settings &settings);

// One line of tzdata's zone tables: the zone's name and the ISO 6709
// coordinates of its principal city ("+5230+01322").
struct ZoneTableRow {
    std::string Name, Coordinates;
};

// The rows of zone1970.tab, then those of zone.tab (one principal zone per
// region), under ZoneInfoDir(); empty when tzdata is not installed.
std::vector<ZoneTableRow> ZoneTableRows();

// The zone names of the system's database that a user would pick from:
// those of zone1970.tab and zone.tab (one principal zone per region), in
// alphabetical order, plus "UTC".  Empty when tzdata is not installed.
std::vector<std::string> ZoneNames();

// The folder of the system's zoneinfo: $TZDIR when set, else
// /usr/share/zoneinfo.
std::string ZoneInfoDir();

}  // namespace zenlume
