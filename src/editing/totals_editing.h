#pragma once

namespace vorn {

class Trends;

/// Handles one click on the Totals/Uncertainty table, whose clicked cell the grid has
/// already made current; `button` is 1 (left), 2 (right) or 4 (middle). Row 0 names the item
/// whose spread the 20 uncertainty runs chart (its corner cell item 1); a second click on a
/// Net Growth cell rescales the item's Trend Matrix column so that its sum moves by `inc`; a
/// second click steps an Uncertainty by `inc` (without bound) or a lag by one year (at least
/// 1). The row labels show no hint and change nothing. Every click ends with the
/// recalculation.
void mouseclicks2(Trends& window, int button);

}  // namespace vorn
