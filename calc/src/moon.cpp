// MoonCalc, the short lunar series that places the Moon, its latitude and
// its Node in every chart, and MoonProgCalc, the progressed Moon month by
// month.
#include "internal.h"
#include "julian_centuries.h"
#include "lunar_terms.h"

#include <cmath>

namespace {

using qv::SineTerm;

// Longitude, seconds of arc.
constexpr SineTerm kLongitudeTerms[] = {
    {22639.6, "M'"},          {-4586.47, "M' - 2D"},    {2369.91, "2D"},        {769, "2M'"},
    {-668.1471, "M"},         {-411.608, "2F"},         {-211.656, "2M' - 2D"}, {-205.962, "M' + M - 2D"},
    {191.953, "M' + 2D"},     {-165.145, "M - 2D"},     {147.687, "M' - M"},    {-125.154, "D"},
    {-109.673, "M' + M"},     {-55.17301, "2F - 2D"},   {-45.09901, "2F + M'"}, {39.529, "M' - 2F"},
    {-38.428, "M' - 4D"},     {36.124, "3M'"},          {-30.773, "2M' - 4D"},  {28.475, "M' - M - 2D"},
    {-24.42, "M + 2D"},       {18.609, "M' - D"},       {-8.465999, "M' + D"},
};

// The true Node less the mean Node, seconds of arc.
constexpr SineTerm kNodeTerms[] = {
    {5392, "2F - 2D"}, {-541, "M"}, {-442, "2D"}, {423, "2F"}, {-291, "2M' - 2F"},
};

// Latitude, seconds of arc.
constexpr SineTerm kLatitudeTerms[] = {
    {18461.5, "F"},           {1010, "M' + F"},         {-999, "F - M'"},       {-624, "F - 2D"},
    {199, "F + 2D - M'"},     {-167, "M' + F - 2D"},    {117, "F + 2D"},        {62, "2M' + F"},
    {-33, "F - 2D - M'"},     {-32, "F - 2M'"},         {-30, "M + F - 2D"},
};

}  // namespace

using namespace qv;

extern "C" {

// The Moon for T in Julian centuries from JD 2415020.0, degrees.
// LonOnlyMode 1: LonOnly = the longitude without Offset, reduced by whole
// turns toward zero; nothing else but, when MoonFlag is 1, the mean Node.
// Otherwise Lon (plus Offset, 0..360 unless a positive Offset pushes it
// higher), Node (plus Offset, likewise) and Lat (signed).  MoonFlag 1 gives
// the mean Node; 0 (and any other value) the true Node.  The Node keeps the
// sign of its reduction before the Offset, so one added 360 may leave it
// negative.  Accuracy: about 0.05 degrees in longitude and 0.02 in latitude
// around 2000; the mean Node to 0.002.
void MoonCalc(uint8_t MoonFlag, double *LonOnly, int32_t LonOnlyMode, double Offset, double T, double *Lon,
              double *Node, double *Lat)
{
    // Mean arguments in seconds of arc: mean longitude, the Sun's perigee,
    // the node, the Moon's perigee and the mean elongation.
    const double T2 = T * T;
    const double L = 973563 + 1732564379 * T - 4 * T2;
    const double Ps = 1012400 + 6189 * T;
    const double N = 933060 - 6962910 * T + 7.5 * T2;
    const double Pm = 1203590 + 14648523 * T - 37 * T2;
    const double D0 = 1262660 + 1602961611 * T - 5 * T2;
    // Degrees, deliberately not reduced: the sines take any angle.
    const LunarArgs a{
        static_cast<double>(D0 * kOver3600L),
        static_cast<double>((L - D0 - Ps) * kOver3600L),
        static_cast<double>((L - Pm) * kOver3600L),
        static_cast<double>((L - N) * kOver3600L),
    };

    const double meanNode = FU(static_cast<double>(N * kOver3600L));
    if (MoonFlag == 1 && Node) *Node = meanNode;

    const double S = SumSeries(kLongitudeTerms, a);
    const double lambda = FU(static_cast<double>((L + S) * kOver3600L));
    if (LonOnlyMode == 1) {
        if (LonOnly) *LonOnly = lambda;
        return;
    }

    double lon = lambda + Offset;
    if (lon < 0) lon += 360;

    double node = MoonFlag == 1 ? meanNode : FU(static_cast<double>((N + SumSeries(kNodeTerms, a)) * kOver3600L));
    node += Offset;
    if (node < 0) node += 360;

    const double B = SumSeries(kLatitudeTerms, a);
    double lat = FU(static_cast<double>(std::fabs(B) * kOver3600L));
    if (B < 0) lat = -lat;

    if (Lon) *Lon = lon;
    if (Node) *Node = node;
    if (Lat) *Lat = lat;
}

// Months[1..12]: the progressed Moon's longitude (degrees, from Start) at the
// start of each of the twelve months that one day of motion stands for: the
// Moon's motion from Start to its place at UT on the day after JD, in twelve
// equal steps.  Months needs elements 1..12 (upper bound 12 or more).
// Accuracy that of MoonCalc.
void MoonProgCalc(uint8_t MoonFlag, int32_t JD, double UT, double Offset, double Start, double *Months,
                  int32_t MonthsHigh)
{
    if (!HasElement(Months, MonthsHigh, 12)) return;
    double lambda1 = 0, node, lon, lat;
    MoonCalc(MoonFlag, &lambda1, 1, Offset, JulianCenturies(int64_t{JD} + 1, UT), &lon, &node, &lat);
    if (lambda1 < Start) lambda1 += 360;
    const double step = (lambda1 - Start) / 12;
    Months[1] = Start;
    for (int k = 1; k <= 11; ++k) {
        double next = Months[k] + step;
        if (next >= 360) next -= 360;
        Months[k + 1] = next;
    }
}

}  // extern "C"
