#pragma once

#include <string>
#include <vector>

#include "charts/series_style.h"

namespace vorn {

/// One comparison line behind a series' line of the Scenario Trends chart.
struct ComparisonLine {
    int row = 0;                  // the chart row of the series it lies behind, 1..20
    std::vector<double> columns;  // where each point lies along the chart's points: between
                                  // two where its years are not the chart's
    std::vector<double> values;   // the level at each point

    /// The value at chart point `column`; nullptr where no point lies exactly there.
    const double* valueAt(int column) const;
};

/// The comparison lines of one kind and the legend entry that explains them.
struct ComparisonLines {
    ComparisonKind kind = ComparisonKind::Reference;
    std::string name;                  // the legend entry: "Reference: Example1.txt"
    std::string shortName;             // for one line: "Reference", "Without Policies"
    std::vector<std::string> leftOut;  // items that have no line: not matched by name
    std::vector<ComparisonLine> lines;

    /// The line behind chart row `row`; nullptr when it has none.
    const ComparisonLine* lineOf(int row) const;
};

/// A difference as the charts' texts give it, with its sign: "+0.1235", "-0.05", "0".
std::string differenceText(double difference);

/// What hovering over the series of chart row `row` at chart point `column`, where it stands
/// at `value`, adds for each comparison line behind it: "Reference: 1.4, difference +0.12".
std::vector<std::string> comparisonHoverLines(const std::vector<ComparisonLines>& comparisons,
                                              int row, int column, double value);

}  // namespace vorn
