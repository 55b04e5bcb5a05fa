#pragma once

namespace vorn {

class Trends;

// What the window does when the user clicks its tables and charts. A grid click arrives
// after the grid has made the clicked cell current; `button` is 1 (left), 2 (right) or
// 4 (middle).

void MSFlexXImpact_Click(Trends& window, int button);
void MSFlexTotals_Click(Trends& window, int button);
void MSFlexPolicy_Click(Trends& window, int button);

// A press on a grid beyond its cells or on its scroll bars: the grid comes forward and the
// window recalculates as after a click on a cell, but nothing is edited, no hint is shown
// and the selected cell stays as it was. Without it a grid whose visible part holds no cell
// could never be brought back.

void MSFlexXImpact_BackgroundClick(Trends& window);
void MSFlexTotals_BackgroundClick(Trends& window);
void MSFlexPolicy_BackgroundClick(Trends& window);

void MscXImpacts_Click(Trends& window);
void MscVary_Click(Trends& window);
void mscTrends_Click(Trends& window);

/// A dragged object over the Trend Matrix: state 0 entering, 1 leaving, 2 moving over.
void MSFlexXimpact_DragOver(Trends& window, int state);

}  // namespace vorn
