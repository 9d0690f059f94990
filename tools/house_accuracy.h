// The nine house systems against the peer ephemeris's house routine, given
// the same sidereal time, latitude and obliquity: the largest difference of
// the cusps by latitude band, and where either side reports no cusps.
#pragma once

#include "arc_statistics.h"

#include <cstdint>
#include <ostream>

namespace zenlume {

class HouseAccuracy {
public:
    static constexpr int kBands = 3;  // |latitude| 0-30, 31-55, 56-66

    // Sidereal times every `lstStep` hours and the library's mean obliquity
    // of 1900, 2000 and 2100, at every whole latitude from -89 to 89: the
    // cusps are compared from -66 to 66, missing cusps counted everywhere.
    void Run(double lstStep);

    void WriteMarkdown(std::ostream &out) const;

    const ArcStatistics &Angles(int houseSys) const { return angles_[houseSys]; }
    const ArcStatistics &Others(int houseSys, int band) const { return others_[houseSys][band]; }

private:
    void Compare(int houseSys, double lst, double latitude, double obl);

    ArcStatistics angles_[10];           // cusps 1, 4, 7, 10
    ArcStatistics others_[10][kBands];   // the intermediate cusps
    ArcStatistics all_[10];
    int64_t cases_ = 0;
    int64_t libraryNone_[10] = {}, peerNone_[10] = {};
    double libraryNoneFrom_[10] = {}, peerNoneFrom_[10] = {};  // smallest |latitude| with no cusps
};

}  // namespace zenlume
