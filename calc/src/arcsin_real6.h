// ArcSinReal6 (argument and result at Real6 precision, NaN beyond +-1)
// bit for bit at a fraction of its cost, for the Placidus iteration and the
// Koch ascensional difference: the arcsine from a table of nodes, rounded
// to Real6 where it lies clear of a Real6 rounding midpoint, and
// ArcSinReal6 itself where it does not.  Not exported.
#pragma once

#include "fast_trig.h"
#include "internal.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace qv {

// Real6Round of a double whose exponent is well inside Real6's range
// (2^-120 <= |x| < 2^120), by bit operations: nearest 40-bit significand,
// ties to even.  Adding just under half a unit, plus the last kept bit,
// carries exactly when rounding goes up; a carry out of the significand
// moves the exponent up.
inline double Real6RoundInRange(double x)
{
    uint64_t b;
    std::memcpy(&b, &x, sizeof b);
    b = (b + 0xFFF + ((b >> 13) & 1)) & ~uint64_t{0x1FFF};
    double r;
    std::memcpy(&r, &b, sizeof r);
    return r;
}

// Real6Round of any double: 0 below 2^-128, infinite beyond the largest
// Real6, NaN and infinities as they are.
inline double Real6RoundDouble(double x)
{
    uint64_t b;
    std::memcpy(&b, &x, sizeof b);
    if (((b >> 52) & 0x7FF) == 0x7FF) return x;
    const double r = Real6RoundInRange(x);
    std::memcpy(&b, &r, sizeof b);
    const int exponent = static_cast<int>((b >> 52) & 0x7FF) - 1023;
    if (exponent < -128) return 0.0;
    if (exponent > 126) return (b >> 63) ? -HUGE_VAL : HUGE_VAL;
    return r;
}

// Distance of x's 13 low bits (those below a Real6 significand) from
// 0x1000, the Real6 rounding midpoint, in double ulps of x.
inline int64_t UlpsFromReal6Midpoint(double x)
{
    uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    const int64_t fromMid = static_cast<int64_t>(bits & 0x1FFF) - 0x1000;
    return fromMid < 0 ? -fromMid : fromMid;
}

// Nodes of the table arcsine: asin(j / 64) as the nearest double and the
// remainder, and sqrt(1 - (j / 64)^2) as the nearest double, j = 0..57.
struct ArcSinNode {
    double Hi, Lo, Cos;
};
inline constexpr ArcSinNode kArcSinNodes[58] = {
    {0.0, 0.0, 0x1.0000000000000p+0},  // 0/64
    {0x1.0002aabdde94cp-6, 0x1.130cd26cdfa37p-62, 0x1.ffefffbffdfffp-1},  // 1/64
    {0x1.000aabde0b9c8p-5, 0x1.d6d94551be3e9p-61, 0x1.ffbffbff7fec0p-1},  // 2/64
    {0x1.8024091fdb0a9p-5, 0x1.80650020adbcap-60, 0x1.ff6febba4bfeap-1},  // 3/64
    {0x1.002abde953619p-4, 0x1.182e2dc6ddeedp-58, 0x1.feffbfdfebf1fp-1},  // 4/64
    {0x1.405390240e6fdp-4, 0x1.1ed0159037972p-58, 0x1.fe6f634576477p-1},  // 5/64
    {0x1.809092913e52ep-4, 0x1.cf6b1f9befb16p-60, 0x1.fdbeba917c3f5p-1},  // 6/64
    {0x1.c0e5e80f7172dp-4, 0x1.d8eeba8bc0030p-58, 0x1.fceda421efdb5p-1},  // 7/64
    {0x1.00abe0c129e1ep-3, 0x1.7ceb0ee49d42ap-60, 0x1.fbfbf7ebc755fp-1},  // 8/64
    {0x1.20f530308cc20p-3, -0x1.ed63934b583b4p-57, 0x1.fae987541497fp-1},  // 9/64
    {0x1.41510cb011423p-3, -0x1.15d675180eda8p-58, 0x1.f9b61d0237250p-1},  // 10/64
    {0x1.61c1ab9d55d30p-3, -0x1.95a37debb0f64p-57, 0x1.f8617caabd6f6p-1},  // 11/64
    {0x1.82494ed0e78fcp-3, -0x1.443c2697a7d2fp-57, 0x1.f6eb62d27730dp-1},  // 12/64
    {0x1.a2ea462b4998ep-3, -0x1.51d494caa9d70p-57, 0x1.f553848924e81p-1},  // 13/64
    {0x1.c3a6f13aae84bp-3, -0x1.7739d10fe8bc1p-57, 0x1.f3998f1b1886cp-1},  // 14/64
    {0x1.e481c0fce7134p-3, 0x1.c9bcb7ab7132bp-62, 0x1.f1bd27b9002c4p-1},  // 15/64
    {0x1.02be9ce0b87cdp-2, 0x1.e5d09da2e0f04p-58, 0x1.efbdeb14f4edap-1},  // 16/64
    {0x1.134dfa9805147p-2, -0x1.bbe27a4ac52e2p-56, 0x1.ed9b6cf3c4663p-1},  // 17/64
    {0x1.23f0523c5dc2bp-2, 0x1.4fc2674a3d6b2p-59, 0x1.eb5537b1434dap-1},  // 18/64
    {0x1.34a709597aab1p-2, -0x1.70f1371722985p-56, 0x1.e8eacbb648910p-1},  // 19/64
    {0x1.457393b90e2aap-2, 0x1.b1f64d329fe98p-56, 0x1.e65b9edeba38ep-1},  // 20/64
    {0x1.565774cb66f02p-2, -0x1.c537759c5cce1p-56, 0x1.e3a71bcdd63dep-1},  // 21/64
    {0x1.675441329986ep-2, 0x1.d027ed2bb2edap-56, 0x1.e0cca12e97895p-1},  // 22/64
    {0x1.786ba074fef93p-2, -0x1.73b1910f90a93p-56, 0x1.ddcb80ddc085bp-1},  // 23/64
    {0x1.899f4edc962d3p-2, 0x1.3e919701b7c6dp-60, 0x1.daa2fefaae1d8p-1},  // 24/64
    {0x1.9af11f89ba61cp-2, 0x1.a884c2416dce8p-56, 0x1.d75250db9c792p-1},  // 25/64
    {0x1.ac62fec0b2a92p-2, 0x1.cb9f9a052f11fp-56, 0x1.d3d89be176072p-1},  // 26/64
    {0x1.bdf6f47ae6904p-2, 0x1.e7bfe76547424p-56, 0x1.d034f42698214p-1},  // 27/64
    {0x1.cfaf27460fe9fp-2, -0x1.8bf75f355f723p-57, 0x1.cc665b0328622p-1},  // 28/64
    {0x1.e18ddf7da106bp-2, -0x1.58029cecb4d7bp-58, 0x1.c86bbd609a260p-1},  // 29/64
    {0x1.f3958aecddef4p-2, -0x1.fc135930a7786p-58, 0x1.c443f1d4d22afp-1},  // 30/64
    {0x1.02e46075785a1p-1, 0x1.d1c9139aa7a36p-56, 0x1.bfedb67be13b3p-1},  // 31/64
    {0x1.0c152382d7366p-1, -0x1.ee6913347c2a6p-55, 0x1.bb67ae8584caap-1},  // 32/64
    {0x1.155e8b2a00052p-1, 0x1.bb9429fa5e8f6p-57, 0x1.b6b05f6966b9bp-1},  // 33/64
    {0x1.1ec230c714a96p-1, 0x1.41dc77911b08cp-55, 0x1.b1c62db2564fep-1},  // 34/64
    {0x1.2841ce0862975p-1, -0x1.7ed81c0e02251p-55, 0x1.aca7594d44cbdp-1},  // 35/64
    {0x1.31df40fbd31cdp-1, 0x1.10ebcfd1cc29dp-60, 0x1.a751f9447b724p-1},  // 36/64
    {0x1.3b9c90c43296dp-1, -0x1.76eebb78fe641p-56, 0x1.a1c3f6ca01f29p-1},  // 37/64
    {0x1.457bf318fe517p-1, -0x1.6189642d67942p-55, 0x1.9bfb076d236ebp-1},  // 38/64
    {0x1.4f7fd2bc2fb34p-1, -0x1.d7c3a91e5f88bp-55, 0x1.95f4a64decda8p-1},  // 39/64
    {0x1.59aad71ced00fp-1, -0x1.b5b31565e9408p-58, 0x1.8fae0c15ad38ap-1},  // 40/64
    {0x1.63ffed6d198f6p-1, 0x1.b5625ef0627b6p-55, 0x1.8924256bf4545p-1},  // 41/64
    {0x1.6e825383cc40bp-1, 0x1.1a9ec7321e76ap-56, 0x1.8253878ae2e09p-1},  // 42/64
    {0x1.7935a501afa78p-1, -0x1.a585b7d2a71f2p-55, 0x1.7b386279d7bf3p-1},  // 43/64
    {0x1.841deb5114bb4p-1, -0x1.49d1c4e2eba5ep-55, 0x1.73ce704fb7b23p-1},  // 44/64
    {0x1.8f3fb14e496b4p-1, 0x1.73d01b84833b2p-55, 0x1.6c10e0a9e5d65p-1},  // 45/64
    {0x1.9aa01babef75ep-1, -0x1.df24530d8ffb9p-55, 0x1.63fa3f3c02962p-1},  // 46/64
    {0x1.a645078c6a78cp-1, -0x1.0efc452fa22aep-55, 0x1.5b8453f4ae294p-1},  // 47/64
    {0x1.b235315c680dcp-1, 0x1.02b07b66c1abcp-58, 0x1.52a7fa9d2f8eap-1},  // 48/64
    {0x1.be7866d3b6481p-1, -0x1.fb46db365d83ap-55, 0x1.495ceefbdc28ap-1},  // 49/64
    {0x1.cb17c849c7288p-1, -0x1.bc0c24e7fced2p-58, 0x1.3f9989320b7f7p-1},  // 50/64
    {0x1.d81e1f875ea8dp-1, -0x1.5efdb3c7b18bdp-55, 0x1.355264082fea0p-1},  // 51/64
    {0x1.e5985567b665dp-1, 0x1.b04f085a6ffb4p-58, 0x1.2a79e3a2cd2e6p-1},  // 52/64
    {0x1.f39614cbef7d4p-1, -0x1.0a45d9133a048p-60, 0x1.1eff8dd34fde3p-1},  // 53/64
    {0x1.0115591d29d12p+0, 0x1.a01de5987f716p-54, 0x1.12cf1c3c6a213p-1},  // 54/64
    {0x1.08b73f9af1058p+0, 0x1.aaa6072564b21p-54, 0x1.05cf20924c254p-1},  // 55/64
    {0x1.10c066d3e6932p+0, -0x1.2257b083165dap-54, 0x1.efbdeb14f4edap-2},  // 56/64
    {0x1.194590de7e7f6p+0, -0x1.e3ed9fd26efb3p-54, 0x1.d1a6f89821641p-2},  // 57/64
};
inline constexpr double kArcSinTableEnd = 57.5 / 64;

// arcsin a for |a| < 57.5/64 from the nearest node a0 = j/64: with
// s = sqrt(1 - a^2), w = a sqrt(1 - a0^2) - a0 s is the sine of
// asin a - asin a0 (at most 0.019, where five terms of the arcsine series
// leave 2^-68 of the result), so asin a = asin a0 + asin w.  Within three
// ulps (the rounding of w is the largest part).
[[gnu::always_inline]] inline double TableArcSin(double a, double s)
{
    const double t = std::fabs(a);
    const double fj = (t * 64.0 + fast_trig::kToInt) - fast_trig::kToInt;
    const ArcSinNode &n = kArcSinNodes[static_cast<int>(fj)];
    const double w = t * n.Cos - (fj * 0.015625) * s;
    const double w2 = w * w, w4 = w2 * w2;
    const double series = w + (w * w2) * ((1.0 / 6 + w2 * (3.0 / 40)) + w4 * (5.0 / 112 + w2 * (35.0 / 1152)));
    return std::copysign(n.Hi + (n.Lo + series), a);
}

// Whether y, an arcsine of a within three ulps (the table) or four (the
// table arctangent beyond it), with s = sqrt(1 - a^2), rounds to the same
// Real6 as ArcSinReal6's extended arctangent, whose error grows as
// 1/sqrt(1 - x^2) toward +-1, from 2^-62 to 2^-45: true unless y lies
// within their errors of a Real6 rounding midpoint (about 1% of
// arguments).
inline bool ClearOfMidpoint(double y, double s)
{
    uint64_t bits;
    std::memcpy(&bits, &y, sizeof bits);
    const uint64_t ulpBits = (bits & 0x7FF0000000000000u) - (uint64_t{52} << 52);
    double ulp;
    std::memcpy(&ulp, &ulpBits, sizeof ulp);
    // Outside 16 ulps + 2^-60 + 2^-62 / s, four times both error bounds.
    const double clear = static_cast<double>(UlpsFromReal6Midpoint(y) - 16) * ulp - 0x1p-60;
    return clear * s > 0x1p-62;
}

// Where ArcSinReal6Fast needs no care for special operands (see there).
inline constexpr double kArcSinUsualStart = 0x1p-5, kArcSinUsualEnd = 0.889;

// ArcSinReal6(x), bit for bit: the argument rounded to Real6, its arcsine
// from the table (arctan(a / s) by the table arctangent beyond the last
// node), and that rounded to Real6 where it is clear of a midpoint.
// x = +-1, |x| > 1 and NaN, and results near a midpoint, take ArcSinReal6.
[[gnu::always_inline]] inline double ArcSinReal6Fast(double x)
{
    const double ax = std::fabs(x);
    if (ax >= kArcSinUsualStart && ax < kArcSinUsualEnd) {
        // The iterations' usual arguments, the Placidus products k sin X up
        // to about 64 degrees of latitude: inside the table after their
        // rounding, with s > 0.45 and |y| >= 2^-5, where ClearOfMidpoint's
        // error bounds come to under a quarter of an ulp beyond its 16, so
        // that the distance from the midpoint alone decides.  No zeros,
        // infinities, NaN or ends of the Real6 range to look out for.
        const double a = Real6RoundInRange(x);
        const double s = std::sqrt((1.0 - a) * (1.0 + a));
        const double y = TableArcSin(a, s);
        return UlpsFromReal6Midpoint(y) > 16 ? Real6RoundInRange(y) : ArcSinReal6(x);
    }
    const double a = Real6RoundDouble(x);
    if (!(std::fabs(a) < 1.0)) return ArcSinReal6(x);
    if (a == 0) return 0.0;
    const double s = std::sqrt((1.0 - a) * (1.0 + a));
    const double y = std::fabs(a) < kArcSinTableEnd ? TableArcSin(a, s) : FastAtan(a / s);
    return ClearOfMidpoint(y, s) ? Real6RoundDouble(y) : ArcSinReal6(x);
}

// ArcSinReal6 of a product.  The one from the table trigonometry (within a
// few ulps of the C library's) rounds to the same Real6 unless it lies near
// a Real6 rounding midpoint (within `nearUlps`); there the C library's
// value `exact()` decides.
template <typename Exact>
inline double ArcSinReal6OfProduct(double fast, Exact exact, int64_t nearUlps)
{
    return ArcSinReal6Fast(UlpsFromReal6Midpoint(fast) < nearUlps ? exact() : fast);
}

}  // namespace qv
