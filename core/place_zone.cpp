#include "place_zone.h"

#include "chart.h"

#include <cctz/civil_time.h>
#include <cctz/time_zone.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>

namespace zenlume {

struct PlaceZone::Rules {
    cctz::time_zone Zone;
};

namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;
using Seconds = std::chrono::time_point<std::chrono::system_clock, seconds>;

constexpr int64_t kUnixEpochDay = 2440588;  // JulDay(1, 1, 1970)
constexpr int64_t kMsPerDay = 86400000;

int64_t FloorDiv(int64_t a, int64_t b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// Milliseconds since 1970-01-01 00:00 of a date and time of the library's
// calendar, read as if it were UT.
int64_t MsOf(const LocalDateTime &t)
{
    const int64_t day = JulDay(t.Month, t.Day, t.Year) - kUnixEpochDay;
    return day * kMsPerDay + ((t.Hour * 60 + t.Minute) * 60 + t.Second) * int64_t{1000} + t.Millisecond;
}

LocalDateTime DateTimeOf(int64_t ms)
{
    const int64_t day = FloorDiv(ms, kMsPerDay);
    int64_t rest = ms - day * kMsPerDay;
    LocalDateTime t;
    CalendarDate(day + kUnixEpochDay, t.Year, t.Month, t.Day);
    t.Millisecond = static_cast<int>(rest % 1000);
    rest /= 1000;
    t.Second = static_cast<int>(rest % 60);
    t.Minute = static_cast<int>(rest / 60 % 60);
    t.Hour = static_cast<int>(rest / 3600);
    return t;
}

Seconds SecondsOf(Instant instant)
{
    return std::chrono::floor<seconds>(instant);
}

Instant InstantOf(Seconds s)
{
    return std::chrono::time_point_cast<milliseconds>(s);
}

}  // namespace

Instant Now()
{
    return std::chrono::time_point_cast<milliseconds>(std::chrono::system_clock::now());
}

Instant InstantOfUt(const LocalDateTime &ut)
{
    return Instant{milliseconds{MsOf(ut)}};
}

LocalDateTime UtOf(Instant instant)
{
    return DateTimeOf(instant.time_since_epoch().count());
}

PlaceZone PlaceZone::Fixed(int offsetSeconds)
{
    PlaceZone zone;
    zone.fixedOffset_ = offsetSeconds;
    return zone;
}

std::optional<PlaceZone> PlaceZone::Named(const std::string &name)
{
    // CCTZ reads any file under the zoneinfo folder, and takes names such as
    // "Fixed/UTC+01:00" on its own: only names made of the characters the
    // database uses, without "..", reach it.
    if (name.empty() || name.size() > 64 || name.find("..") != std::string::npos || name.front() == '/')
        return std::nullopt;
    for (char c : name)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '/' || c == '_' || c == '-' || c == '+'))
            return std::nullopt;
    auto rules = std::make_shared<Rules>();
    if (!cctz::load_time_zone(name, &rules->Zone)) return std::nullopt;
    PlaceZone zone;
    zone.name_ = name;
    zone.rules_ = std::move(rules);
    return zone;
}

int NumericZoneOffset(const Settings &settings)
{
    return static_cast<int>(std::lround(settings.ZoneHours * 3600));
}

PlaceZone PlaceZone::Of(const Settings &settings, std::string *problem)
{
    if (!settings.TimeZone.empty()) {
        if (std::optional<PlaceZone> named = Named(settings.TimeZone)) return *named;
        if (problem)
            *problem = "the time zone \"" + settings.TimeZone +
                       "\" is not in the system's time-zone database; using the fixed zone " +
                       OffsetText(NumericZoneOffset(settings));
    }
    return Fixed(NumericZoneOffset(settings));
}

int PlaceZone::OffsetAt(Instant instant) const
{
    if (!rules_) return fixedOffset_;
    return rules_->Zone.lookup(SecondsOf(instant)).offset;
}

std::string PlaceZone::AbbreviationAt(Instant instant) const
{
    if (!rules_) return {};
    return rules_->Zone.lookup(SecondsOf(instant)).abbr;
}

int PlaceZone::StandardOffset(Instant around) const
{
    if (!rules_) return fixedOffset_;
    // Summer time lasts under a year: within half a year either side of any
    // instant lies one of standard time.
    for (int months = 0; months <= 6; ++months) {
        for (int sign : {-1, 1}) {
            const Seconds at = SecondsOf(around) + sign * months * std::chrono::hours(24 * 30);
            const cctz::time_zone::absolute_lookup lookup = rules_->Zone.lookup(at);
            if (!lookup.is_dst) return lookup.offset;
        }
    }
    return OffsetAt(around);
}

LocalResolution PlaceZone::Resolve(const LocalDateTime &local) const
{
    const int64_t localMs = MsOf(local);
    LocalResolution r;
    if (!rules_) {
        r.Earlier = r.Later = Instant{milliseconds{localMs - int64_t{fixedOffset_} * 1000}};
        r.EarlierOffset = r.LaterOffset = fixedOffset_;
        return r;
    }
    // The local date as a day count, so that the library's calendar and
    // CCTZ's proleptic Gregorian one meet on the same day.
    const int64_t day = FloorDiv(localMs, kMsPerDay);
    const int64_t secondOfDay = (localMs - day * kMsPerDay) / 1000;
    const int64_t ms = localMs % 1000 < 0 ? localMs % 1000 + 1000 : localMs % 1000;
    const cctz::civil_second cs = cctz::civil_second(cctz::civil_day(1970, 1, 1) + day) + secondOfDay;
    const cctz::time_zone::civil_lookup lookup = rules_->Zone.lookup(cs);
    const auto at = [&](Seconds s) { return InstantOf(s) + milliseconds{ms}; };
    const auto offsetBefore = [&](Seconds s) { return rules_->Zone.lookup(s - seconds{1}).offset; };
    switch (lookup.kind) {
    case cctz::time_zone::civil_lookup::UNIQUE:
        r.Earlier = r.Later = at(lookup.pre);
        r.EarlierOffset = r.LaterOffset = OffsetAt(r.Earlier);
        break;
    case cctz::time_zone::civil_lookup::SKIPPED:
        // `pre` reads the time under the offset before the change, `post`
        // under the one after; the later instant is the earlier one.
        r.What = LocalResolution::Kind::kSkipped;
        r.Earlier = at(lookup.post);
        r.Later = at(lookup.pre);
        r.EarlierOffset = rules_->Zone.lookup(lookup.trans).offset;
        r.LaterOffset = offsetBefore(lookup.trans);
        break;
    case cctz::time_zone::civil_lookup::REPEATED:
        r.What = LocalResolution::Kind::kRepeated;
        r.Earlier = at(lookup.pre);
        r.Later = at(lookup.post);
        r.EarlierOffset = offsetBefore(lookup.trans);
        r.LaterOffset = rules_->Zone.lookup(lookup.trans).offset;
        break;
    }
    return r;
}

LocalDateTime PlaceZone::LocalAt(Instant instant) const
{
    return DateTimeOf(instant.time_since_epoch().count() + int64_t{OffsetAt(instant)} * 1000);
}

std::string OffsetText(int offsetSeconds)
{
    const int minutes = std::abs(offsetSeconds) / 60;
    char text[16];
    std::snprintf(text, sizeof text, "%c%02d:%02d", offsetSeconds < 0 ? '-' : '+', minutes / 60, minutes % 60);
    return text;
}

std::string ZoneInfoDir()
{
    const char *dir = std::getenv("TZDIR");
    return dir && *dir ? dir : "/usr/share/zoneinfo";
}

std::vector<ZoneTableRow> ZoneTableRows()
{
    std::vector<ZoneTableRow> rows;
    for (const char *table : {"zone1970.tab", "zone.tab"}) {
        std::ifstream in(ZoneInfoDir() + "/" + table);
        std::string line;
        while (std::getline(in, line)) {
            if (line.empty() || line[0] == '#') continue;
            // code(s) TAB coordinates TAB name [TAB comment]
            const size_t first = line.find('\t');
            const size_t second = first == std::string::npos ? first : line.find('\t', first + 1);
            if (second == std::string::npos) continue;
            const size_t end = line.find('\t', second + 1);
            rows.push_back({line.substr(second + 1, end == std::string::npos ? end : end - second - 1),
                            line.substr(first + 1, second - first - 1)});
        }
    }
    return rows;
}

std::vector<std::string> ZoneNames()
{
    std::set<std::string> names;
    for (const ZoneTableRow &row : ZoneTableRows()) names.insert(row.Name);
    std::vector<std::string> sorted(names.begin(), names.end());
    if (!sorted.empty()) sorted.push_back("UTC");
    return sorted;
}

}  // namespace zenlume
