#include "local_time.h"

#include "chart.h"

#include <cstdio>

namespace zenlume {
namespace {

constexpr char kTimeForm[] = "expected \"YYYY-MM-DD HH:MM\" or \"YYYY-MM-DD HH:MM:SS\"";

// The digits text[at .. at + count - 1] as a number; -1 unless all are digits.
int Digits(const std::string &text, size_t at, size_t count)
{
    int value = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

}  // namespace

// Exactly "YYYY-MM-DD HH:MM" or "YYYY-MM-DD HH:MM:SS" (a "T" may stand for
// the blank), a day of the library's calendar and a time of day; false with
// the reason in `error` otherwise.
bool ParseLocalTime(const std::string &text, LocalDateTime &t, std::string *error)
{
    std::string why = kTimeForm;
    const auto fail = [&] {
        if (error) *error = why;
        return false;
    };
    if (text.size() != 16 && text.size() != 19) return fail();
    if (text[4] != '-' || text[7] != '-' || (text[10] != ' ' && text[10] != 'T') || text[13] != ':') return fail();
    if (text.size() == 19 && text[16] != ':') return fail();
    t = {Digits(text, 0, 4), Digits(text, 5, 2), Digits(text, 8, 2), Digits(text, 11, 2), Digits(text, 14, 2),
         text.size() == 19 ? Digits(text, 17, 2) : 0, 0};
    if (t.Year < 0 || t.Month < 0 || t.Day < 0 || t.Hour < 0 || t.Minute < 0 || t.Second < 0) return fail();
    if (t.Hour > 23 || t.Minute > 59 || t.Second > 59) {
        why = "there is no such time of day";
        return fail();
    }
    if (!IsCalendarDate(t.Year, t.Month, t.Day)) {
        why = "there is no such day in the calendar (years 0001 to 9999; Julian before 15 October 1582, "
              "Gregorian from then on, so 1582-10-05 to 1582-10-14 do not exist)";
        return fail();
    }
    return true;
}

bool ParseTimeWithOffset(const std::string &text, LocalDateTime &t, std::optional<int> &offsetSeconds,
                         std::string *error)
{
    offsetSeconds.reset();
    std::string time = text;
    if (!time.empty() && (time.back() == 'Z' || time.back() == 'z')) {
        time.pop_back();
        offsetSeconds = 0;
    } else if (time.size() == 16 + 6 || time.size() == 19 + 6) {
        const size_t at = time.size() - 6;
        const int hours = Digits(time, at + 1, 2), minutes = Digits(time, at + 4, 2);
        if ((time[at] == '+' || time[at] == '-') && time[at + 3] == ':' && hours >= 0 && minutes >= 0) {
            if (hours > 23 || minutes > 59) {
                if (error) *error = "the offset " + time.substr(at) + " is not one of -23:59 to +23:59";
                return false;
            }
            offsetSeconds = (time[at] == '-' ? -1 : 1) * (hours * 3600 + minutes * 60);
            time.resize(at);
        }
    }
    if (ParseLocalTime(time, t, error)) return true;
    if (error && *error == kTimeForm) *error = std::string(kTimeForm) + ", optionally followed by Z or +HH:MM";
    return false;
}

std::string AmbiguousTimeText(const LocalDateTime &local, const PlaceZone &zone, const LocalResolution &r)
{
    const auto text = [](const LocalDateTime &t, bool seconds) {
        char out[40];
        std::snprintf(out, sizeof out, "%04d-%02d-%02d %02d:%02d", t.Year, t.Month, t.Day, t.Hour, t.Minute);
        std::string s = out;
        if (seconds) {
            std::snprintf(out, sizeof out, ":%02d", t.Second);
            s += out;
        }
        return s;
    };
    const bool seconds = local.Second != 0;
    const std::string when = text(local, seconds);
    const auto candidate = [&](Instant at, int offset) {
        return when + OffsetText(offset) + " (" + text(UtOf(at), seconds) + " UT)";
    };
    const bool skipped = r.What == LocalResolution::Kind::kSkipped;
    // For a skipped time the earlier instant reads under the later offset.
    const int before = skipped ? r.LaterOffset : r.EarlierOffset, after = skipped ? r.EarlierOffset : r.LaterOffset;
    const std::string change = "(the clocks go " + std::string(after > before ? "forward" : "back") + " from " +
                               OffsetText(before) + " to " + OffsetText(after) + ")";
    return when + (skipped ? " does not exist in " : " happens twice in ") + zone.Name() + " " + change + ": " +
           candidate(r.Earlier, r.EarlierOffset) + " or " + candidate(r.Later, r.LaterOffset) +
           "; add the offset to choose";
}

}  // namespace zenlume
