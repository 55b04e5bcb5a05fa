#pragma once

#include <string>

#include "shell/controls.h"

namespace vorn {

class Trends;

// What the window does when the user clicks its tables and charts. A grid click arrives
// after the grid has made the clicked cell current; `button` is 1 (left), 2 (right) or
// 4 (middle).

// A click that changes the scenario is one undoable step; one that only selects is none.

void MSFlexXImpact_Click(Trends& window, int button);
void MSFlexTotals_Click(Trends& window, int button);
void MSFlexPolicy_Click(Trends& window, int button);

/// What a click on a table does before its editing procedure runs: brings the table, the
/// Scenario Trends chart and the captions forward and sets one run; a Trend Matrix click
/// turns the policy switch off, a Policy Matrix click on.
void prepareTableEdit(Trends& window, Control grid);

// A press on a grid beyond its cells or on its scroll bars: the grid comes forward and the
// window recalculates as after a click on a cell, but nothing is edited, no hint is shown
// and the selected cell stays as it was. Without it a grid whose visible part holds no cell
// could never be brought back.

void MSFlexXImpact_BackgroundClick(Trends& window);
void MSFlexTotals_BackgroundClick(Trends& window);
void MSFlexPolicy_BackgroundClick(Trends& window);

/// A click on the arrow of the Loop Diagram that stands for Trend Matrix cell (row, column)
/// (items counted from 1; on the diagonal, an item's own growth): the cell becomes current
/// and the Trend Matrix click handler runs as on a first click on it, even when the cell was
/// selected already, so that it shows the cell's hint and brings the table forward but
/// changes no value. A cell the Trend Matrix no longer holds is ignored.
void LoopDiagram_Click(Trends& window, int row, int column);

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
