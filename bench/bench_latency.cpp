// Latency of the house routines' building blocks: each call waits on the
// result of the one before, so the time is the length of the routine's chain
// of dependent steps, not its share of the processor's throughput.  The
// house routines spend most of their time on such chains (the Placidus
// iteration, Koch's arcsine then arctangent), which instruction counts do
// not show.  Each step feeds y * 2^-1000 + x0 back in: the value stays at
// x0 and the feedback adds one multiplication and one addition (Feedback).
//   build/bench/calc_bench --benchmark_filter=Latency
#include "arcsin_real6.h"
#include "fast_trig.h"
#include "internal.h"
#include "qvcalc32.h"

#include <benchmark/benchmark.h>

namespace {

template <typename Step>
void Chain(benchmark::State &state, double x0, Step step)
{
    double y = x0;
    for (auto _ : state) {
        y = step(y) * 0x1p-1000 + x0;
        // Keeps the compiler from seeing through the feedback (in an SSE
        // register where there is one, so the barrier adds no moves).
#if defined(__x86_64__) || defined(__i386__)
        __asm__ volatile("" : "+x"(y));
#else
        benchmark::DoNotOptimize(y);
#endif
    }
    benchmark::DoNotOptimize(y);
}

void BM_Latency_Feedback(benchmark::State &state)
{
    Chain(state, 0.3, [](double y) { return y; });
}
BENCHMARK(BM_Latency_Feedback);

void BM_Latency_FastSinCos(benchmark::State &state)
{
    Chain(state, 0.7, [](double y) { return qv::FastSinCos(y).Sin; });
}
BENCHMARK(BM_Latency_FastSinCos);

void BM_Latency_SmallSinCos(benchmark::State &state)
{
    Chain(state, 0.3, [](double y) { return qv::SmallSinCos(y).Sin; });
}
BENCHMARK(BM_Latency_SmallSinCos);

void BM_Latency_Real6RoundInRange(benchmark::State &state)
{
    Chain(state, 0.41234, [](double y) { return qv::Real6RoundInRange(y); });
}
BENCHMARK(BM_Latency_Real6RoundInRange);

void BM_Latency_ArcSinReal6Fast(benchmark::State &state)
{
    Chain(state, 0.41234, [](double y) { return qv::ArcSinReal6Fast(y); });
}
BENCHMARK(BM_Latency_ArcSinReal6Fast);

void BM_Latency_FastQuadrantOf(benchmark::State &state)
{
    Chain(state, 0.3, [](double y) { return qv::FastQuadrantOf(y, 0.8, y); });
}
BENCHMARK(BM_Latency_FastQuadrantOf);

// A whole Koch call waiting on the previous call's last cusp: its longest
// chain, from the sidereal time to cusp 12.
void BM_Latency_KochHouse_51_5(benchmark::State &state)
{
    double cusps[QVCALC32_CHART_HIGH + 1] = {};
    double lst = 0.1;
    for (auto _ : state) {
        KochHouse(cusps, QVCALC32_CHART_HIGH, lst, 51.5, 0.40910517666747087, 0);
        lst += 0.37 + cusps[12] * 0x1p-1000;
        if (lst >= 24) lst -= 24;
    }
}
BENCHMARK(BM_Latency_KochHouse_51_5);

}  // namespace
