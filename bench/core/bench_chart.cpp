// The chart of the moment without process start: one full computation
// (sidereal time, houses, twelve bodies, 26 texts, the wheel frame).
#include "chart.h"
#include "chart_report.h"

#include <benchmark/benchmark.h>

namespace {

void BM_ComputeChartAt(benchmark::State &state)
{
    const zenlume::PlanetTable table;
    zenlume::Settings settings;
    settings.LatDeg = 51;
    settings.LatMin = 30;
    settings.HouseSys = static_cast<uint8_t>(state.range(0));
    zenlume::LocalDateTime t;
    t.Year = 2026;
    t.Month = 12;
    t.Day = 7;
    zenlume::ClockChart chart;
    int minute = 0;
    for (auto _ : state) {
        t.Hour = minute / 60 % 24;
        t.Minute = minute % 60;
        ++minute;
        benchmark::DoNotOptimize(zenlume::ComputeChartAt(settings, t, table, chart));
    }
}
BENCHMARK(BM_ComputeChartAt)->Arg(QVCALC32_PLACIDUS)->Arg(QVCALC32_EQUAL);

// The precise chart ([Setting] Precision=1) as the clock computes it, one
// minute after the other (Arg 60 s: the fitted series are refitted only
// when a minute leaves them, and that cost is spread over the minutes), or
// with every chart 40 days after the last (Arg 3456000 s: every series is
// fitted again, the cost of a cold chart such as zenlume-chart's).
void BM_PreciseChart(benchmark::State &state)
{
    const zenlume::PlanetTable table;
    zenlume::Settings settings;
    settings.LatDeg = 51;
    settings.LatMin = 30;
    settings.Precise = true;
    const zenlume::PlaceZone zone = zenlume::PlaceZone::Fixed(0);
    zenlume::LocalDateTime start;
    start.Year = 2026;
    start.Month = 12;
    start.Day = 7;
    zenlume::Instant instant = zenlume::InstantOfUt(start);
    const std::chrono::seconds step{state.range(0)};
    zenlume::ClockChart chart;
    for (auto _ : state) {
        instant += step;
        benchmark::DoNotOptimize(zenlume::ComputeChartAt(settings, zone, instant, table, chart));
    }
}
BENCHMARK(BM_PreciseChart)->Arg(60)->Arg(3456000)->Unit(benchmark::kMicrosecond);

void BM_ChartJson(benchmark::State &state)
{
    const zenlume::PlanetTable table;
    zenlume::Settings settings;
    zenlume::ClockChart chart;
    const zenlume::ChartMoment m = zenlume::ComputeChartAt(settings, zenlume::LocalDateTime{}, table, chart);
    for (auto _ : state) benchmark::DoNotOptimize(zenlume::ChartJson(settings, m, chart));
}
BENCHMARK(BM_ChartJson);

}  // namespace
