// The planetary theory and the lunar and solar series.
#include "qvcalc32.h"

#include <benchmark/benchmark.h>

namespace {

struct Arrays {
    double table[QVCALC32_PLANET_TABLE_HIGH + 1];
    double scratch[QVCALC32_CHART_HIGH + 1] = {}, lon[QVCALC32_CHART_HIGH + 1] = {},
           decl[QVCALC32_CHART_HIGH + 1] = {}, speed[QVCALC32_CHART_HIGH + 1] = {};
    uint8_t counts[QVCALC32_BODIES_HIGH + 1] = {};
    Arrays() { InitialisePlanets(table, QVCALC32_PLANET_TABLE_HIGH); }
};

// One chart's call: bodies 1 to 12, geocentric (Helio 0) or heliocentric.
void BM_PlanetCalc(benchmark::State &state)
{
    Arrays a;
    const int32_t helio = static_cast<int32_t>(state.range(0));
    double T = 1.0;
    for (auto _ : state) {
        PlanetCalc(QVCALC32_SUN, QVCALC32_CHIRON, helio, 0, a.scratch, QVCALC32_CHART_HIGH, T, a.counts,
                   QVCALC32_BODIES_HIGH, 0, a.lon, QVCALC32_CHART_HIGH, a.decl, QVCALC32_CHART_HIGH, a.speed,
                   QVCALC32_CHART_HIGH, a.table, QVCALC32_PLANET_TABLE_HIGH, 0);
        benchmark::DoNotOptimize(a.lon);
        T += 1e-6;  // about 53 minutes a call (a Julian century is 36525 days)
    }
}
BENCHMARK(BM_PlanetCalc)->Arg(0)->Arg(1)->ArgName("helio");

void BM_InitialisePlanets(benchmark::State &state)
{
    double table[QVCALC32_PLANET_TABLE_HIGH + 1];
    for (auto _ : state) {
        InitialisePlanets(table, QVCALC32_PLANET_TABLE_HIGH);
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
    double months[QVCALC32_BODIES_HIGH + 1];  // months 1..12
    double ut = 0;
    for (auto _ : state) {
        MoonProgCalc(0, 2451545, ut, 0, 100, months, QVCALC32_BODIES_HIGH);
        benchmark::DoNotOptimize(months);
        ut = ut > 23 ? 0 : ut + 0.01;
    }
}
BENCHMARK(BM_MoonProgCalc);

}  // namespace
