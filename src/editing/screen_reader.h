#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "charts/chart_description.h"
#include "shell/controls.h"

namespace vorn {

class Trends;

// What a screen reader is told about the controls: their names, the charts in words and
// the numbers behind them. Nothing here changes the window.

/// The name of a control: a table is named by its corner text ("Trend Matrix"), a chart by its
/// caption, a slider by the words of its caption ("Time Horizon"), a text box or label by its
/// role ("Hints", "Overview", "Time Horizon caption").
std::string accessibleName(const Trends& window, Control control);

/// A cell's text as it is read: the percent mark of an unset value reads "not set", and the
/// blanks at either end are left out.
std::string spokenCellText(std::string_view text);

/// The whole of a cell, for its tooltip when its text or an item name beside it is cut: a
/// matrix value with its two items ("Food -> Population: 1.5"), a Totals value with its row
/// and item ("Uncertainty of Food: 2"), a name or label as it stands.
std::string cellToolTip(const Trends& window, Control grid, int row, int column);

/// What the three charts are called in View > Chart Data: "Scenario Trends", "Contributions",
/// "Spread".
std::string_view chartTitle(Control chart);

/// The names of a chart's series, by row: the items of the Scenario Trends chart, the runs of
/// the Spread chart; the Contributions chart names its bar sets itself (none given).
std::vector<std::string> chartSeriesNames(const Trends& window, Control chart);

/// A chart in words, as its accessible description: what it shows, the items and years, and
/// the highest and lowest at the horizon (the largest contributions for the Contributions
/// chart); for the Scenario Trends chart also the reference and the projection without the
/// policies drawn behind its lines.
std::string chartDescription(const Trends& window, Control chart);

/// The numbers behind a chart as the last recalculation left them; for the Scenario Trends
/// chart also those of the lines behind its lines.
TextTable chartData(const Trends& window, Control chart);

}  // namespace vorn
