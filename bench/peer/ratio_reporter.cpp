#include "ratio_reporter.h"

#include <cstdio>
#include <unistd.h>

namespace zenlume {
namespace {

constexpr char kZenlume[] = "zenlume/";
constexpr char kPeer[] = "peer/";

// CPU nanoseconds of one iteration, whatever unit the benchmark reports in:
// on a shared machine the CPU time is steadier than the wall time, and each
// case runs on one thread.
double Nanoseconds(const benchmark::BenchmarkReporter::Run &run)
{
    return run.GetAdjustedCPUTime() * 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
}

std::string Duration(double ns)
{
    char text[32];
    if (ns >= 1e6) std::snprintf(text, sizeof text, "%.2f ms", ns / 1e6);
    else if (ns >= 1e3) std::snprintf(text, sizeof text, "%.2f us", ns / 1e3);
    else std::snprintf(text, sizeof text, "%.0f ns", ns);
    return text;
}

}  // namespace

RatioReporter::RatioReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

void RatioReporter::ReportRuns(const std::vector<Run> &reports)
{
    ConsoleReporter::ReportRuns(reports);
    for (const Run &run : reports) {
        // With --benchmark_repetitions the median stands for the case.
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        if (run.error_occurred || (run.run_type != Run::RT_Iteration && !median)) continue;
        const std::string name = run.run_name.str();
        const bool ours = name.rfind(kZenlume, 0) == 0, peer = name.rfind(kPeer, 0) == 0;
        if (!ours && !peer) continue;
        const std::string key = name.substr(ours ? sizeof kZenlume - 1 : sizeof kPeer - 1);
        if (!pairs_.count(key)) order_.push_back(key);
        Pair &pair = pairs_[key];
        bool &fromMedian = ours ? pair.ZenlumeMedian : pair.PeerMedian;
        if (fromMedian && !median) continue;
        (ours ? pair.ZenlumeNs : pair.PeerNs) = Nanoseconds(run);
        fromMedian = median;
    }
}

void RatioReporter::PrintRatios(std::ostream &out) const
{
    char line[160];
    out << "\nSide by side, measured in this process (CPU time per call; ratio = peer / Zenlume, above 1: Zenlume is faster)\n";
    std::snprintf(line, sizeof line, "%-34s %12s %12s %8s\n", "case", "Zenlume", "peer", "ratio");
    out << line;
    for (const std::string &key : order_) {
        const Pair &p = pairs_.at(key);
        if (p.ZenlumeNs <= 0 || p.PeerNs <= 0) continue;
        std::snprintf(line, sizeof line, "%-34s %12s %12s %7.1fx\n", key.c_str(), Duration(p.ZenlumeNs).c_str(),
                      Duration(p.PeerNs).c_str(), p.PeerNs / p.ZenlumeNs);
        out << line;
    }
}

}  // namespace zenlume
