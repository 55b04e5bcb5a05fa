#pragma once

#include "tables/scenario_tables.h"

namespace vorn {

class Trends;

// What the three tables share when a click edits a cell: the direction of the step, the
// rounding of stepped matrix values and the edit shading.

/// +1 for the left button, -1 for the right and middle buttons: an odd button number adds,
/// an even one subtracts.
double buttonSign(int button);

/// `x` rounded down to two decimals as it reads in decimals: 100 x is first rounded to 12
/// significant digits, so that a sum a binary rounding error short of a hundredth keeps it
/// (1.8 + 0.5 gives 2.3, where floor(100 x) in double precision gives 2.29). A negative value
/// moves away from zero (-0.125 gives -0.13); a value with two decimals or fewer keeps them.
/// Click steps, the Net Growth rescale and a typed Net Growth all round with this.
double roundDownToHundredths(double x);

/// Adds `amount` to NewColor; a level below 0 becomes 0.
void shiftNewColor(Trends& window, double amount);

/// Colours the current cell of `table` with NewColor in the table's channel and OtherColor
/// in the other two.
void shadeCurrentCell(const Trends& window, CellTable& table, ColorChannel channel);

/// The second click on a matrix value cell: steps the current cell by `inc` in the
/// button's direction, keeps two decimals rounded down, moves NewColor by the unrounded
/// value and shades the cell.
void stepMatrixCell(Trends& window, CellTable& table, ColorChannel channel, int button);

/// The number of items, read from the Trend Matrix's shape.
int itemCount(const Trends& window);

}  // namespace vorn
