#include "angle_text.h"

#include <cmath>
#include <cstdio>

namespace zenlume {

std::string DegreesMinutesText(double degrees)
{
    const double size = std::fabs(degrees);
    double whole = std::trunc(size), minutes = std::round((size - whole) * 60);
    if (minutes == 60) {
        ++whole;
        minutes = 0;
    }
    // The largest double has 309 digits before its point.
    char text[400];
    std::snprintf(text, sizeof text, "%.0f\u00B0%02.0f'", whole, minutes);
    return text;
}

}  // namespace zenlume
