#pragma once

// The scenario of the benchmarks: every entry non-zero and every item uncertain, so that no
// work is skipped.

#include <string>

#include "projection/projection.h"
#include "tables/number_text.h"
#include "tables/scenario_tables.h"

namespace vorn::bench {

/// The scenario of `n` items as a projection input, recalculated with `runs` runs.
inline ProjectionInput denseInput(int n, int runs = 20) {
    ProjectionInput input;
    input.items = n;
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            input.trend.push_back(((r * 7 + c * 3) % 11 - 5) * 0.1);
            input.policy.push_back(((r + c) % 5 - 2) * 0.05);
        }
        input.uncertainty.push_back(1 + r % 3);
        input.lag.push_back(r % 4);
        input.names.push_back(defaultItemName(r + 1));
    }
    input.horizon = 2;
    input.uncertaintyLevel = 1;
    input.policyOn = true;
    input.runs = runs;
    input.tracked = 1;
    return input;
}

/// The same scenario in the window's tables, as a file would load it.
inline ScenarioTables denseTables(int n) {
    ScenarioTables tables;
    resizeForItems(tables, n);
    const ProjectionInput input = denseInput(n);
    for (int i = 1; i <= n; ++i) {
        tables.trend.setText(0, i, input.names[static_cast<std::size_t>(i - 1)]);
        tables.trend.setText(i, 0, input.names[static_cast<std::size_t>(i - 1)]);
        for (int j = 1; j <= n; ++j) {
            const std::size_t k = static_cast<std::size_t>((i - 1) * n + (j - 1));
            tables.trend.setText(i, j, numberText(input.trend[k]));
            tables.policy.setText(i, j, numberText(input.policy[k]));
        }
        const std::size_t item = static_cast<std::size_t>(i - 1);
        tables.totals.setText(kUncertaintyRow, i, numberText(input.uncertainty[item]));
        tables.totals.setText(kLagsRow, i, numberText(input.lag[item]));
    }
    return tables;
}

}  // namespace vorn::bench
