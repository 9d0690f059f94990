// Calendar: Julian Day Numbers of civil dates and back, and the split of
// decimal hours into hours, minutes and seconds.
#include "internal.h"

namespace {

// Integers wrap at 32 bits, as callers of the 32-bit library expect; this
// does so without relying on signed overflow.
int32_t Wrap(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(v))); }

// A byte field of TimeConv: the low 8 bits of the value truncated to 32
// bits; 0 where the truncation has no 32-bit value.
uint8_t ByteOf(float x)
{
    int32_t v;
    if (!qv::TruncToInt32(x, v)) return 0;
    return static_cast<uint8_t>(v);
}

}  // namespace

using namespace qv;

extern "C" {

int32_t JulDay(int32_t Month, int32_t Day, int32_t Year)
{
    // Months counted from March of year -4800, so that leap days fall last.
    const int32_t m = Wrap(int64_t{Month} + Wrap(12 * (int64_t{Year} + 4800)) - 3);
    int32_t n = Wrap(int64_t{Day} + Wrap(int64_t{365} * m + 2 * (m % 12) + 7) / 12 + m / 48 - 32083);
    if (n >= 2299171)  // 15 October 1582 and later: Gregorian
        n = Wrap(int64_t{n} + m / 4800 - m / 1200 + 38);
    return n;
}

void JuldayToDate(int32_t JD, int32_t *Month, int32_t *Day, int32_t *Year)
{
    constexpr long double kOver365 = 1.0L / 365.0L;
    constexpr long double kOver31 = 1.0L / 31.0L;
    // Days from 1 March of year 0; months run from 3 (March) to 14.
    const int64_t d = int64_t{JD} - 1721029;
    int64_t y = static_cast<int64_t>(std::trunc(d * kOver365));
    int64_t m, day;
    for (;;) {
        const int64_t r = d - 365 * y - y / 4 + y / 100 - y / 400;
        m = static_cast<int64_t>(std::trunc(r * kOver31));
        for (;;) {
            // trunc(0.4 M + 2.3), never a whole number, so integer division
            // (truncating like trunc) gives it exactly.
            day = r - 31 * m + (4 * m + 23) / 10;
            if (day > 31 || (day == 31 && (m == 4 || m == 6 || m == 9 || m == 11)))
                ++m;
            else
                break;
        }
        if (m < 3)
            --y;
        else
            break;
    }
    if (m > 12) {
        m -= 12;
        ++y;
    }
    if (day == 0) day = 1;
    if (Month) *Month = Wrap(m);
    if (Day) *Day = Wrap(day);
    if (Year) *Year = Wrap(y);
}

void TimeConv(uint8_t *Hour, uint8_t *Minute, uint8_t *Second, double Hours)
{
    // Single precision throughout: every intermediate is rounded to a float.
    float x = static_cast<float>(Hours + 0.0001388888888888889L);  // half a second
    const float h = std::trunc(x);
    x = x - h;
    const float m = std::trunc(x * 60.0f);
    x = x - static_cast<float>(m * kOver60L);
    const float s = std::trunc(x * 3600.0f);
    if (Hour) *Hour = ByteOf(h);
    if (Minute) *Minute = ByteOf(m);
    if (Second) *Second = ByteOf(s);
}

}  // extern "C"
