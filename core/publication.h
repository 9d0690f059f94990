// The chart's numbers as the clock publishes them to other programs: 15
// lines of text, each followed by CR LF.  Lines 1 to 12 are PlanetPos[1..12]
// (Sun .. Chiron), line 13 CuspPos[1] and line 14 CuspPos[10], all in the
// wheel frame (true longitude - SignShift, in 0..360), and line 15 the local
// date and time as days since 30 December 1899 plus the fraction of the day.
#pragma once

#include "chart.h"

#include <string>
#include <vector>

namespace zenlume {

inline constexpr int kPublishedLines = 15;

// A number in the fixed scientific form of width 23: a sign character (a
// blank for positive values and zero, "-" for negative ones), one digit, a
// point, 14 digits, "E", the exponent's sign and 4 exponent digits; the
// mantissa rounded to 15 significant digits.  123.456 gives
// " 1.23456000000000E+0002".  A value that is not a number gives "NAN",
// "INF" or "-INF", right-aligned in the same width.
std::string PublishedNumber(double x);

// Days since 30 December 1899 0:00 of a local date and time, with the time
// of day as the fraction.
double DayCount(const LocalDateTime &t);

// The 15 lines (without line ends) of `chart` as computed for local time `t`.
std::vector<std::string> PublishedLines(const ClockChart &chart, const LocalDateTime &t);

// The lines of a poked text: split at CR LF, LF or CR; a line break at the
// very end ends the last line rather than starting an empty one.
std::vector<std::string> SplitPokedText(const std::string &text);

// Lines joined as they are served: each followed by CR LF.
std::string PublishedText(const std::vector<std::string> &lines);

}  // namespace zenlume
