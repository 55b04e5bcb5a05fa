#include <benchmark/benchmark.h>

#include <vector>

#include "projection/projection.h"
#include "projection/year_by_year.h"
#include "scenario_fill.h"

namespace {

using vorn::ProjectionInput;

using vorn::bench::denseInput;

void BM_Projection(benchmark::State& state) {
    const ProjectionInput input =
        denseInput(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    vorn::RandomSource random(1);
    for (auto _ : state) {
        vorn::ProjectionResult result = vorn::project(input, random);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_Projection)->Args({20, 20})->Args({8, 1})->Unit(benchmark::kMicrosecond);

// The floor: the same number of multiply-adds (runs x 20 steps x N x N), nothing else.
void BM_ProjectionLimit(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const int runs = static_cast<int>(state.range(1));
    const std::size_t un = static_cast<std::size_t>(n);
    std::vector<double> coefficient(un * un, 0.001);
    std::vector<double> level(un, 1.0);
    std::vector<double> sum(un);
    for (auto _ : state) {
        for (int step = 0; step < runs * vorn::kSteps; ++step) {
            std::fill(sum.begin(), sum.end(), 0.0);
            for (std::size_t j = 0; j < un; ++j) {
                const double a = level[j];
                const double* c = &coefficient[j * un];
                for (std::size_t i = 0; i < un; ++i) {
                    sum[i] += c[i] * a;
                }
            }
            benchmark::DoNotOptimize(sum.data());
            benchmark::ClobberMemory();
        }
    }
}
BENCHMARK(BM_ProjectionLimit)->Args({20, 20})->Unit(benchmark::kMicrosecond);

void BM_YearbyYear(benchmark::State& state) {
    vorn::ScenarioTables tables = vorn::bench::denseTables(static_cast<int>(state.range(0)));
    vorn::ProjectionSettings settings;
    settings.policy = 1;
    settings.iter = static_cast<int>(state.range(1));
    settings.lastc2 = 1;
    vorn::RandomSource random(1);
    for (auto _ : state) {
        vorn::ProjectionResult result = vorn::yearByYear(tables, settings, random);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_YearbyYear)->Args({20, 20})->Unit(benchmark::kMicrosecond);

}  // namespace
