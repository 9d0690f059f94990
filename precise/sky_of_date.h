// The frame of date: Delta T, precession and nutation (IAU 2006
// precession, IAU 2000B nutation, through liberfa), the obliquity and the
// apparent sidereal time at one moment.  Every precise position is turned
// from the J2000 axes into the true ecliptic and equinox of date here.
#pragma once

namespace zenlume::precise {

struct SkyOfDate {
    double JdUt = 0, JdTT = 0;     // Julian dates of UT (taken as UT1) and TT
    double DeltaT = 0;             // TT - UT, seconds
    double NutationLongitude = 0;  // nutation in longitude, radians
    double MeanObliquity = 0;      // radians
    double TrueObliquity = 0;      // mean obliquity plus the nutation in obliquity, radians
    // Greenwich apparent sidereal time, radians in [0, 2 pi): the hour
    // angle of the true equinox of date.
    double ApparentSiderealTime = 0;
    // Rotates a vector on the ICRS (J2000 equator) axes onto the mean
    // ecliptic and equinox of date.
    double IcrsToEcliptic[3][3] = {};
};

// The frame at a Julian date of Universal Time.  IAU 2000B nutation agrees
// with the full IAU 2000A series to about a milliarcsecond.
SkyOfDate SkyAt(double jdUt);

// The frame at a Julian date of Terrestrial Time (its UT from Delta T at
// that date).
SkyOfDate SkyAtTT(double jdTT);

// Apparent ecliptic longitude and latitude of date (degrees; longitude in
// [0, 360)) of a direction given on the ICRS axes: the mean ecliptic of date
// by the rotation, then the equinox moved by the nutation in longitude,
// which moves the equinox along the ecliptic and leaves latitudes alone.
void EclipticOfDate(const SkyOfDate &sky, const double icrs[3], double &longitude, double &latitude);

// A vector on the ICRS axes onto the mean ecliptic and equinox of date.
void ToEclipticOfDate(const SkyOfDate &sky, const double icrs[3], double ecliptic[3]);

}  // namespace zenlume::precise
