// Delta T, the frame of date and the Chebyshev series against published
// values.
#include "chebyshev.h"
#include "delta_t.h"
#include "sky_of_date.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zenlume::precise {
namespace {

constexpr double kArcsec = M_PI / 180 / 3600;

double JulianDateOfYear(double year) { return 2451544.5 + (year - 2000) * 365.2425; }

TEST(DeltaT, PublishedValuesAtNamedDates)
{
    // 1 January of each year.  1960-2000: the observed values of the
    // Astronomical Almanac's Delta T table; 2017 and 2020: TT - UTC =
    // 69.184 s less the IERS's UT1 - UTC (+0.59 s and -0.18 s).  The
    // polynomials smooth the observed values to about 0.1 s.
    struct Case {
        double Year, Seconds, Tolerance;
    };
    const Case cases[] = {{1960, 33.15, 0.1}, {1970, 40.18, 0.1},  {1980, 50.54, 0.1}, {1990, 56.86, 0.1},
                          {2000, 63.83, 0.05}, {2017, 68.59, 0.02}, {2020, 69.36, 0.02}};
    for (const Case &c : cases)
        EXPECT_NEAR(DeltaTSeconds(JulianDateOfYear(c.Year)), c.Seconds, c.Tolerance) << c.Year;
}

TEST(DeltaT, JoinsWithoutStepsAndPredictsAGrowingValue)
{
    // Where one source hands over to the next, Delta T must not jump: a
    // step of a second would move the Moon by half an arc-second at once.
    // The published polynomials meet within 0.09 s (0.05" of the Moon).
    for (double year : {1860.0, 1900.0, 1920.0, 1941.0, 1961.0, 1986.0, 2005.0, 2026.0}) {
        const double before = DeltaTSeconds(JulianDateOfYear(year) - 0.3);
        const double after = DeltaTSeconds(JulianDateOfYear(year) + 0.3);
        EXPECT_NEAR(after, before, 0.1) << year;
    }
    // The prediction: the tidal braking only adds.
    double previous = DeltaTSeconds(JulianDateOfYear(2026));
    for (int year = 2030; year <= 2400; year += 10) {
        const double value = DeltaTSeconds(JulianDateOfYear(year));
        EXPECT_GT(value, previous) << year;
        previous = value;
    }
    EXPECT_NEAR(DeltaTSeconds(JulianDateOfYear(2100)), 69.09 + 0.0032 * 74 * 74, 0.01);
    EXPECT_TRUE(std::isnan(DeltaTSeconds(std::nan(""))));
}

TEST(SkyOfDate, NutationObliquityAndSiderealTimeOfMeeusExamples)
{
    // Meeus, "Astronomical Algorithms", 2nd ed., examples 22.a and 12.a:
    // 1987 April 10, 0h TD: nutation in longitude -3.788", mean obliquity
    // 23 26'27.407", true obliquity 23 26'36.850"; at 0h UT the apparent
    // sidereal time at Greenwich is 13h10m46.1351s.  Meeus uses the IAU 1980
    // nutation and the 1976 obliquity; IAU 2000B and 2006 differ from them
    // by 0.01" and 0.04".
    const SkyOfDate tt = SkyAtTT(2446895.5);
    EXPECT_NEAR(tt.NutationLongitude / kArcsec, -3.788, 0.02);
    EXPECT_NEAR(tt.MeanObliquity / kArcsec, 84387.407, 0.05);
    EXPECT_NEAR(tt.TrueObliquity / kArcsec, 84396.850, 0.05);
    const SkyOfDate ut = SkyAt(2446895.5);
    const double seconds = ut.ApparentSiderealTime * 12 / M_PI * 3600;
    EXPECT_NEAR(seconds, 13 * 3600 + 10 * 60 + 46.1351, 0.01);
    EXPECT_NEAR((ut.JdTT - ut.JdUt) * 86400, ut.DeltaT, 1e-4);
}

TEST(SkyOfDate, AFixedDirectionGainsTheGeneralPrecessionInLongitude)
{
    // IAU 2006: the equinox moves back along the ecliptic by 5028.796" per
    // Julian century, so a fixed direction on the ecliptic of J2000 gains
    // that much in longitude of date (the nutation taken off again).
    const double onEcliptic[3] = {std::cos(1.0), std::sin(1.0) * std::cos(84381.406 * kArcsec),
                                  std::sin(1.0) * std::sin(84381.406 * kArcsec)};
    double longitude[2], latitude[2];
    const SkyOfDate at[2] = {SkyAtTT(2451545.0), SkyAtTT(2451545.0 + 36525)};
    for (int i = 0; i < 2; ++i) {
        EclipticOfDate(at[i], onEcliptic, longitude[i], latitude[i]);
        longitude[i] -= at[i].NutationLongitude * 180 / M_PI;
    }
    EXPECT_NEAR(longitude[0], 180 / M_PI, 0.05 / 3600);  // J2000's ecliptic is IAU 2006's own
    EXPECT_NEAR((longitude[1] - longitude[0]) * 3600, 5028.796, 2.0);
    EXPECT_NEAR(latitude[1] * 3600, 0, 50);  // the ecliptic itself moves 47" a century
}

TEST(Chebyshev, ReproducesAPolynomialAndItsDerivative)
{
    // A cubic is its own series of four terms: value and derivative exact.
    const auto f = [](double x) { return 3 - 2 * x + 0.5 * x * x + 4 * x * x * x; };
    const auto df = [](double x) { return -2 + x + 12 * x * x; };
    double values[6], c[6];
    for (int k = 0; k < 6; ++k) values[k] = f(ChebyshevNode(k, 6));
    FitChebyshev(values, 6, c);
    EXPECT_NEAR(c[4], 0, 1e-14);
    EXPECT_NEAR(c[5], 0, 1e-14);
    for (double x : {-1.0, -0.3, 0.0, 0.77, 1.0}) {
        double value, derivative;
        SumChebyshev(c, 6, x, value, derivative);
        EXPECT_NEAR(value, f(x), 1e-13) << x;
        EXPECT_NEAR(derivative, df(x), 1e-12) << x;
    }
}

}  // namespace
}  // namespace zenlume::precise
