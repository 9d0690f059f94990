// A console reporter that also keeps each benchmark's time, so that the
// side-by-side benchmark can print, after the usual table, the ratio of the
// peer's time to Zenlume's for every pair measured in the same process.
// Pairs are named "zenlume/<case>" and "peer/<case>"; with repetitions the
// median of each case is taken.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace zenlume {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    // Colours only on a terminal (a reporter of one's own does not follow
    // --benchmark_color).
    RatioReporter();

    void ReportRuns(const std::vector<Run> &reports) override;

    // One line per case: both times and the peer's time over Zenlume's.
    void PrintRatios(std::ostream &out) const;

private:
    struct Pair {
        double ZenlumeNs = 0, PeerNs = 0;
        bool ZenlumeMedian = false, PeerMedian = false;  // the time is a median of repetitions
    };
    std::vector<std::string> order_;
    std::map<std::string, Pair> pairs_;
};

}  // namespace zenlume
