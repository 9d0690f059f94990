// The moments and time windows at which the accuracy report compares the
// bodies with the peer ephemeris, and the sign notation it compares as text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zenlume {

struct TimeWindow {
    const char *Title;
    int32_t FirstJD, LastJD;  // day numbers, inclusive
};

// 1900-2100, 2000-2050 and 2020-2029.
inline constexpr int kTimeWindows = 3;
const TimeWindow &TimeWindowOf(int window);

// Bit w set when day number `jd` lies in window w.
unsigned WindowsOf(int32_t jd);

struct Moment {
    int32_t JD;        // the library's day number
    double UT;         // hours
    unsigned Windows;  // bit w: counts for window w
};

// Every `gridDays`-th day (0h UT) from 1900 to 2100, then `randomMoments`
// moments drawn uniformly over that span, then `extraMoments` more drawn
// within each of the shorter windows (those count only for their own
// window).  Drawn from a fixed seed: the same arguments give the same
// moments.
std::vector<Moment> MomentSchedule(int gridDays, int randomMoments, int extraMoments);

// How many moments of `moments` count for window w, into counts[w].
void CountMoments(const std::vector<Moment> &moments, int64_t counts[kTimeWindows]);

// The sign notation the clock shows, without its motion mark: two degree
// digits, the sign, two minute digits (both truncated), e.g. "15 Sco 30".
std::string SignNotation(double longitude);

// "Sun" .. "Chiron" for bodies 1..12.
const char *BodyName(int body);

// "2026-12-07" for a day number.
std::string DateText(int32_t jd);

// `value` with `decimals` decimals.
std::string Fixed(double value, int decimals);

}  // namespace zenlume
