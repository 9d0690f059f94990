// Shared helpers of the library: the 80-bit conversion constants, the 6-byte
// real, the quadrant step of every arctangent and the array-bound checks.
// Nothing here is exported.
#pragma once

#include "qvcalc32.h"

#include <cmath>
#include <cstdint>

namespace qv {

// Conversions multiply by 80-bit reciprocals rather than dividing; long
// double is the x87 80-bit format on the machines we build for.
inline constexpr long double kDegToRadL = 0.0174532925199432957692369L;  // pi/180
inline constexpr long double kRadToDegL = 57.2957795130823208767982L;    // 180/pi
inline constexpr long double kOver60L = 1.0L / 60.0L;
inline constexpr long double kOver30L = 1.0L / 30.0L;
inline constexpr long double kOver15L = 1.0L / 15.0L;
inline constexpr long double kOver24L = 1.0L / 24.0L;
inline constexpr long double kOver3600L = 1.0L / 3600.0L;
inline constexpr long double kPiL = 3.14159265358979323846264L;

inline constexpr double kPi = 3.14159265358979323846;
inline constexpr double kTwoPi = 6.283185307179586;
inline constexpr double kDegToRad = 0.017453292519943295;
inline constexpr double kRadToDeg = 57.29577951308232;
inline constexpr double kHoursToRad = 0.26179938779914941;  // pi/12

// ---- The 6-byte real (real6.cpp) ----

// x rounded to the 40-bit significand of a Real6 (nearest, ties to even).
// NaN stays NaN and magnitudes beyond the largest Real6 become infinite, so
// that "no value" survives inside the library; magnitudes below 2^-128
// become 0.
double Real6Round(long double x);
// The Real6 nearest to x; NaN gives 0, overflow the largest Real6 of x's sign.
Real6 Real6Encode(long double x);
// The exact value of r.
double Real6Decode(Real6 r);

// arctan(x / sqrt(1 - x^2)) with argument and result at Real6 precision, the
// way the quadrant house systems use it.  NaN when |x| rounds beyond 1.
double ArcSinReal6(double x);
// The same bits from the table arcsine: ArcSinReal6Fast (arcsin_real6.h).

// ---- Angles ----

// The sine and cosine of one angle.
struct SinCosPair {
    double Sin, Cos;
};

// The quadrant step shared by every arctangent of the house systems:
// a = arctan(q), plus pi when negative, plus pi again when the named
// sign-bearing quantity is negative.  Result in [0, 2pi) or NaN.
inline double Quadrant(double q, double sign)
{
    double a = std::atan(q);
    if (a < 0) a += kPi;
    if (sign < 0) a += kPi;
    return a;
}

// ---- Shared by the house systems (houses_quadrant.cpp) ----

// Right ascension of the midheaven in radians, from sidereal time in hours.
double HouseRamc(double lst);

// The twelve points of the equator 30i + 60 degrees from the meridian
// (i = 1..12; element 0 unused), where Meridian, Morinus and Regiomontanus
// start their cusps: the angles in radians, and their sines and cosines.
inline constexpr double kHalfRoot3 = 0.86602540378443864676;
inline constexpr double kHouseCircleAngles[13] = {
    0,           90 * kDegToRad,  120 * kDegToRad, 150 * kDegToRad, 180 * kDegToRad, 210 * kDegToRad, 240 * kDegToRad,
    270 * kDegToRad, 300 * kDegToRad, 330 * kDegToRad, 360 * kDegToRad, 390 * kDegToRad, 420 * kDegToRad};
inline constexpr SinCosPair kHouseCircleSines[13] = {
    {0, 0},           {1, 0},           {kHalfRoot3, -0.5}, {0.5, -kHalfRoot3}, {0, -1},           {-0.5, -kHalfRoot3},
    {-kHalfRoot3, -0.5}, {-1, 0},       {-kHalfRoot3, 0.5}, {-0.5, kHalfRoot3}, {0, 1},            {0.5, kHalfRoot3},
    {kHalfRoot3, 0.5}};
// Cusps 1, 4, 7 and 10 from the Ascendant and Midheaven.
void FixAngles(double *cusps, double asc, double mc);

// Right ascensions X (radians) of n <= 4 Placidus cusps by the fixed-point
// iteration X' = base + f ArcSinReal6(k sin X) (houses_quadrant.cpp), the
// first round's product from kFirst away from a Real6 midpoint; rounds (may
// be null) receives each cusp's count of rounds.
void IteratePlacidus(int n, const double *base, const double *f, double kFirst, double k, double *x,
                     int32_t *rounds);

// The longitude (radians) opposite `lam`, a Quadrant result: the quadrant
// step puts the opposite point half a turn on, the way that keeps it in
// 0..2pi (never below 0, which a cusp must not be with no offset).
inline double OppositeOf(double lam)
{
    return lam < kPi ? lam + kPi : lam - kPi;
}

// AsMcCalc from the sines and cosines of RAMC, the latitude and the
// obliquity (angles.cpp).
void AsMcFromSines(SinCosPair ramc, SinCosPair lat, SinCosPair obl, double offset, double *asc, double *mc);

// What every house routine starts from: the sines and cosines of RAMC,
// latitude and obliquity (RAMC as LST * pi/12 and the latitude as Lat *
// pi/180 in doubles); on request the Ascendant and Midheaven of AsMcCalc
// (degrees) for the fix-up, and RAMC and the latitude in radians as
// extended products, rounded (most routines need these two only in rare
// cases).
struct HouseFrame {
    double Lst, Lat, Offset;
    SinCosPair RamcSin, PhiSin, OblSin;
    HouseFrame(double lst, double lat, double obl, double offset);
    double TanPhi() const { return PhiSin.Sin / PhiSin.Cos; }
    double Ramc() const { return HouseRamc(Lst); }
    double Phi() const { return static_cast<double>(Lat * kDegToRadL); }
    // The angles take as long as a cusp and wait only on the sines: a
    // routine with a longer chain before its cusps (Koch's arcsine) asks
    // after starting it, so that the processor's window of waiting
    // instructions holds that chain first.
    void Angles(double *asc, double *mc) const { AsMcFromSines(RamcSin, PhiSin, OblSin, Offset, asc, mc); }
};

// x - 360 * trunc(x / 360), evaluated so that exact multiples of 360 give 0.
double ReduceTowardZeroBeyondATurn(double x);
inline double ReduceTowardZero(double x)
{
    // Within a turn either side of 0 the quotient truncates to 0 and the
    // remainder is x itself (-0 becoming +0, as x - 360 * -0 gives).
    if (x > -360.0 && x < 360.0) return x + 0.0;
    return ReduceTowardZeroBeyondATurn(x);
}

// The same reduction (FU) as the house routines apply it to every cusp:
// within two turns either side of 0 plain comparisons decide the quotient,
// and the one subtraction is exact.
inline double Reduce360(double x)
{
    if (x >= 0) {
        if (x < 360) return x + 0.0;
        if (x < 720) return x - 360;
    } else if (x > -720) {
        return x > -360 ? x : x + 360;
    }
    return ReduceTowardZeroBeyondATurn(x);
}

// The longitude (degrees) half a turn from `deg`, brought below 360 by one
// turn, rounded once (deg - 180 needs no rounding): for deg in (-360, 360)
// what an extended deg + 180, reduced, gives, but for |deg| below 1/8,
// where the extended sum rounds twice and can be an ulp apart.
inline double HalfTurnOn(double deg)
{
    return deg >= 180 ? deg - 180 : deg + 180;
}

// Integer conversion guarded against NaN and the 32-bit range: false when x
// has no 32-bit truncation (a 32-bit integer conversion would overflow).
inline bool TruncToInt32(long double x, int32_t &out)
{
    if (!(x > -2147483649.0L && x < 2147483648.0L)) return false;
    out = static_cast<int32_t>(x);
    return true;
}

// ---- Arrays ----

// True when an array of upper bound `high` exists and has element `need`.
inline bool HasElement(const void *array, int32_t high, int32_t need)
{
    return array != nullptr && high >= need;
}

// ShortText10 from the first (at most 10) bytes.
ShortText10 MakeText(const char *chars, int length);

// Builds the texts of the library by plain concatenation: pieces are
// appended and the whole is cut to 10 characters at the end.
struct TextBuilder {
    char Chars[40];
    int Length = 0;

    void Put(char c)
    {
        if (Length < static_cast<int>(sizeof Chars)) Chars[Length++] = c;
    }
    void Put(const char *s)
    {
        while (*s) Put(*s++);
    }
    // Decimal digits of v, with a minus sign when negative, no padding.
    void PutInt(int64_t v)
    {
        char digits[24];
        int n = 0;
        const bool negative = v < 0;
        uint64_t u = negative ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
        do {
            digits[n++] = static_cast<char>('0' + u % 10);
            u /= 10;
        } while (u != 0);
        if (negative) Put('-');
        while (n > 0) Put(digits[--n]);
    }
    ShortText10 ShortText() const { return MakeText(Chars, Length); }
};

}  // namespace qv
