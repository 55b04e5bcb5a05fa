#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "charts/chart_table.h"
#include "charts/comparison_lines.h"
#include "tables/text_table.h"

namespace vorn {

// What a chart shows, in words and as a table, for a screen reader and for View > Chart Data.
// `seriesNames[r - 1]` names row r of a chart table; an empty or missing name falls back to the
// text in the row's column 0, else to the row's number.

/// A number as the charts' texts give it: four significant digits (1.235, 0.0123, 1.5e+06).
std::string chartNumberText(double value);

/// The Scenario Trends chart: the items, the years, and the highest and lowest item in the
/// year labelled `horizonLabel` (" 2040"; the last column when no column has that label).
std::string levelsDescription(const ChartTable& levels, const std::vector<std::string>& seriesNames,
                              std::string_view horizonLabel);

/// The comparison lines behind the Scenario Trends chart's lines in words, one sentence per
/// kind: what they are, for how many items, which are left out, and the largest difference
/// from them in the year labelled `horizonLabel`. Empty without comparison lines.
std::string comparisonsDescription(const ChartTable& levels,
                                   const std::vector<std::string>& seriesNames,
                                   const std::vector<ComparisonLines>& comparisons,
                                   std::string_view horizonLabel);

/// The Contributions chart: the items and the largest positive and negative contribution.
std::string contributionsDescription(const ChartTable& contributions);

/// The Spread chart: the runs of `item`, the years, and the highest and lowest run at the
/// horizon.
std::string spreadDescription(const ChartTable& spread, const std::string& item,
                              std::string_view horizonLabel);

/// The numbers of `table`, each as chartNumberText gives it: one row per series that has a
/// number, one column per point that has one, an empty text where a series has no point.
/// `cornerText` names what the rows are ("Item", "Run", "From").
TextTable chartDataTable(const ChartTable& table, const std::vector<std::string>& seriesNames,
                         std::string cornerText);

/// Adds to `data`, the chartDataTable of `levels`, one row for every comparison line, named
/// after its series and kind ("Food (Reference)"), with its value at each of the table's
/// points where it has one.
void addComparisonRows(TextTable& data, const ChartTable& levels,
                       const std::vector<std::string>& seriesNames,
                       const std::vector<ComparisonLines>& comparisons);

}  // namespace vorn
