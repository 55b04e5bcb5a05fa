#include <benchmark/benchmark.h>

#include <random>

#include "projection/feedback_loops.h"
#include "projection/influence_map.h"
#include "projection/sensitivity.h"
#include "projection/uncertainty_bands.h"
#include "scenario_fill.h"

namespace {

using vorn::ProjectionInput;

using vorn::bench::denseInput;

// The bands of the tracked item over K runs of 20 items: what a recalculation adds while the
// Spread chart shows them.
void BM_Bands(benchmark::State& state) {
    const ProjectionInput input = denseInput(20);
    vorn::RandomSource random(1);
    for (auto _ : state) {
        vorn::UncertaintyBands bands =
            vorn::computeBands(input, static_cast<int>(state.range(0)), random);
        benchmark::DoNotOptimize(bands);
    }
}
BENCHMARK(BM_Bands)->Arg(1000)->Arg(200)->Unit(benchmark::kMillisecond);

// The same with held draws, as while View > Hold Random Draws is on.
void BM_BandsHeld(benchmark::State& state) {
    const ProjectionInput input = denseInput(20);
    vorn::RandomSource random = vorn::RandomSource::counterBased(1);
    for (auto _ : state) {
        vorn::UncertaintyBands bands =
            vorn::computeBands(input, static_cast<int>(state.range(0)), random);
        benchmark::DoNotOptimize(bands);
    }
}
BENCHMARK(BM_BandsHeld)->Arg(1000)->Unit(benchmark::kMillisecond);

// N x N projections without fluctuations, one per raised Trend Matrix entry.
void BM_Sensitivity(benchmark::State& state) {
    const ProjectionInput input = denseInput(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        vorn::Sensitivity sensitivity = vorn::computeSensitivity(input);
        benchmark::DoNotOptimize(sensitivity);
        benchmark::DoNotOptimize(sensitivity.top());
    }
}
BENCHMARK(BM_Sensitivity)->Arg(20)->Arg(8)->Unit(benchmark::kMillisecond);

void BM_InfluenceMap(benchmark::State& state) {
    const ProjectionInput input = denseInput(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        vorn::InfluenceMap map = vorn::computeInfluenceMap(input);
        benchmark::DoNotOptimize(map);
    }
}
BENCHMARK(BM_InfluenceMap)->Arg(20)->Unit(benchmark::kMicrosecond);

// The Loop Diagram of N items, every entry an arrow: the bounded search for the strongest
// loops among astronomically many.
void BM_LoopDiagram(benchmark::State& state) {
    const ProjectionInput input = denseInput(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        vorn::LoopDiagram diagram = vorn::computeLoopDiagram(input);
        benchmark::DoNotOptimize(diagram);
    }
}
BENCHMARK(BM_LoopDiagram)->Arg(20)->Arg(8)->Unit(benchmark::kMillisecond);

// The same with entries of many different sizes, drawn at random: the strongest loops stand
// out less, and fewer paths can be left out.
void BM_LoopDiagramRandom(benchmark::State& state) {
    ProjectionInput input = denseInput(static_cast<int>(state.range(0)));
    std::mt19937 random(5);
    std::uniform_real_distribution<double> entry(-1, 1);
    for (double& value : input.trend) {
        value = entry(random);
    }
    for (auto _ : state) {
        vorn::LoopDiagram diagram = vorn::computeLoopDiagram(input);
        benchmark::DoNotOptimize(diagram);
    }
}
BENCHMARK(BM_LoopDiagramRandom)->Arg(20)->Unit(benchmark::kMillisecond);

}  // namespace
