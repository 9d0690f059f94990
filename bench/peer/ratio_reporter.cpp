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

std::string RatioReporter::CaseOf(const std::string &name)
{
    const size_t open = name.rfind(" [");
    return open != std::string::npos && name.back() == ']' ? name.substr(0, open) : name;
}

void RatioReporter::ReportRuns(const std::vector<Run> &reports)
{
    ConsoleReporter::ReportRuns(reports);
    for (const Run &run : reports) {
        // With --benchmark_repetitions the median stands for the case.
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        if (run.error_occurred || (run.run_type != Run::RT_Iteration && !median)) continue;
        // The name as registered, without the "/iterations:N" of a case
        // run a fixed number of times.
        const std::string name = run.run_name.function_name;
        const bool ours = name.rfind(kZenlume, 0) == 0, peer = name.rfind(kPeer, 0) == 0;
        if (!ours && !peer) continue;
        const std::string key = name.substr(ours ? sizeof kZenlume - 1 : sizeof kPeer - 1);
        std::map<std::string, Time> &times = ours ? ours_ : peers_;
        if (!ours_.count(key) && !peers_.count(key)) order_.push_back(key);
        Time &time = times[key];
        if (time.Median && !median) continue;
        time.Ns = Nanoseconds(run);
        time.Median = median;
    }
}

void RatioReporter::PrintRatios(std::ostream &out) const
{
    char line[200];
    out << "\nSide by side, measured in this process (CPU time per call; ratio = peer / Zenlume, above 1: Zenlume is faster)\n";
    std::snprintf(line, sizeof line, "%-52s %12s %12s %8s\n", "case", "Zenlume", "peer", "ratio");
    out << line;
    for (const std::string &key : order_) {
        const auto peer = peers_.find(key), ours = ours_.find(CaseOf(key));
        if (peer == peers_.end() || ours == ours_.end() || peer->second.Ns <= 0 || ours->second.Ns <= 0) continue;
        // Below 1 (Zenlume slower) with three significant digits.
        const double ratio = peer->second.Ns / ours->second.Ns;
        std::snprintf(line, sizeof line, ratio >= 1 ? "%-52s %12s %12s %7.1fx\n" : "%-52s %12s %12s %7.3gx\n",
                      key.c_str(), Duration(ours->second.Ns).c_str(), Duration(peer->second.Ns).c_str(), ratio);
        out << line;
    }
}

}  // namespace zenlume
