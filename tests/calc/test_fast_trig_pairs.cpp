// The two-lane steps against the one-lane routines they stand for: a lane
// that reports itself served must hold the one-lane result bit for bit, and
// every operand the one-lane fast path does not take (zeros, infinities,
// NaN, huge or tiny magnitudes) must leave its lane unserved, so that the
// house routines fall back to one lane at a time there.
#include "fast_trig_pairs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

namespace {

using qv::DoublePair;

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b)); }

const double kSpecials[] = {0.0,     -0.0,    INFINITY, -INFINITY, NAN,    1e-310, -1e-310, 0x1p-30,
                            0x1p-27, 0x1p19,  -0x1p19,  1e300,     -1e300, 0x1p1001, 359.9999999999999, 360.0,
                            -360.0,  720.0,   -0.5,     0x1p31,    -0x1p31, 3.0,   -3.0,    180.0};

// Random values over many binades, both signs, then the specials.
std::vector<double> Operands(int n, unsigned seed)
{
    std::mt19937_64 rng(seed);
    std::uniform_real_distribution<double> u(-1, 1), e(-12, 12);
    std::vector<double> v;
    for (int i = 0; i < n; ++i) v.push_back(u(rng) * std::exp2(i % 4 ? 4 * u(rng) + 3 : e(rng)));
    v.insert(v.end(), std::begin(kSpecials), std::end(kSpecials));
    return v;
}

// Runs `pair` on (a, b) lane pairs drawn from `values` and checks each lane
// against `one`; `expectServed` says which lanes must be served (all served
// lanes are checked either way).  Returns how many lanes were served.
template <class Pair, class One, class Expect>
int CheckLanes(const char *name, const std::vector<double> &values, Pair pair, One one, Expect expectServed)
{
    int served = 0;
    for (size_t i = 0; i + 1 < values.size(); ++i) {
        const double a = values[i], b = values[values.size() - 1 - i];
        int bits = 0;
        const DoublePair r = pair(DoublePair{a, b}, &bits);
        const double in[2] = {a, b};
        for (int l = 0; l < 2; ++l) {
            const bool laneServed = (bits >> l) & 1;
            if (expectServed(in[l])) {
                EXPECT_TRUE(laneServed) << name << " " << in[l];
            }
            if (!laneServed) continue;
            ++served;
            EXPECT_TRUE(SameBits(r[l], one(in[l]))) << name << "(" << in[l] << ") = " << r[l] << ", one lane " << one(in[l]);
        }
    }
    return served;
}

TEST(FastTrigPairs, ArctangentsServedLanesAreTheOneLaneBits)
{
    const std::vector<double> nums = Operands(20000, 1), dens = Operands(20000, 2);
    int served = 0, expected = 0;
    for (size_t i = 0; i + 1 < nums.size(); i += 2) {
        const DoublePair num = {nums[i], nums[i + 1]}, den = {dens[i + 1], dens[i]};
        int atanBits = 0, quadrantBits = 0;
        const DoublePair atan = qv::AtanOfPair(num, den, &atanBits);
        const DoublePair quadrant = qv::QuadrantOfPair(num, den, &quadrantBits);
        EXPECT_EQ(atanBits, quadrantBits);
        for (int l = 0; l < 2; ++l) {
            const bool ordinary = std::isnormal(num[l]) && std::isnormal(den[l]) &&
                                  std::fabs(num[l]) < 1e250 && std::fabs(den[l]) < 1e250;
            // Zeros, infinities and NaN must never be served.
            if (!std::isfinite(num[l]) || !std::isfinite(den[l]) || num[l] == 0 || den[l] == 0) {
                EXPECT_FALSE((atanBits >> l) & 1) << num[l] << " / " << den[l];
            }
            expected += ordinary;
            if (!((atanBits >> l) & 1)) continue;
            ++served;
            EXPECT_TRUE(SameBits(atan[l], qv::FastAtanOf(num[l], den[l]))) << num[l] << " / " << den[l];
            EXPECT_TRUE(SameBits(quadrant[l], qv::FastQuadrantOf(num[l], den[l], num[l]))) << num[l] << " / " << den[l];
        }
    }
    EXPECT_GE(served, expected);  // every ordinary operand pair takes the fast path
}

TEST(FastTrigPairs, SinesTruncationsAndReductionsServedLanesAreTheOneLaneBits)
{
    const std::vector<double> v = Operands(20000, 3);
    const auto sine = [](DoublePair x, int *s) { return qv::SinCosPairOf(x, s).s; };
    const auto cosine = [](DoublePair x, int *s) { return qv::SinCosPairOf(x, s).c; };
    const auto kernel = [](double x) { return std::fabs(x) < 0x1p19; };
    EXPECT_GT(CheckLanes("sin", v, sine, [](double x) { return qv::FastSinCos(x).s; }, kernel), 39000);
    CheckLanes("cos", v, cosine, [](double x) { return qv::FastSinCos(x).c; }, kernel);
    CheckLanes("FastCos", v, cosine, qv::FastCos, kernel);

    // Scaled up so that the truncations and reductions see many turns.
    std::vector<double> big;
    for (double x : v) big.push_back(x * 97);
    big.insert(big.end(), std::begin(kSpecials), std::end(kSpecials));
    CheckLanes("trunc", big, qv::TruncPair, [](double x) { return std::trunc(x); },
               [](double x) { return std::fabs(x) < 0x1p31; });
    CheckLanes("ReduceTowardZero", big, qv::ReduceTowardZeroPair, qv::ReduceTowardZero,
               [](double x) { return std::fabs(x) < 1080; });
    CheckLanes("Reduce360", big, qv::Reduce360Pair, qv::Reduce360, [](double x) { return x >= 0 && x < 720; });
    const auto always = [](double) { return true; };
    const auto allServed = [](auto f) { return [f](DoublePair x, int *s) { *s = 3; return f(x); }; };
    CheckLanes("HalfTurnOn", big, allServed(qv::HalfTurnOnPair), qv::HalfTurnOn, always);
    CheckLanes("OppositeOf", v, allServed(qv::OppositeOfPair), qv::OppositeOf, always);
}

// Just below a whole number of turns x / 360 rounds up to it; the one-lane
// reduction puts that right by a turn, and so must the lanes.
TEST(FastTrigPairs, ReductionJustBelowWholeTurns)
{
    for (double n : {1.0, 2.0, -1.0, -2.0}) {
        const double x = std::nextafter(360 * n, 0.0);
        int served = 0;
        const DoublePair r = qv::ReduceTowardZeroPair(DoublePair{x, 360 * n}, &served);
        ASSERT_EQ(served, 3);
        EXPECT_TRUE(SameBits(r[0], qv::ReduceTowardZero(x))) << x;
        EXPECT_GT(std::fabs(r[0]), 359) << x;
        EXPECT_TRUE(SameBits(r[1], 0.0)) << 360 * n;
    }
    const double top = std::nextafter(1080.0, 0.0);
    int served = 0;
    const DoublePair r = qv::ReduceTowardZeroPair(DoublePair{top, -top}, &served);
    ASSERT_EQ(served, 3);
    EXPECT_TRUE(SameBits(r[0], qv::ReduceTowardZero(top)));
    EXPECT_TRUE(SameBits(r[1], qv::ReduceTowardZero(-top)));
}

}  // namespace
