#pragma once

#include <string>

#include "projection/projection.h"

namespace vorn::testing {

/// `n` items named "Item  1" to "Item  n", every entry, uncertainty and lag 0, the policies
/// off: one run of item 1 without fluctuations, `horizon` years a step.
inline ProjectionInput quietInput(int n, int horizon = 1) {
    ProjectionInput input;
    input.items = n;
    input.trend.assign(static_cast<std::size_t>(n * n), 0.0);
    input.policy.assign(static_cast<std::size_t>(n * n), 0.0);
    input.uncertainty.assign(static_cast<std::size_t>(n), 0.0);
    input.lag.assign(static_cast<std::size_t>(n), 0.0);
    for (int i = 1; i <= n; ++i) {
        input.names.push_back("Item  " + std::to_string(i));
    }
    input.horizon = horizon;
    input.uncertaintyLevel = 0;
    input.runs = 1;
    input.tracked = 1;
    return input;
}

/// The Trend Matrix entry by which item `row` feeds item `column`, both counted from 1.
inline double& trendEntry(ProjectionInput& input, int row, int column) {
    return input.trend[static_cast<std::size_t>((row - 1) * input.items + (column - 1))];
}

}  // namespace vorn::testing
