#include "editing/totals_editing.h"

#include <string>

#include "editing/cell_stepping.h"
#include "editing/click_handlers.h"
#include "editing/hints.h"
#include "shell/trends.h"
#include "tables/number_text.h"

namespace vorn {
namespace {

void startUncertaintyRuns(Trends& window, const std::string& item) {
    window.setText(Control::Hints, growthRunsHint(item));
    window.setText(Control::TextVary, "Uncertainty in Future " + item + " Trends");
    window.bringToFront(Control::TextVary);
    window.iter = 20;
}

// Scales every entry of the item's Trend Matrix column by new / old, or by 1 + step when
// the Net Growth shows 0; the recalculation then writes the new Net Growth.
void rescaleColumn(Trends& window, int column, double step) {
    CellTable& totals = window.MSFlexTotals();
    const double oldGrowth = numericValue(totals.currentText());
    const double newGrowth = oldGrowth + step;
    const double factor = oldGrowth == 0 ? 1 + step : newGrowth / oldGrowth;
    CellTable& trend = window.MSFlexXImpact();
    for (int i = 1; i <= itemCount(window); ++i) {
        const double value = numericValue(trend.text(i, column));
        trend.setText(i, column, numberText(roundDownToHundredths(value * factor)));
    }
    shiftNewColor(window, window.ColorShift * newGrowth);
    shadeCurrentCell(window, totals, kTotalsChannel);
}

void stepUncertainty(Trends& window, double step) {
    CellTable& totals = window.MSFlexTotals();
    const double value = numericValue(totals.currentText()) + step;
    totals.setCurrentText(numberText(value));
    shiftNewColor(window, window.ColorShift * value);
    shadeCurrentCell(window, totals, kTotalsChannel);
}

// Lags move by whole years, whatever the increment, and never fall below one year.
void stepLag(Trends& window, int button) {
    CellTable& totals = window.MSFlexTotals();
    double lag = numericValue(totals.currentText()) + buttonSign(button);
    if (lag < 1) {
        lag = 1;
    }
    totals.setCurrentText(numberText(lag));
    shiftNewColor(window, window.inc * (lag * window.ColorShift));
    shadeCurrentCell(window, totals, kTotalsChannel);
}

void clickValueCell(Trends& window, int row, int column, int button) {
    const std::string& item = window.MSFlexXImpact().text(0, column);
    switch (row) {
        case kNetGrowthRow:
            window.setText(Control::Hints, netGrowthHint(item));
            break;
        case kUncertaintyRow:
            window.setText(Control::Hints, uncertaintyHint(item));
            break;
        default:
            window.setText(Control::Hints, lagHint(item));
            break;
    }
    if (row != window.lastr2 || column != window.lastc2) {
        window.NewColor = window.BaseColor;
        return;
    }
    const double step = window.inc * buttonSign(button);
    switch (row) {
        case kNetGrowthRow:
            rescaleColumn(window, column, step);
            break;
        case kUncertaintyRow:
            stepUncertainty(window, step);
            break;
        default:
            stepLag(window, button);
            break;
    }
}

}  // namespace

void mouseclicks2(Trends& window, int button) {
    const CellTable& totals = window.MSFlexTotals();
    const int row = totals.currentRow();
    const int column = totals.currentColumn();
    window.iter = 1;

    if (row == kNamesRow) {
        // Every cell of the names row starts the runs. The corner names no item, so the runs
        // then track item 1, as the Spread chart does while no item column is selected.
        window.lastr2 = row;
        window.lastc2 = column;
        startUncertaintyRuns(window, trackedItemName(window));
    } else if (column >= 1) {
        clickValueCell(window, row, column, button);
        window.lastr2 = row;
        window.lastc2 = column;
    }
    // The label cells below the corner hold no item: a click there leaves the selection, and
    // with it the item the Spread chart tracks, as it was.
    window.YearbyYear(window.cats);
}

}  // namespace vorn
