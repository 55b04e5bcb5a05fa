#include <benchmark/benchmark.h>

#include <array>

#include "bench_window.h"
#include "qt/window/qt_platform.h"

namespace {

// File > Export Charts with 20 items and 20 runs: the three charts drawn in memory as a PNG,
// SVG or PDF file (argument 0, 1, 2), before the bytes go to the file writer.
void BM_DrawChartFile(benchmark::State& state) {
    const vorn::bench::BenchWindow bench(20, 20);
    vorn::ChartPicture picture;
    picture.levels = bench.trends.chartData(vorn::Control::mscTrends);
    picture.contributions = bench.trends.chartData(vorn::Control::MscXImpacts);
    picture.spread = bench.trends.chartData(vorn::Control::MscVary);
    const std::string type = std::array{"png", "svg", "pdf"}[state.range(0)];
    vorn::QtPlatform platform;
    std::size_t bytes = 0;
    for (auto _ : state) {
        const vorn::DrawnFile drawn = platform.drawChartFile(type, picture);
        if (!drawn.error.empty()) {
            state.SkipWithError(drawn.error.c_str());
            break;
        }
        bytes = drawn.bytes.size();
    }
    state.SetLabel(type);
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_DrawChartFile)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace
