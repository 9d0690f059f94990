// Ascendant, Midheaven and the nine house systems, at a typical place
// (latitude 51.5) over a spread of sidereal times, and Placidus and Koch
// close to the polar circle where their iterations and arcsines work
// hardest.  The target is under a microsecond per call.
#include "arcsin_real6.h"
#include "internal.h"
#include "qvcalc32.h"

#include <cmath>
#include <cstdlib>

#include <benchmark/benchmark.h>

namespace {

constexpr double kObl = 0.40910517666747087;  // 23.44 degrees
constexpr double kLstStep = 0.37;             // hours: sweeps all quadrants of RAMC

using House = void (*)(double *, int32_t, double, double, double, double);

void RunHouse(benchmark::State &state, House house, double lat)
{
    double cusps[QVCALC32_CHART_HIGH + 1] = {};
    double lst = 0.1;
    for (auto _ : state) {
        house(cusps, QVCALC32_CHART_HIGH, lst, lat, kObl, 0);
        benchmark::DoNotOptimize(cusps);
        lst += kLstStep;
        if (lst >= 24) lst -= 24;
    }
}

void Camp(double *c, int32_t h, double lst, double lat, double obl, double off) { CampHouse(c, h, lat, lst, obl, off); }

void Eq(double *c, int32_t h, double lst, double lat, double obl, double off)
{
    double asc, mc;
    EqHouse(&asc, &mc, lst, lat, off, obl, c, h);
}

void BM_AsMcCalc(benchmark::State &state)
{
    double asc, mc, ramc = 0.1;
    for (auto _ : state) {
        AsMcCalc(&asc, &mc, ramc, 51.5 * qv::kDegToRad, kObl, 0);
        benchmark::DoNotOptimize(asc);
        benchmark::DoNotOptimize(mc);
        ramc += 0.097;
        if (ramc > 6.28) ramc -= 6.28;
    }
}
BENCHMARK(BM_AsMcCalc);

BENCHMARK_CAPTURE(RunHouse, Placidus_51_5, PlacHouse, 51.5);
BENCHMARK_CAPTURE(RunHouse, Placidus_66_0, PlacHouse, 66.0);
BENCHMARK_CAPTURE(RunHouse, Placidus_66_5, PlacHouse, 66.5);
BENCHMARK_CAPTURE(RunHouse, Placidus_70_NaN, PlacHouse, 70.0);
BENCHMARK_CAPTURE(RunHouse, Koch_51_5, KochHouse, 51.5);
BENCHMARK_CAPTURE(RunHouse, Koch_66_5, KochHouse, 66.5);
BENCHMARK_CAPTURE(RunHouse, Topocentric_51_5, TopHouse, 51.5);
BENCHMARK_CAPTURE(RunHouse, Regiomontanus_51_5, RegHouse, 51.5);
BENCHMARK_CAPTURE(RunHouse, Campanus_51_5, Camp, 51.5);
BENCHMARK_CAPTURE(RunHouse, Equal_51_5, Eq, 51.5);
BENCHMARK_CAPTURE(RunHouse, Porphyry_51_5, PorHouse, 51.5);
BENCHMARK_CAPTURE(RunHouse, Meridian_51_5, MeridHouse, 51.5);
BENCHMARK_CAPTURE(RunHouse, Morinus_51_5, MorHouse, 51.5);

// The Placidus arcsine alone: the fast path against the reference one.
void BM_ArcSinReal6(benchmark::State &state)
{
    double x = -0.99;
    for (auto _ : state) {
        benchmark::DoNotOptimize(qv::ArcSinReal6(x));
        x = x > 0.99 ? -0.99 : x + 0.0123;
    }
}
BENCHMARK(BM_ArcSinReal6);

void BM_ArcSinReal6Fast(benchmark::State &state)
{
    double x = -0.99;
    for (auto _ : state) {
        benchmark::DoNotOptimize(qv::ArcSinReal6Fast(x));
        x = x > 0.99 ? -0.99 : x + 0.0123;
    }
}
BENCHMARK(BM_ArcSinReal6Fast);

// The Placidus iteration alone, for the four cusps PlacHouse iterates, over
// the same sidereal times as RunHouse/Placidus_51_5: the difference is the
// frame, the angles and the conversion of each cusp to longitude.
void BM_PlacidusIteration_51_5(benchmark::State &state)
{
    constexpr int kHouses[4] = {2, 3, 5, 6};
    const double k = std::tan(51.5 * qv::kDegToRad) * std::tan(kObl);
    double lst = 0.1;
    for (auto _ : state) {
        double base[4], f[4], x[4];
        for (int l = 0; l < 4; ++l) {
            base[l] = lst * 15 * qv::kDegToRad + (kHouses[l] + 2) * 30 * qv::kDegToRad;
            f[l] = (std::abs(kHouses[l] - 7) - 3) / 3.0;
        }
        qv::IteratePlacidus(4, base, f, k, k, x, nullptr);
        benchmark::DoNotOptimize(x);
        lst += kLstStep;
        if (lst >= 24) lst -= 24;
    }
}
BENCHMARK(BM_PlacidusIteration_51_5);

}  // namespace
