#include <benchmark/benchmark.h>

#include <vector>

#include "projection/projection.h"
#include "projection/year_by_year.h"
#include "scenario_fill.h"
#include "shell/run_comparison.h"

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

// The same with held draws: every fluctuation worked out from (seed, run, step, item).
void BM_ProjectionHeld(benchmark::State& state) {
    const ProjectionInput input =
        denseInput(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    vorn::RandomSource random = vorn::RandomSource::counterBased(1);
    for (auto _ : state) {
        vorn::ProjectionResult result = vorn::project(input, random);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_ProjectionHeld)->Args({20, 20})->Args({8, 1})->Unit(benchmark::kMicrosecond);

// What View > Show Trends Without Policies adds to a recalculation of 20 items and K runs
// while the policies apply: the last run again without them, drawn alone by its number.
void BM_WithoutPolicies(benchmark::State& state) {
    const ProjectionInput input = denseInput(20, static_cast<int>(state.range(0)));
    vorn::RunComparison comparison;
    comparison.setWithoutPoliciesShown(true);
    for (auto _ : state) {
        comparison.recalculated(input, 7);
        benchmark::DoNotOptimize(comparison.withoutPolicies());
    }
}
BENCHMARK(BM_WithoutPolicies)->Arg(20)->Arg(1)->Unit(benchmark::kMicrosecond);

// The comparison lines the Scenario Trends chart is handed at every redraw: a reference of 20
// items matched by name and the trends without the policies.
void BM_ComparisonLines(benchmark::State& state) {
    const ProjectionInput input = denseInput(20, 1);
    vorn::RandomSource random = vorn::RandomSource::counterBased(1);
    const vorn::ProjectionNumbers live = vorn::projectNumbers(input, random);
    vorn::RunComparison comparison;
    comparison.setReference({vorn::namedLevels(live, input.names), true, "Reference"});
    comparison.setWithoutPoliciesShown(true);
    comparison.recalculated(input, 1);
    for (auto _ : state) {
        std::vector<vorn::ComparisonLines> lines = comparison.chartLines(live, input.names);
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(BM_ComparisonLines)->Unit(benchmark::kMicrosecond);

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
