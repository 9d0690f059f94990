#include "house_accuracy.h"

#include "chart.h"
#include "peer_ephemeris.h"
#include "qvcalc32.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace zenlume {
namespace {

const char *const kSystemNames[10] = {"",        "Placidus", "Koch",          "Campanus", "Topocentric",
                                      "Morinus", "Porphyry", "Regiomontanus", "Meridian", "Equal"};

constexpr int kMaxLatitude = 66;  // cusps compared up to here
constexpr int kPolarLatitude = 89;  // cusps looked for up to here

// The library's cusps of `houseSys` in its own parameter order.
void LibraryHouses(int houseSys, double lst, double lat, double obl, double cusps[QVCALC32_CHART_HIGH + 1])
{
    CalcHouseCusps(static_cast<uint8_t>(houseSys), lst, lat, obl, 0, cusps);
}

int BandOf(double latitude)
{
    const double a = std::fabs(latitude);
    return a <= 30 ? 0 : a <= 55 ? 1 : 2;
}

std::string Fixed(double value, int decimals)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string Latitude(double value) { return value > kPolarLatitude ? "none" : "from " + Fixed(value, 0) + "°"; }

}  // namespace

void HouseAccuracy::Run(double lstStep)
{
    for (int s = 1; s <= 9; ++s) libraryNoneFrom_[s] = peerNoneFrom_[s] = kPolarLatitude + 1;
    double obliquities[3];
    const int32_t years[3] = {1900, 2000, 2100};
    for (int i = 0; i < 3; ++i) {
        double offset = 0, lst = 0, t = 0;
        ShortText10 text;
        SidTime(JulDay(1, 1, years[i]), &offset, &lst, 0, &t, &obliquities[i], 0, &text);
    }
    for (double obl : obliquities)
        for (int lat = -kPolarLatitude; lat <= kPolarLatitude; ++lat)
            for (double lst = lstStep / 2; lst < 24; lst += lstStep) {
                ++cases_;
                for (int s = QVCALC32_PLACIDUS; s <= QVCALC32_EQUAL; ++s) Compare(s, lst, lat, obl);
            }
}

void HouseAccuracy::Compare(int houseSys, double lst, double latitude, double obl)
{
    double mine[QVCALC32_CHART_HIGH + 1] = {};
    LibraryHouses(houseSys, lst, latitude, obl, mine);
    double peer[13] = {};
    const bool peerHas = PeerEphemeris::Houses(houseSys, lst, latitude, obl, peer);
    bool libraryHas = true;
    for (int k = 1; k <= 12; ++k) libraryHas = libraryHas && std::isfinite(mine[k]);
    if (!libraryHas) {
        ++libraryNone_[houseSys];
        libraryNoneFrom_[houseSys] = std::fmin(libraryNoneFrom_[houseSys], std::fabs(latitude));
    }
    if (!peerHas) {
        ++peerNone_[houseSys];
        peerNoneFrom_[houseSys] = std::fmin(peerNoneFrom_[houseSys], std::fabs(latitude));
    }
    if (!libraryHas || !peerHas || std::fabs(latitude) > kMaxLatitude) return;
    for (int k = 1; k <= 12; ++k) {
        const double d = ArcDifference(mine[k], peer[k]);
        all_[houseSys].Add(d, latitude);
        if (k % 3 == 1) angles_[houseSys].Add(d, latitude);
        else others_[houseSys][BandOf(latitude)].Add(d, latitude);
    }
}

void HouseAccuracy::WriteMarkdown(std::ostream &out) const
{
    out << "| system | cusps 1, 4, 7, 10 largest | other cusps largest, 0-30° | 31-55° | 56-66° | all cusps rms "
           "| largest at latitude |\n|---|--:|--:|--:|--:|--:|--:|\n";
    for (int s = QVCALC32_PLACIDUS; s <= QVCALC32_EQUAL; ++s) {
        out << "| " << kSystemNames[s] << " (" << PeerEphemeris::HouseLetter(s) << ") | "
            << Fixed(angles_[s].MaxMinutes(), 2) << " |";
        for (int b = 0; b < kBands; ++b) out << " " << Fixed(others_[s][b].MaxMinutes(), 2) << " |";
        out << " " << Fixed(all_[s].RmsMinutes(), 2) << " | " << Fixed(all_[s].WhereMax(), 0) << "° |\n";
    }
    out << "\n### Where each side reports no cusps\n\nOut of " << cases_
        << " places and times per system (every whole latitude from 89° S to 89° N, the sidereal times and "
           "obliquities above). The peer then fills Porphyry's cusps; the library gives NaN for the cusps that "
           "do not exist and keeps the four angles.\n\n"
           "| system | library: cases without cusps | library: at latitudes | peer: cases without cusps | peer: "
           "at latitudes |\n|---|--:|---|--:|---|\n";
    for (int s = QVCALC32_PLACIDUS; s <= QVCALC32_EQUAL; ++s)
        out << "| " << kSystemNames[s] << " | " << libraryNone_[s] << " | " << Latitude(libraryNoneFrom_[s]) << " | "
            << peerNone_[s] << " | " << Latitude(peerNoneFrom_[s]) << " |\n";
}

}  // namespace zenlume
