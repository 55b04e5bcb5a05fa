#include "editing/click_handlers.h"

#include <string>

#include "editing/hints.h"
#include "editing/policy_editing.h"
#include "editing/totals_editing.h"
#include "editing/trend_matrix_editing.h"
#include "projection/year_by_year.h"
#include "shell/edit_history.h"
#include "shell/trends.h"

namespace vorn {

std::string trackedItemName(const Trends& window) {
    const int items = projectedItemCount(window.tables);
    const int tracked = window.lastc2 >= 1 && window.lastc2 <= items ? window.lastc2 : 1;
    return tracked <= items ? window.MSFlexXImpact().text(0, tracked) : std::string();
}

namespace {

// The step a Trend Matrix click on its current cell may make.
const char* trendClickStep(const CellTable& trend, int button) {
    const int row = trend.currentRow();
    const int column = trend.currentColumn();
    if (row == 0 && column == 0) {
        return button == 1 ? kAddItemStep : kRemoveItemStep;
    }
    return row == 0 || column == 0 ? kRenameItemStep : kChangeCellStep;
}

}  // namespace

void prepareTableEdit(Trends& window, Control grid) {
    window.bringToFront(grid);
    window.bringToFront(Control::mscTrends);
    window.bringToFront(Control::TextAnnual);
    // The Policy Matrix leaves the Contributions caption where it is.
    if (grid != Control::MSFlexPolicy) {
        window.bringToFront(Control::TextGrowth);
    }
    if (grid == Control::MSFlexXImpact) {
        window.Policy = 0;
    } else if (grid == Control::MSFlexPolicy) {
        window.Policy = 1;
    }
    window.iter = 1;
}

void MSFlexXImpact_Click(Trends& window, int button) {
    prepareTableEdit(window, Control::MSFlexXImpact);
    window.recordStep(trendClickStep(window.MSFlexXImpact(), button),
                      [&] { mouseclicksl(window, button); });
}

void MSFlexTotals_Click(Trends& window, int button) {
    prepareTableEdit(window, Control::MSFlexTotals);
    const bool netGrowth = window.MSFlexTotals().currentRow() == kNetGrowthRow;
    window.recordStep(netGrowth ? kRescaleNetGrowthStep : kChangeCellStep,
                      [&] { mouseclicks2(window, button); });
    window.iter = 1;
}

void MSFlexPolicy_Click(Trends& window, int button) {
    prepareTableEdit(window, Control::MSFlexPolicy);
    window.recordStep(kChangeCellStep, [&] { mouseclicks3(window, button); });
}

void MSFlexXImpact_BackgroundClick(Trends& window) {
    prepareTableEdit(window, Control::MSFlexXImpact);
    window.YearbyYear(window.cats);
}

void MSFlexTotals_BackgroundClick(Trends& window) {
    prepareTableEdit(window, Control::MSFlexTotals);
    window.YearbyYear(window.cats);
    window.iter = 1;
}

void MSFlexPolicy_BackgroundClick(Trends& window) {
    prepareTableEdit(window, Control::MSFlexPolicy);
    window.YearbyYear(window.cats);
}

void LoopDiagram_Click(Trends& window, int row, int column) {
    const int items = projectedItemCount(window.tables);
    if (row < 1 || column < 1 || row > items || column > items) {
        return;
    }
    window.MSFlexXImpact().setCurrent(row, column);
    // Not the selected cell: the click selects it, as the first click on a cell does.
    window.lastr1 = 0;
    window.lastc1 = 0;
    MSFlexXImpact_Click(window, 1);
}

void MscXImpacts_Click(Trends& window) {
    window.iter = 1;
    window.bringToFront(Control::MscXImpacts);
    window.bringToFront(Control::TextGrowth);
    window.YearbyYear(window.cats);
}

void MscVary_Click(Trends& window) {
    window.setText(Control::TextVary, "Spread in Annual Levels for " + trackedItemName(window));
    window.bringToFront(Control::TextVary);
    window.iter = 20;
    window.YearbyYear(window.cats);
}

void mscTrends_Click(Trends& window) {
    window.bringToFront(Control::mscTrends);
    window.YearbyYear(window.cats);
    window.iter = 1;
}

void MSFlexXimpact_DragOver(Trends& window, int state) {
    if (state == 0) {
        window.setText(Control::Hints, kDragEnterHint);
    } else if (state == 1) {
        window.setText(Control::Hints, "");
    }
}

}  // namespace vorn
