#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "projection/projection.h"
#include "projection/year_by_year.h"
#include "tables/number_text.h"

namespace {

using vorn::ProjectionInput;

// A full scenario of `n` items with non-zero entries everywhere, so no work is skipped.
ProjectionInput denseInput(int n, int runs) {
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
    input.runs = runs;
    input.tracked = 1;
    return input;
}

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

vorn::ScenarioTables denseTables(int n) {
    vorn::ScenarioTables tables;
    tables.trend.resize(n + 1, n + 1);
    tables.policy.resize(n + 1, n + 1);
    tables.totals.resize(vorn::kTotalsRows, n + 1);
    const ProjectionInput input = denseInput(n, 1);
    for (int i = 1; i <= n; ++i) {
        tables.trend.setText(0, i, vorn::defaultItemName(i));
        tables.trend.setText(i, 0, vorn::defaultItemName(i));
        for (int j = 1; j <= n; ++j) {
            const std::size_t k = static_cast<std::size_t>((i - 1) * n + (j - 1));
            tables.trend.setText(i, j, vorn::numberText(input.trend[k]));
            tables.policy.setText(i, j, vorn::numberText(input.policy[k]));
        }
        tables.totals.setText(vorn::kUncertaintyRow, i,
                              vorn::numberText(input.uncertainty[static_cast<std::size_t>(i - 1)]));
        tables.totals.setText(vorn::kLagsRow, i,
                              vorn::numberText(input.lag[static_cast<std::size_t>(i - 1)]));
    }
    return tables;
}

void BM_YearbyYear(benchmark::State& state) {
    vorn::ScenarioTables tables = denseTables(static_cast<int>(state.range(0)));
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
