// Chart points, dignities and qualities.  Sources: the worked values of this
// library's own documentation; the Vertex checked against an independent
// construction (the intersection of the prime vertical and ecliptic great
// circles as vectors).
#include "qvcalc32.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

namespace {

constexpr double kRad = M_PI / 180;
const double kObl = 23.44 * kRad;

using Vec = std::array<double, 3>;
Vec Cross(const Vec &a, const Vec &b)
{
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
double Dot(const Vec &a, const Vec &b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

// The western intersection of the prime vertical with the ecliptic, in
// equatorial vectors: the prime vertical's pole is the north point of the
// horizon, the ecliptic's pole is (0, -sin e, cos e).
double VertexByVectors(double lstHours, double latDeg, double obl)
{
    const double ramc = lstHours * 15 * kRad, phi = latDeg * kRad;
    const Vec east{-std::sin(ramc), std::cos(ramc), 0};
    const Vec zenith{std::cos(phi) * std::cos(ramc), std::cos(phi) * std::sin(ramc), std::sin(phi)};
    const Vec pvPole = Cross(zenith, east);
    const Vec eclPole{0, -std::sin(obl), std::cos(obl)};
    Vec v = Cross(pvPole, eclPole);
    if (Dot(v, east) > 0) v = {-v[0], -v[1], -v[2]};
    double lon = std::atan2(v[1] * std::cos(obl) + v[2] * std::sin(obl), v[0]) / kRad;
    return lon < 0 ? lon + 360 : lon;
}

double AngleDiff(double a, double b) { return std::fabs(std::remainder(a - b, 360.0)); }

TEST(Vertex, WesternIntersectionAtLowLatitudes)
{
    double vx;
    Vertex(&vx, kObl, 5.3, 12);  // the formula alone lands near 190.6 here
    EXPECT_NEAR(vx, 10.6, 0.1);
    EXPECT_LT(AngleDiff(vx, VertexByVectors(5.3, 12, kObl)), 1e-9);
}

TEST(Vertex, AgreesWithTheVectorConstructionEverywhere)
{
    int checked = 0;
    for (double lat : {-66.0, -45.0, -23.0, -12.0, -1.0, 1.0, 5.0, 12.0, 23.0, 40.0, 51.5, 66.0}) {
        for (double lst = 0.05; lst < 24; lst += 0.37) {
            double vx;
            Vertex(&vx, kObl, lst, lat);
            EXPECT_LT(AngleDiff(vx, VertexByVectors(lst, lat, kObl)), 1e-8) << "lat " << lat << " lst " << lst;
            EXPECT_GE(vx, 0);
            EXPECT_LT(vx, 360);
            ++checked;
        }
    }
    EXPECT_GT(checked, 700);
}

TEST(Vertex, LatitudeZeroTakenAsOneHundredthRadian)
{
    double atZero, atSmall;
    Vertex(&atZero, kObl, 7.0, 0.0);
    Vertex(&atSmall, kObl, 7.0, 0.01 / kRad);
    EXPECT_NEAR(atZero, atSmall, 1e-9);
    EXPECT_TRUE(std::isfinite(atZero));
}

TEST(EastPoint, IsTheEclipticDegreeRisingAtTheEquator)
{
    for (double lst : {0.5, 6.0 + 1e-3, 11.9, 17.3, 23.5}) {
        // At the equator the horizon's pole is the zenith on the equator at
        // RAMC; of its two intersections with the ecliptic take the eastern.
        const double ramc = lst * 15 * kRad;
        const Vec zenith{std::cos(ramc), std::sin(ramc), 0};
        const Vec east{-std::sin(ramc), std::cos(ramc), 0};
        Vec v = Cross(zenith, Vec{0, -std::sin(kObl), std::cos(kObl)});
        if (Dot(v, east) < 0) v = {-v[0], -v[1], -v[2]};
        double expected = std::atan2(v[1] * std::cos(kObl) + v[2] * std::sin(kObl), v[0]) / kRad;
        if (expected < 0) expected += 360;
        double eastPoint;
        EastPoint(&eastPoint, kObl, lst);
        EXPECT_NEAR(eastPoint, expected, 1e-9) << lst;
    }
}

TEST(PartFortune, DayAndNightFormulas)
{
    struct Case { double sun, moon, asc, fortune; const char *what; } cases[] = {
        {200, 50, 0, 210, "day chart: Moon raised by 360"},
        {100, 50, 0, 50, "night chart"},
        {180, 90, 0, 270, "Sun exactly 180 past Asc is day"},
        {300, 350, 100, 150, "day, wraps once"},
        {10, 20, 0, 350, "night: Sun raised by 360"},
    };
    for (const auto &c : cases) {
        double f;
        PartFortune(&f, c.sun, c.moon, c.asc);
        EXPECT_DOUBLE_EQ(f, c.fortune) << c.what;
    }
}

TEST(MoonPhase, QuartersAndTheirBoundaries)
{
    struct Case { double sun, moon; int phase; } cases[] = {
        {10, 5, 4}, {10, 100, 1}, {10, 100.001, 2}, {350, 10, 1},
        {0, 180, 2}, {0, 270, 3}, {0, 270.000001, 4}, {0, 0, 1}, {90, 0, 3},
    };
    for (const auto &c : cases) {
        uint16_t p;
        MoonPhase(&p, c.sun, c.moon);
        EXPECT_EQ(p, c.phase) << c.sun << " " << c.moon;
    }
    uint16_t p = 7;
    MoonPhase(&p, NAN, 10);
    EXPECT_EQ(p, 0);
}

std::string Str(const ShortText10 &t) { return std::string(t.chars, t.length); }

TEST(Dignities, RulersAndDignityTexts)
{
    const int rulers[13] = {0, 5, 4, 3, 2, 1, 3, 4, 10, 6, 7, 8, 9};
    for (uint16_t s = 1; s <= 12; ++s) EXPECT_EQ(CheckRuler(s), rulers[s]);
    EXPECT_EQ(CheckRuler(0), 0);
    EXPECT_EQ(CheckRuler(13), 0);

    double lon[QVCALC32_BODIES_HIGH + 1] = {};
    for (auto &x : lon) x = 15;   // all in Aries by default
    lon[QVCALC32_SUN] = 125;      // Sun in Leo
    lon[QVCALC32_MERCURY] = 165;  // Mercury in Virgo
    lon[QVCALC32_JUPITER] = 345;  // Jupiter in Pisces
    lon[QVCALC32_SATURN] = 190;   // Saturn in Libra
    lon[QVCALC32_MOON] = 220;     // Moon in Scorpio
    ShortText10 dignity[QVCALC32_BODIES_HIGH + 1];
    uint8_t reception[QVCALC32_BODIES_HIGH + 1];
    EssentialDignities(lon, QVCALC32_BODIES_HIGH, dignity, QVCALC32_BODIES_HIGH, reception, QVCALC32_BODIES_HIGH);
    EXPECT_EQ(Str(dignity[QVCALC32_SUN]), "Own");
    EXPECT_EQ(Str(dignity[QVCALC32_MERCURY]), "Own");
    EXPECT_EQ(Str(dignity[QVCALC32_JUPITER]), " ");
    EXPECT_EQ(Str(dignity[QVCALC32_SATURN]), "Exaltation");
    EXPECT_EQ(Str(dignity[QVCALC32_MOON]), "Fall");
    EXPECT_EQ(Str(dignity[QVCALC32_VENUS]), "Detriment");  // Venus in Aries
    EXPECT_EQ(Str(dignity[QVCALC32_MARS]), "Own");         // Mars in Aries
    EXPECT_EQ(Str(dignity[QVCALC32_NODE]), " ");
}

TEST(Dignities, MutualReceptions)
{
    double lon[QVCALC32_BODIES_HIGH + 1];
    for (auto &x : lon) x = 100;  // Cancer
    lon[QVCALC32_VENUS] = 10;     // Venus in Aries
    lon[QVCALC32_MARS] = 190;     // Mars in Libra
    ShortText10 dignity[QVCALC32_BODIES_HIGH + 1];
    uint8_t reception[QVCALC32_BODIES_HIGH + 1];
    EssentialDignities(lon, QVCALC32_BODIES_HIGH, dignity, QVCALC32_BODIES_HIGH, reception, QVCALC32_BODIES_HIGH);
    EXPECT_EQ(reception[QVCALC32_VENUS], QVCALC32_MARS);
    EXPECT_EQ(reception[QVCALC32_MARS], QVCALC32_VENUS);
    EXPECT_EQ(reception[QVCALC32_MOON], 0);  // the Moon rules Cancer: its own sign
    EXPECT_EQ(reception[QVCALC32_NODE], 0);  // the Node rules nothing
    lon[QVCALC32_VENUS] = 40;                // Venus in Taurus, its own sign
    EssentialDignities(lon, QVCALC32_BODIES_HIGH, dignity, QVCALC32_BODIES_HIGH, reception, QVCALC32_BODIES_HIGH);
    EXPECT_EQ(reception[QVCALC32_VENUS], 0);
    EXPECT_EQ(reception[QVCALC32_MARS], 0);
}

TEST(Qualities, WeightedTallies)
{
    double lon[QVCALC32_CHART_HIGH + 1];
    uint8_t weights[QVCALC32_CHART_HIGH + 1], totals[QVCALC32_BODIES_HIGH + 1];
    for (int k = 0; k <= QVCALC32_CHART_HIGH; ++k) {
        lon[k] = 5;
        weights[k] = 1;
    }
    GetQualities(lon, QVCALC32_CHART_HIGH, totals, QVCALC32_BODIES_HIGH, weights, QVCALC32_CHART_HIGH);
    EXPECT_EQ(totals[1], 14);
    for (int b = 2; b <= 12; ++b) EXPECT_EQ(totals[b], 0);

    const int bucket[12] = {1, 6, 11, 4, 5, 10, 3, 8, 9, 2, 7, 12};
    for (int k = QVCALC32_SUN; k <= QVCALC32_CHIRON; ++k) lon[k] = 30.0 * (k - 1) + 1;
    lon[QVCALC32_ASCENDANT] = lon[QVCALC32_MIDHEAVEN] = 1;  // Asc and MC in Aries, left out by weight 0
    weights[QVCALC32_ASCENDANT] = weights[QVCALC32_MIDHEAVEN] = 0;
    weights[QVCALC32_SUN] = 200;
    weights[QVCALC32_MOON] = 100;  // lands in bucket 6
    weights[QVCALC32_CHIRON] = 255;
    GetQualities(lon, QVCALC32_CHART_HIGH, totals, QVCALC32_BODIES_HIGH, weights, QVCALC32_CHART_HIGH);
    for (int s = 0; s < 12; ++s) {
        const int expected = s == 0 ? 200 : s == 1 ? 100 : s == 11 ? 255 : 1;
        EXPECT_EQ(totals[bucket[s]], expected) << "sign " << s;
    }
    lon[QVCALC32_MOON] = 5;  // Taurus weight now in Aries: 200 + 100 wraps at 256
    GetQualities(lon, QVCALC32_CHART_HIGH, totals, QVCALC32_BODIES_HIGH, weights, QVCALC32_CHART_HIGH);
    EXPECT_EQ(totals[1], 44);
}

TEST(Qualities, ShortArraysAreRefused)
{
    double lon[QVCALC32_CHART_HIGH + 1] = {};
    uint8_t weights[QVCALC32_CHART_HIGH + 1] = {}, totals[QVCALC32_BODIES_HIGH + 1];
    for (auto &t : totals) t = 77;
    GetQualities(lon, QVCALC32_CHART_HIGH - 1, totals, QVCALC32_BODIES_HIGH, weights, QVCALC32_CHART_HIGH);
    GetQualities(lon, QVCALC32_CHART_HIGH, totals, QVCALC32_BODIES_HIGH - 1, weights, QVCALC32_CHART_HIGH);
    for (auto t : totals) EXPECT_EQ(t, 77);
}

}  // namespace
