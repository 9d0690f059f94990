// One whole redraw of the wheel (every layer, all twelve bodies, all cusps
// with their numbers) at the default window and at a full-HD height, in
// each sign-colour mode.  Run: build/bench/wheel_bench
#include "offscreen_app.h"
#include "wheel_renderer.h"

#include <benchmark/benchmark.h>

namespace {

void BM_DrawWheel(benchmark::State &state)
{
    const int side = static_cast<int>(state.range(0));
    zenlume::Settings settings;
    settings.LatDeg = 51;
    settings.LatMin = 30;
    settings.CuspMode = zenlume::CuspLines::kAll;
    settings.SignColours = static_cast<zenlume::SignColouring>(state.range(1));
    settings.ShowBody[QVCALC32_NODE] = settings.ShowBody[QVCALC32_CHIRON] = true;
    const zenlume::WheelOptions options = zenlume::WheelOptionsFor(settings, side);
    zenlume::LocalDateTime t;
    t.Year = 2026, t.Month = 12, t.Day = 7, t.Hour = 21, t.Minute = 40;
    const zenlume::PlanetTable table;
    zenlume::ClockChart chart;
    zenlume::ComputeChartAt(settings, t, table, chart);

    zenlume::WheelRenderer renderer;
    for (auto _ : state) benchmark::DoNotOptimize(renderer.DrawWheel(chart, settings, options));
}
BENCHMARK(BM_DrawWheel)
    ->ArgNames({"side", "colours"})
    ->ArgsProduct({{547, 2160}, {0, 1, 2}})
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv)
{
    const zenlume::OffscreenApplication app;  // Qt's fonts need it; no display
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
