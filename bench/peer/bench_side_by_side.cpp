// Zenlume against a high-precision ephemeris (Debian's libswe, its
// analytical theory unless "[files]" names its ephemeris files; Chiron from
// its asteroid file), in one process, printed as ratios at the end:
// - the twelve bodies with speeds: PlanetCalc against the peer's twelve
//   calls with speed (Sun to Pluto, true Node, Chiron), in both its ways;
// - each of the nine house routines against the peer's house routine for
//   the same system from the same sidereal time, latitude and obliquity, at
//   latitudes 0, 51.5 and 66;
// - the chart of the moment (ComputeChartAt: sidereal time, Placidus
//   houses, twelve bodies, 26 sign texts) against the peer's equivalent
//   (Julian date, houses, twelve bodies with speeds, 26 texts);
// - the precise chart of the moment (ComputeChartAt with Precise, as the
//   clock computes it, its zone kept): the next minute, whose series are
//   already fitted; sixteen days of consecutive minutes, the refits of every
//   series included; and a cold chart, every series fitted anew.  Beside it
//   the peer's chart with its analytical theory and with its ephemeris files
//   (the peer's ways in brackets).
// Run: build-peer/bench/peer/peer_bench (build with -DZENLUME_BUILD_PEER_BENCH=ON).
#include "chart.h"
#include "peer_ephemeris.h"
#include "place_zone.h"
#include "qvcalc32.h"
#include "ratio_reporter.h"

#include <benchmark/benchmark.h>
#include <swephexp.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <string>

namespace {

constexpr double kObl = 0.40910517666747087;  // 23.44 degrees
constexpr double kLstStep = 0.37;             // hours: sweeps all quadrants of RAMC
constexpr double kT0 = 1.27;                  // Julian centuries from 1900: late 2026
constexpr double kTStep = 1e-6;               // about 53 minutes a call
constexpr double kJdOfT0 = 2415020.0 + kT0 * 36525;
constexpr int32_t kPeerFlags = SEFLG_MOSEPH | SEFLG_SPEED;
const int kPeerBodies[12] = {SE_SUN,    SE_MOON,   SE_MERCURY, SE_VENUS, SE_MARS,      SE_JUPITER,
                             SE_SATURN, SE_URANUS, SE_NEPTUNE, SE_PLUTO, SE_TRUE_NODE, SE_CHIRON};
const char *const kSystemNames[10] = {"",        "Placidus", "Koch",          "Campanus", "Topocentric",
                                      "Morinus", "Porphyry", "Regiomontanus", "Meridian", "Equal"};
const double kLatitudes[3] = {0.0, 51.5, 66.0};

void ZenlumeBodies(benchmark::State &state)
{
    double table[QVCALC32_PLANET_TABLE_HIGH + 1];
    InitialisePlanets(table, QVCALC32_PLANET_TABLE_HIGH);
    double scratch[QVCALC32_CHART_HIGH + 1] = {}, lon[QVCALC32_CHART_HIGH + 1] = {},
           decl[QVCALC32_CHART_HIGH + 1] = {}, speed[QVCALC32_CHART_HIGH + 1] = {};
    uint8_t counts[QVCALC32_BODIES_HIGH + 1] = {};
    double T = kT0;
    for (auto _ : state) {
        PlanetCalc(QVCALC32_SUN, QVCALC32_CHIRON, 0, 0, scratch, QVCALC32_CHART_HIGH, T, counts, QVCALC32_BODIES_HIGH,
                   0, lon, QVCALC32_CHART_HIGH, decl, QVCALC32_CHART_HIGH, speed, QVCALC32_CHART_HIGH, table,
                   QVCALC32_PLANET_TABLE_HIGH, 0);
        benchmark::DoNotOptimize(lon);
        benchmark::DoNotOptimize(speed);
        T += kTStep;
    }
}

// The peer's twelve bodies with speeds, `flags` choosing its theory.
void PeerBodies(benchmark::State &state, int32_t flags)
{
    double xx[6];
    char serr[AS_MAXCH];
    double jd = kJdOfT0;
    for (auto _ : state) {
        for (int body : kPeerBodies) {
            if (swe_calc_ut(jd, body, flags, xx, serr) < 0) {
                state.SkipWithError(serr);
                return;
            }
            benchmark::DoNotOptimize(xx);
        }
        jd += kTStep * 36525;
    }
}

void ZenlumeHouses(double *cusps, int houseSys, double lst, double lat)
{
    zenlume::CalcHouseCusps(static_cast<uint8_t>(houseSys), lst, lat, kObl, 0, cusps);
}

void ZenlumeHouse(benchmark::State &state, int houseSys, double lat)
{
    double cusps[QVCALC32_CHART_HIGH + 1] = {};
    double lst = 0.1;
    for (auto _ : state) {
        ZenlumeHouses(cusps, houseSys, lst, lat);
        benchmark::DoNotOptimize(cusps);
        lst += kLstStep;
        if (lst >= 24) lst -= 24;
    }
}

void PeerHouse(benchmark::State &state, int houseSys, double lat)
{
    double cusps[13] = {}, ascmc[10] = {};
    const char letter = zenlume::PeerEphemeris::HouseLetter(houseSys);
    const double eps = kObl * 180 / M_PI;
    double lst = 0.1;
    for (auto _ : state) {
        swe_houses_armc(lst * 15, lat, eps, letter, cusps, ascmc);
        benchmark::DoNotOptimize(cusps);
        lst += kLstStep;
        if (lst >= 24) lst -= 24;
    }
}

// The chart's settings: 51°30' N on the Greenwich meridian, Placidus.
zenlume::Settings ChartSettings()
{
    zenlume::Settings settings;
    settings.LatDeg = 51;
    settings.LatMin = 30;
    settings.HouseSys = QVCALC32_PLACIDUS;
    return settings;
}

void ZenlumeChart(benchmark::State &state)
{
    const zenlume::PlanetTable table;
    const zenlume::Settings settings = ChartSettings();
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

// The precise chart's first instant, 2026-12-07 12:00 UT: the Moon's and the
// Node's one-day series start at 12h UT (whole days from J2000), and the
// four- and sixteen-day series run on to 2026-12-10 12h, so the twelve hours
// from here fall within one series of every body.
zenlume::Instant PreciseChartStart()
{
    zenlume::LocalDateTime ut;
    ut.Year = 2026;
    ut.Month = 12;
    ut.Day = 7;
    ut.Hour = 12;
    return zenlume::InstantOfUt(ut);
}

zenlume::Settings PreciseChartSettings()
{
    zenlume::Settings settings = ChartSettings();
    settings.Precise = true;
    return settings;
}

constexpr int kMinutesPerDay = 24 * 60;
constexpr int kPreciseDays = 16;  // the longest series: every body is refitted at least once

// The next minute, within the series already fitted: what the clock does
// almost every minute.
void ZenlumePreciseNextMinute(benchmark::State &state)
{
    const zenlume::PlanetTable table;
    const zenlume::Settings settings = PreciseChartSettings();
    const zenlume::PlaceZone zone = zenlume::PlaceZone::Of(settings);
    const zenlume::Instant start = PreciseChartStart();
    zenlume::ClockChart chart;
    zenlume::ComputeChartAt(settings, zone, start, table, chart);  // fits the series
    int minute = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            zenlume::ComputeChartAt(settings, zone, start + std::chrono::minutes(minute), table, chart));
        minute = (minute + 1) % (12 * 60);
    }
}

// Consecutive minutes over sixteen days: the cost per minute with the refits
// (the Moon's and the Node's every day, the Sun's and the inner planets'
// every fourth, the others' once) spread over the minutes.
void ZenlumePreciseMinutes(benchmark::State &state)
{
    const zenlume::PlanetTable table;
    const zenlume::Settings settings = PreciseChartSettings();
    const zenlume::PlaceZone zone = zenlume::PlaceZone::Of(settings);
    const zenlume::Instant start = PreciseChartStart();
    zenlume::ClockChart chart;
    zenlume::ComputeChartAt(settings, zone, start, table, chart);
    int minute = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            zenlume::ComputeChartAt(settings, zone, start + std::chrono::minutes(minute), table, chart));
        ++minute;
    }
}

// Every chart seventeen days after the last: every series is fitted anew,
// as for the first chart after a start or a jump of the date.
void ZenlumePreciseCold(benchmark::State &state)
{
    const zenlume::PlanetTable table;
    const zenlume::Settings settings = PreciseChartSettings();
    const zenlume::PlaceZone zone = zenlume::PlaceZone::Of(settings);
    zenlume::Instant at = PreciseChartStart();
    zenlume::ClockChart chart;
    for (auto _ : state) {
        at += std::chrono::hours(17 * 24 + 1);
        benchmark::DoNotOptimize(zenlume::ComputeChartAt(settings, zone, at, table, chart));
    }
}

// The sign notation "15 Sco 30" of a longitude, as the peer's callers make it.
void PeerSignText(double longitude, char text[16])
{
    static const char *const kSigns[12] = {"Ari", "Tau", "Gem", "Can", "Leo", "Vir",
                                           "Lib", "Sco", "Sag", "Cap", "Aqu", "Pis"};
    int32_t deg, min, sec, sign;
    double fraction;
    swe_split_deg(longitude, SE_SPLIT_DEG_ZODIACAL, &deg, &min, &sec, &fraction, &sign);
    std::snprintf(text, 16, "%02d %s %02d", deg, kSigns[sign % 12], min);
}

// The peer's chart of the moment: houses, twelve bodies with speeds and 26
// sign texts, with `flags` choosing its theory: SEFLG_MOSEPH, analytical, or
// SEFLG_SWIEPH, its ephemeris files.
void PeerChart(benchmark::State &state, int32_t flags)
{
    const zenlume::Settings settings = ChartSettings();
    const int32_t bodyFlags = flags | SEFLG_SPEED;
    double lon[13], speed[13], cusps[13], ascmc[10], xx[6];
    char serr[AS_MAXCH], texts[26][16];
    int minute = 0;
    for (auto _ : state) {
        const double ut = minute / 60 % 24 + (minute % 60) / 60.0 - settings.ZoneHours;
        ++minute;
        const double jd = swe_julday(2026, 12, 7, ut, SE_GREG_CAL);
        // The peer's longitudes are east-positive.
        swe_houses_ex(jd, flags, settings.Latitude(), -settings.Longitude(), 'P', cusps, ascmc);
        for (int k = 0; k < 12; ++k) {
            if (swe_calc_ut(jd, kPeerBodies[k], bodyFlags, xx, serr) < 0) {
                state.SkipWithError(serr);
                return;
            }
            lon[k + 1] = xx[0];
            speed[k + 1] = xx[3];
        }
        for (int k = 0; k < 12; ++k) PeerSignText(lon[k + 1], texts[k]);
        PeerSignText(ascmc[0], texts[12]);
        PeerSignText(ascmc[1], texts[13]);
        for (int k = 0; k < 12; ++k) PeerSignText(cusps[k + 1], texts[14 + k]);
        benchmark::DoNotOptimize(texts);
        benchmark::DoNotOptimize(speed);
    }
}

void RegisterAll()
{
    benchmark::RegisterBenchmark("zenlume/Bodies 1-12 with speeds", ZenlumeBodies);
    benchmark::RegisterBenchmark("peer/Bodies 1-12 with speeds", PeerBodies, kPeerFlags);
    benchmark::RegisterBenchmark("peer/Bodies 1-12 with speeds [files]", PeerBodies, SEFLG_SWIEPH | SEFLG_SPEED);
    for (int s = QVCALC32_PLACIDUS; s <= QVCALC32_EQUAL; ++s)
        for (double lat : kLatitudes) {
            char name[64];
            std::snprintf(name, sizeof name, "Houses %s %.1f", kSystemNames[s], lat);
            benchmark::RegisterBenchmark((std::string("zenlume/") + name).c_str(), ZenlumeHouse, s, lat);
            benchmark::RegisterBenchmark((std::string("peer/") + name).c_str(), PeerHouse, s, lat);
        }
    benchmark::RegisterBenchmark("zenlume/Chart of the moment", ZenlumeChart);
    benchmark::RegisterBenchmark("peer/Chart of the moment", PeerChart, kPeerFlags & ~SEFLG_SPEED);

    // The precise chart: the peer's chart beside each case, in both its ways.
    const struct {
        const char *Case;
        void (*Run)(benchmark::State &);
        int64_t Iterations;  // 0: as many as the framework takes
    } precise[] = {
        {"Precise chart, next minute", ZenlumePreciseNextMinute, 0},
        {"Precise chart, 16 days of minutes", ZenlumePreciseMinutes, kPreciseDays * kMinutesPerDay},
        {"Precise chart, cold", ZenlumePreciseCold, 0},
    };
    for (const auto &c : precise) {
        auto *ours = benchmark::RegisterBenchmark((std::string("zenlume/") + c.Case).c_str(), c.Run);
        if (c.Iterations) ours->Iterations(c.Iterations);
        ours->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((std::string("peer/") + c.Case + " [analytical]").c_str(), PeerChart,
                                     SEFLG_MOSEPH)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((std::string("peer/") + c.Case + " [files]").c_str(), PeerChart, SEFLG_SWIEPH)
            ->Unit(benchmark::kMicrosecond);
    }
}

}  // namespace

int main(int argc, char **argv)
{
    zenlume::PeerEphemeris peer;
    std::string error;
    if (!peer.Check(&error)) {
        std::cerr << "peer_bench: the peer ephemeris cannot compute every body: " << error
                  << "\nInstall it with: bash scripts/deps --peer\n";
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RegisterAll();
    zenlume::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios(std::cout);
    benchmark::Shutdown();
    return 0;
}
