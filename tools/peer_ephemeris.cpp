#include "peer_ephemeris.h"

#include <swephexp.h>

#include <cmath>

namespace zenlume {
namespace {

// Debian's folder of the peer's ephemeris files (swe-basic-data).
constexpr char kEphemerisPath[] = "/usr/share/libswe/ephe";

// The peer's body numbers for the library's bodies 1..12.
constexpr int kBodyCodes[13] = {-1,       SE_SUN,     SE_MOON,   SE_MERCURY, SE_VENUS,     SE_MARS,  SE_JUPITER,
                                SE_SATURN, SE_URANUS, SE_NEPTUNE, SE_PLUTO,  SE_TRUE_NODE, SE_CHIRON};

// The peer's house letters for the library's codes 1..9: Placidus, Koch,
// Campanus, Topocentric, Morinus, Porphyry, Regiomontanus, Meridian (the
// peer's axial-rotation system: equal steps of right ascension carried along
// declination circles) and Equal (from the Ascendant).
constexpr char kHouseLetters[10] = {0, 'P', 'K', 'C', 'T', 'M', 'O', 'R', 'X', 'A'};

constexpr int32_t kFlags = SEFLG_MOSEPH;

}  // namespace

PeerEphemeris::PeerEphemeris() { swe_set_ephe_path(kEphemerisPath); }

PeerEphemeris::~PeerEphemeris() { swe_close(); }

std::string PeerEphemeris::Version()
{
    char text[AS_MAXCH] = {};
    return swe_version(text);
}

bool PeerEphemeris::Check(std::string *error) const
{
    for (int body = 1; body <= 12; ++body) {
        double lon = 0, speed = 0;
        if (!Body(body, 2451545.0, true, lon, speed, error)) return false;
    }
    return true;
}

bool PeerEphemeris::Body(int body, double jdUt, bool withSpeed, double &longitude, double &speed,
                         std::string *error) const
{
    if (body < 1 || body > 12) {
        if (error) *error = "Body " + std::to_string(body) + " is not one of the twelve bodies.";
        return false;
    }
    char serr[AS_MAXCH] = {};
    double xx[6] = {};
    const int32_t flags = kFlags | (withSpeed ? SEFLG_SPEED : 0);
    const int32_t result = swe_calc_ut(jdUt, kBodyCodes[body], flags, xx, serr);
    if (result < 0 || !std::isfinite(xx[0])) {
        if (error) *error = serr[0] ? serr : "The peer ephemeris failed for body " + std::to_string(body) + ".";
        return false;
    }
    longitude = xx[0];
    speed = xx[3];
    return true;
}

bool PeerEphemeris::Bodies(double jdUt, double longitude[13], double speed[13], std::string *error) const
{
    for (int body = 1; body <= 12; ++body)
        if (!Body(body, jdUt, true, longitude[body], speed[body], error)) return false;
    return true;
}

char PeerEphemeris::HouseLetter(int houseSys) { return houseSys >= 1 && houseSys <= 9 ? kHouseLetters[houseSys] : 0; }

bool PeerEphemeris::Houses(int houseSys, double lstHours, double latitude, double oblRadians, double cusps[13])
{
    const char letter = HouseLetter(houseSys);
    if (letter == 0) return false;
    double ascmc[10] = {};
    const double eps = oblRadians * 180.0 / M_PI;
    return swe_houses_armc(lstHours * 15.0, latitude, eps, letter, cusps, ascmc) >= 0;
}

}  // namespace zenlume
