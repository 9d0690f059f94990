// Where a first start puts the clock: the principal place of the computer's
// own time zone, so that a clock without a settings file shows the sky of
// the user's region rather than of 0° N 0° E.
//
// The zone's name comes from TZ (":Europe/Berlin" or "Europe/Berlin") or,
// without it, from the zoneinfo file /etc/localtime links to; the place is
// the zone's principal city in tzdata's zone1970.tab (zone.tab for names
// found only there).
#pragma once

#include "settings.h"

#include <optional>
#include <string>

namespace zenlume {

struct HomePlace {
    std::string Zone;         // "Europe/Berlin"
    int LatitudeSeconds = 0;  // north positive
    int LongitudeSeconds = 0; // east positive
};

// The computer's zone name: TZ when it names a zone, else the zoneinfo
// path /etc/localtime resolves to (`localtime` for tests).  Nothing for UTC
// and its aliases, a POSIX rule such as "CET-1CEST", or no zone at all.
std::optional<std::string> ComputerZoneName(const char *tz, const std::string &localtime = "/etc/localtime");

// The principal place of `zone` from the zone tables under ZoneInfoDir().
std::optional<HomePlace> ZonePlace(const std::string &zone);

// Whether the settings file names a place: any key of [Place].  Until it
// does (a first start, or a file that holds only the window's geometry)
// the clock takes the home place.
bool NamesPlace(const IniFile &ini);

// The settings of a first start: `defaults` with the place, the zone name
// and the numeric standard offset of `home`, latitude and longitude to the
// nearest minute.
Settings FirstStartSettings(const Settings &defaults, const HomePlace &home);

// `values` (the options dialog's) with the place, zone and zone name of
// `settings`, as the dialog shows them: so that the dialog opened while the
// home place is in use offers that place rather than zeros.
OptionValues WithPlaceOf(OptionValues values, const Settings &settings);

// What the user reads once at a first start: where the place came from and
// that Options sets it ("" never: without a place it says how to set one).
std::string FirstStartNotice(const std::optional<HomePlace> &home);

// The home place of this computer (TZ from the environment), if any.
std::optional<HomePlace> ComputerHomePlace();

}  // namespace zenlume
