#pragma once

namespace vorn {

class Trends;

/// Handles one click on the Policy Matrix, whose clicked cell the grid has already made
/// current; `button` is 1 (left), 2 (right) or 4 (middle). Every cell shows the policy hint;
/// a second click on a value cell steps it by `inc`. Header cells are never stepped: their
/// names come from the Trend Matrix. Every click ends with the recalculation.
void mouseclicks3(Trends& window, int button);

}  // namespace vorn
