#include "peer_ephemeris.h"

#include <swephexp.h>

#include <cmath>

namespace zenlume {
namespace {

// The peer's body numbers for the library's bodies 1..12.
constexpr int kBodyCodes[13] = {-1,       SE_SUN,     SE_MOON,   SE_MERCURY, SE_VENUS,     SE_MARS,  SE_JUPITER,
                                SE_SATURN, SE_URANUS, SE_NEPTUNE, SE_PLUTO,  SE_TRUE_NODE, SE_CHIRON};

// The peer's house letters for the library's codes 1..9: Placidus, Koch,
// Campanus, Topocentric, Morinus, Porphyry, Regiomontanus, Meridian (the
// peer's axial-rotation system: equal steps of right ascension carried along
// declination circles) and Equal (from the Ascendant).
constexpr char kHouseLetters[10] = {0, 'P', 'K', 'C', 'T', 'M', 'O', 'R', 'X', 'A'};

// The ephemeris files; the peer's default flags otherwise (apparent places).
constexpr int32_t kFlags = SEFLG_SWIEPH;

// The peer quietly falls back on its analytical theory when a file is
// missing and says so only in a warning; the flags it returns tell.
bool Computed(int body, int32_t result, const double xx[6], const char *serr, std::string *error)
{
    if (result < 0 || !std::isfinite(xx[0])) {
        if (error) *error = serr[0] ? serr : "The peer ephemeris failed for body " + std::to_string(body) + ".";
        return false;
    }
    if ((result & SEFLG_SWIEPH) == 0) {
        if (error)
            *error = "The peer computed body " + std::to_string(body) + " without its ephemeris files (sepl_18.se1 and "
                     "semo_18.se1 of swe-basic-data in " + PeerEphemeris::kEphemerisPath + "): " +
                     (serr[0] ? serr : "no reason given");
        return false;
    }
    return true;
}

}  // namespace

PeerEphemeris::PeerEphemeris(const char *ephemerisPath) { swe_set_ephe_path(ephemerisPath); }

PeerEphemeris::~PeerEphemeris() { swe_close(); }

std::string PeerEphemeris::Version()
{
    char text[AS_MAXCH] = {};
    return swe_version(text);
}

std::string PeerEphemeris::PlanetaryFileSource()
{
    char serr[AS_MAXCH] = {};
    double xx[6] = {}, start = 0, end = 0;
    int denum = 0;
    // File 0 is the planetary file once a planet has been read from it.
    if (swe_calc(2451545.0, SE_SUN, kFlags, xx, serr) < 0 ||
        swe_get_current_file_data(0, &start, &end, &denum) == nullptr)
        return "";
    return "DE" + std::to_string(denum);
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
    if (!Computed(body, swe_calc_ut(jdUt, kBodyCodes[body], flags, xx, serr), xx, serr, error)) return false;
    longitude = xx[0];
    speed = xx[3];
    return true;
}

bool PeerEphemeris::BodyAtTT(int body, double jdTT, double &longitude, std::string *error) const
{
    if (body < 1 || body > 12) {
        if (error) *error = "Body " + std::to_string(body) + " is not one of the twelve bodies.";
        return false;
    }
    char serr[AS_MAXCH] = {};
    double xx[6] = {};
    if (!Computed(body, swe_calc(jdTT, kBodyCodes[body], kFlags, xx, serr), xx, serr, error)) return false;
    longitude = xx[0];
    return true;
}

bool PeerEphemeris::Bodies(double jdUt, double longitude[13], double speed[13], std::string *error) const
{
    for (int body = 1; body <= 12; ++body)
        if (!Body(body, jdUt, true, longitude[body], speed[body], error)) return false;
    return true;
}

double PeerEphemeris::DeltaTSeconds(double jdUt)
{
    char serr[AS_MAXCH] = {};
    return swe_deltat_ex(jdUt, kFlags, serr) * 86400.0;
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

bool PeerEphemeris::HousesAt(int houseSys, double jdUt, double latitude, double eastLongitude, double cusps[13],
                             double *armc)
{
    const char letter = HouseLetter(houseSys);
    if (letter == 0) return false;
    double ascmc[10] = {};
    const bool has = swe_houses_ex(jdUt, kFlags, latitude, eastLongitude, letter, cusps, ascmc) >= 0;
    if (armc) *armc = ascmc[SE_ARMC];
    return has;
}

}  // namespace zenlume
