#pragma once

#include <string>

namespace vorn {

/// The Scenario Trends caption: "Scenario Trends- Forecast to  2040 (with Policies)".
/// `policiesApplied` is true when the Policy Matrix is added (policies on and h > 0).
std::string trendsCaption(int horizon, bool policiesApplied);

/// The Contributions caption: "Contributions to Change in  2040".
std::string contributionsCaption(int horizon);

/// Year of the last step for `horizon` years per step.
inline int horizonYear(int horizon) {
    return 2000 + 20 * horizon;
}

/// Caption of the Spread chart after a click on the chart itself.
std::string spreadCaption(const std::string& itemName);

/// Caption of the Spread chart after a click on an item name in the Totals table.
std::string uncertaintyCaption(const std::string& itemName);

}  // namespace vorn
