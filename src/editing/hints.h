#pragma once

#include <string>

namespace vorn {

// The texts a click puts into the Hints box. `rowItem` and `columnItem` are the names in the
// Trend Matrix's row and column headers of the clicked cell; `item` is the name of a Totals
// column's item.

/// A Trend Matrix value cell off the diagonal.
std::string contributionHint(const std::string& rowItem, const std::string& columnItem);
/// A Trend Matrix diagonal cell.
std::string intrinsicGrowthHint(const std::string& rowItem);
/// Totals row 0: the item names, which start the uncertainty runs.
std::string growthRunsHint(const std::string& item);
/// Totals row 1: Net Growth.
std::string netGrowthHint(const std::string& item);
/// Totals row 2: Uncertainty.
std::string uncertaintyHint(const std::string& item);
/// Totals row 3: Lags (Years).
std::string lagHint(const std::string& item);
/// Every Policy Matrix cell.
std::string policyHint(const std::string& rowItem, const std::string& columnItem);

/// What the Hints box shows while a dragged object enters the Trend Matrix.
inline constexpr const char* kDragEnterHint = "This is a test";

}  // namespace vorn
