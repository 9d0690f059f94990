// The high-precision ephemeris Zenlume is compared with in its side-by-side
// benchmarks and its accuracy report: Debian's libswe (libswe-dev), bodies in
// its analytical mode, Chiron from its asteroid file (swe-basic-data).  A
// benchmark and tool dependency only: nothing that Zenlume ships links it.
//
// The positions asked for match what the chart of the moment shows: tropical
// geocentric apparent ecliptic longitudes (light time, aberration and
// nutation included) of the true equinox of date, the true (osculating)
// lunar Node, at a moment in Universal Time.
#pragma once

#include <cstdint>
#include <string>

namespace zenlume {

class PeerEphemeris {
public:
    // Points the peer at Debian's ephemeris folder.
    PeerEphemeris();
    ~PeerEphemeris();
    PeerEphemeris(const PeerEphemeris &) = delete;
    PeerEphemeris &operator=(const PeerEphemeris &) = delete;

    // True when every body 1..12 can be computed (Chiron needs the asteroid
    // file); otherwise the peer's reason in `error`.
    bool Check(std::string *error) const;

    // The peer's version text, e.g. "2.10.03".
    static std::string Version();

    // The Julian date (UT) of the library's day number JD at UT hours.
    static double JulianDateUt(int32_t jd, double ut) { return jd - 0.5 + ut / 24.0; }

    // Longitude (degrees) of body 1..12 (the library's numbering) at
    // `jdUt`; with `speed`, also its daily motion in degrees per day.
    // False when the peer fails (its reason in `error`).
    bool Body(int body, double jdUt, bool withSpeed, double &longitude, double &speed, std::string *error) const;

    // Bodies 1..12 into longitude[1..12] and speed[1..12] (degrees, degrees
    // per day), each computed with its speed.
    bool Bodies(double jdUt, double longitude[13], double speed[13], std::string *error) const;

    // The peer's cusps 1..12 (degrees) of the library's house system
    // `houseSys` (QVCALC32_PLACIDUS .. QVCALC32_EQUAL) from the sidereal
    // time (hours), latitude (degrees) and obliquity (radians), the inputs
    // the library's house routines take.  False when the peer reports that
    // the system has no cusps there (it then fills Porphyry's) or does not
    // know the system.
    static bool Houses(int houseSys, double lstHours, double latitude, double oblRadians, double cusps[13]);

    // The peer's letter for a house system, 0 for a code outside 1..9.
    static char HouseLetter(int houseSys);
};

}  // namespace zenlume
