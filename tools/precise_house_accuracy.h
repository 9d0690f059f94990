// The nine house systems in precision mode (PreciseHouseCusps) against the
// peer ephemeris's house routines, in arc-seconds: at the same moment and
// place, each side with its own sidereal time and obliquity of date, split
// where the peer's sidereal time changes model (2050); and the formulas
// alone, given the same sidereal time, latitude and obliquity.
#pragma once

#include "arc_statistics.h"

#include <cstdint>
#include <ostream>

namespace zenlume {

// Local apparent sidereal time in hours [0, 24) from the Greenwich
// apparent sidereal time (radians) and the east longitude (degrees).
double LocalSiderealHours(double greenwichRadians, double eastLongitude);

// The first Julian date (UT) at which the peer takes its long-term model of
// sidereal time, 2050-01-01 0h UT (it does so before 1850 too).
inline constexpr double kPeerLongTermSiderealFrom = 2469807.5;

class PreciseHouseAccuracy {
public:
    // At the moment up to 2049, at the moment from 2050, the formulas alone.
    static constexpr int kBefore2050 = 0, kFrom2050 = 1, kFormulas = 2, kComparisons = 3;

    // `moments` moments drawn uniformly over 1900-2100 (a fixed seed), each
    // at every whole latitude from 66° S to 66° N with an east longitude
    // drawn anew for each: PreciseHouseCusps from our apparent sidereal time
    // and true obliquity against the peer's swe_houses_ex.
    void RunAtMoments(int moments);

    // Sidereal times every `lstStep` hours, our true obliquity on 1 January
    // of 1900, 2000 and 2100, every whole latitude from 66° S to 66° N:
    // PreciseHouseCusps against the peer's swe_houses_armc.
    void RunFormulas(double lstStep);

    void WriteMarkdown(std::ostream &out) const;

    const ArcStatistics &Angles(int comparison, int houseSys) const { return angles_[comparison][houseSys]; }
    const ArcStatistics &Others(int comparison, int houseSys) const { return others_[comparison][houseSys]; }
    int64_t Cases(int comparison) const { return cases_[comparison]; }
    // Our local apparent sidereal time against the peer's, as the RAMC (15
    // times the hours), at the moment up to 2049 and from 2050.
    const ArcStatistics &SiderealTime(int comparison) const { return siderealTime_[comparison]; }

private:
    void Add(int comparison, int houseSys, const double ours[], const double peer[], double latitude);

    ArcStatistics angles_[kComparisons][10], others_[kComparisons][10];  // cusps 1, 4, 7, 10; the others
    int64_t cases_[kComparisons] = {};
    int64_t skipped_[kComparisons] = {};  // either side without cusps
    ArcStatistics siderealTime_[2];
    int moments_[2] = {};
};

}  // namespace zenlume
