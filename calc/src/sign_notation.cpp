// Sign notation: an ecliptic longitude as degrees within the sign, the sign
// glyph, minutes and a motion mark, e.g. "15 \x99 30 R".
//
// Character layout of the 9-character text, relied on by the clock and the
// wheel: 0-1 degree digits, 2 blank, 3 sign glyph (QVCALC32_SIGN_GLYPH_BASE
// + sign index), 4 blank, 5-6 minute digits, 7 blank, 8 "R", "s" or blank.
#include "internal.h"

namespace {

// Below this many degrees per hour of daily motion a body counts as
// stationary: just above 1/720, held as an 80-bit constant.
constexpr long double kStationaryLimit = 0.0013888891666666667L;

}  // namespace

using namespace qv;

extern "C" {

// Longitude and Speed in degrees (the clock passes PlanetCalc's speeds for
// bodies and 1.0 for angles and cusps).  Degrees and minutes are truncated,
// never rounded; every intermediate is held at Real6 precision, so a
// longitude within about 1e-10 degrees below a sign boundary shows as 00 of
// the next sign.  Longitudes outside [0, 360) are not reduced: they give
// glyph codes outside 152..163 and, below 0, minus signs among the digits.
ShortText10 MakeSign(Real6 Longitude, Real6 Speed)
{
    const double lon = Real6Decode(Longitude);
    const double q = Real6Round(lon * kOver30L);
    int32_t sign;
    if (!TruncToInt32(q, sign)) return ShortText10{};
    const double d = Real6Round((static_cast<long double>(q) - sign) * 30.0L);
    const double m = Real6Round((static_cast<long double>(d) - std::trunc(d)) * 60.0L);
    const int32_t degrees = static_cast<int32_t>(d);  // |d| < 30, |m| < 60
    const int32_t minutes = static_cast<int32_t>(m);

    const char glyph = static_cast<char>(static_cast<uint8_t>(QVCALC32_SIGN_GLYPH_BASE + sign));
    const long double speed = Real6Decode(Speed);
    const char *mark = speed < 0 ? " R" : (speed > 0 && speed * 60.0L < kStationaryLimit) ? " s" : "  ";

    // Longitudes in [0, 360) (and a little beyond): two digits each.
    if (d >= 0 && m >= 0 && degrees < 100 && minutes < 100) {
        const char chars[9] = {static_cast<char>('0' + degrees / 10), static_cast<char>('0' + degrees % 10), ' ',
                               glyph, ' ', static_cast<char>('0' + minutes / 10),
                               static_cast<char>('0' + minutes % 10), mark[0], mark[1]};
        return MakeText(chars, 9);
    }

    TextBuilder text;
    if (d < 10) text.Put('0');
    text.PutInt(degrees);
    text.Put(' ');
    text.Put(glyph);
    text.Put(' ');
    if (m < 10) text.Put('0');
    text.PutInt(minutes);
    // Cut to 10 characters at the end: a text longer than the usual 7 (out
    // of range longitudes) loses its motion mark.
    text.Put(mark);
    return text.ShortText();
}

}  // extern "C"
