#include "editing/trend_matrix_editing.h"

#include <string>

#include "editing/cell_stepping.h"
#include "editing/hints.h"
#include "shell/trends.h"
#include "tables/text_encoding.h"

namespace vorn {
namespace {

// Grows the two matrices by a row and a column and the Totals table by a column; the new
// column header is named, the other new headers take the name in the recalculation.
void addItem(Trends& window) {
    const int n = itemCount(window);
    if (n >= kMaxItems) {
        return;
    }
    CellTable& trend = window.MSFlexXImpact();
    trend.setColumns(n + 2);
    trend.setRows(n + 2);
    window.MSFlexTotals().setColumns(n + 2);
    window.MSFlexPolicy().setColumns(n + 2);
    window.MSFlexPolicy().setRows(n + 2);
    window.cats = ItemCount::number(n + 1);
    trend.setText(0, n + 1, kNewItemName);
}

// Drops the last item's row and column with everything in them.
void removeLastItem(Trends& window) {
    const int n = itemCount(window);
    if (n <= 0) {
        return;
    }
    CellTable& trend = window.MSFlexXImpact();
    trend.setRows(n);
    trend.setColumns(n);
    window.MSFlexTotals().setColumns(n);
    window.MSFlexPolicy().setRows(n);
    window.MSFlexPolicy().setColumns(n);
    window.cats = ItemCount::number(n - 1);
}

std::string askItemName(Trends& window, const std::string& proposed) {
    InputBoxRequest request;
    request.prompt = kItemNamePrompt;
    request.defaultText = proposed;
    request.leftTwips = kItemNameBoxLeft;
    request.topTwips = kItemNameBoxTop;
    return window.platform().inputBox(request).value_or("");
}

// Why a scenario file could not store `name`; empty when it can.
std::string unstorableNameReason(const std::string& name) {
    if (name.find('"') != std::string::npos) {
        return kQuoteInNameMessage;
    }
    if (name.find_first_of("\r\n") != std::string::npos) {
        return kLineBreakInNameMessage;
    }
    if (utf8Length(name) > kMaxTextLength) {
        return "An item name can be at most " + std::to_string(kMaxTextLength) +
               " characters long.";
    }
    return {};
}

// Writes the new name into the clicked header and its transposed twin. Cancel or an empty
// answer leaves both headers as they were, even when the row and column names differ.
void renameItem(Trends& window, int row, int column, const std::string& proposed = {}) {
    const std::string name = askItemName(window, proposed);
    if (name.empty()) {
        return;
    }
    if (const std::string reason = unstorableNameReason(name); !reason.empty()) {
        window.platform().showMessage(std::string(kWindowTitle), reason);
        return;
    }
    CellTable& trend = window.MSFlexXImpact();
    trend.setText(row, column, name);
    if (column == 0) {
        trend.setText(0, row, name);
    } else {
        trend.setText(column, 0, name);
    }
}

void clickValueCell(Trends& window, int row, int column, int button) {
    CellTable& trend = window.MSFlexXImpact();
    const std::string& rowItem = trend.text(row, 0);
    window.setText(Control::Hints, row == column
                                       ? intrinsicGrowthHint(rowItem)
                                       : contributionHint(rowItem, trend.text(0, column)));
    if (row == window.lastr1 && column == window.lastc1) {
        stepMatrixCell(window, trend, kTrendChannel, button);
    } else {
        window.NewColor = window.BaseColor;
    }
}

}  // namespace

void mouseclicksl(Trends& window, int button) {
    const CellTable& trend = window.MSFlexXImpact();
    const int row = trend.currentRow();
    const int column = trend.currentColumn();

    if (row == 0 && column == 0) {
        if (button == 1) {
            addItem(window);
        } else {
            removeLastItem(window);
        }
    } else if (row == 0 || column == 0) {
        renameItem(window, row, column);
    } else {
        clickValueCell(window, row, column, button);
    }

    window.lastr1 = row;
    window.lastc1 = column;
    window.YearbyYear(window.cats);
}

void renameItemProposingName(Trends& window, int row, int column) {
    const CellTable& trend = window.MSFlexXImpact();
    if ((row == 0) == (column == 0) || !trend.contains(row, column)) {
        return;
    }
    renameItem(window, row, column, trend.text(row, column));
    window.YearbyYear(window.cats);
}

}  // namespace vorn
