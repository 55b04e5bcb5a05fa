#include "editing/typed_entry.h"

#include <cmath>
#include <utility>
#include <vector>

#include "editing/cell_stepping.h"
#include "editing/click_handlers.h"
#include "editing/trend_matrix_editing.h"
#include "shell/edit_history.h"
#include "shell/trends.h"
#include "tables/number_text.h"

namespace vorn {
namespace {

ColorChannel channelOf(Control grid) {
    switch (grid) {
        case Control::MSFlexTotals:
            return kTotalsChannel;
        case Control::MSFlexPolicy:
            return kPolicyChannel;
        default:
            return kTrendChannel;
    }
}

// The new values of the item's Trend Matrix column, by row, for a typed Net Growth: the Net
// Growth rule with new = the typed value. Every entry is scaled by new / old and rounded
// down to hundredths as a click rounds it (2 x 1.15 gives 2.3). With old = 0 there is no
// ratio, and 1 + new
// would leave a column of zeros at 0: the item's own growth rate takes the typed value
// instead, so that the column sums to what was typed.
std::vector<std::pair<int, double>> rescaledColumn(const Trends& window, int column,
                                                   double newGrowth) {
    const CellTable& trend = window.MSFlexXImpact();
    const double oldGrowth = numericValue(window.MSFlexTotals().text(kNetGrowthRow, column));
    if (oldGrowth == 0 || !std::isfinite(oldGrowth)) {
        return {{column, numericValue(trend.text(column, column)) + newGrowth}};
    }
    const double factor = newGrowth / oldGrowth;
    std::vector<std::pair<int, double>> values;
    for (int i = 1; i <= itemCount(window); ++i) {
        values.emplace_back(i, roundDownToHundredths(numericValue(trend.text(i, column)) * factor));
    }
    return values;
}

bool withinLimit(double value) {
    return std::abs(value) <= kEntryLimit;
}

EntryOutcome refuse(Trends& window, const std::string& message) {
    window.platform().showMessage(std::string(kWindowTitle), message);
    return EntryOutcome::Refused;
}

}  // namespace

std::string outOfRangeMessage(std::string_view text) {
    std::string message = "\"";
    message.append(text);
    message.append("\" is out of range. Please type a number from -10000 to 10000.");
    return message;
}

std::string notANumberMessage(std::string_view text) {
    std::string message = "\"";
    message.append(text);
    message.append("\" is not a number. Please type a number such as 3.7 or -0.25.");
    return message;
}

EntryStart entryStart(const Trends& window, Control grid, int row, int column, bool f2) {
    if (grid != Control::MSFlexXImpact && grid != Control::MSFlexTotals &&
        grid != Control::MSFlexPolicy) {
        return EntryStart::None;
    }
    if (!window.gridTable(grid).contains(row, column)) {
        return EntryStart::None;
    }
    const bool valueCell = grid == Control::MSFlexTotals
                               ? row >= kNetGrowthRow && row <= kLagsRow && column >= 1
                               : row >= 1 && column >= 1;
    if (valueCell) {
        return EntryStart::Editor;
    }
    const bool itemHeader = grid == Control::MSFlexXImpact && (row == 0) != (column == 0);
    return f2 && itemHeader ? EntryStart::ItemNameBox : EntryStart::None;
}

std::string entryStartText(const Trends& window, Control grid, int row, int column) {
    if (entryStart(window, grid, row, column, true) != EntryStart::Editor) {
        return {};
    }
    const std::string& text = window.gridTable(grid).text(row, column);
    return readEntry(text) ? std::string(trimBlanks(text)) : std::string();
}

std::optional<double> readEntry(std::string_view text) {
    text = trimBlanks(text);
    if (!isDecimalNumber(text)) {
        return std::nullopt;
    }
    const double value = numericValue(text);
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

EntryOutcome commitEntry(Trends& window, Control grid, int row, int column, std::string_view text) {
    if (entryStart(window, grid, row, column, false) != EntryStart::Editor ||
        trimBlanks(text).empty()) {
        return EntryOutcome::Unchanged;
    }
    const std::optional<double> value = readEntry(text);
    if (!value) {
        return refuse(window, notANumberMessage(text));
    }
    if (!withinLimit(*value)) {
        return refuse(window, outOfRangeMessage(text));
    }
    const bool lag = grid == Control::MSFlexTotals && row == kLagsRow;
    if (lag && *value < 0) {
        return refuse(window, kNegativeLagMessage);
    }
    CellTable& table = window.gridTable(grid);
    if (numberText(*value) == table.text(row, column)) {
        return EntryOutcome::Unchanged;
    }
    const bool netGrowth = grid == Control::MSFlexTotals && row == kNetGrowthRow;
    std::vector<std::pair<int, double>> columnValues;
    if (netGrowth) {
        columnValues = rescaledColumn(window, column, *value);
        for (const auto& [item, newValue] : columnValues) {
            if (!withinLimit(newValue)) {
                return refuse(window, kRescaleRangeMessage);
            }
        }
    }

    prepareTableEdit(window, grid);
    window.recordStep(netGrowth ? kRescaleNetGrowthStep : kTypedEntryStep, [&] {
        if (netGrowth) {
            for (const auto& [item, newValue] : columnValues) {
                window.MSFlexXImpact().setText(item, column, numberText(newValue));
            }
        } else {
            table.setText(row, column, numberText(*value));
        }
        // The shading of a click edit to this value; a lag's weighs in the click step.
        shiftNewColor(window,
                      lag ? window.inc * (*value * window.ColorShift) : window.ColorShift * *value);
        table.setColor(row, column,
                       channelColor(channelOf(grid), window.NewColor, window.OtherColor));
        window.YearbyYear(window.cats);
    });
    return EntryOutcome::Changed;
}

void renameFromKey(Trends& window, int row, int column) {
    if (entryStart(window, Control::MSFlexXImpact, row, column, true) != EntryStart::ItemNameBox) {
        return;
    }
    prepareTableEdit(window, Control::MSFlexXImpact);
    window.recordStep(kRenameItemStep, [&] { renameItemProposingName(window, row, column); });
}

}  // namespace vorn
