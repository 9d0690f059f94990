// The fitted series against the plain computation they stand for, and the
// years the precise theory covers.
#include "precise_ephemeris.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace zenlume::precise {
namespace {

TEST(PreciseEphemeris, SeriesAgreeWithThePlainComputation)
{
    // Moments drawn over 1900-2100, each body through its series against
    // ComputeApparent: 0.001" in longitude and latitude (measured: under
    // 0.0001"), the speed to 0.002 degrees a day (the plain computation's
    // own central difference is good to about 0.001 near a conjunction).
    std::mt19937_64 random(20261209);
    std::uniform_real_distribution<double> moment(2415020.5, 2488069.5);
    PreciseEphemeris ephemeris;
    for (int i = 0; i < 40; ++i) {
        const double jd = moment(random);
        for (int b = kFirstBody; b <= kLastBody; ++b) {
            const auto body = static_cast<Body>(b);
            if (!InPreciseRange(body, jd)) continue;
            ApparentPlace fitted, plain;
            ASSERT_TRUE(ephemeris.Place(body, jd, fitted)) << b << " " << jd;
            ASSERT_TRUE(ComputeApparent(body, jd, plain)) << b << " " << jd;
            EXPECT_LT(std::fabs(std::remainder(fitted.Longitude - plain.Longitude, 360.0)) * 3600, 0.001) << b << " " << jd;
            EXPECT_LT(std::fabs(fitted.Latitude - plain.Latitude) * 3600, 0.001) << b << " " << jd;
            EXPECT_NEAR(fitted.Speed, plain.Speed, 0.002) << b << " " << jd;
            EXPECT_GE(fitted.Longitude, 0);
            EXPECT_LT(fitted.Longitude, 360);
        }
    }
}

TEST(PreciseEphemeris, APlaceDoesNotDependOnWhatWasAskedBefore)
{
    // Series start at fixed multiples of their length, so the clock, which
    // walks minute by minute, and zenlume-chart, which starts cold, show
    // the same place; the walk crosses a series' end (midnight TT-aligned
    // at J2000 + whole days) without a jump.
    const double target = 2461236.5 + 0.4999;
    PreciseEphemeris walked;
    ApparentPlace previous{}, place{};
    for (int minute = -120; minute <= 0; ++minute) {
        for (int b = kFirstBody; b <= kLastBody; ++b) walked.Place(static_cast<Body>(b), target + minute / 1440.0, place);
        ASSERT_TRUE(walked.Place(kMoon, target + minute / 1440.0, place));
        if (minute > -120) {
            EXPECT_NEAR(std::remainder(place.Longitude - previous.Longitude, 360.0), place.Speed / 1440, 1e-6);
        }
        previous = place;
    }
    for (int b = kFirstBody; b <= kLastBody; ++b) {
        PreciseEphemeris cold;
        ApparentPlace a, c;
        ASSERT_TRUE(walked.Place(static_cast<Body>(b), target, a));
        ASSERT_TRUE(cold.Place(static_cast<Body>(b), target, c));
        EXPECT_EQ(a.Longitude, c.Longitude) << b;
        EXPECT_EQ(a.Speed, c.Speed) << b;
    }
}

TEST(PreciseEphemeris, RefusesMomentsOutsideItsYears)
{
    PreciseEphemeris ephemeris;
    ApparentPlace place;
    for (int b = kFirstBody; b <= kLastBody; ++b) {
        const auto body = static_cast<Body>(b);
        const YearRange range = PreciseRange(body);
        EXPECT_GE(range.First, 1800) << b;
        EXPECT_LE(range.Last, 2399) << b;
        EXPECT_LE(range.First, 1900) << b;  // every body covers 1900-2100
        EXPECT_GE(range.Last, 2099) << b;
        const double firstDay = 2451544.5 + (range.First - 2000) * 365.2425;
        const double afterLast = 2451544.5 + (range.Last + 1 - 2000) * 365.2425;
        EXPECT_TRUE(ephemeris.Place(body, firstDay + 0.5, place)) << b;
        EXPECT_FALSE(ephemeris.Place(body, firstDay - 0.5, place)) << b;
        EXPECT_TRUE(ephemeris.Place(body, afterLast - 0.5, place)) << b;
        EXPECT_FALSE(ephemeris.Place(body, afterLast + 0.5, place)) << b;
        EXPECT_FALSE(ephemeris.Place(body, std::nan(""), place)) << b;
        EXPECT_FALSE(ephemeris.Place(body, -INFINITY, place)) << b;
    }
    EXPECT_FALSE(ephemeris.Place(static_cast<Body>(13), 2451545.0, place));
    EXPECT_GT(PreciseRange(static_cast<Body>(0)).First, PreciseRange(static_cast<Body>(0)).Last);
}

}  // namespace
}  // namespace zenlume::precise
