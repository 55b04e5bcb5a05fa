#include <benchmark/benchmark.h>
#include <QAction>
#include <QApplication>
#include <QPixmap>

#include "bench_window.h"
#include "qt/window/main_window.h"
#include "qt/window/trends_view.h"
#include "shell/trends.h"
#include "shell/zoom.h"
#include "silent_platform.h"

namespace {

using vorn::bench::BenchWindow;

// One recalculation as a slider move makes it, and the window brought up to date and
// painted where it changed (the three charts, the captions, changed cells).
void BM_RecalcAndDraw(benchmark::State& state) {
    BenchWindow bench(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        bench.trends.YearbyYear(bench.trends.cats);
        bench.window.view()->refresh();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_RecalcAndDraw)->Args({20, 20})->Args({8, 1})->Unit(benchmark::kMillisecond);

// The same with View > Uncertainty Bands on: the bands of the tracked item over 1,000 runs of
// their own are worked out and drawn behind the twenty runs of the Spread chart.
void BM_RecalcAndDrawWithBands(benchmark::State& state) {
    BenchWindow bench(static_cast<int>(state.range(0)), 20);
    bench.trends.mnuUncertaintyBands_Click();
    for (auto _ : state) {
        bench.trends.YearbyYear(bench.trends.cats);
        bench.window.view()->refresh();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_RecalcAndDrawWithBands)->Arg(20)->Unit(benchmark::kMillisecond);

// A recalculation with K runs (range 1) after a Policy Matrix click, with a reference set and
// the trends without the policies shown (range 2 = 1) or not (0): the extra projection, and
// with one run forty comparison lines drawn behind the lines of the Scenario Trends chart.
void BM_RecalcAndDrawCompared(benchmark::State& state) {
    BenchWindow bench(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    bench.trends.Policy = 1;
    if (state.range(2) == 1) {
        bench.trends.mnuSetReference_Click();
        bench.trends.mnuTrendsWithoutPolicies_Click();
    }
    bench.trends.YearbyYear(bench.trends.cats);
    bench.window.view()->refresh();
    QApplication::processEvents();
    for (auto _ : state) {
        bench.trends.YearbyYear(bench.trends.cats);
        bench.window.view()->refresh();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_RecalcAndDrawCompared)
    ->Args({20, 1, 0})
    ->Args({20, 1, 1})
    ->Args({20, 20, 1})
    ->Unit(benchmark::kMillisecond);

// A changed Trend Matrix entry and its recalculation while the Sensitivity (0) or the
// Influence Map (1) window is open: the analysis worked out again and its window redrawn,
// besides the main window.
void BM_RecalcWithAnalysisWindow(benchmark::State& state) {
    BenchWindow bench(static_cast<int>(state.range(0)), 1);
    const char* entries[] = {"mnuSensitivity", "mnuInfluenceMap", "mnuLoopDiagram"};
    const char* entry = entries[state.range(1)];
    bench.window.findChild<QAction*>(QString::fromLatin1(entry))->trigger();
    QApplication::processEvents();
    int step = 0;
    for (auto _ : state) {
        bench.trends.MSFlexXImpact().setText(1, 2, ++step % 2 == 0 ? "0.5" : "-0.5");
        bench.trends.YearbyYear(bench.trends.cats);
        bench.window.view()->refresh();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_RecalcWithAnalysisWindow)
    ->Args({20, 0})
    ->Args({20, 1})
    ->Args({20, 2})
    ->Unit(benchmark::kMillisecond);

// The same, painting the whole window every time.
void BM_RecalcAndDrawWholeWindow(benchmark::State& state) {
    BenchWindow bench(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        bench.trends.YearbyYear(bench.trends.cats);
        bench.window.view()->refresh();
        QPixmap painted = bench.window.grab();
        benchmark::DoNotOptimize(painted);
    }
}
BENCHMARK(BM_RecalcAndDrawWholeWindow)->Args({20, 20})->Unit(benchmark::kMillisecond);

// Only the update of the controls, without painting.
void BM_RefreshOnly(benchmark::State& state) {
    BenchWindow bench(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        bench.trends.YearbyYear(bench.trends.cats);
        bench.window.view()->refresh();
    }
    QApplication::processEvents();
}
BENCHMARK(BM_RefreshOnly)->Args({20, 20})->Unit(benchmark::kMillisecond);

// One step of Fit to Window while the window is resized by hand: the whole design laid out
// again at a new zoom, fonts fitted to the captions, and painted.
void BM_ZoomChange(benchmark::State& state) {
    BenchWindow bench(static_cast<int>(state.range(0)), 1);
    int step = 0;
    for (auto _ : state) {
        bench.window.view()->setZoom(vorn::Zoom(++step % 2 == 0 ? 100 : 125));
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ZoomChange)->Arg(20)->Unit(benchmark::kMillisecond);

// From nothing to the first painted window: the window state, the window with its controls,
// start-up with the first projection, and the first paint.
void BM_StartUp(benchmark::State& state) {
    for (auto _ : state) {
        vorn::bench::SilentPlatform platform;
        vorn::Trends trends(platform);
        vorn::MainWindow window(trends);
        trends.Form_Load();
        window.view()->refresh();
        window.show();
        QPixmap painted = window.grab();
        benchmark::DoNotOptimize(painted);
    }
}
BENCHMARK(BM_StartUp)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
