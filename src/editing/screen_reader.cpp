#include "editing/screen_reader.h"

#include <algorithm>

#include "charts/captions.h"
#include "charts/series_style.h"
#include "editing/click_handlers.h"
#include "shell/trends.h"
#include "tables/number_text.h"

namespace vorn {
namespace {

// A text box's text on one line: its lines, each without blanks at its ends, joined by blanks.
std::string oneLine(const std::string& text) {
    std::string line;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        const std::string_view part = trimBlanks(std::string_view(text).substr(start, end - start));
        if (!part.empty()) {
            line += line.empty() ? "" : " ";
            line += part;
        }
        start = end + 1;
    }
    return line;
}

std::string horizonLabel(const Trends& window) {
    return yearLabel(horizonYear(window.sliderValue(Control::HScrollTime)));
}

}  // namespace

std::string accessibleName(const Trends& window, Control control) {
    switch (control) {
        case Control::TextHorizon:
            return "Time Horizon caption";
        case Control::TextFuture:
            return "Time Horizon scale";
        case Control::TextUncertainty:
            return "Uncertainty caption";
        case Control::TextHigh:
            return "Uncertainty scale";
        case Control::TextChange:
            return "Change caption";
        case Control::TextLarge:
            return "Change scale";
        case Control::TextGrowth:
            return "Contributions caption";
        case Control::TextAnnual:
            return "Scenario Trends caption";
        case Control::TextVary:
            return "Spread caption";
        case Control::Overview:
            return "Overview";
        case Control::Instruction:
            return "Instructions";
        case Control::Hints:
            return "Hints";
        case Control::About:
            return "About";
        case Control::HScrollTime:
            return "Time Horizon";
        case Control::HScrollUncert:
            return "Uncertainty";
        case Control::HScrollLags:
            return "Change";
        case Control::MatrixFile:
            return "Input File";
        case Control::Label2:
            return "Output File";
        case Control::MSFlexPolicy:
        case Control::MSFlexXImpact:
        case Control::MSFlexTotals:
            return oneLine(window.gridTable(control).text(0, 0));
        case Control::MscXImpacts:
        case Control::mscTrends:
        case Control::MscVary:
            return oneLine(window.text(chartCaption(control)));
    }
    return {};
}

std::string spokenCellText(std::string_view text) {
    if (text == kPercentMark) {
        return "not set";
    }
    return std::string(trimBlanks(text));
}

std::string cellToolTip(const Trends& window, Control grid, int row, int column) {
    const CellTable& table = window.gridTable(grid);
    const std::string_view text = trimBlanks(table.text(row, column));
    if (row <= 0 || column <= 0) {
        return std::string(text);
    }
    const std::string value = spokenCellText(table.text(row, column));
    const std::string_view across = trimBlanks(table.text(row, 0));
    const std::string_view down = trimBlanks(table.text(0, column));
    const std::string_view joint = grid == Control::MSFlexTotals ? " of " : " -> ";
    return std::string(across) + std::string(joint) + std::string(down) + ": " + value;
}

std::string_view chartTitle(Control chart) {
    switch (chart) {
        case Control::MscXImpacts:
            return "Contributions";
        case Control::MscVary:
            return "Spread";
        default:
            return "Scenario Trends";
    }
}

std::vector<std::string> chartSeriesNames(const Trends& window, Control chart) {
    if (chart == Control::mscTrends) {
        std::vector<std::string> names;
        const CellTable& trend = window.MSFlexXImpact();
        for (int row = 1; row < trend.rows(); ++row) {
            names.push_back(trend.text(row, 0));
        }
        return names;
    }
    if (chart == Control::MscVary) {
        return runNames(window.chartData(chart).rows() - 1);
    }
    return {};
}

std::string chartDescription(const Trends& window, Control chart) {
    const ChartTable& data = window.chartData(chart);
    switch (chart) {
        case Control::MscXImpacts:
            return contributionsDescription(data);
        case Control::MscVary:
            return spreadDescription(data, trackedItemName(window), horizonLabel(window));
        default: {
            const std::vector<std::string> names = chartSeriesNames(window, chart);
            return levelsDescription(data, names, horizonLabel(window)) +
                   comparisonsDescription(data, names, window.comparisonLines(),
                                          horizonLabel(window));
        }
    }
}

TextTable chartData(const Trends& window, Control chart) {
    const char* rows = chart == Control::MscXImpacts ? "From"
                       : chart == Control::MscVary   ? "Run"
                                                     : "Item";
    const std::vector<std::string> names = chartSeriesNames(window, chart);
    TextTable data = chartDataTable(window.chartData(chart), names, rows);
    if (chart == Control::mscTrends) {
        addComparisonRows(data, window.chartData(chart), names, window.comparisonLines());
    }
    return data;
}

}  // namespace vorn
