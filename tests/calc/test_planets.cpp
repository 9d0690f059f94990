// The planetary theory: InitialisePlanets and PlanetCalc.  Sources: the
// published element and correction tables (slot numbers and values), its
// worked geocentric longitudes at T = 1.0 (JD 2451545.0), and the standard
// ecliptic-to-equator relation for declinations.
#include "qvcalc32.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

constexpr double kNone = -12345.0;  // marks an element nobody should write

struct Arrays {
    double table[QVCALC32_PLANET_TABLE_HIGH + 1];
    double scratch[15] = {};
    uint8_t counts[13] = {};
    double lon[QVCALC32_CHART_HIGH + 1], decl[QVCALC32_CHART_HIGH + 1], speed[QVCALC32_CHART_HIGH + 1];

    Arrays()
    {
        table[0] = kNone;
        InitialisePlanets(table, QVCALC32_PLANET_TABLE_HIGH);
        for (int i = 0; i <= QVCALC32_CHART_HIGH; ++i) lon[i] = decl[i] = speed[i] = kNone;
    }
    void Calc(int32_t first, int32_t last, double T, int32_t helio = 0, double offset = 0, int32_t moonMode = 0,
              uint8_t moonFlag = 0)
    {
        PlanetCalc(first, last, helio, offset, scratch, 14, T, counts, 12, moonMode, lon, QVCALC32_CHART_HIGH, decl,
                   QVCALC32_CHART_HIGH, speed, QVCALC32_CHART_HIGH, table, QVCALC32_PLANET_TABLE_HIGH, moonFlag);
    }
};

// ---- The element table ----

struct SlotCase {
    int slot;
    double value;
    const char *what;
};

TEST(InitialisePlanets, SlotsHoldTheElementConstants)
{
    // The first and last slot of every element block and correction group,
    // by the slot ranges of the element tables.
    const SlotCase cases[] = {
        {1, 358.4758, "Sun M0"},          {7, 1, "Sun a"},                 {8, 101.2208, "Sun w0"},
        {16, 0, "Sun i2"},                {17, 102.2794, "Mercury M0"},    {32, -0.00002, "Mercury i2"},
        {33, 212.6032, "Venus M0"},       {39, 0.7233, "Venus a"},         {48, 0, "Venus i2"},
        {49, 319.5294, "Mars M0"},        {62, 1.8503, "Mars i0"},         {65, 225.4928, "Jupiter M0"},
        {79, -0.00515613, "Jupiter i1"},  {81, -0.001, "Jupiter 1 c0"},    {84, 0.0051, "Jupiter 1 A1"},
        {116, -50.8501, "Jupiter 1 p11"}, {117, 0.002, "Jupiter 2 c0"},    {152, 36.2451, "Jupiter 2 p11"},
        {153, 174.2153, "Saturn M0"},     {169, -0.0009, "Saturn 1 c0"},   {186, -69.4, "Saturn 1 p5"},
        {187, -0.0014, "Saturn 2 c0"},    {204, -141.4, "Saturn 2 p5"},    {205, 0.0006, "Saturn 3 c0"},
        {219, 78.2, "Saturn 3 p4"},       {220, 74.1757, "Uranus M0"},     {226, 19.2215, "Uranus a"},
        {236, -0.0021, "Uranus 1 c0"},    {250, -4.99, "Uranus 1 p4"},     {251, 0.0134, "Uranus 2 c0"},
        {265, 79.2, "Uranus 2 p4"},       {266, -0.0003, "Uranus 3 c0"},   {277, -88, "Uranus 3 p3"},
        {278, 30.13294, "Neptune M0"},    {294, 0.1832, "Neptune 1 c0"},   {308, -31.3, "Neptune 1 p4"},
        {309, -0.1122, "Neptune 2 c0"},   {323, 78, "Neptune 2 p4"},       {324, 0.00196, "Neptune 3 c0"},
        {335, -25.2, "Neptune 3 p3"},     {336, 229.781, "Pluto M0"},      {352, -0.0426, "Pluto 1 c0"},
        {366, -238.3, "Pluto 1 p4"},      {367, -0.0603, "Pluto 2 c0"},    {381, 20.3, "Pluto 2 p4"},
        {382, 0.0145, "Pluto 3 c0"},      {393, -46.1, "Pluto 3 p3"},      {394, 34.6127752, "Chiron M0"},
        {400, 13.66975144, "Chiron a"},   {408, 0.011236955, "Chiron i1"}, {409, 0, "Chiron i2"},
        {410, 0, "closing zero"},
    };
    Arrays a;
    for (const auto &c : cases) EXPECT_EQ(a.table[c.slot], c.value) << "slot " << c.slot << " " << c.what;
    EXPECT_EQ(a.table[0], kNone);  // slot 0 is the caller's
}

TEST(InitialisePlanets, ShortTableIsLeftAlone)
{
    std::vector<double> t(QVCALC32_PLANET_TABLE_HIGH + 1, kNone);
    InitialisePlanets(t.data(), QVCALC32_PLANET_TABLE_HIGH - 1);
    for (double v : t) EXPECT_EQ(v, kNone);
    InitialisePlanets(nullptr, QVCALC32_PLANET_TABLE_HIGH);
}

// Which body reads a slot: the "first table slot" column of the element tables.
int OwnerOfSlot(int slot)
{
    const struct { int body, first; } firsts[] = {
        {1, 1}, {3, 17}, {4, 33}, {5, 49}, {6, 65}, {7, 153}, {8, 220}, {9, 278}, {10, 336}, {12, 394}, {0, 410},
    };
    int owner = 0;
    for (const auto &f : firsts)
        if (slot >= f.first) owner = f.body;
    return owner;
}

bool Moved(const Arrays &a, const Arrays &b, int body)
{
    return a.lon[body] != b.lon[body] || a.decl[body] != b.decl[body] || a.speed[body] != b.speed[body];
}

TEST(PlanetCalc, RunningSlotIndexReachesEachBodysFirstSlot)
{
    // Change one slot and see who moves: a planet's slots move that planet
    // alone, the Earth's slots (the Sun's) move every geocentric planet, and
    // slot 410 moves nothing.  Together this shows that the running index
    // stands at the first slot of every body.
    Arrays base;
    base.Calc(QVCALC32_SUN, QVCALC32_CHIRON, 0.93);
    for (int slot = 1; slot <= QVCALC32_PLANET_TABLE_HIGH; ++slot) {
        Arrays a;
        a.table[slot] = slot == 410 ? NAN : a.table[slot] + 0.5;
        a.Calc(QVCALC32_SUN, QVCALC32_CHIRON, 0.93);
        const int owner = OwnerOfSlot(slot);
        for (int b = QVCALC32_MOON; b <= QVCALC32_CHIRON; ++b) {
            const bool expected =
                owner == QVCALC32_SUN ? (b != QVCALC32_MOON && b != QVCALC32_NODE) : b == owner;
            EXPECT_EQ(Moved(a, base, b), expected) << "slot " << slot << " body " << b;
        }
        if (owner != QVCALC32_SUN) {
            EXPECT_FALSE(Moved(a, base, QVCALC32_SUN)) << "slot " << slot;
        }
    }
    // Starting at a later body, the index starts at that body's first slot
    // (heliocentric, where no body needs the Earth).
    const int firstSlot[] = {0, 1, 17, 17, 33, 49, 65, 153, 220, 278, 336, 394, 394};
    for (int first = QVCALC32_SUN; first <= QVCALC32_CHIRON; ++first) {
        Arrays a, ref;
        a.table[firstSlot[first]] += 0.5;
        a.Calc(first, QVCALC32_CHIRON, 0.93, 1);
        ref.Calc(first, QVCALC32_CHIRON, 0.93, 1);
        EXPECT_TRUE(Moved(a, ref, OwnerOfSlot(firstSlot[first]))) << "First " << first;
    }
}

// ---- Worked values ----

TEST(PlanetCalc, GeocentricLongitudesAtJ2000)
{
    // The published worked values at T = 1.0, Offset 0; tolerance half a unit
    // of the last digit given.
    const struct { int body; double lon, tolerance; } cases[] = {
        {1, 280.37, 0.005}, {3, 271.9, 0.05},  {4, 241.6, 0.05}, {5, 328.0, 0.05}, {6, 25.26, 0.005},
        {7, 40.39, 0.005},  {8, 314.8, 0.05},  {9, 303.2, 0.05}, {10, 251.5, 0.05}, {12, 252.1, 0.05},
    };
    Arrays a;
    a.Calc(QVCALC32_SUN, QVCALC32_CHIRON, 1.0);
    for (const auto &c : cases) {
        EXPECT_NEAR(a.lon[c.body], c.lon, c.tolerance) << "body " << c.body;
        if (c.body == QVCALC32_SATURN) {
            EXPECT_LT(a.speed[c.body], 0) << "Saturn is retrograde";
        } else {
            EXPECT_GT(a.speed[c.body], 0) << "body " << c.body;
        }
    }
    double sun;
    ExactSun(&sun, 1.0);
    EXPECT_EQ(a.lon[QVCALC32_SUN], sun);  // the Sun's longitude is ExactSun's
    // The Sun moves about a degree a day: 60 * 0.01720 radians.
    EXPECT_NEAR(a.speed[QVCALC32_SUN], 60 * 0.0172021 * 1.034, 0.01);
    EXPECT_EQ(a.speed[QVCALC32_MOON], 0);
    EXPECT_EQ(a.speed[QVCALC32_NODE], 0);
}

// sin(decl) = sin(beta) cos(eps) + cos(beta) sin(lon) sin(eps), degrees,
// with the obliquity eps = 23.452294 - 0.0130125 T.
double DeclinationOf(double lon, double lat, double T)
{
    const double r = M_PI / 180, eps = (23.452294 - 0.0130125 * T) * r;
    return std::asin(std::sin(lat * r) * std::cos(eps) + std::cos(lat * r) * std::sin(lon * r) * std::sin(eps)) / r;
}

TEST(PlanetCalc, DeclinationsMoonAndNode)
{
    Arrays a, mean, noMoon;
    a.Calc(QVCALC32_SUN, QVCALC32_CHIRON, 1.0);
    double lonOnly, moonLon, node, moonLat;
    MoonCalc(0, &lonOnly, 0, 0, 1.0, &moonLon, &node, &moonLat);
    EXPECT_EQ(a.lon[QVCALC32_MOON], moonLon);
    EXPECT_EQ(a.lon[QVCALC32_NODE], node);  // the true node, 123.92
    EXPECT_NEAR(a.decl[QVCALC32_MOON], DeclinationOf(moonLon, moonLat, 1.0), 1e-9);
    // Latitude exactly 0 (Sun, Node): only the 1E-7 degree stand-in differs.
    // The Sun in early January stands near -23.0 (almanac: -23 01').
    EXPECT_NEAR(a.decl[QVCALC32_SUN], DeclinationOf(a.lon[QVCALC32_SUN], 0, 1.0), 2e-7);
    EXPECT_NEAR(a.decl[QVCALC32_NODE], DeclinationOf(a.lon[QVCALC32_NODE], 0, 1.0), 2e-7);
    EXPECT_NEAR(a.decl[QVCALC32_SUN], -23.02, 0.02);

    mean.Calc(QVCALC32_SUN, QVCALC32_CHIRON, 1.0, 0, 0, 0, 1);
    EXPECT_NEAR(mean.lon[QVCALC32_NODE], 125.04, 0.01);  // mean node, 2000 January 1.5
    EXPECT_EQ(mean.lon[QVCALC32_MOON], a.lon[QVCALC32_MOON]);

    noMoon.lon[QVCALC32_NODE] = 77.5;
    noMoon.Calc(QVCALC32_SUN, QVCALC32_CHIRON, 1.0, 0, 0, 2);  // MoonMode 2: the Moon left out
    EXPECT_EQ(noMoon.lon[QVCALC32_MOON], 0);
    EXPECT_EQ(noMoon.speed[QVCALC32_MOON], 0);
    EXPECT_NEAR(noMoon.decl[QVCALC32_MOON], 0, 2e-7);  // (0, 0) with the stand-ins
    EXPECT_EQ(noMoon.lon[QVCALC32_NODE], 77.5);        // the Node keeps the caller's value
    EXPECT_EQ(noMoon.lon[QVCALC32_SATURN], a.lon[QVCALC32_SATURN]);
}

TEST(PlanetCalc, HeliocentricMode)
{
    Arrays h, g;
    h.Calc(QVCALC32_SUN, QVCALC32_CHIRON, 1.0, 1);
    g.Calc(QVCALC32_SUN, QVCALC32_CHIRON, 1.0);
    for (int b : {QVCALC32_SUN, QVCALC32_MERCURY, QVCALC32_VENUS, QVCALC32_MARS, QVCALC32_JUPITER, QVCALC32_SATURN,
                  QVCALC32_URANUS, QVCALC32_NEPTUNE, QVCALC32_PLUTO, QVCALC32_CHIRON}) {
        EXPECT_EQ(h.speed[b], 0) << b;
        // Latitude 0 on entry to the final pass: the ecliptic point's.
        EXPECT_NEAR(h.decl[b], DeclinationOf(h.lon[b], 0, 1.0), 2e-7) << b;
        EXPECT_GT(std::fabs(h.lon[b] - g.lon[b]), b == QVCALC32_SUN ? 0 : 0.5) << b;
    }
    // Lon[1] is the Earth's heliocentric longitude plus 180: the Sun's place
    // from the Earth's orbit, within ExactSun's aberration and perturbations.
    EXPECT_NEAR(h.lon[QVCALC32_SUN], g.lon[QVCALC32_SUN], 0.02);
}

TEST(PlanetCalc, OffsetIsAddedAndNegativeSumsStayNegative)
{
    Arrays plain, shifted;
    plain.Calc(QVCALC32_SUN, QVCALC32_CHIRON, 1.0);
    shifted.Calc(QVCALC32_SUN, QVCALC32_CHIRON, 1.0, 0, -300);
    for (int b = QVCALC32_SUN; b <= QVCALC32_CHIRON; ++b) {
        if (b == QVCALC32_MOON) {  // MoonCalc adds 360 once to a negative sum
            EXPECT_NEAR(shifted.lon[b], plain.lon[b] - 300 + 360, 1e-9);
        } else if (b == QVCALC32_NODE) {
            // The Node's reduction keeps the sign of N (negative after 1913),
            // so at Offset 0 the 360 was already added: here it stays below.
            EXPECT_NEAR(shifted.lon[b], plain.lon[b] - 300, 1e-9);
        } else {
            EXPECT_NEAR(shifted.lon[b], plain.lon[b] - 300, 1e-9) << b;
            if (plain.lon[b] < 300) {
                EXPECT_LT(shifted.lon[b], 0) << b;
                EXPECT_GT(shifted.lon[b], -360) << b;
            }
        }
    }
}

TEST(PlanetCalc, FinalPassRunsWhenNoBodyIs)
{
    // Last below First: nothing computed, entries 1..12 still converted.
    Arrays a;
    for (int b = QVCALC32_SUN; b <= QVCALC32_CHIRON; ++b) {
        a.lon[b] = 90;
        a.decl[b] = 10;
    }
    a.Calc(5, 4, 1.0);
    const double eps = 23.452294 - 0.0130125;
    for (int b = QVCALC32_SUN; b <= QVCALC32_CHIRON; ++b) {
        EXPECT_EQ(a.lon[b], 90);
        EXPECT_NEAR(a.decl[b], 10 + eps, 1e-9);  // at 90 degrees the latitude adds to eps
        EXPECT_EQ(a.speed[b], kNone);
    }
    EXPECT_EQ(a.decl[0], kNone);
    EXPECT_EQ(a.decl[QVCALC32_BODIES_HIGH + 1], kNone);
}

// ---- Outside the contract ----

TEST(PlanetCalc, BadArgumentsWriteNothing)
{
    struct Case {
        const char *name;
        int32_t first, last, scratchHigh, countsHigh, lonHigh, declHigh, speedHigh, tableHigh;
    } cases[] = {
        {"First 0", 0, 12, 14, 12, 14, 14, 14, 410},     {"First 13", 13, 12, 14, 12, 14, 14, 14, 410},
        {"Last 13", 1, 13, 14, 12, 14, 14, 14, 410},     {"First -5", -5, 3, 14, 12, 14, 14, 14, 410},
        {"short Scratch", 1, 12, 2, 12, 14, 14, 14, 410}, {"short Counts", 1, 12, 14, 9, 14, 14, 14, 410},
        {"short Lon", 1, 12, 14, 12, 11, 14, 14, 410},   {"short Decl", 1, 12, 14, 12, 14, 11, 14, 410},
        {"short Speed", 1, 12, 14, 12, 14, 14, 11, 410}, {"short Table", 1, 12, 14, 12, 14, 14, 14, 408},
    };
    for (const auto &c : cases) {
        Arrays a;
        PlanetCalc(c.first, c.last, 0, 0, a.scratch, c.scratchHigh, 1.0, a.counts, c.countsHigh, 0, a.lon,
                   c.lonHigh, a.decl, c.declHigh, a.speed, c.speedHigh, a.table, c.tableHigh, 0);
        for (int i = 0; i <= QVCALC32_CHART_HIGH; ++i) {
            EXPECT_EQ(a.lon[i], kNone) << c.name << " " << i;
            EXPECT_EQ(a.decl[i], kNone) << c.name << " " << i;
            EXPECT_EQ(a.speed[i], kNone) << c.name << " " << i;
        }
    }
    Arrays a;
    PlanetCalc(QVCALC32_SUN, QVCALC32_CHIRON, 0, 0, nullptr, 14, 1.0, a.counts, 12, 0, a.lon, QVCALC32_CHART_HIGH,
               a.decl, QVCALC32_CHART_HIGH, a.speed, QVCALC32_CHART_HIGH, a.table, QVCALC32_PLANET_TABLE_HIGH, 0);
    PlanetCalc(QVCALC32_SUN, QVCALC32_CHIRON, 0, 0, a.scratch, 14, 1.0, a.counts, 12, 0, nullptr, QVCALC32_CHART_HIGH,
               a.decl, QVCALC32_CHART_HIGH, a.speed, QVCALC32_CHART_HIGH, a.table, QVCALC32_PLANET_TABLE_HIGH, 0);
    EXPECT_EQ(a.decl[QVCALC32_SUN], kNone);
}

TEST(PlanetCalc, ExactSizesAndNonFiniteTime)
{
    // Arrays of exactly 13 elements and a table of 410: nothing past them is
    // read or written (AddressSanitizer watches).  NaN, infinite and huge T
    // give no value and no trap.
    std::vector<double> full(QVCALC32_PLANET_TABLE_HIGH + 1), lon(QVCALC32_BODIES_HIGH + 1, kNone),
        decl(QVCALC32_BODIES_HIGH + 1), speed(QVCALC32_BODIES_HIGH + 1), scratch(4);
    std::vector<uint8_t> counts(11);
    InitialisePlanets(full.data(), QVCALC32_PLANET_TABLE_HIGH);
    // The table without its closing slot.
    const std::vector<double> table(full.begin(), full.begin() + QVCALC32_PLANET_TABLE_HIGH);
    PlanetCalc(QVCALC32_SUN, QVCALC32_CHIRON, 0, 0, scratch.data(), 3, 1.0, counts.data(), 10, 0, lon.data(),
               QVCALC32_BODIES_HIGH, decl.data(), QVCALC32_BODIES_HIGH, speed.data(), QVCALC32_BODIES_HIGH,
               table.data(), QVCALC32_PLANET_TABLE_HIGH - 1, 0);
    EXPECT_NEAR(lon[QVCALC32_SATURN], 40.39, 0.005);
    EXPECT_EQ(lon[0], kNone);
    for (double T : {double(NAN), double(INFINITY), -1e300}) {
        Arrays a;
        a.Calc(QVCALC32_SUN, QVCALC32_CHIRON, T);
        if (std::isnan(T)) {
            EXPECT_TRUE(std::isnan(a.lon[QVCALC32_SUN]) && std::isnan(a.lon[QVCALC32_SATURN]) &&
                        std::isnan(a.decl[QVCALC32_CHIRON]));
        }
    }
}

}  // namespace
