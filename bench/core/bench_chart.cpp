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
