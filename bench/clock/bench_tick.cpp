// One minute tick of the desktop clock as the timer runs it: compute the
// chart, fill the positions grid, set the tray icon and draw the wheel at
// 547 pixels.  On Qt's offscreen platform.  Run: build/bench/clock_bench
#include "frm_about.h"
#include "frm_clock.h"
#include "frm_options.h"
#include "frm_positions.h"
#include "frm_qv4.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

void BM_MinuteTick(benchmark::State &state)
{
    using namespace zenlume;
    TfrmClock clock("/nonexistent/zenlume.ini");  // the defaults; nothing is written
    TfrmPositions positions;
    TfrmOptions options;
    TfrmQV4 qv4;
    TfrmAbout about(&qv4);
    clock.SetWindows(&positions, &options, &about, &qv4);
    clock.SetNotifier([](const QString &, const QString &, bool) {});
    LocalDateTime now{2026, 12, 7, 0, 0, 0, 0};
    clock.Session().SetTimeSource([&] { return clock.Session().Zone().Resolve(now).Earlier; });
    clock.show();
    clock.resize(547, 547);
    QApplication::processEvents();
    int minute = 0;
    for (auto _ : state) {
        ++minute;
        now.Hour = minute / 60 % 24;
        now.Minute = minute % 60;
        clock.Session().MinuteTick();
        benchmark::DoNotOptimize(clock.WheelImage().constBits());
    }
    state.counters["side"] = clock.WheelImage().width();
}
BENCHMARK(BM_MinuteTick)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
