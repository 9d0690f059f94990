// Numeric routines, calendar and sidereal time.
#include "internal.h"
#include "qvcalc32.h"

#include <benchmark/benchmark.h>

namespace {

void BM_Real6RoundTrip(benchmark::State &state)
{
    double x = 123.456789;
    for (auto _ : state) {
        benchmark::DoNotOptimize(qv::Real6Decode(qv::Real6Encode(x)));
        x += 0.001;
    }
}
BENCHMARK(BM_Real6RoundTrip);

void BM_SidTime(benchmark::State &state)
{
    double offset = 0, lst, t, obl, ut = 0;
    ShortText10 text;
    for (auto _ : state) {
        SidTime(2460000, &offset, &lst, ut, &t, &obl, 0.1, &text);
        benchmark::DoNotOptimize(lst);
        ut = ut > 23 ? 0 : ut + 0.01;
    }
}
BENCHMARK(BM_SidTime);

void BM_JulDayRoundTrip(benchmark::State &state)
{
    int32_t jd = 2451545, m, d, y;
    for (auto _ : state) {
        JuldayToDate(jd++, &m, &d, &y);
        benchmark::DoNotOptimize(JulDay(m, d, y));
    }
}
BENCHMARK(BM_JulDayRoundTrip);

}  // namespace
