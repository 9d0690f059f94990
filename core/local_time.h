// A local date and time as people type it: exactly "YYYY-MM-DD HH:MM" or
// "YYYY-MM-DD HH:MM:SS" (a "T" may stand for the blank).
#pragma once

#include "chart.h"

#include <string>

namespace zenlume {

// The date and time of `text` in `t` when the text has one of the two forms,
// names a day of the library's calendar (Julian before 15 October 1582,
// Gregorian from then on, years 0001 to 9999) and a time of day; false, with
// the expected form or the reason in `error` (when given), otherwise.
bool ParseLocalTime(const std::string &text, LocalDateTime &t, std::string *error);

}  // namespace zenlume
