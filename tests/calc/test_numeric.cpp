// Numeric routines and the 6-byte real.  Sources: the worked values of this
// library's own documentation; Real6 bit patterns worked by hand from its
// layout.
#include "internal.h"
#include "qvcalc32.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

using qv::Real6Decode;
using qv::Real6Encode;
using qv::Real6Round;

std::string Str(const ShortText10 &t) { return std::string(t.chars, t.length); }
Real6 R6(double x) { return Real6Encode(x); }

TEST(Real6, LayoutOfKnownValues)
{
    struct Case { double value; uint8_t bytes[6]; } cases[] = {
        {1.0, {129, 0, 0, 0, 0, 0}},
        {-1.0, {129, 0, 0, 0, 0, 0x80}},
        {0.5, {128, 0, 0, 0, 0, 0}},
        {3.0, {130, 0, 0, 0, 0, 0x40}},  // 1.5 * 2^1
        {0.0, {0, 0, 0, 0, 0, 0}},
    };
    for (const auto &c : cases) {
        const Real6 r = R6(c.value);
        for (int i = 0; i < 6; ++i) EXPECT_EQ(r.bytes[i], c.bytes[i]) << c.value << " byte " << i;
        EXPECT_EQ(Real6Decode(r), c.value);
    }
    Real6 zeroWithJunk{{0, 1, 2, 3, 4, 0xff}};
    EXPECT_EQ(Real6Decode(zeroWithJunk), 0.0);  // exponent byte 0 means 0
}

TEST(Real6, RoundsToFortyBitsTiesToEven)
{
    const double ulp = std::ldexp(1.0, -39);  // spacing of Real6 values in [1, 2)
    EXPECT_EQ(Real6Round(1 + ulp / 4), 1.0);
    EXPECT_EQ(Real6Round(1 + ulp * 3 / 4), 1 + ulp);
    EXPECT_EQ(Real6Round(1 + ulp / 2), 1.0);                  // tie, even is 1
    EXPECT_EQ(Real6Round(1 + ulp * 3 / 2), 1 + 2 * ulp);      // tie, even is 1 + 2ulp
    EXPECT_EQ(Real6Round(2 - ulp / 4), 2.0);                  // carry into the exponent
    EXPECT_EQ(Real6Round(0.1L), 0.1L == 0 ? 0 : Real6Round(0.1L));
    // Rounding from 80 bits directly, not through a double: a value just above
    // the tie that a double would round onto the tie.
    const long double justAbove = 1.0L + std::ldexp(1.0L, -40) + std::ldexp(1.0L, -62);
    EXPECT_EQ(Real6Round(justAbove), 1 + ulp);
}

TEST(Real6, ExponentLimitsNaNAndOverflow)
{
    EXPECT_EQ(Real6Round(std::ldexp(1.0L, -128)), std::ldexp(1.0, -128));  // smallest
    EXPECT_EQ(Real6Round(std::ldexp(1.0L, -129)), 0.0);                    // underflow
    EXPECT_EQ(Real6Round(std::ldexp(1.0L, 126)), std::ldexp(1.0, 126));
    EXPECT_TRUE(std::isinf(Real6Round(std::ldexp(1.0L, 127))));            // internal overflow
    EXPECT_TRUE(std::isnan(Real6Round(NAN)));

    const Real6 big = R6(1e300);
    EXPECT_EQ(big.bytes[0], 255);
    EXPECT_EQ(Real6Decode(big), std::ldexp(2.0 - std::ldexp(1.0, -39), 126));
    EXPECT_LT(Real6Decode(R6(-INFINITY)), -1e38);
    EXPECT_EQ(R6(NAN).bytes[0], 0);
    EXPECT_EQ(Real6Decode(R6(-0.0)), 0.0);
    for (double x : std::initializer_list<double>{1e300, -1e300, 1e-300, NAN, INFINITY, -INFINITY, 0.0, std::ldexp(1.0, -128),
                     std::ldexp(2.0 - std::ldexp(1.0, -40), 126), 2.0 - std::ldexp(1.0, -41)}) {
        const Real6 a = qvcalc32_Real6FromDouble(x), b = R6(x);
        EXPECT_EQ(0, std::memcmp(a.bytes, b.bytes, 6)) << x;
    }
}

TEST(Real6, RoundTripKeepsFortyBits)
{
    uint64_t s = 12345;
    for (int i = 0; i < 10000; ++i) {
        s = s * 6364136223846793005ULL + 1442695040888963407ULL;
        const double x = std::ldexp(static_cast<double>(s >> 11), static_cast<int>(s % 200) - 100 - 53);
        const double r = Real6Decode(R6(x));
        EXPECT_EQ(r, Real6Round(x));
        // The header's inline conversion for callers gives the same bytes.
        const Real6 fromHeader = qvcalc32_Real6FromDouble(x), fromLibrary = R6(x);
        EXPECT_EQ(0, std::memcmp(fromHeader.bytes, fromLibrary.bytes, 6)) << x;
        EXPECT_LE(std::fabs(r - x), std::fabs(x) * std::ldexp(1.0, -40));
    }
}

TEST(NumericRoutines, ArcSin)
{
    EXPECT_NEAR(Real6Decode(ArcSin(R6(0.5))), M_PI / 6, 1e-12);
    EXPECT_EQ(Real6Decode(ArcSin(R6(0.5))), Real6Round(std::asin(0.5L)));
    EXPECT_EQ(Real6Decode(ArcSin(R6(1.0))), Real6Round(M_PI / 2));
    EXPECT_EQ(Real6Decode(ArcSin(R6(-1.0))), Real6Round(-M_PI / 2));
    EXPECT_EQ(Real6Decode(ArcSin(R6(1.5))), Real6Round(M_PI / 2));  // taken as 1
    EXPECT_EQ(Real6Decode(ArcSin(R6(0.0))), 0.0);
    EXPECT_TRUE(std::isnan(qv::ArcSinReal6(1.0000001)));  // internal use keeps "no value"
    EXPECT_TRUE(std::isnan(qv::ArcSinReal6(NAN)));
}

TEST(NumericRoutines, MinutesAndFractions)
{
    EXPECT_EQ(Real6Decode(MinToFrac(30)), 0.5);
    EXPECT_EQ(Real6Decode(MinToFrac(0)), 0.0);
    EXPECT_EQ(Real6Decode(MinToFrac(1)), Real6Round(1.0L / 60));
    EXPECT_EQ(FracToMin(R6(0.25)), 15);
    EXPECT_EQ(FracToMin(R6(0.999)), 60);
    EXPECT_EQ(FracToMin(R6(0.125)), 8);       // exactly 7.5 minutes: to the even 8
    EXPECT_EQ(FracToMin(R6(0.375)), 22);      // exactly 22.5 minutes: to the even 22
    EXPECT_EQ(FracToMin(R6(-0.25)), 241);     // -15 stored as a byte
    EXPECT_EQ(FracToMin(R6(1e30)), 0);        // beyond the 32-bit range
    for (int m = 0; m <= 255; ++m) EXPECT_EQ(FracToMin(MinToFrac(static_cast<uint8_t>(m))), m);
}

TEST(NumericRoutines, RealToDegree)
{
    struct Case { double x; const char *text; } cases[] = {
        {12.5, "+12\xB0" "30"}, {-3.25, "-03\xB0" "15"}, {0.999, "+00\xB0" "60"},
        {-0.0, "+00\xB0" "00"}, {9.0, "+09\xB0" "00"},   {123.0, "+123\xB0" "00"},
        {359.99, "+359\xB0" "59"}, {1234567.5, "+1234567\xB0" "3"},  // cut to 10 characters
    };
    for (const auto &c : cases) EXPECT_EQ(Str(RealToDegree(R6(c.x))), c.text) << c.x;
    EXPECT_EQ(RealToDegree(R6(3e9)).length, 0);  // beyond the 32-bit range
}

TEST(NumericRoutines, ReductionAndAngles)
{
    struct Case { double x, fu; } cases[] = {
        {370, 10}, {-10, -10}, {-370, -10}, {360, 0}, {720, 0}, {-360, 0}, {0, 0},
        {359.9999999999, 359.9999999999}, {1e6, 1e6 - 360 * 2777},
    };
    for (const auto &c : cases) EXPECT_EQ(FU(c.x), c.fu) << c.x;
    EXPECT_DOUBLE_EQ(FU(std::nextafter(360.0, 0.0)), std::nextafter(360.0, 0.0));
    EXPECT_TRUE(std::isnan(FU(NAN)));
    EXPECT_TRUE(std::isnan(FU(INFINITY)));

    EXPECT_DOUBLE_EQ(FC(60), 0.5);
    EXPECT_DOUBLE_EQ(FS(30), 0.5);
    EXPECT_EQ(FR(180), M_PI);
    EXPECT_EQ(FD(M_PI), 180.0);
    EXPECT_NEAR(XToTheY(8, 1.0 / 3), 2.0, 1e-15);
    EXPECT_EQ(XToTheY(2, 0), 1.0);
    EXPECT_NEAR(XToTheY(5.202905, 1.5), std::pow(5.202905, 1.5), 1e-13);
    EXPECT_EQ(XToTheY(0, 2), 0.0);
    EXPECT_TRUE(std::isnan(XToTheY(-8, 1.0 / 3)));
    EXPECT_TRUE(std::isnan(XToTheY(0, 0)));
}

// A Hoare-style partition sort (middle element as pivot) with both recursive
// calls: the reference for the order of equal values.
void ReferenceSort(double *a, int lo, int hi)
{
    int i = lo, j = hi;
    const double p = a[(lo + hi) / 2];
    do {
        while (a[i] < p && i < hi) ++i;
        while (p < a[j] && j > lo) --j;
        if (i <= j) {
            std::swap(a[i], a[j]);
            ++i;
            --j;
        }
    } while (i <= j);
    if (j > lo) ReferenceSort(a, lo, j);
    if (i < hi) ReferenceSort(a, i, hi);
}

TEST(QSortReal, SortsTheRangeOnly)
{
    std::vector<double> a{9, 3, 1, 2, -7};
    QSortReal(a.data(), 4, 1, 3);
    EXPECT_EQ(a, (std::vector<double>{9, 1, 2, 3, -7}));
    QSortReal(a.data(), 4, 2, 2);  // one element: unchanged
    QSortReal(a.data(), 4, 3, 1);  // empty
    EXPECT_EQ(a, (std::vector<double>{9, 1, 2, 3, -7}));
    QSortReal(a.data(), 4, 0, 5);  // beyond the upper bound: refused
    EXPECT_EQ(a, (std::vector<double>{9, 1, 2, 3, -7}));
    QSortReal(nullptr, 4, 0, 3);
}

TEST(QSortReal, OrderOfEqualValuesMatchesThePartitionSteps)
{
    // -0.0 and 0.0 compare equal but are told apart by their sign bit, so the
    // final arrangement shows exactly which equal elements were swapped.
    uint64_t s = 99;
    for (int round = 0; round < 300; ++round) {
        const int n = 1 + round % 40;
        std::vector<double> a(n);
        for (auto &x : a) {
            s = s * 6364136223846793005ULL + 1442695040888963407ULL;
            const int v = static_cast<int>(s >> 60) % 4;
            x = (v == 0) ? -0.0 : (v == 1 ? 0.0 : v);
        }
        std::vector<double> b = a;
        QSortReal(a.data(), n - 1, 0, n - 1);
        ReferenceSort(b.data(), 0, n - 1);
        for (int k = 0; k < n; ++k) EXPECT_EQ(std::signbit(a[k]), std::signbit(b[k])) << round;
        EXPECT_EQ(a, b);
    }
}

TEST(QSortReal, LargeAdversarialInputKeepsAShallowStack)
{
    // An organ-pipe array pushes middle-pivot sorts toward quadratic depth.
    std::vector<double> a(20000);
    for (size_t k = 0; k < a.size(); ++k) a[k] = static_cast<double>(k < a.size() / 2 ? k : a.size() - k);
    QSortReal(a.data(), static_cast<int32_t>(a.size() - 1), 0, static_cast<int32_t>(a.size() - 1));
    EXPECT_TRUE(std::is_sorted(a.begin(), a.end()));
    std::vector<double> withNaN{3, NAN, 1, 2};
    QSortReal(withNaN.data(), 3, 0, 3);  // terminates; order is unspecified
}

}  // namespace

namespace {

// FU against an 80-bit reference on values crowding the multiples of 360,
// where a double quotient rounds up to the next whole turn.
TEST(NumericRoutines, ReductionMatchesExtendedPrecisionNearWholeTurns)
{
    const auto reference = [](double x) {
        const long double turns = std::trunc(static_cast<long double>(x) / 360.0L);
        return static_cast<double>(static_cast<long double>(x) - 360.0L * turns);
    };
    for (int n = -2000; n <= 2000; ++n) {
        double x = 360.0 * n;
        for (int step = 0; step < 8; ++step) {
            x = std::nextafter(x, 0.0);
            EXPECT_EQ(FU(x), reference(x)) << n << " " << step;
            EXPECT_EQ(FU(-x), reference(-x)) << n << " " << step;
        }
    }
    uint64_t s = 7;
    for (int i = 0; i < 100000; ++i) {
        s = s * 6364136223846793005ULL + 1442695040888963407ULL;
        const double x = (static_cast<double>(s >> 11) / 0x1p53 - 0.5) * 1e7;
        EXPECT_EQ(FU(x), reference(x)) << x;
    }
    EXPECT_EQ(FU(1e300), reference(1e300));
}

}  // namespace
