#include "delta_t.h"

#include <cmath>
#include <iterator>

namespace zenlume::precise {
namespace {

// 1800 to 2005: the polynomials of Espenak and Meeus, "Five Millennium
// Canon of Solar Eclipses" (NASA/TP-2006-214141), fitted to the observed
// values of Morrison and Stephenson (2004) and of the IERS; t = year - T0.
// They join within 0.09 s of one another.
struct DeltaTPolynomial {
    double From, T0;
    double C[8];  // C[0] + C[1] t + ... + C[7] t^7
};
constexpr DeltaTPolynomial kPolynomials[] = {
    {1800, 1800, {13.72, -0.332447, 0.0068612, 0.0041116, -0.00037436, 0.0000121272, -0.0000001699, 0.000000000875}},
    {1860, 1860, {7.62, 0.5737, -0.251754, 0.01680668, -0.0004473624, 1.0 / 233174, 0, 0}},
    {1900, 1900, {-2.79, 1.494119, -0.0598939, 0.0061966, -0.000197, 0, 0, 0}},
    {1920, 1920, {21.20, 0.84493, -0.076100, 0.0020936, 0, 0, 0, 0}},
    {1941, 1950, {29.07, 0.407, -1.0 / 233, 1.0 / 2547, 0, 0, 0, 0}},
    {1961, 1975, {45.45, 1.067, -1.0 / 260, -1.0 / 718, 0, 0, 0, 0}},
    {1986, 2000, {63.86, 0.3345, -0.060374, 0.0017275, 0.000651814, 0.00002373599, 0, 0}},
};

// 2005 to 2026, 1 January of each year: TT - UTC (32.184 s + the leap
// seconds of TAI - UTC) less the IERS's UT1 - UTC (Bulletins B; 2024 to
// 2026 from Bulletin A), rounded to 0.01 s.
constexpr double kFirstObservedYear = 2005;
constexpr double kObserved[] = {
    64.69, 64.85, 65.15, 65.46, 65.78, 66.07, 66.32, 66.60, 66.91, 67.28, 67.64,  // 2005-2015
    68.10, 68.59, 68.97, 69.22, 69.36, 69.36, 69.29, 69.20, 69.17, 69.14, 69.09,  // 2016-2026
};
static_assert(std::size(kObserved) == kDeltaTObservedTo - 2005 + 1);

// After the last observed year: the Earth keeps its present rate of
// rotation and the tidal braking of Morrison and Stephenson's long-term
// parabola (-20 + 32 u^2 s, u in centuries from 1820) adds its constant
// second derivative, 64 s per century squared, so
// Delta T = last + 0.0032 s (year - 2026)^2.  Predictions a century ahead
// are uncertain by a minute or more whatever formula is used.
constexpr double kTidalHalfRate = 0.0032;  // s per year squared

double LongTermParabola(double year)
{
    const double u = (year - 1820) / 100;
    return -20 + 32 * u * u;
}

}  // namespace

double DeltaTSeconds(double jdUt)
{
    const double year = 2000 + (jdUt - 2451544.5) / 365.2425;
    if (std::isnan(year)) return year;
    if (year < kDeltaTObservedFrom) return LongTermParabola(year);
    if (year < kFirstObservedYear) {
        const DeltaTPolynomial *p = kPolynomials;
        for (const DeltaTPolynomial &q : kPolynomials)
            if (year >= q.From) p = &q;
        const double t = year - p->T0;
        double value = 0;
        for (int k = 7; k >= 0; --k) value = value * t + p->C[k];
        return value;
    }
    const double last = kObserved[std::size(kObserved) - 1];
    if (year >= kDeltaTObservedTo) {
        const double ahead = year - kDeltaTObservedTo;
        return last + kTidalHalfRate * ahead * ahead;
    }
    const double at = year - kFirstObservedYear;
    const int i = static_cast<int>(at);
    return kObserved[i] + (at - i) * (kObserved[i + 1] - kObserved[i]);
}

}  // namespace zenlume::precise
