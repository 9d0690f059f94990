// Chart lookups against the house cusps: which house holds a longitude, the
// forward arc between two longitudes, and turning a chart to a cusp.  All in
// degrees; exact arithmetic (one addition or subtraction each).
#include "internal.h"

using namespace qv;

extern "C" {

// House 1..12 whose cusp arc [Cusps[i], Cusps[i+1]) holds Longitude; a point
// on a cusp belongs to the house beginning there.  With inconsistent cusps
// the lowest matching house wins; 0 when none matches (or Longitude is NaN).
int32_t FindPlanetHouse(const double *Cusps, int32_t CuspsHigh, double Longitude)
{
    if (!HasElement(Cusps, CuspsHigh, 12)) return 0;
    for (int32_t i = 1; i <= 12; ++i) {
        double p = Longitude;
        const double c = Cusps[i];
        double n = Cusps[i == 12 ? 1 : i + 1];
        if (n < c) {  // the house spans 0 degrees
            if (Longitude < n) p += 360;
            n += 360;
        }
        if (c <= p && p < n) return i;
    }
    return 0;
}

// The arc from A forward (in the order of the signs) to B, in [0, 360) for
// inputs in [0, 360).
double DistanceFromCusp(double A, double B)
{
    if (B < A) B += 360;
    return B - A;
}

// Turns Points[1..12] and Cusps[1..12] so that the old Cusps[Index] lies at
// 0 degrees; elements 0, 13 and 14 stay as they are.  Index may be any
// element the caller's cusp array has, 0 included.
void RotateToCusp(double *Points, int32_t PointsHigh, double *Cusps, int32_t CuspsHigh, uint16_t Index)
{
    if (!HasElement(Points, PointsHigh, 12) || !HasElement(Cusps, CuspsHigh, 12) || Index > CuspsHigh) return;
    const double r = Cusps[Index];
    for (int k = 1; k <= 12; ++k) {
        Points[k] -= r;
        if (Points[k] < 0) Points[k] += 360;
        Cusps[k] -= r;
        if (Cusps[k] < 0) Cusps[k] += 360;
    }
}

}  // extern "C"
