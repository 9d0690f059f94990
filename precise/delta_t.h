// Delta T, the difference TT - UT between Terrestrial Time, in which the
// ephemerides run, and Universal Time, in which clocks run.  Seconds.
#pragma once

namespace zenlume::precise {

// The first and last year of the table's observed values; after the last
// one Delta T is a prediction.
inline constexpr int kDeltaTObservedFrom = 1800;
inline constexpr int kDeltaTObservedTo = 2026;

// Delta T in seconds at a Julian date of Universal Time.  Observed values
// (smoothed) from 1800 to 2026 to about 0.1 s since 1900; a prediction
// after that; Morrison and Stephenson's long-term parabola before 1800.
// NaN for NaN.
double DeltaTSeconds(double jdUt);

}  // namespace zenlume::precise
