#include "home_place.h"

#include "angle_text.h"
#include "place_zone.h"

#include <climits>
#include <cmath>
#include <cstdlib>
#include <unistd.h>

namespace zenlume {
namespace {

bool IsUniversal(const std::string &zone)
{
    for (const char *name : {"UTC", "UCT", "GMT", "Zulu", "Universal", "Greenwich", "GMT0", "GMT+0", "GMT-0"})
        if (zone == name || zone == std::string("Etc/") + name) return true;
    return false;
}

// "+5230" / "+523000" (degrees, minutes[, seconds]) of `digits` degree
// digits, in seconds; nothing when malformed.
std::optional<int> Coordinate(const std::string &text, size_t degreeDigits)
{
    if (text.size() != 1 + degreeDigits + 2 && text.size() != 1 + degreeDigits + 4) return std::nullopt;
    if (text[0] != '+' && text[0] != '-') return std::nullopt;
    for (size_t i = 1; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
    const int degrees = std::stoi(text.substr(1, degreeDigits));
    const int minutes = std::stoi(text.substr(1 + degreeDigits, 2));
    const int seconds = text.size() > 1 + degreeDigits + 2 ? std::stoi(text.substr(3 + degreeDigits, 2)) : 0;
    const int value = (degrees * 60 + minutes) * 60 + seconds;
    return text[0] == '-' ? -value : value;
}

}  // namespace

std::optional<std::string> ComputerZoneName(const char *tz, const std::string &localtime)
{
    std::string name;
    if (tz && *tz) {
        name = tz[0] == ':' ? tz + 1 : tz;
        // A path to a zoneinfo file names its zone by what follows the folder.
        const std::string dir = ZoneInfoDir() + "/";
        if (name.rfind(dir, 0) == 0) name = name.substr(dir.size());
        if (!PlaceZone::Named(name)) return std::nullopt;  // a POSIX rule or an unknown name
    } else {
        char target[PATH_MAX];
        const ssize_t n = readlink(localtime.c_str(), target, sizeof target - 1);
        if (n <= 0) return std::nullopt;
        name.assign(target, static_cast<size_t>(n));
        const size_t at = name.find("zoneinfo/");
        if (at == std::string::npos) return std::nullopt;
        name = name.substr(at + 9);
        for (const char *prefix : {"posix/", "right/"})
            if (name.rfind(prefix, 0) == 0) name = name.substr(std::string(prefix).size());
    }
    if (name.empty() || IsUniversal(name)) return std::nullopt;
    return name;
}

std::optional<HomePlace> ZonePlace(const std::string &zone)
{
    for (const ZoneTableRow &row : ZoneTableRows()) {
        if (row.Name != zone) continue;
        // ISO 6709: +DDMM+DDDMM or +DDMMSS+DDDMMSS.
        const size_t split = row.Coordinates.find_first_of("+-", 1);
        if (split == std::string::npos) return std::nullopt;
        const auto lat = Coordinate(row.Coordinates.substr(0, split), 2);
        const auto lon = Coordinate(row.Coordinates.substr(split), 3);
        if (!lat || !lon) return std::nullopt;
        return HomePlace{zone, *lat, *lon};
    }
    return std::nullopt;
}

bool NamesPlace(const IniFile &ini)
{
    for (const char *key : {"LatD", "LatM", "LongD", "LongM", "ZoneH", "ZoneM", "NS", "EW", "TimeZone"})
        if (ini.Get("Place", key)) return true;
    return false;
}

Settings FirstStartSettings(const Settings &defaults, const HomePlace &home)
{
    Settings s = defaults;
    const auto minutes = [](int seconds) { return (seconds + (seconds < 0 ? -30 : 30)) / 60; };
    const int lat = minutes(home.LatitudeSeconds), westLong = -minutes(home.LongitudeSeconds);
    s.LatDeg = lat / 60;
    s.LatMin = lat % 60;
    s.LongDeg = westLong / 60;
    s.LongMin = westLong % 60;
    s.TimeZone = home.Zone;
    if (const std::optional<PlaceZone> zone = PlaceZone::Named(home.Zone))
        s.ZoneHours = zone->StandardOffset(Now()) / 60 / 60.0;
    return s;
}

OptionValues WithPlaceOf(OptionValues v, const Settings &s)
{
    const auto split = [](int32_t deg, int32_t min, int32_t &d, int32_t &m) {
        const int32_t total = std::abs(deg * 60 + min);
        d = total / 60;
        m = total % 60;
        return deg * 60 + min;
    };
    v.North = split(s.LatDeg, s.LatMin, v.LatD, v.LatM) > 0;
    v.West = split(s.LongDeg, s.LongMin, v.LongD, v.LongM) > 0;
    const int zoneMinutes = static_cast<int>(std::lround(s.ZoneHours * 60));
    v.ZoneH = std::abs(zoneMinutes) / 60;
    v.ZoneM = std::abs(zoneMinutes) % 60;
    // The dialog's one east/west choice serves longitude and zone alike; a
    // zone west of Greenwich with a longitude east of it cannot show, and
    // the zone's side wins there, as it sets the clock's time.
    if (zoneMinutes != 0) v.West = zoneMinutes < 0;
    v.TimeZone = s.TimeZone;
    return v;
}

std::string FirstStartNotice(const std::optional<HomePlace> &home)
{
    if (!home)
        return "No place is set yet, so the clock shows the sky over 0\u00B0 N, 0\u00B0 E in Universal Time. "
               "Choose Options in the clock's menu (right-click the wheel) to set your place and time zone.";
    const double lat = home->LatitudeSeconds / 3600.0, lon = home->LongitudeSeconds / 3600.0;
    return "The clock shows the sky over " + DegreesMinutesText(lat) + (lat < 0 ? " S, " : " N, ") +
           DegreesMinutesText(lon) + (lon < 0 ? " W" : " E") + ", the place of your computer's time zone " +
           home->Zone + ". Choose Options in the clock's menu (right-click the wheel) to set your own place.";
}

std::optional<HomePlace> ComputerHomePlace()
{
    const std::optional<std::string> zone = ComputerZoneName(std::getenv("TZ"));
    return zone ? ZonePlace(*zone) : std::nullopt;
}

}  // namespace zenlume
