// The two chart angles: the Ascendant (the ecliptic degree rising in the
// east) and the Midheaven (the ecliptic degree on the upper meridian).
#include "fast_trig.h"
#include "internal.h"

using namespace qv;

namespace {

// Radians to degrees with the zodiac offset and the customary arc-minute,
// brought below 360 by one subtraction only: a negative offset may leave a
// negative angle, which callers that need 0..360 correct themselves.
// Two roundings: the product, and its sum with the offset and the minute
// (added first, away from the arctangent's path).
double AngleDegrees(double radians, double offset)
{
    double x = radians * kRadToDeg + (offset + 1.0 / 60);
    if (x >= 360) x -= 360;
    return x;
}

}  // namespace

void qv::AsMcFromSines(SinCosPair ramc, SinCosPair lat, SinCosPair obl, double offset, double *asc, double *mc)
{
    const double s = ramc.Sin, c = ramc.Cos, co = obl.Cos, so = obl.Sin;
    // The Midheaven's right ascension is RAMC, so only tan is needed; the
    // sign of sin RAMC picks the half-turn.
    const double m = FastQuadrantOf(s, c * co, s);
    // The Ascendant lies where the horizon cuts the ecliptic on the east side;
    // the sign of cos RAMC picks the eastern of the two intersections.
    const double a = FastQuadrantOf(c, -s * co - so * (lat.Sin / lat.Cos), c);
    if (asc) *asc = AngleDegrees(a, offset);
    if (mc) *mc = AngleDegrees(m, offset);
}

extern "C" {

// Ascendant and Midheaven in degrees from RAMC, latitude and obliquity (all
// in radians), each plus Offset and one arc-minute.  Within a few units of
// double rounding (about 1e-13 degrees) away from the poles; where the Ascendant
// quotient has a zero denominator (latitude 0 at RAMC 0) the infinite
// quotient gives the limiting angle, and degenerate input gives NaN.
void AsMcCalc(double *Asc, double *MC, double RAMC, double Lat, double Obl, double Offset)
{
    AsMcFromSines(FastSinCos(RAMC), FastSinCos(Lat), FastSinCos(Obl), Offset, Asc, MC);
}

}  // extern "C"
