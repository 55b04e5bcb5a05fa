#include "editing/click_handlers.h"

#include <string>

#include "editing/hints.h"
#include "editing/policy_editing.h"
#include "editing/totals_editing.h"
#include "editing/trend_matrix_editing.h"
#include "projection/year_by_year.h"
#include "shell/trends.h"

namespace vorn {
namespace {

// The name of the item whose spread the Spread chart shows: the selected Totals column, or
// item 1 while no item column is selected (or the selected one was removed).
std::string trackedItemName(const Trends& window) {
    const int items = projectedItemCount(window.tables);
    const int tracked = window.lastc2 >= 1 && window.lastc2 <= items ? window.lastc2 : 1;
    return tracked <= items ? window.MSFlexXImpact().text(0, tracked) : std::string();
}

// The steps a table click takes before any editing: its table forward, then Policy and iter.
void bringTrendMatrixForward(Trends& window) {
    window.bringToFront(Control::MSFlexXImpact);
    window.bringToFront(Control::mscTrends);
    window.bringToFront(Control::TextAnnual);
    window.bringToFront(Control::TextGrowth);
    window.Policy = 0;
    window.iter = 1;
}

void bringTotalsForward(Trends& window) {
    window.bringToFront(Control::MSFlexTotals);
    window.bringToFront(Control::mscTrends);
    window.bringToFront(Control::TextAnnual);
    window.bringToFront(Control::TextGrowth);
}

void bringPolicyMatrixForward(Trends& window) {
    window.bringToFront(Control::MSFlexPolicy);
    window.bringToFront(Control::mscTrends);
    window.bringToFront(Control::TextAnnual);
    window.Policy = 1;
    window.iter = 1;
}

}  // namespace

void MSFlexXImpact_Click(Trends& window, int button) {
    bringTrendMatrixForward(window);
    mouseclicksl(window, button);
}

void MSFlexTotals_Click(Trends& window, int button) {
    bringTotalsForward(window);
    mouseclicks2(window, button);
    window.iter = 1;
}

void MSFlexPolicy_Click(Trends& window, int button) {
    bringPolicyMatrixForward(window);
    mouseclicks3(window, button);
}

void MSFlexXImpact_BackgroundClick(Trends& window) {
    bringTrendMatrixForward(window);
    window.YearbyYear(window.cats);
}

void MSFlexTotals_BackgroundClick(Trends& window) {
    bringTotalsForward(window);
    window.iter = 1;  // as the Totals editing sets it before recalculating
    window.YearbyYear(window.cats);
}

void MSFlexPolicy_BackgroundClick(Trends& window) {
    bringPolicyMatrixForward(window);
    window.YearbyYear(window.cats);
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
