// The twelve bodies of the chart of the moment against the peer ephemeris
// over 1900 to 2100: per body and time window the largest and the rms
// difference of the longitudes, and how often the sign notation (degree,
// sign and minute) reads differently.
#pragma once

#include "arc_statistics.h"
#include "peer_ephemeris.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace zenlume {

class BodyAccuracy {
public:
    static constexpr int kWindows = 3;  // 1900-2100, 2000-2050, 2020-2029

    struct Window {
        const char *Title;
        int32_t FirstJD, LastJD;  // day numbers, inclusive
    };

    BodyAccuracy();

    // Compares the bodies at every `gridDays`-th day (0h UT) from 1900 to
    // 2100, at `randomMoments` moments drawn uniformly over that span, and
    // at `extraMoments` more drawn within each of the shorter windows (those
    // count only for their own window).  False when the peer fails.
    bool Run(const PeerEphemeris &peer, int gridDays, int randomMoments, int extraMoments, std::string *error);

    // The tables in Markdown.
    void WriteMarkdown(std::ostream &out) const;

    const ArcStatistics &Statistics(int window, int body) const { return stats_[window][body]; }
    int64_t TextDifferences(int window, int body) const { return textDiffers_[window][body]; }

private:
    struct Moment {
        int32_t JD;
        double UT;
        unsigned Windows;  // bit w: counts for window w
    };

    bool Compare(const PeerEphemeris &peer, const Moment &moment, std::string *error);
    unsigned WindowsOf(int32_t jd) const;

    Window windows_[kWindows];
    ArcStatistics stats_[kWindows][13];
    int64_t textDiffers_[kWindows][13] = {};
    int64_t moments_[kWindows] = {};
    double table_[411] = {};
};

// "2026-12-07" for a day number.
std::string DateText(int32_t jd);

}  // namespace zenlume
