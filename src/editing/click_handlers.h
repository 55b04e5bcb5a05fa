#pragma once

#include <string>

namespace vorn {

class Trends;

// What the window does when the user clicks its tables and charts. A grid click arrives
// after the grid has made the clicked cell current; `button` is 1 (left), 2 (right) or
// 4 (middle).

void MSFlexXImpact_Click(Trends& window, int button);
void MSFlexTotals_Click(Trends& window, int button);
void MSFlexPolicy_Click(Trends& window, int button);

void MscXImpacts_Click(Trends& window);
void MscVary_Click(Trends& window);
void mscTrends_Click(Trends& window);

/// A dragged object over the Trend Matrix: state 0 entering, 1 leaving, 2 moving over.
void MSFlexXimpact_DragOver(Trends& window, int state);

/// The name of the item whose spread the Spread chart shows: the selected Totals column's
/// item, or item 1 while no item column is selected (or the selected one was removed); empty
/// when there are no items.
std::string trackedItemName(const Trends& window);

}  // namespace vorn
