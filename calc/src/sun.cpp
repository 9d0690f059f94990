// ExactSun: the Sun's geometric longitude from an elliptic orbit with the
// long-period term, the perturbations by Venus, Mars, Jupiter and Saturn,
// the Moon's pull on the Earth, and aberration.
#include "fundamental_arguments.h"
#include "fast_trig.h"
#include "internal.h"

#include <cmath>
#include <iterator>

namespace {

// One perturbation: Amplitude (seconds of arc) * cos(k g + m M + Phase),
// g the planet's mean argument and M the Sun's corrected mean anomaly, in
// degrees.
struct SolarTerm {
    double Amplitude;
    int K, M;
    double Phase;
};

// Laid out as the classical series writes them, planet by planet.
constexpr SolarTerm kVenusTerms[] = {
    {4.838, 1, 0, 90},      {5.526, 2, 0, 90.12},  {2.497, 2, -1, 257.75}, {1.559, 3, -1, 77.96},
    {1.024, 3, -2, 50.85},  {0.666, 3, 0, 270.41}, {0.21, 4, 0, 89.8},     {0.154, 5, -3, 34.1},
    {0.152, 4, -2, 227.4},  {0.144, 4, -1, 79},
};
constexpr SolarTerm kMarsTerms[] = {
    {2.043, 2, 0, 89.76},   {1.77, 2, -1, 306.27}, {0.585, 4, -2, 185.82}, {0.5, 4, -1, 317.7},
    {0.425, 3, -1, 317.7},  {0.204, 5, -2, 185.5},
};
constexpr SolarTerm kJupiterTerms[] = {
    {7.208, 1, 0, 91.09},   {2.731, 2, 0, 270.25}, {2.6, 1, -1, 174.77},   {1.61, 2, -1, 292.6},
    {0.556, 3, -1, 177.31},
};
constexpr SolarTerm kSaturnTerms[] = {
    {0.419, 1, 0, 90.34},   {0.32, 1, -1, 259.22},
};

template <size_t N>
double Perturbation(const SolarTerm (&terms)[N], double g, double M)
{
    double sum = 0;
    for (const SolarTerm &t : terms) sum += t.Amplitude * qv::FastCosDeg(t.K * g + t.M * M + t.Phase);
    return sum;
}

}  // namespace

using namespace qv;

extern "C" {

// Lon: the Sun's apparent geometric longitude in degrees, 0 <= Lon < 360,
// for T in Julian centuries from JD 2415020.0.  Agrees with modern theory to
// about 0.005 degrees (20") around 2000 (checked at 1992 and 2000).
void ExactSun(double *Lon, double T)
{
    if (!Lon) return;
    const FundamentalArgs fa = FundamentalArguments(T);
    const double L = fa.SunMeanLon, D = fa.Elong, Mp = fa.MoonAnomaly;
    double M = fa.SunAnomaly;

    // Kepler's equation by five fixed iterations: enough for e = 0.0167.
    const double e = 0.01675104 - 0.0000418 * T - 0.000000126 * T * T;
    const double Mr = FR(M);
    double E = Mr;
    for (int i = 0; i < 5; ++i) E = Mr + e * FastSin(E);
    const SinCosPair half = FastSinCos(E / 2);
    const double v = FD(2 * FastAtan(std::sqrt((1 + e) / (1 - e)) * (half.Sin / half.Cos)));
    const double trueLon = FU(L + v - M);

    // The long-period term (Venus and the Earth near 8:13 resonance) also
    // shifts the mean anomaly the short-period terms are taken with.
    const double A = static_cast<double>(
        (6.4 * FastSinDeg(231.19 + 20.2 * T) + (1.882 - 0.016 * T) * FastSinDeg(57.24 + 150.27 * T) +
         0.266 * FastSinDeg(31.8 + 119 * T) + 0.202 * FastSinDeg(315.6 + 893.3 * T)) *
        kOver3600L);
    M += A;

    const double g1 = FU(63.07037 + 22518.44298 * T);
    const double g2 = FU(165.94905 + 16859.0697 * T);
    const double g3 = FU(221.64742 + 32964.4669 * T);
    const double g4 = FU(193.1323 + 34777.259 * T);
    const double perturbations = Perturbation(kVenusTerms, g1, M) + Perturbation(kMarsTerms, g2, M) +
                                 Perturbation(kJupiterTerms, g3, M) + Perturbation(kSaturnTerms, g4, M) +
                                 (6.454 * FastSinDeg(D) + 0.424 * FastSinDeg(D - Mp));

    // Aberration: 20.47" less its small annual variation.
    double lon = FU(trueLon + A + static_cast<double>(perturbations * kOver3600L)) -
                 static_cast<double>((20.47 + 0.342 * FastCosDeg(M)) * kOver3600L);
    if (lon < 0) lon += 360;
    if (lon > 360) lon -= 360;
    *Lon = lon;
}

}  // extern "C"
