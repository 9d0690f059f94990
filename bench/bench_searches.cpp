// The searches: GetReturn for a Sun return a year ahead, a slow planet and
// the slowest case we could construct; Dawn and Noon, ordinary and at the
// 0/360 seam (a full day of minute steps).
#include "qvcalc32.h"

#include <benchmark/benchmark.h>

namespace {

void BM_GetReturn(benchmark::State &state, uint16_t body, uint16_t window, int32_t startJD, double target)
{
    for (auto _ : state) {
        double time = 0;
        int32_t jd = startJD;
        GetReturn(body, window, 0, target, &time, &jd, 0, 0);
        benchmark::DoNotOptimize(time);
        benchmark::DoNotOptimize(jd);
    }
}
// The Sun back at 280.0 about 355 days after 2000 January 11.
BENCHMARK_CAPTURE(BM_GetReturn, SunNextYear, QVCALC32_SUN, 360, 2451555, 280.0)->Unit(benchmark::kMillisecond);
// Jupiter to 40.0 from 2000 January 1 (about 95 days).
BENCHMARK_CAPTURE(BM_GetReturn, Jupiter, QVCALC32_JUPITER, 30, 2451545, 40.0)->Unit(benchmark::kMillisecond);
// Pluto 5 degrees behind its place (251.5 in 2000), every year qualifying:
// each day loop runs its full 10000 days until the growing year steps reach
// the next passage, about 250 years on.
BENCHMARK_CAPTURE(BM_GetReturn, PlutoJustPassed, QVCALC32_PLUTO, 360, 2451545, 246.5)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

void BM_Angle(benchmark::State &state, bool noon, int32_t jd, double longitude, double latitude)
{
    for (auto _ : state) {
        double angle, time;
        (noon ? Noon : Dawn)(0, 0, jd, 0, longitude, latitude, &angle, &time);
        benchmark::DoNotOptimize(time);
    }
}
BENCHMARK_CAPTURE(BM_Angle, DawnGreenwich, false, 2451545, 0.0, 51.48)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Angle, NoonGreenwich, true, 2451545, 0.0, 51.48)->Unit(benchmark::kMicrosecond);
// March 20, 2000: the Sun just below 360, the steps jump across it.
BENCHMARK_CAPTURE(BM_Angle, DawnSeam, false, 2451624, -90.0, 30.0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Angle, NoonSeam, true, 2451624, 175.0, 30.0)->Unit(benchmark::kMicrosecond);

}  // namespace
