// A local date and time as people type it: exactly "YYYY-MM-DD HH:MM" or
// "YYYY-MM-DD HH:MM:SS" (a "T" may stand for the blank), with or without
// the offset from UT it is read in.
#pragma once

#include "chart.h"

#include <optional>
#include <string>

namespace zenlume {

// The date and time of `text` in `t` when the text has one of the two forms,
// names a day of the library's calendar (Julian before 15 October 1582,
// Gregorian from then on, years 0001 to 9999) and a time of day; false, with
// the expected form or the reason in `error` (when given), otherwise.
bool ParseLocalTime(const std::string &text, LocalDateTime &t, std::string *error);

// ParseLocalTime's forms, optionally followed by the offset the time is
// read in: "Z" (UT) or "+HH:MM" / "-HH:MM" (up to 23:59), as in
// "2026-07-15 10:00Z" and "2026-07-15 12:00+02:00".  `offsetSeconds`
// receives the offset east of UT, or nothing when the text has none.
bool ParseTimeWithOffset(const std::string &text, LocalDateTime &t, std::optional<int> &offsetSeconds,
                         std::string *error);

// Why `local` names no single instant in `zone` (`resolution` is not
// unique), with the candidate instants and how to choose one:
// "2026-10-25 02:30 happens twice in Europe/Berlin (the clocks go back from
// +02:00 to +01:00): 2026-10-25 02:30+02:00 (2026-10-25 00:30 UT) or
// 2026-10-25 02:30+01:00 (2026-10-25 01:30 UT); add the offset to choose".
std::string AmbiguousTimeText(const LocalDateTime &local, const PlaceZone &zone, const LocalResolution &resolution);

}  // namespace zenlume
