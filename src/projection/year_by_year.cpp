#include "projection/year_by_year.h"

#include <algorithm>

#include "tables/number_text.h"

namespace vorn {

int projectedItemCount(const ScenarioTables& tables) {
    return std::clamp(tables.trend.columns() - 1, 0, kMaxItems);
}

ProjectionInput prepareProjectionInput(ScenarioTables& tables, const ProjectionSettings& settings) {
    const int n = projectedItemCount(tables);
    const std::size_t un = static_cast<std::size_t>(n);
    CellTable& trend = tables.trend;
    CellTable& totals = tables.totals;
    CellTable& policy = tables.policy;

    // The Totals table takes one column per item before its names are copied in.
    totals.setRows(std::max(totals.rows(), kTotalsRows));
    totals.setColumns(n + 1);

    ProjectionInput input;
    input.items = n;
    input.names.reserve(un);
    const int width = itemColumnWidth(n);
    for (int i = 1; i <= n; ++i) {
        trend.setColumnWidth(i, width);
        totals.setColumnWidth(i, width);
        policy.setColumnWidth(i, width);
        synchroniseItemNames(tables, i);
        input.names.push_back(trend.text(i, 0));
    }

    input.trend.resize(un * un);
    input.policy.resize(un * un);
    input.uncertainty.resize(un);
    input.lag.resize(un);
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j) {
            const std::size_t index =
                static_cast<std::size_t>(i - 1) * un + static_cast<std::size_t>(j - 1);
            input.trend[index] = numericValue(trend.text(i, j));
            input.policy[index] = numericValue(policy.text(i, j));
        }
        input.uncertainty[static_cast<std::size_t>(i - 1)] =
            numericValue(totals.text(kUncertaintyRow, i));
        input.lag[static_cast<std::size_t>(i - 1)] = numericValue(totals.text(kLagsRow, i));
    }

    totals.setText(kNetGrowthRow, 0, kNetGrowthLabel);
    totals.setText(kUncertaintyRow, 0, kUncertaintyLabel);
    totals.setText(kLagsRow, 0, kLagsLabel);

    input.horizon = settings.horizon;
    input.uncertaintyLevel = settings.uncertaintyLevel;
    input.policyOn = settings.policy == 1;
    input.runs = settings.iter;
    input.tracked = settings.lastc2;
    return input;
}

void writeNetGrowth(ScenarioTables& tables, const ProjectionNumbers& numbers) {
    for (int c = 1; c <= numbers.items; ++c) {
        tables.totals.setText(kNetGrowthRow, c,
                              numberText(numbers.netGrowth[static_cast<std::size_t>(c - 1)]));
    }
}

ProjectionResult yearByYear(ScenarioTables& tables, const ProjectionSettings& settings,
                            RandomSource& random) {
    const ProjectionInput input = prepareProjectionInput(tables, settings);
    ProjectionResult result = project(input, random);
    writeNetGrowth(tables, result.numbers);
    return result;
}

}  // namespace vorn
