// A console reporter that also keeps each benchmark's time, so that the
// side-by-side benchmark can print, after the usual table, the ratio of the
// peer's time to Zenlume's for every pair measured in the same process.
// Pairs are named "zenlume/<case>" and "peer/<case>"; the peer may run a
// case in more than one way, "peer/<case> [<way>]", each then set beside
// the one "zenlume/<case>" on a line of its own.  With repetitions the
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

    // "<case>" of "<case> [<way>]", the name itself without a way.
    static std::string CaseOf(const std::string &name);

private:
    struct Time {
        double Ns = 0;
        bool Median = false;  // the time is a median of repetitions
    };
    // Lines in the order their first run was reported: the peer's names
    // with their way, Zenlume's cases.
    std::vector<std::string> order_;
    std::map<std::string, Time> ours_, peers_;
};

}  // namespace zenlume
