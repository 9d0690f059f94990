// Differences between two sets of ecliptic longitudes, gathered as the
// largest and the root-mean-square difference in arc-minutes or
// arc-seconds.
#pragma once

#include <cstdint>

namespace zenlume {

// a - b in degrees, taken the short way round: -180 < result <= 180.
double ArcDifference(double a, double b);

class ArcStatistics {
public:
    // Adds one difference in degrees, remembering `where` (any label the
    // caller wants back, e.g. a day number) for the largest.
    void Add(double differenceDegrees, double where = 0);

    int64_t Count() const { return count_; }
    // Largest absolute difference, arc-minutes (0 when nothing was added).
    double MaxMinutes() const { return max_ * 60.0; }
    // Root-mean-square difference, arc-minutes.
    double RmsMinutes() const;
    // Mean signed difference, arc-minutes.
    double MeanMinutes() const;
    // The same in arc-seconds.
    double MaxSeconds() const { return max_ * 3600.0; }
    double RmsSeconds() const { return RmsMinutes() * 60.0; }
    double MeanSeconds() const { return MeanMinutes() * 60.0; }
    // The label given with the largest difference.
    double WhereMax() const { return whereMax_; }

private:
    int64_t count_ = 0;
    double max_ = 0, sum_ = 0, sumSquares_ = 0, whereMax_ = 0;
};

}  // namespace zenlume
