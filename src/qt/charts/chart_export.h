#pragma once

#include <string>
#include <vector>

#include "charts/chart_table.h"
#include "qt/charts/line_chart_view.h"

namespace vorn {

/// Draws the three charts, each under its caption, with the same chart classes the window
/// uses, as one file: Scenario Trends, Contributions to Change, Spread in Annual Levels from
/// top to bottom. `type` is the format: "png", "svg" or "pdf". `itemNames` names the lines of
/// the Scenario Trends chart (item 1 first); `spreadBands`, when it holds bands, shades them
/// behind the Spread chart's runs as the window does, and `comparisons` are drawn behind the
/// Scenario Trends chart's lines as the window draws them.
///
/// The file is drawn in memory, and its bytes go to `bytes`: Qt's image, SVG and PDF writers
/// tell too little of a failed write, so the program's own writer puts them on disk.
///
/// Needs a QApplication (the charts are widgets); it works on the offscreen platform
/// (QT_QPA_PLATFORM=offscreen) and shows nothing on screen. Returns false with a message in
/// `error` (when given) if there is no QApplication, the type is unknown or the drawing
/// fails.
bool drawChartFile(const std::string& type, const ChartTable& levels,
                   const ChartTable& contributions, const ChartTable& spread,
                   const std::vector<std::string>& itemNames, const std::string& trendsCaption,
                   const std::string& contributionsCaption, const std::string& spreadCaption,
                   std::string* bytes, std::string* error, const ChartBands& spreadBands = {},
                   const std::vector<ComparisonLines>& comparisons = {});

}  // namespace vorn
