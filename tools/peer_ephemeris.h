// The high-precision ephemeris Zenlume is compared with in its side-by-side
// benchmarks and its accuracy report: Debian's libswe (libswe-dev) reading
// the ephemeris files of swe-basic-data: the planets and the Moon from
// sepl_18.se1 and semo_18.se1 (its compression of a numerically integrated
// JPL ephemeris), Chiron from seas_18.se1.  A benchmark and tool dependency
// only: nothing that Zenlume ships links it.
//
// The positions asked for match what the chart of the moment shows: tropical
// geocentric apparent ecliptic longitudes (light time, aberration, the Sun's
// deflection of light and nutation included) of the true equinox of date,
// the true (osculating) lunar Node.
#pragma once

#include <cstdint>
#include <string>

namespace zenlume {

class PeerEphemeris {
public:
    // Debian's folder of the peer's ephemeris files.
    static constexpr char kEphemerisPath[] = "/usr/share/libswe/ephe";

    // Points the peer at `ephemerisPath`.
    explicit PeerEphemeris(const char *ephemerisPath = kEphemerisPath);
    ~PeerEphemeris();
    PeerEphemeris(const PeerEphemeris &) = delete;
    PeerEphemeris &operator=(const PeerEphemeris &) = delete;

    // True when every body 1..12 can be computed from the peer's files;
    // otherwise the peer's reason in `error`, naming the missing file.
    bool Check(std::string *error) const;

    // The peer's version text, e.g. "2.10.03".
    static std::string Version();

    // The JPL ephemeris the planetary file was made from, e.g. "DE431";
    // empty when the file cannot be read.
    static std::string PlanetaryFileSource();

    // The Julian date (UT) of the library's day number JD at UT hours.
    static double JulianDateUt(int32_t jd, double ut) { return jd - 0.5 + ut / 24.0; }

    // Longitude (degrees) of body 1..12 (the library's numbering) at `jdUt`,
    // a Julian date of Universal Time, the peer adding its own Delta T; with
    // `withSpeed`, also its daily motion in degrees per day.  False when the
    // peer fails or could not read its files (its reason in `error`).
    bool Body(int body, double jdUt, bool withSpeed, double &longitude, double &speed, std::string *error) const;

    // The same at `jdTT`, a Julian date of Terrestrial Time: no Delta T
    // enters, so a theory compared at the same jdTT is compared alone.
    bool BodyAtTT(int body, double jdTT, double &longitude, std::string *error) const;

    // Bodies 1..12 into longitude[1..12] and speed[1..12] (degrees, degrees
    // per day), each computed with its speed.
    bool Bodies(double jdUt, double longitude[13], double speed[13], std::string *error) const;

    // The peer's Delta T (TT - UT) in seconds at a Julian date of UT.
    static double DeltaTSeconds(double jdUt);

    // The peer's cusps 1..12 (degrees) of the library's house system
    // `houseSys` (QVCALC32_PLACIDUS .. QVCALC32_EQUAL) from the sidereal
    // time (hours), latitude (degrees) and obliquity (radians), the inputs
    // the library's house routines take.  False when the peer reports that
    // the system has no cusps there (it then fills Porphyry's) or does not
    // know the system.
    static bool Houses(int houseSys, double lstHours, double latitude, double oblRadians, double cusps[13]);

    // The peer's cusps 1..12 of `houseSys` at a Julian date of UT and a
    // place (latitude north, longitude east, degrees), from its own
    // sidereal time and obliquity of date; with `armc`, also the right
    // ascension of the Midheaven it took (degrees).  False as for Houses.
    static bool HousesAt(int houseSys, double jdUt, double latitude, double eastLongitude, double cusps[13],
                         double *armc = nullptr);

    // The peer's letter for a house system, 0 for a code outside 1..9.
    static char HouseLetter(int houseSys);
};

}  // namespace zenlume
