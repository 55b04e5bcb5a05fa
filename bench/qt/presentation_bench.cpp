#include <benchmark/benchmark.h>
#include <QApplication>
#include <QPixmap>

#include "bench_window.h"
#include "editing/click_handlers.h"
#include "shell/presentation_layout.h"

namespace {

using vorn::Control;
using vorn::bench::BenchWindow;

// A 1920x1080 screen below a menu bar.
const QSize kScreen(1920, 1080);
const QSize kArea(1920, 1055);

// The core's part: every control's place on the screen.
void BM_PresentationPlaces(benchmark::State& state) {
    const vorn::PresentationMetrics metrics = vorn::presentationMetrics({1920, 1080}, 16);
    vorn::PresentationInput input;
    input.matrixRows = 22;
    for (auto _ : state) {
        input.largeChart =
            input.largeChart == Control::mscTrends ? Control::MscVary : Control::mscTrends;
        benchmark::DoNotOptimize(vorn::presentationLayout({1920, 1055}, metrics, input));
    }
}
BENCHMARK(BM_PresentationPlaces)->Unit(benchmark::kMicrosecond);

// Turning the presentation layout on at 20 items and 20 runs: the fonts, every control's place,
// the tables' columns, and the whole client area painted (the design is brought back between
// the measurements).
void BM_PresentationOn(benchmark::State& state) {
    BenchWindow bench(static_cast<int>(state.range(0)), 20);
    vorn::TrendsView* view = bench.window.view();
    for (auto _ : state) {
        view->showPresentation(kArea, kScreen);
        QPixmap presented = view->grab();
        benchmark::DoNotOptimize(presented);
        state.PauseTiming();
        view->setZoom(vorn::Zoom());
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PresentationOn)->Arg(20)->Unit(benchmark::kMillisecond);

// A click on a small chart of the presentation layout at 20 items: its handler and
// recalculation, the charts in their new places and painted.
void BM_PresentationChartClick(benchmark::State& state) {
    BenchWindow bench(static_cast<int>(state.range(0)), 1);
    vorn::TrendsView* view = bench.window.view();
    view->showPresentation(kArea, kScreen);
    QApplication::processEvents();
    int step = 0;
    for (auto _ : state) {
        view->run([&] {
            if (++step % 2 == 0) {
                vorn::MscXImpacts_Click(bench.trends);
            } else {
                vorn::mscTrends_Click(bench.trends);
            }
        });
        QApplication::processEvents();
    }
}
BENCHMARK(BM_PresentationChartClick)->Arg(20)->Unit(benchmark::kMillisecond);

// One recalculation in the presentation layout at 20 items and 20 runs, as a slider move makes
// it, and the window brought up to date and painted where it changed.
void BM_RecalcAndDrawPresentation(benchmark::State& state) {
    BenchWindow bench(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    bench.window.view()->showPresentation(kArea, kScreen);
    QApplication::processEvents();
    for (auto _ : state) {
        bench.trends.YearbyYear(bench.trends.cats);
        bench.window.view()->refresh();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_RecalcAndDrawPresentation)->Args({20, 20})->Unit(benchmark::kMillisecond);

}  // namespace
