// The precise ephemeris (precise/) against the peer ephemeris, body by
// body: apparent longitudes compared at the same moment of Terrestrial Time
// (the theories alone) over three windows, and in the present decade also
// at the same moment of Universal Time (the theories and the two Delta T,
// what a user compares); how often the sign notation reads differently;
// Delta T on both sides; and the chart's cached series against the plain
// computation they are fitted to.
#pragma once

#include "arc_statistics.h"
#include "moment_schedule.h"
#include "peer_ephemeris.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace zenlume {

class PreciseBodyAccuracy {
public:
    static constexpr int kWindows = kTimeWindows;
    // The window compared at the same moment of UT as well: 2020-2029.
    static constexpr int kUtWindow = 2;
    // The Sun's apparent radius is 0.27 degrees.
    static constexpr double kSunDisk = 0.3;

    // Compares the twelve bodies at `moments`; a body outside its precise
    // range at a moment is left out there and counted, and so is a planet
    // within kSunDisk degrees of the Sun's centre, behind or at the edge of
    // its disk, where the Sun's deflection of the light grows steeply and the
    // two programs take it differently: those are gathered apart
    // (BehindTheSun).  False when the peer fails.
    bool Run(const PeerEphemeris &peer, const std::vector<Moment> &moments, std::string *error);

    // The cached series (PreciseEphemeris::Place) against ApparentPlaceAt at
    // `clusters` days drawn over 1900-2100, `perCluster` moments drawn
    // within each (the series are refitted a day at a time at most, so the
    // check costs little more than the plain computation); every
    // `speedEvery`-th moment the speed too, against a central difference of
    // the plain computation over three minutes either side.  The
    // differences are kept apart for a planet within kNearSun degrees of the
    // Sun, where the Sun's deflection of its light grows steeply.
    void CheckFastPath(int clusters, int perCluster, int speedEvery);

    // The same every `stepDays` within `halfWidthDays` either side of each
    // of `conjunctions` conjunctions with the Sun of every planet (Mercury
    // to Pluto, and Chiron where covered), the first after a date drawn in
    // each of as many stretches of 1900-2100.
    void ScanConjunctions(int conjunctions, double halfWidthDays, double stepDays);

    // The tables in Markdown.
    void WriteMarkdown(std::ostream &out) const;

    // Longitude differences, precise minus peer, at the same TT.
    const ArcStatistics &AtTT(int window, int body) const { return tt_[window][body]; }
    // The same at the same UT, window kUtWindow only.
    const ArcStatistics &AtUT(int body) const { return ut_[body]; }
    int64_t TextDiffersAtTT(int window, int body) const { return textTT_[window][body]; }
    int64_t TextDiffersAtUT(int body) const { return textUT_[body]; }
    // Moments of the window at which the body lies outside its precise range.
    int64_t NotCovered(int window, int body) const { return notCovered_[window][body]; }
    int64_t Moments(int window) const { return moments_[window]; }
    // Differences at the same TT, 1900-2100, of a planet within kSunDisk
    // degrees of the Sun's centre.
    const ArcStatistics &BehindTheSun(int body) const { return behindTheSun_[body]; }

    // The fast path's largest differences from the plain computation:
    // longitude and latitude in arc-seconds, speed in degrees per day.
    static constexpr double kNearSun = 10;
    enum FastBand { kAwayFromSun, kNearTheSun, kConjunctionScan, kFastBands };
    struct FastPathDifferences {
        double Longitude = 0, Latitude = 0, Speed = 0;
        int64_t Count = 0, SpeedCount = 0;
        double Closest = 360;  // conjunction scan: the smallest distance from the Sun, degrees
        void Add(double longitude, double latitude);
        void AddSpeed(double speed);
    };
    const FastPathDifferences &FastPath(int band, int body) const { return fast_[band][body]; }
    int64_t FastMoments() const { return fastMoments_; }

private:
    bool Compare(const PeerEphemeris &peer, const Moment &moment, std::string *error);

    ArcStatistics tt_[kWindows][13], ut_[13];
    int64_t textTT_[kWindows][13] = {}, textUT_[13] = {};
    int64_t notCovered_[kWindows][13] = {};
    ArcStatistics behindTheSun_[13];
    int64_t moments_[kWindows] = {};

    FastPathDifferences fast_[kFastBands][13];
    int64_t fastMoments_ = 0, fastSpeedMoments_ = 0, conjunctions_ = 0, scanMoments_ = 0;
    double scanHalfWidth_ = 0, scanStep_ = 0;
};

// The years at which the report sets Delta T side by side.
inline constexpr int kDeltaTYears[] = {1900, 1950, 2000, 2026, 2050, 2100};

// Delta T in seconds on 1 January of `year` at 0h UT: ours and the peer's.
double OurDeltaT(int year);
double PeerDeltaT(int year);

}  // namespace zenlume
