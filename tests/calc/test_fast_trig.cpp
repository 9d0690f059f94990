// The table trigonometry of the house routines and the series against the C
// library and the forms they replace: the sine, cosine and arctangent within
// two ulps, arctangents of a quotient without the quotient, sines and
// cosines of a sum by the sum formulas, the Real6 arcsine bit for bit with
// ArcSinReal6, and the reductions of a cusp in doubles against the same
// reductions in extended precision.
#include "arcsin_real6.h"
#include "fast_trig.h"
#include "float_bits.h"
#include "internal.h"
#include "qvcalc32.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>

namespace {

using floatbits::SameBits;
using floatbits::Ulps;
using floatbits::WithLowBits;

// Quadrant(num / den, sign) in extended precision, rounded once.
double QuadrantReference(double num, double den, double sign)
{
    const long double pi = 3.14159265358979323846264338L;
    long double a = std::atan(static_cast<long double>(num) / den);
    if (a < 0) a += pi;
    if (sign < 0) a += pi;
    return static_cast<double>(a);
}

TEST(FastTrig, ArctangentsOfAQuotientWithinTwoUlps)
{
    std::mt19937_64 rng(5);
    std::uniform_real_distribution<double> u(-1, 1), e(-40, 40);
    int64_t worst = 0, worstAtan = 0;
    for (int i = 0; i < 300000; ++i) {
        const double num = u(rng) * std::exp2(i % 3 ? 0 : e(rng)), den = u(rng) * std::exp2(i % 5 ? 0 : e(rng));
        const double sign = u(rng);
        worst = std::max(worst, Ulps(qv::FastQuadrantOf(num, den, sign), QuadrantReference(num, den, sign)));
        const double atanRef = static_cast<double>(std::atan(static_cast<long double>(num) / den));
        worstAtan = std::max(worstAtan, Ulps(qv::FastAtanOf(num, den), atanRef));
    }
    EXPECT_LE(worst, 2);
    EXPECT_LE(worstAtan, 2);
}

// Zeros (with their signs), infinities, NaN, huge operands and quotients
// below the smallest double give exactly what the quotient gives.
TEST(FastTrig, SpecialOperandsGiveTheQuotientFormsResult)
{
    const double values[] = {0.0, -0.0, 1.0, -1.0, INFINITY, -INFINITY, NAN, 1e-310, -1e-310, 1e300, -1e300, 0x1p1001};
    for (double num : values)
        for (double den : values) {
            EXPECT_TRUE(SameBits(qv::FastAtanOf(num, den), qv::FastAtan(num / den))) << num << " / " << den;
            for (double sign : {1.0, -1.0, 0.0, -0.0, double(NAN)})
                EXPECT_TRUE(SameBits(qv::FastQuadrantOf(num, den, sign), qv::FastQuadrant(num / den, sign)))
                    << num << " / " << den << ", sign " << sign;
        }
}

TEST(FastTrig, SumFormulasAndTheirExactZero)
{
    std::mt19937_64 rng(9);
    std::uniform_real_distribution<double> d(-7, 7);
    double worst = 0;
    for (int i = 0; i < 100000; ++i) {
        const double x = d(rng), a = d(rng);
        const qv::SinCosPair r = qv::FastSinCosSum(qv::FastSinCos(x), qv::FastSinCos(a), [&] { return x + a; });
        worst = std::max({worst, std::fabs(r.Sin - std::sin(x + a)), std::fabs(r.Cos - std::cos(x + a))});
    }
    EXPECT_LT(worst, 2e-15);  // x + a itself is rounded
    // 0.5 cos a + cos x (-0.5) cancels to exactly 0: the sine of the sum
    // then comes from x + a itself, whose sign decides a quadrant.
    const qv::SinCosPair x{0.5, qv::kHalfRoot3}, a{-0.5, qv::kHalfRoot3};
    const qv::SinCosPair r = qv::FastSinCosSum(x, a, [] { return 1.0 + (-1.0 + 1e-9); });
    EXPECT_TRUE(SameBits(r.Sin, qv::FastSinCos(1.0 + (-1.0 + 1e-9)).Sin));
    EXPECT_GT(r.Sin, 0);
}

// The series sine and cosine of the Koch trisection, over the whole range
// an ascensional difference's third can take (to pi/6), at its end, and
// tiny; long double sinl and cosl rounded once are the reference.
TEST(FastTrig, SmallAngleSeriesWithinAnUlp)
{
    std::mt19937_64 rng(11);
    std::uniform_real_distribution<double> d(-qv::kPi / 6, qv::kPi / 6);
    int64_t worstSin = 0, worstCos = 0;
    auto check = [&](double x) {
        const qv::SinCosPair r = qv::SmallSinCos(x);
        worstSin = std::max(worstSin, Ulps(r.Sin, static_cast<double>(std::sin(static_cast<long double>(x)))));
        worstCos = std::max(worstCos, Ulps(r.Cos, static_cast<double>(std::cos(static_cast<long double>(x)))));
    };
    for (int i = 0; i < 200000; ++i) check(d(rng));
    for (double x : {qv::kPi / 6, -qv::kPi / 6, 0x1p-30, -0x1p-1000, 0.0}) check(x);
    EXPECT_LE(worstSin, 1);
    EXPECT_LE(worstCos, 1);
    EXPECT_TRUE(std::isnan(qv::SmallSinCos(NAN).Sin) && std::isnan(qv::SmallSinCos(NAN).Cos));
}

// The cosine alone skips the sine's test for tiny arguments: bit for bit
// the pair's cosine there, at the kernel's ends and beyond them.
TEST(FastTrig, CosineAloneIsThePairsCosine)
{
    std::mt19937_64 rng(19);
    std::uniform_real_distribution<double> d(-800, 800);
    int bad = 0;
    for (int i = 0; i < 100000; ++i) {
        const double x = i % 4 ? d(rng) : std::ldexp(d(rng), -40 - i % 30);
        bad += !SameBits(qv::FastCos(x), qv::FastSinCos(x).Cos);
    }
    EXPECT_EQ(bad, 0);
    for (double x : {0.0, -0.0, 0x1p-27, -0x1p-27, 0x1.fffffffffffffp-28, 1e-300, 524288.0, -524288.0, 1e10,
                     double(INFINITY), double(NAN)})
        EXPECT_TRUE(SameBits(qv::FastCos(x), qv::FastSinCos(x).Cos)) << x;
}

// x less 360 times its quotient by 360 truncated toward zero, and a
// half-turn on, evaluated in extended precision and rounded to double.
double Reduce360Extended(long double x) { return static_cast<double>(x - 360 * std::trunc(x / 360)); }

TEST(FastTrig, CuspReductionsInDoublesAreTheExtendedOnes)
{
    std::mt19937_64 rng(3);
    std::uniform_real_distribution<double> d(-1500, 1500), small(-1e-3, 1e-3);
    int bad = 0;
    for (int i = 0; i < 200000; ++i) {
        const double x = i % 4 ? d(rng) : 360 * static_cast<int>(d(rng) / 360) + small(rng);
        bad += !SameBits(qv::Reduce360(x), Reduce360Extended(x));
        const double deg = std::fmod(x, 360);
        // Below 1/8 an extended deg + 180 rounds twice (to 64 bits, then to
        // 53) and can be an ulp from the sum rounded once.
        const double half = qv::HalfTurnOn(deg), extended = Reduce360Extended(deg + 180.0L);
        bad += std::fabs(deg) < 0.125 ? Ulps(half, extended) > 1 : !SameBits(half, extended);
    }
    EXPECT_EQ(bad, 0);
    for (double x : {0.0, -0.0, 360.0, -360.0, 720.0, -720.0, 1080.0, std::nextafter(360.0, 0.0),
                     std::nextafter(720.0, 0.0), std::nextafter(-720.0, 0.0), 1e300, -1e300})
        EXPECT_TRUE(SameBits(qv::Reduce360(x), Reduce360Extended(x))) << x;
    for (double deg : {0.0, 180.0, -180.0, std::nextafter(180.0, 0.0), 359.99999999999994, -359.99999999999994})
        EXPECT_TRUE(SameBits(qv::HalfTurnOn(deg), Reduce360Extended(deg + 180.0L))) << deg;
    EXPECT_TRUE(std::isnan(qv::Reduce360(NAN)));
}

// Arguments whose table arcsine lies within 24 ulps of a Real6 midpoint,
// small and large, round as ArcSinReal6's extended arctangent does.
TEST(FastTrig, ArcSinNearARoundingMidpoint)
{
    std::mt19937_64 rng(13);
    std::uniform_real_distribution<double> x(-0.9, 0.9), small(-0.04, 0.04);
    int bad = 0, nearMidpoint = 0;
    for (int i = 0; i < 4000000 && nearMidpoint < 20000; ++i) {
        const double arg = i % 4 ? x(rng) : small(rng);
        const double a = qv::Real6RoundDouble(arg);
        const double s = std::sqrt((1.0 - a) * (1.0 + a));
        // The table arcsine as the library takes it: nodes up to 57/64.
        const double t = std::fabs(a) < qv::kArcSinTableEnd ? qv::TableArcSin(a, s) : qv::FastAtan(a / s);
        if (qv::UlpsFromReal6Midpoint(t) > 24) continue;
        ++nearMidpoint;
        bad += !SameBits(qv::ArcSinReal6Fast(arg), qv::ArcSinReal6(arg));
    }
    EXPECT_GT(nearMidpoint, 10000);
    EXPECT_EQ(bad, 0);
}

// The arcsine of a product gives ArcSinReal6 of the product, whichever
// of the two products decides: arguments next to a Real6 midpoint (ties
// included) and at random, with the wide window (64 ulps) and the narrow
// one (16) and at the narrow one's edge.
TEST(FastTrig, ArcSinOfAProductIsTheArcSinOfTheProduct)
{
    std::mt19937_64 rng(17);
    std::uniform_real_distribution<double> x(-0.9, 0.9);
    std::uniform_int_distribution<int> low(-20, 20);
    int bad = 0;
    for (int i = 0; i < 100000; ++i) {
        double v = x(rng);
        v = WithLowBits(v, 0x1000 + (i % 5) - 2);
        bad += !SameBits(qv::ArcSinReal6OfProduct(v, [&] { return v; }, 64), qv::ArcSinReal6(v));
        const double p = x(rng);
        bad += !SameBits(qv::ArcSinReal6OfProduct(p, [&] { return p; }, 64), qv::ArcSinReal6(p));
        double w = WithLowBits(x(rng), 0x1000 + low(rng));
        bad += !SameBits(qv::ArcSinReal6OfProduct(w, [&] { return w; }, 16), qv::ArcSinReal6(w));
    }
    EXPECT_EQ(bad, 0);
}

// The two ends of the usual arguments' shortcut (2^-5 and 0.889), in
// steps of an ulp across each and of a few thousand around it, both signs:
// ArcSinReal6 bit for bit on either side.
TEST(FastTrig, ArcSinAtTheEndsOfTheUsualArguments)
{
    int bad = 0;
    for (const double end : {qv::kArcSinUsualStart, qv::kArcSinUsualEnd}) {
        for (int i = -4000; i <= 4000; ++i) {
            const double x = std::nextafter(end, i < 0 ? 0.0 : 2.0) + i * (end * 0x1p-52) * (std::abs(i) > 100 ? 997 : 1);
            bad += !SameBits(qv::ArcSinReal6Fast(x), qv::ArcSinReal6(x));
            bad += !SameBits(qv::ArcSinReal6Fast(-x), qv::ArcSinReal6(-x));
        }
    }
    EXPECT_EQ(bad, 0);
}

// The arcsine where the table ends (57.5/64) and the table arctangent
// takes over, in steps of a few ulps across it and in wider ones around
// it, both signs: ArcSinReal6 bit for bit.
TEST(FastTrig, ArcSinAtTheTableEnd)
{
    int bad = 0;
    const auto both = [&](double x) {
        bad += !SameBits(qv::ArcSinReal6Fast(x), qv::ArcSinReal6(x));
        bad += !SameBits(qv::ArcSinReal6Fast(-x), qv::ArcSinReal6(-x));
    };
    for (int i = -3000; i <= 3000; ++i) both(qv::kArcSinTableEnd + i * 0x1p-52 * 3);
    for (int i = 0; i <= 20000; ++i) both(qv::kArcSinTableEnd - 0.001 + i * 1e-7);
    EXPECT_EQ(bad, 0);
}

// The table arcsine against ArcSinReal6, and the reduction by comparisons
// against FU: bit for bit, the sign of zero included.
TEST(FastTrig, ArcSinAndReductionAgreeBitForBitWithTheLibraryHelpers)
{
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> unit(-1, 1), frac(0, 1), wide(-2000, 2000);
    int bad = 0;
    auto same = [&](double a, double b) { bad += !SameBits(a, b); };
    auto arcSin = [&](double x) { same(qv::ArcSinReal6(x), qv::ArcSinReal6Fast(x)); };
    auto reduce = [&](double x) { same(FU(x), qv::Reduce360(x)); };
    for (int i = 0; i < 300000; ++i) arcSin(unit(rng));
    for (int e = 1; e <= 40; ++e)  // toward 1, where the extended arctangent loses most
        for (int i = 0; i < 2000; ++i) arcSin((i & 1 ? 1 : -1) * (1 - std::ldexp(frac(rng), -e)));
    for (int i = 0; i < 20000; ++i) {  // ties of the argument's Real6 rounding
        const double r = qv::Real6Round(unit(rng));
        arcSin(r + std::ldexp(1.0, std::ilogb(r) - 40));
    }
    // Either side of the table's half-way points j/64 + 1/128, where the
    // node changes and w is largest, and of the table's end at 57.5/64.
    for (int j = 0; j <= 58; ++j)
        for (int i = 0; i < 400; ++i) {
            const double edge = (j + 0.5) / 64, near = edge + (frac(rng) - 0.5) * std::ldexp(1.0, -(i % 50));
            arcSin(near);
            arcSin(-near);
        }
    for (double x : {0.0, -0.0, 1.0, -1.0, 1 + 1e-12, 1e-300, double(NAN)}) arcSin(x);
    for (int i = 0; i < 100000; ++i) reduce(wide(rng));
    for (double m : {0.0, 360.0, -360.0, 720.0, -720.0, 1080.0}) {
        reduce(m);
        reduce(std::nextafter(m, 0.0));
        reduce(std::nextafter(m, m < 0 ? -1e9 : 1e9));
    }
    for (double x : {-0.0, 1e300, -1e300, double(INFINITY), double(NAN)}) reduce(x);
    EXPECT_EQ(bad, 0);
}

// The sine, cosine and arctangent of the inner loops against the C library:
// within two ulps over the arguments the series and houses give them, exact
// at 0 (its sign kept), the infinities of the arctangent and NaN.
TEST(FastTrig, SineCosineAndArctangentWithinTwoUlps)
{
#ifdef _WIN32
    GTEST_SKIP() << "the Windows C library's sine, cosine and arctangent are not exact to two ulps";
#endif
    std::mt19937_64 rng(11);
    int64_t worst = 0;
    for (double range : {1.0, 7.0, 400.0, 60000.0}) {
        std::uniform_real_distribution<double> d(-range, range);
        for (int i = 0; i < 100000; ++i) {
            const double x = d(rng), q = std::tan(x);
            const qv::SinCosPair sc = qv::FastSinCos(x);
            worst = std::max({worst, Ulps(sc.Sin, std::sin(x)), Ulps(sc.Cos, std::cos(x)), Ulps(qv::FastAtan(q), std::atan(q))});
        }
    }
    EXPECT_LE(worst, 2);
    for (double x : {0.0, -0.0, 1e-310, -1e-300}) {
        EXPECT_EQ(std::signbit(qv::FastSinCos(x).Sin), std::signbit(x)) << x;
        EXPECT_EQ(qv::FastSinCos(x).Cos, 1.0) << x;
        EXPECT_EQ(std::signbit(qv::FastAtan(x)), std::signbit(x)) << x;
    }
    const double inf = INFINITY, nan = NAN;
    EXPECT_EQ(qv::FastAtan(inf), std::atan(inf));
    EXPECT_EQ(qv::FastAtan(-inf), std::atan(-inf));
    EXPECT_TRUE(std::isnan(qv::FastSinCos(nan).Sin) && std::isnan(qv::FastSinCos(inf).Cos) && std::isnan(qv::FastAtan(nan)));
    EXPECT_EQ(qv::FastSinCos(1e300).Sin, std::sin(1e300));  // beyond the reduction: the C library's
}

}  // namespace
