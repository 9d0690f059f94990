// The 6-byte real and the numeric routines whose argument or result is one:
// ArcSin, MinToFrac, FracToMin, RealToDegree.
//
// A Real6 carries a 40-bit significand (an implicit 1 and a 39-bit fraction)
// and a binary exponent from -128 to 126.  Rounding goes straight from the
// 80-bit extended value to 40 bits, nearest with ties to even, so that a
// stored Real6 is rounded once.
#include "internal.h"

#include <bit>
#include <cstring>
#include <limits>

namespace qv {
namespace {

constexpr int kMinExponent = -128;  // exponent byte 1
constexpr int kMaxExponent = 126;   // exponent byte 255
constexpr int kExponentBias = 129;
constexpr int kFractionBits = 39;

// The first 10 bytes of a long double in the x87 80-bit format (x86 Linux
// and the MinGW builds for Windows): a 64-bit significand with its leading
// bit explicit, then the sign and a 15-bit exponent, little-endian.  A
// long double of another format (IEEE double or quadruple precision) has no
// such layout, and every extended step of the library would round
// differently: the build stops there.
struct Extended {
    uint64_t Mantissa;  // explicit leading bit in bit 63
    uint16_t SignExponent;
};
static_assert(std::numeric_limits<long double>::digits == 64 && std::numeric_limits<long double>::max_exponent == 16384 &&
                  std::endian::native == std::endian::little,
              "Real6Round reads long double as the x87 80-bit format");

// The double (1 + fraction / 2^39) * 2^exponent, built from its bits (every
// Real6 value is a normal double).
double DoubleOf(bool negative, int exponent, uint64_t fraction)
{
    const uint64_t bits = (uint64_t{negative} << 63) | (static_cast<uint64_t>(exponent + 1023) << 52) |
                          (fraction << (52 - kFractionBits));
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

}  // namespace

double Real6Round(long double x)
{
    Extended e;
    std::memcpy(&e, &x, 10);
    const bool negative = (e.SignExponent & 0x8000) != 0;
    const int field = e.SignExponent & 0x7fff;
    if (field == 0x7fff) return static_cast<double>(x);  // NaN and the infinities
    // Zero, and extended denormals far below 2^-128.
    if (field == 0 || e.Mantissa == 0) return 0.0;
    int exponent = field - 16383;

    // Keep the top 40 of the 64 mantissa bits; ties go to the even neighbour.
    uint64_t keep = e.Mantissa >> 24;
    const uint64_t rest = e.Mantissa & 0xFFFFFFu;
    const uint64_t half = 0x800000u;
    if (rest > half || (rest == half && (keep & 1u))) ++keep;
    if (keep == (uint64_t{1} << 40)) {
        keep >>= 1;
        ++exponent;
    }
    if (exponent < kMinExponent) return 0.0;
    if (exponent > kMaxExponent) return negative ? -HUGE_VAL : HUGE_VAL;
    return DoubleOf(negative, exponent, keep & ((uint64_t{1} << kFractionBits) - 1));
}

Real6 Real6Encode(long double x)
{
    Real6 r{};
    const double v = Real6Round(x);
    if (std::isnan(v) || v == 0) return r;
    uint64_t fraction;
    int exponentByte;
    if (std::isinf(v)) {
        fraction = (uint64_t{1} << kFractionBits) - 1;
        exponentByte = kMaxExponent + kExponentBias;
    } else {
        uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        exponentByte = static_cast<int>((bits >> 52) & 0x7ff) - 1023 + kExponentBias;
        fraction = (bits & ((uint64_t{1} << 52) - 1)) >> (52 - kFractionBits);
    }
    r.bytes[0] = static_cast<uint8_t>(exponentByte);
    for (int i = 1; i <= 5; ++i) r.bytes[i] = static_cast<uint8_t>(fraction >> (8 * (i - 1)));
    if (v < 0) r.bytes[5] |= 0x80;
    return r;
}

double Real6Decode(Real6 r)
{
    // The six bytes as one little-endian number: the exponent byte, then
    // the fraction, then the sign in the top bit.
    static_assert(std::endian::native == std::endian::little);
    uint64_t v = 0;
    std::memcpy(&v, r.bytes, 6);
    if ((v & 0xFF) == 0) return 0.0;
    const uint64_t fraction = (v >> 8) & ((uint64_t{1} << kFractionBits) - 1);
    return DoubleOf((v >> 47) & 1, static_cast<int>(v & 0xFF) - kExponentBias, fraction);
}

namespace {

// arctan(x / sqrt(1 - x^2)) in extended precision; x = +-1 gives +-pi/2
// through the infinite quotient, |x| > 1 gives NaN.
long double ArcSinExtended(long double x)
{
    return std::atan(x / std::sqrt(1.0L - x * x));
}

// Fraction * 60 rounded half to even; false beyond the 32-bit range.
bool RoundedMinutes(double fraction, int32_t &minutes)
{
    const long double m = std::nearbyint(static_cast<long double>(fraction) * 60.0L);
    return TruncToInt32(m, minutes);
}

}  // namespace

double ArcSinReal6(double x)
{
    const double a = Real6Round(x);
    if (!(std::fabs(a) <= 1.0)) return NAN;
    return Real6Round(ArcSinExtended(a));
}

ShortText10 MakeText(const char *chars, int length)
{
    ShortText10 t{};
    if (length < 0) length = 0;
    if (length > 10) length = 10;
    t.length = static_cast<uint8_t>(length);
    std::memcpy(t.chars, chars, static_cast<size_t>(length));
    return t;
}

}  // namespace qv

using namespace qv;

extern "C" {

Real6 ArcSin(Real6 X)
{
    long double x = Real6Decode(X);
    if (x > 1) x = 1;
    if (x < -1) x = -1;
    return Real6Encode(ArcSinExtended(x));
}

Real6 MinToFrac(uint8_t Minutes)
{
    return Real6Encode(Minutes * kOver60L);
}

uint8_t FracToMin(Real6 Fraction)
{
    int32_t m;
    if (!RoundedMinutes(Real6Decode(Fraction), m)) return 0;
    return static_cast<uint8_t>(m);
}

ShortText10 RealToDegree(Real6 X)
{
    const double x = Real6Decode(X);
    const double a = std::fabs(x);
    int32_t degrees, minutes = 0;
    if (!TruncToInt32(a, degrees)) return ShortText10{};
    RoundedMinutes(Real6Round(static_cast<long double>(a) - degrees), minutes);

    TextBuilder text;
    text.Put(x >= 0 ? '+' : '-');
    if (degrees < 10) text.Put('0');
    text.PutInt(degrees);
    text.Put(static_cast<char>(176));  // the degree sign
    if (minutes < 10) text.Put('0');
    text.PutInt(minutes);
    return text.ShortText();
}

}  // extern "C"
