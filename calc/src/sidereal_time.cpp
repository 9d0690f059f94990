// Sidereal time: local mean sidereal time, T, the mean obliquity of the
// ecliptic and, on request, the sidereal zodiac offset.  The linear
// sidereal-time formula keeps within about a second of the modern IAU
// expression from 1900 to 2100.
#include "internal.h"

using namespace qv;

extern "C" {

void SidTime(int32_t JD, double *Offset, double *LST, double UT, double *T, double *Obl, double Longitude,
             ShortText10 *Text)
{
    const double t = static_cast<double>(
        ((static_cast<long double>(JD) - 2415020.0L) + UT * kOver24L - 0.5L) * 2.7378507871321012e-05L);

    // Greenwich mean sidereal time in degrees, then local, into 0..24 hours.
    const double g = static_cast<double>((6.6460656L + 2400.0513L * t + 0.0000258L * t * t + UT) * 15.0L);
    const double l = ReduceTowardZero(g - Longitude);
    double lst = static_cast<double>(l * kOver15L);
    if (lst < 0) lst += 24;

    const double obl = static_cast<double>((23.452294L - 0.0130125L * t) * kPiL * (1.0L / 180.0L));

    uint8_t hour, minute, second;
    TimeConv(&hour, &minute, &second, lst);
    TextBuilder text;
    text.PutInt(hour);
    text.Put('H');
    text.PutInt(minute);
    text.Put('M');
    text.PutInt(second);
    text.Put('S');

    if (T) *T = t;
    if (LST) *LST = lst;
    if (Obl) *Obl = obl;
    if (Text) *Text = text.ShortText();

    if (Offset && *Offset != 0) {
        // Ayanamsa from the Moon's mean node and twice the Sun's mean
        // longitude, in seconds of arc; negative, about -24.74 in 2000.
        const double node = ReduceTowardZero(
            static_cast<double>((933060.0L - 6962911.0L * t + 7.5L * t * t) * kOver3600L));
        const double twiceSun = static_cast<double>((259205536.0L * t + 2013816.0L) * kOver3600L);
        *Offset = static_cast<double>((17.23L * std::sin(node * kDegToRadL) + 1.27L * std::sin(twiceSun * kDegToRadL) -
                                       (5025.64L + 1.11L * t) * t - 84038.27L) *
                                      kOver3600L);
    }
}

}  // extern "C"
