#include "editing/click_handlers.h"

#include "shell/trends.h"

namespace vorn {

void MSFlexXImpact_Click(Trends& window, int /*button*/) {
    window.bringToFront(Control::MSFlexXImpact);
    window.bringToFront(Control::mscTrends);
    window.bringToFront(Control::TextAnnual);
    window.bringToFront(Control::TextGrowth);
    window.Policy = 0;
    window.iter = 1;
    window.YearbyYear(window.cats);
}

void MSFlexTotals_Click(Trends& window, int /*button*/) {
    window.bringToFront(Control::MSFlexTotals);
    window.bringToFront(Control::mscTrends);
    window.bringToFront(Control::TextAnnual);
    window.bringToFront(Control::TextGrowth);
    window.YearbyYear(window.cats);
    window.iter = 1;
}

void MSFlexPolicy_Click(Trends& window, int /*button*/) {
    window.bringToFront(Control::MSFlexPolicy);
    window.bringToFront(Control::mscTrends);
    window.bringToFront(Control::TextAnnual);
    window.Policy = 1;
    window.iter = 1;
    window.YearbyYear(window.cats);
}

void MscXImpacts_Click(Trends& window) {
    window.iter = 1;
    window.bringToFront(Control::MscXImpacts);
    window.bringToFront(Control::TextGrowth);
    window.YearbyYear(window.cats);
}

void MscVary_Click(Trends& window) {
    window.bringToFront(Control::TextVary);
    window.iter = 20;
    window.YearbyYear(window.cats);
}

void mscTrends_Click(Trends& window) {
    window.bringToFront(Control::mscTrends);
    window.YearbyYear(window.cats);
    window.iter = 1;
}

void MSFlexXimpact_DragOver(Trends& /*window*/, int /*state*/) {}

}  // namespace vorn
