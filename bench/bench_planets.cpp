// The planetary theory and the lunar and solar series.
#include "qvcalc32.h"

#include <benchmark/benchmark.h>


namespace {

struct Arrays {
    double table[411];
    double scratch[15] = {}, lon[15] = {}, decl[15] = {}, speed[15] = {};
    uint8_t counts[13] = {};
    Arrays() { InitialisePlanets(table, 410); }
};

// One chart's call: bodies 1 to 12, geocentric (Helio 0) or heliocentric.
void BM_PlanetCalc(benchmark::State &state)
{
    Arrays a;
    const int32_t helio = static_cast<int32_t>(state.range(0));
    double T = 1.0;
    for (auto _ : state) {
        PlanetCalc(1, 12, helio, 0, a.scratch, 14, T, a.counts, 12, 0, a.lon, 14, a.decl, 14, a.speed, 14, a.table,
                   410, 0);
        benchmark::DoNotOptimize(a.lon);
        T += 1e-6;  // about half a minute a call
    }
}
BENCHMARK(BM_PlanetCalc)->Arg(0)->Arg(1)->ArgName("helio");

void BM_InitialisePlanets(benchmark::State &state)
{
    double table[411];
    for (auto _ : state) {
        InitialisePlanets(table, 410);
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(BM_InitialisePlanets);

void BM_ExactSun(benchmark::State &state)
{
    double T = 1.0, lon;
    for (auto _ : state) {
        ExactSun(&lon, T);
        benchmark::DoNotOptimize(lon);
        T += 1e-6;
    }
}
BENCHMARK(BM_ExactSun);

void BM_ExactMoon(benchmark::State &state)
{
    double T = 1.0, lon;
    for (auto _ : state) {
        ExactMoon(&lon, 0, T);
        benchmark::DoNotOptimize(lon);
        T += 1e-6;
    }
}
BENCHMARK(BM_ExactMoon);

void BM_MoonCalc(benchmark::State &state)
{
    double T = 1.0, lonOnly, lon, node, lat;
    for (auto _ : state) {
        MoonCalc(0, &lonOnly, 0, 0, T, &lon, &node, &lat);
        benchmark::DoNotOptimize(lon);
        T += 1e-6;
    }
}
BENCHMARK(BM_MoonCalc);

void BM_MoonProgCalc(benchmark::State &state)
{
    double months[13];
    double ut = 0;
    for (auto _ : state) {
        MoonProgCalc(0, 2451545, ut, 0, 100, months, 12);
        benchmark::DoNotOptimize(months);
        ut = ut > 23 ? 0 : ut + 0.01;
    }
}
BENCHMARK(BM_MoonProgCalc);

}  // namespace
