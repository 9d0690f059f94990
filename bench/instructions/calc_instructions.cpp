// Calls one library routine (or the chart of the moment) a given number of
// times, for counting instructions under valgrind's callgrind: unlike
// times, the counts repeat exactly on a shared, noisy machine.
// bench/instructions/count.sh runs it twice and prints instructions per call.
//   calc_instructions ROUTINE CALLS   (ROUTINE: planets, placidus, koch,
//   campanus, topocentric, morinus, porphyry, regiomontanus, meridian,
//   equal, chart)
#include "chart.h"
#include "qvcalc32.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using namespace zenlume;

const PlanetTable kTable;
double g_cusps[QVCALC32_CHART_HIGH + 1], g_lon[QVCALC32_CHART_HIGH + 1], g_decl[QVCALC32_CHART_HIGH + 1],
    g_speed[QVCALC32_CHART_HIGH + 1], g_scratch[QVCALC32_CHART_HIGH + 1];
uint8_t g_counts[QVCALC32_BODIES_HIGH + 1];
double g_t = 1.2, g_lst = 3.1;
constexpr double kLat = 51.5, kObl = 0.40909;
constexpr int kHigh = QVCALC32_CHART_HIGH;

void Planets()
{
    PlanetCalc(QVCALC32_SUN, QVCALC32_CHIRON, 0, 0, g_scratch, kHigh, g_t, g_counts, QVCALC32_BODIES_HIGH, 0, g_lon,
               kHigh, g_decl, kHigh, g_speed, kHigh, kTable.Values, QVCALC32_PLANET_TABLE_HIGH, 0);
}
void Placidus() { PlacHouse(g_cusps, kHigh, g_lst, kLat, kObl, 0); }
void Koch() { KochHouse(g_cusps, kHigh, g_lst, kLat, kObl, 0); }
void Campanus() { CampHouse(g_cusps, kHigh, kLat, g_lst, kObl, 0); }
void Topocentric() { TopHouse(g_cusps, kHigh, g_lst, kLat, kObl, 0); }
void Morinus() { MorHouse(g_cusps, kHigh, g_lst, kLat, kObl, 0); }
void Porphyry() { PorHouse(g_cusps, kHigh, g_lst, kLat, kObl, 0); }
void Regiomontanus() { RegHouse(g_cusps, kHigh, g_lst, kLat, kObl, 0); }
void Meridian() { MeridHouse(g_cusps, kHigh, g_lst, kLat, kObl, 0); }
void Equal()
{
    double asc, mc;
    EqHouse(&asc, &mc, g_lst, kLat, 0, kObl, g_cusps, kHigh);
}
void Chart()
{
    Settings settings;
    settings.LatDeg = 51;
    settings.LatMin = 30;
    settings.LongMin = 7;
    ClockChart chart;
    ComputeChartAt(settings, LocalDateTime{2026, 12, 7, 21, static_cast<int>(g_lst * 2) % 60, 0, 0}, kTable, chart);
    g_lon[1] = chart.PlanetPos[1];
}

struct Routine {
    const char *name;
    void (*call)();
};
constexpr Routine kRoutines[] = {
    {"planets", Planets},   {"placidus", Placidus},         {"koch", Koch},         {"campanus", Campanus},
    {"topocentric", Topocentric}, {"morinus", Morinus},     {"porphyry", Porphyry}, {"regiomontanus", Regiomontanus},
    {"meridian", Meridian}, {"equal", Equal},               {"chart", Chart},
};

}  // namespace

int main(int argc, char **argv)
{
    const Routine *routine = nullptr;
    for (const Routine &r : kRoutines)
        if (argc == 3 && std::strcmp(argv[1], r.name) == 0) routine = &r;
    if (!routine) {
        std::fprintf(stderr, "usage: calc_instructions ROUTINE CALLS (planets, placidus ... equal, chart)\n");
        return 2;
    }
    const long calls = std::atol(argv[2]);
    double sum = 0;
    for (long i = 0; i < calls; ++i) {
        routine->call();
        // A new moment every call: about 5 minutes of time, 10 of sidereal time.
        g_t += 1e-7;
        g_lst += 0.0117;
        if (g_lst >= 24) g_lst -= 24;
        sum += g_lon[1] + g_cusps[2];
    }
    std::printf("%g\n", sum);
    return 0;
}
