// InitialisePlanets and the constants of the planetary theory: an element
// block per body and, for Jupiter to Pluto, the correction groups of their
// heliocentric coordinates, in the order PlanetCalc reads them.
#include "internal.h"
#include "planet_table.h"

#include <cstddef>
#include <cstring>

namespace {

// Angles in degrees, rates per Julian century, T from JD 2415020.0.
struct Elements {
    double M0, M1, M2;  // mean anomaly
    double E0, E1, E2;  // eccentricity
    double A;           // semi-major axis, AU
    double W0, W1, W2;  // argument of perihelion, from the node
    double N0, N1, N2;  // longitude of the ascending node
    double I0, I1, I2;  // inclination
};

// A group is C0 + C1 T + C2 T^2 + the sum of A cos(F T + P): A in AU,
// F in degrees per century, P in degrees.
struct Term {
    double A, F, P;
};
template <int N>
struct Group {
    double C0, C1, C2;
    Term Terms[N];
};

// Everything in reading order; member k starts at the slot asserted below.
struct PlanetConstants {
    Elements Sun, Mercury, Venus, Mars;
    Elements Jupiter;
    Group<11> JupiterY, JupiterX;
    Elements Saturn;
    Group<5> SaturnY, SaturnX;
    Group<4> SaturnZ;
    Elements Uranus;
    Group<4> UranusY, UranusX;
    Group<3> UranusZ;
    Elements Neptune;
    Group<4> NeptuneY, NeptuneX;
    Group<3> NeptuneZ;
    Elements Pluto;
    Group<4> PlutoY, PlutoX;
    Group<3> PlutoZ;
    Elements Chiron;
};

constexpr PlanetConstants kConstants = {
    //         M0           M1           M2       e0           e1            e2  a            w0          w1           w2       N0           N1           N2      i0           i1           i2
    /* Sun */ {358.4758,    35999.05,    -0.0002, 0.01675,     -0.00004,     0,  1,           101.2208,   1.7192,      0.00045, 0,           0,           0,      0,           0,           0},
    /* Mer */ {102.2794,    149472.5,    0,       0.20561,     0.00002,      0,  0.387098,    28.7538,    0.3703,      0.0001,  47.1459,     1.185,       0.0002, 7.0029,      0.0019,      -0.00002},
    /* Ven */ {212.6032,    58517.8,     0.0013,  0.00682,     -0.00005,     0,  0.7233,      54.3842,    0.5082,      -0.0014, 75.7796,     0.8999,      0.0004, 3.3936,      0.001,       0},
    /* Mar */ {319.5294,    19139.86,    0.0002,  0.09331,     0.00009,      0,  1.5237,      285.4318,   1.0698,      0.0001,  48.7864,     0.77099,     0,      1.8503,      -0.0007,     0},
    /* Jup */ {225.4928,    3033.688,    0,       0.04838144,  -0.0000155,   0,  5.202905,    273.393,    1.338345,    0,       99.41985,    1.058292,    0,      1.309659,    -0.00515613, 0},
    // Jupiter group 1 (Y)
    {-0.001, -0.0005, 0.0045,
     {{0.0051, 581.6589, -9.7377}, {-0.0005, 2510.654, -12.5381}, {-0.0026, 1313.714, -61.4095},
      {0.0013, 2370.794, -24.6397}, {-0.0013, 3599.299, 37.68}, {-0.001, 2574.692, 31.4306},
      {-0.00096, 6708.182, -114.4988}, {-0.0006, 5499.427, -74.9716}, {-0.0013, 1419.044, 54.2159},
      {0.0006, 6339.277, -109.0102}, {0.0007, 4824.472, -50.8501}}},
    // Jupiter group 2 (X)
    {0.002, -0.0134, 0.0127,
     {{-0.0023, 676.1597, 0.9329}, {0.00045, 2361.355, 174.9531}, {0.0015, 1427.462, -188.8358},
      {0.0006, 2110.129, 153.6404}, {0.0014, 3606.806, -57.6744}, {-0.0017, 2540.156, 121.7431},
      {-0.00099, 6704.782, -22.2534}, {-0.0006, 5480.166, 24.514}, {0.00096, 1651.282, -118.2299},
      {0.0006, 6310.764, -4.8278}, {0.0007, 4826.61, 36.2451}}},
    /* Sat */ {174.2153,    1223.508,    0,       0.05423,     -0.0002,      0,  9.5525,      338.9117,   -0.3167,     0,       112.8261,    0.8259,      0,      2.4908,      -0.0047,     0},
    // Saturn groups 1 (Y), 2 (X), 3 (Z)
    {-0.0009, 0.0037, 0,
     {{0.0134, 1238.9, -16.4}, {-0.00426, 3040.9, -25.2}, {0.0064, 1835.3, 36.1}, {-0.0153, 610.8, -44.2},
      {-0.0015, 2480.5, -69.4}}},
    {-0.0014, 0.0026, 0,
     {{0.0111, 1242.2, 78.3}, {-0.0045, 3034.96, 62.8}, {-0.0066, 1829.2, -51.5}, {-0.0078, 640.6, 24.2},
      {-0.0016, 2363.4, -141.4}}},
    {0.0006, -0.0002, 0,
     {{-0.0005, 1251.1, 43.7}, {0.0005, 622.8, 13.7}, {0.0003, 1824.7, -71.1}, {0.0001, 2997.1, 78.2}}},
    /* Ura */ {74.1757,     427.2742,    0,       0.04682,     0.00042,      0,  19.2215,     95.6863,    2.0508,      0,       73.5222,     0.5242,      0,      0.7726,      0.0001,      0},
    // Uranus groups 1 (Y), 2 (X), 3 (Z)
    {-0.0021, -0.0159, 0,
     {{0.0299, 422.3, -17.7}, {-0.0049, 3035.1, -31.3}, {-0.0038, 945.3, 60.1}, {-0.0023, 1227, -4.99}}},
    {0.0134, -0.02186, 0,
     {{0.0317, 404.3, 81.9}, {-0.00495, 3037.9, 57.3}, {0.004, 993.5, -54.4}, {-0.0018, 1249.4, 79.2}}},
    {-0.0003, 0.0005, 0,
     {{0.0005, 352.5, -54.99}, {0.0001, 3027.5, 54.2}, {-0.0001, 1150.3, -88}}},
    /* Nep */ {30.13294,    240.4552,    0,       0.00913,     -0.00127,     0,  30.11375,    284.1683,   -21.6329,    0,       130.6841,    1.1005,      0,      1.7794,      -0.0098,     0},
    // Neptune groups 1 (Y), 2 (X), 3 (Z)
    {0.1832, -0.6718, 0.2726,
     {{-0.1923, 175.7, 31.8}, {0.0122, 542.1, 189.6}, {0.0027, 1219.4, 178.1}, {-0.00496, 3035.6, -31.3}}},
    {-0.1122, 0.166, -0.0544,
     {{-0.00496, 3035.3, 58.7}, {0.0961, 177.1, -68.8}, {-0.0073, 630.9, 51}, {-0.0025, 1236.6, 78}}},
    {0.00196, -0.0119, 0.0111,
     {{0.0001, 3049.3, 44.2}, {-0.0002, 893.9, 48.5}, {0.00007, 1416.5, -25.2}}},
    /* Plu */ {229.781,     145.1781,    0,       0.24797,     0.002898,     0,  39.539,      113.537,    0.2086,      0,       108.944,     1.3739,      0,      17.1514,     -0.0161,     0},
    // Pluto groups 1 (Y), 2 (X), 3 (Z)
    {-0.0426, 0.073, -0.029,
     {{0.0371, 372, -331.3}, {-0.0049, 3049.6, -39.2}, {-0.0108, 566.2, 318.3}, {0.0003, 1746.5, -238.3}}},
    {-0.0603, 0.5002, -0.6126,
     {{0.049, 273.97, 89.97}, {-0.0049, 3030.6, 61.3}, {0.0027, 1075.3, -28.1}, {-0.0007, 1402.3, 20.3}}},
    {0.0145, -0.0928, 0.1195,
     {{0.0117, 302.6, -77.3}, {0.00198, 528.1, 48.6}, {-0.0002, 1000.4, -46.1}}},
    /* Chi */ {34.6127752,  713.5756219, 0,       0.382270369, -0.004694073, 0,  13.66975144, 337.407213, 2.163306646, 0,       208.1482658, 1.247724355, 0,      6.911179715, 0.011236955, 0},
};

// The table is read strictly in sequence, so the layout must agree with the
// reading order: every first slot of the element table, and the slots the
// reader expects each body to consume.
constexpr int32_t SlotOf(std::size_t offset) { return static_cast<int32_t>(offset / sizeof(double)) + 1; }
static_assert(sizeof(PlanetConstants) == qv::kPlanetTableLastSlot * sizeof(double));
static_assert(SlotOf(offsetof(PlanetConstants, Sun)) == 1 && qv::FirstSlotOf(1) == 1);
static_assert(SlotOf(offsetof(PlanetConstants, Mercury)) == 17 && qv::FirstSlotOf(3) == 17);
static_assert(SlotOf(offsetof(PlanetConstants, Venus)) == 33 && qv::FirstSlotOf(4) == 33);
static_assert(SlotOf(offsetof(PlanetConstants, Mars)) == 49 && qv::FirstSlotOf(5) == 49);
static_assert(SlotOf(offsetof(PlanetConstants, Jupiter)) == 65 && qv::FirstSlotOf(6) == 65);
static_assert(SlotOf(offsetof(PlanetConstants, JupiterY)) == 81 && SlotOf(offsetof(PlanetConstants, JupiterX)) == 117);
static_assert(SlotOf(offsetof(PlanetConstants, Saturn)) == 153 && qv::FirstSlotOf(7) == 153);
static_assert(SlotOf(offsetof(PlanetConstants, SaturnY)) == 169 && SlotOf(offsetof(PlanetConstants, SaturnZ)) == 205);
static_assert(SlotOf(offsetof(PlanetConstants, Uranus)) == 220 && qv::FirstSlotOf(8) == 220);
static_assert(SlotOf(offsetof(PlanetConstants, UranusX)) == 251 && SlotOf(offsetof(PlanetConstants, UranusZ)) == 266);
static_assert(SlotOf(offsetof(PlanetConstants, Neptune)) == 278 && qv::FirstSlotOf(9) == 278);
static_assert(SlotOf(offsetof(PlanetConstants, NeptuneY)) == 294 && SlotOf(offsetof(PlanetConstants, NeptuneZ)) == 324);
static_assert(SlotOf(offsetof(PlanetConstants, Pluto)) == 336 && qv::FirstSlotOf(10) == 336);
static_assert(SlotOf(offsetof(PlanetConstants, PlutoY)) == 352 && SlotOf(offsetof(PlanetConstants, PlutoZ)) == 382);
static_assert(SlotOf(offsetof(PlanetConstants, Chiron)) == 394 && qv::FirstSlotOf(12) == 394);
static_assert(qv::FirstSlotOf(13) == qv::kPlanetTableLastSlot + 1);

}  // namespace

using namespace qv;

extern "C" {

// Table[1..410] (upper bound 410 or more): the 409 constants in reading
// order, then 0.  Slot 0 and anything past 410 are left alone.
void InitialisePlanets(double *Table, int32_t TableHigh)
{
    if (!HasElement(Table, TableHigh, kPlanetTableHigh)) return;
    std::memcpy(Table + 1, &kConstants, sizeof kConstants);
    Table[kPlanetTableHigh] = 0;
}

}  // extern "C"
