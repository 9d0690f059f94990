#include "arc_statistics.h"

#include <cmath>

namespace zenlume {

double ArcDifference(double a, double b)
{
    double d = std::fmod(a - b, 360.0);
    if (d > 180) d -= 360;
    if (d <= -180) d += 360;
    return d;
}

void ArcStatistics::Add(double differenceDegrees, double where)
{
    ++count_;
    sum_ += differenceDegrees;
    sumSquares_ += differenceDegrees * differenceDegrees;
    if (std::fabs(differenceDegrees) > max_ || count_ == 1) {
        max_ = std::fabs(differenceDegrees);
        whereMax_ = where;
    }
}

double ArcStatistics::RmsMinutes() const { return count_ ? std::sqrt(sumSquares_ / count_) * 60.0 : 0; }

double ArcStatistics::MeanMinutes() const { return count_ ? sum_ / count_ * 60.0 : 0; }

}  // namespace zenlume
