#include <benchmark/benchmark.h>

#include <string>

#include "projection/influence_map.h"
#include "projection/sensitivity.h"
#include "projection/uncertainty_bands.h"

namespace {

using vorn::ProjectionInput;

// The scenario of the projection benchmarks: every entry non-zero, uncertainty everywhere.
ProjectionInput denseInput(int n) {
    ProjectionInput input;
    input.items = n;
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            input.trend.push_back(((r * 7 + c * 3) % 11 - 5) * 0.1);
            input.policy.push_back(((r + c) % 5 - 2) * 0.05);
        }
        input.uncertainty.push_back(1 + r % 3);
        input.lag.push_back(r % 4);
        input.names.push_back("Item  " + std::to_string(r + 1));
    }
    input.horizon = 2;
    input.uncertaintyLevel = 1;
    input.policyOn = true;
    input.runs = 20;
    input.tracked = 1;
    return input;
}

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

}  // namespace
