#include <benchmark/benchmark.h>

#ifdef VORN_BENCH_GUI
#include <QApplication>
#include <cstdlib>

#include "qt/charts/chart_view.h"
#endif

int main(int argc, char** argv) {
#ifdef VORN_BENCH_GUI
    if (std::getenv("DISPLAY") == nullptr && std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    vorn::ChartView::reuseLargeBuffers();  // as the program does
    QApplication app(argc, argv);
#endif
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
