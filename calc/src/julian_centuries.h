// The time argument of the theories.  Not exported.
#pragma once

#include "internal.h"

#include <cstdint>

namespace qv {

// T, Julian centuries of 36525 days from JD 2415020.0, for the day number
// JD and UT hours, formed as SidTime forms it (80-bit arithmetic, one
// rounding) so that a search gets the same T either way.
inline double JulianCenturies(int64_t jd, double ut)
{
    return static_cast<double>(((static_cast<long double>(jd) - 2415020.0L) + ut * kOver24L - 0.5L) *
                               2.7378507871321012e-05L);
}

}  // namespace qv
