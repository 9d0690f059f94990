// Sign notation and chart points.
#include "internal.h"
#include "qvcalc32.h"

#include <benchmark/benchmark.h>

namespace {

void BM_MakeSign(benchmark::State &state)
{
    // Real6 arguments prepared outside the loop, as a caller holds them.
    Real6 lon[64], speed = qv::Real6Encode(-0.01);
    for (int i = 0; i < 64; ++i) lon[i] = qv::Real6Encode(i * 5.6251);
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(MakeSign(lon[i++ & 63], speed));
    }
}
BENCHMARK(BM_MakeSign);

void BM_FindPlanetHouse(benchmark::State &state)
{
    double cusps[QVCALC32_CHART_HIGH + 1];
    for (int k = 1; k <= 12; ++k) cusps[k] = 30.0 * k - 20;
    double lon = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FindPlanetHouse(cusps, QVCALC32_CHART_HIGH, lon));
        lon = lon > 359 ? 0 : lon + 0.7;
    }
}
BENCHMARK(BM_FindPlanetHouse);

void BM_Vertex(benchmark::State &state)
{
    double vx, lst = 0;
    for (auto _ : state) {
        Vertex(&vx, 0.409, lst, 12.0);
        benchmark::DoNotOptimize(vx);
        lst = lst > 23.9 ? 0 : lst + 0.01;
    }
}
BENCHMARK(BM_Vertex);

}  // namespace
