#pragma once

#include <string>
#include <vector>

#include "charts/chart_table.h"
#include "qt/charts/line_chart_view.h"

namespace vorn {

/// Draws the three charts, each under its caption, with the same chart classes the window
/// uses, into one file: Scenario Trends, Contributions to Change, Spread in Annual Levels
/// from top to bottom. The format follows the extension of `path`: .png, .svg or .pdf.
/// `itemNames` names the lines of the Scenario Trends chart (item 1 first); `spreadBands`,
/// when it holds bands, shades them behind the Spread chart's runs as the window does, and
/// `comparisons` are drawn behind the Scenario Trends chart's lines as the window draws them.
///
/// Needs a QApplication (the charts are widgets); it works on the offscreen platform
/// (QT_QPA_PLATFORM=offscreen) and shows nothing on screen. Returns false with a message in
/// `error` (when given) if there is no QApplication, the extension is unknown or the file
/// cannot be written.
bool exportCharts(const std::string& path, const ChartTable& levels,
                  const ChartTable& contributions, const ChartTable& spread,
                  const std::vector<std::string>& itemNames, const std::string& trendsCaption,
                  const std::string& contributionsCaption, const std::string& spreadCaption,
                  std::string* error, const ChartBands& spreadBands = {},
                  const std::vector<ComparisonLines>& comparisons = {});

}  // namespace vorn
