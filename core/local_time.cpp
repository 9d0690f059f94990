#include "local_time.h"

#include "chart.h"

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


}  // namespace zenlume
