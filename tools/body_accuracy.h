// The twelve bodies of the chart of the moment against the peer ephemeris
// over 1900 to 2100: per body and time window the largest and the rms
// difference of the longitudes, and how often the sign notation (degree,
// sign and minute) reads differently.
#pragma once

#include "arc_statistics.h"
#include "moment_schedule.h"
#include "peer_ephemeris.h"

#include <cstdint>
#include <ostream>
#include <string>

namespace zenlume {

class BodyAccuracy {
public:
    static constexpr int kWindows = kTimeWindows;  // 1900-2100, 2000-2050, 2020-2029

    BodyAccuracy();

    // Compares the bodies at the moments of MomentSchedule(gridDays,
    // randomMoments, extraMoments).  False when the peer fails.
    bool Run(const PeerEphemeris &peer, int gridDays, int randomMoments, int extraMoments, std::string *error);

    // The tables in Markdown.
    void WriteMarkdown(std::ostream &out) const;

    const ArcStatistics &Statistics(int window, int body) const { return stats_[window][body]; }
    int64_t TextDifferences(int window, int body) const { return textDiffers_[window][body]; }

private:
    bool Compare(const PeerEphemeris &peer, const Moment &moment, std::string *error);

    ArcStatistics stats_[kWindows][13];
    int64_t textDiffers_[kWindows][13] = {};
    int64_t moments_[kWindows] = {};
    double table_[411] = {};
};

}  // namespace zenlume
