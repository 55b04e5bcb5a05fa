#include <benchmark/benchmark.h>

#include <string>
#include <utility>

#include "shell/edit_history.h"
#include "shell/trends.h"
#include "silent_platform.h"
#include "tables/number_text.h"

namespace {

using vorn::EditHistory;
using vorn::ItemCount;
using vorn::ScenarioTables;

/// `n` named items with a value and a colour in every cell; `seed` varies the values.
ScenarioTables filledTables(int n, int seed) {
    ScenarioTables tables;
    tables.trend.resize(n + 1, n + 1);
    tables.policy.resize(n + 1, n + 1);
    tables.totals.resize(vorn::kTotalsRows, n + 1);
    for (int i = 0; i <= n; ++i) {
        const std::string name = i == 0 ? "Trend Matrix" : "Renewable energy " + std::to_string(i);
        tables.trend.setText(0, i, name);
        tables.trend.setText(i, 0, name);
        for (int j = 1; j <= n; ++j) {
            const double value = ((i * 7 + j * 3 + seed) % 11 - 5) * 0.1;
            tables.trend.setText(i, j, vorn::numberText(value));
            tables.policy.setText(i, j, vorn::numberText(value / 2));
            tables.trend.setColor(i, j, vorn::Rgb{255, 255, std::uint8_t(100 + 10 * seed)});
            tables.policy.setColor(i, j, vorn::Rgb{std::uint8_t(100 + 10 * seed), 255, 255});
        }
        for (int row = 1; row < vorn::kTotalsRows; ++row) {
            tables.totals.setText(row, i, vorn::numberText(1 + (i + seed) % 3));
            tables.totals.setColor(row, i, vorn::Rgb{255, std::uint8_t(100 + 10 * seed), 255});
        }
    }
    return tables;
}

// One stepped cell: the snapshot before it, the comparison after it and the stored step.
void BM_StepSnapshot(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    ScenarioTables tables = filledTables(n, 0);
    const ItemCount cats = ItemCount::number(n);
    EditHistory history;
    double value = 0;
    for (auto _ : state) {
        history.begin(tables, cats);
        value += 0.5;
        tables.trend.setText(n / 2, n / 2, vorn::numberText(value));
        tables.trend.setColor(n / 2, n / 2, vorn::Rgb{255, 255, 0});
        benchmark::DoNotOptimize(history.commit("Change Cell", tables, cats));
    }
}
BENCHMARK(BM_StepSnapshot)->Arg(20)->Arg(8)->Unit(benchmark::kMicrosecond);

// A step that changes every cell, as Clear and Open do.
void BM_StepSnapshotWholeScenario(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    ScenarioTables tables = filledTables(n, 0);
    ScenarioTables other = filledTables(n, 1);
    const ItemCount cats = ItemCount::number(n);
    EditHistory history;
    for (auto _ : state) {
        history.begin(tables, cats);
        std::swap(tables, other);
        benchmark::DoNotOptimize(history.commit("Open", tables, cats));
    }
}
BENCHMARK(BM_StepSnapshotWholeScenario)->Arg(20)->Unit(benchmark::kMicrosecond);

// Undo and redo in turn, of one stepped cell or of a whole scenario, without the
// recalculation that follows them in the window.
void BM_HistoryUndo(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const bool whole = state.range(1) != 0;
    ScenarioTables tables = filledTables(n, 0);
    ItemCount cats = ItemCount::number(n);
    EditHistory history;
    history.begin(tables, cats);
    if (whole) {
        tables = filledTables(n, 1);
    } else {
        tables.trend.setText(1, 1, "2.5");
    }
    history.commit("Change Cell", tables, cats);
    bool undo = true;
    for (auto _ : state) {
        benchmark::DoNotOptimize(undo ? history.undo(tables, cats) : history.redo(tables, cats));
        undo = !undo;
    }
}
BENCHMARK(BM_HistoryUndo)->Args({20, 0})->Args({20, 1})->Unit(benchmark::kMicrosecond);

// Edit > Undo as the window runs it: the history, then one recalculation (one run).
void BM_Undo(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    vorn::bench::SilentPlatform platform;
    vorn::Trends window(platform, vorn::RandomSource(1));
    window.Form_Load();
    window.recordStep("Open", [&] {
        window.tables = filledTables(n, 0);
        window.cats = ItemCount::number(n);
        window.YearbyYear(window.cats);
    });
    window.recordStep("Change Cell", [&] {
        window.MSFlexXImpact().setText(1, 1, "2.5");
        window.YearbyYear(window.cats);
    });
    bool undo = true;
    for (auto _ : state) {
        if (undo) {
            window.mnuUndo_Click();
        } else {
            window.mnuRedo_Click();
        }
        undo = !undo;
    }
}
BENCHMARK(BM_Undo)->Arg(20)->Unit(benchmark::kMicrosecond);

// The memory of a full history: 1,000 steps of one cell each, or of a whole 20-item
// scenario each (the most a history can hold), reported as counters.
void BM_HistoryMemory(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const bool whole = state.range(1) != 0;
    ScenarioTables tables = filledTables(n, 0);
    ScenarioTables other = filledTables(n, 1);
    const ItemCount cats = ItemCount::number(n);
    std::size_t bytes = 0;
    for (auto _ : state) {
        EditHistory history;
        for (std::size_t i = 0; i < EditHistory::kCapacity; ++i) {
            history.begin(tables, cats);
            if (whole) {
                std::swap(tables, other);
            } else {
                tables.trend.setText(1, 1, vorn::numberText(static_cast<double>(i)));
            }
            history.commit("Step", tables, cats);
        }
        bytes = history.storedBytes();
    }
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
    state.counters["bytesPerStep"] = static_cast<double>(bytes) / EditHistory::kCapacity;
}
BENCHMARK(BM_HistoryMemory)
    ->Args({20, 0})
    ->Args({20, 1})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
