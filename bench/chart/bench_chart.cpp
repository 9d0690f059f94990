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
    t.year = 2026;
    t.month = 12;
    t.day = 7;
    zenlume::ClockChart chart;
    int minute = 0;
    for (auto _ : state) {
        t.hour = minute / 60 % 24;
        t.minute = minute % 60;
        ++minute;
        benchmark::DoNotOptimize(zenlume::ComputeChartAt(settings, t, table, chart));
    }
}
BENCHMARK(BM_ComputeChartAt)->Arg(zenlume::kPlacidus)->Arg(zenlume::kEqual);

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
