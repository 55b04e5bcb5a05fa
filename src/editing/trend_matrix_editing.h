#pragma once

namespace vorn {

class Trends;

inline constexpr const char* kNewItemName = "New Item";
inline constexpr const char* kItemNamePrompt = "New Item Name";
/// Where the item name input box opens, in twips from the screen's top left corner.
inline constexpr int kItemNameBoxLeft = 9000;
inline constexpr int kItemNameBoxTop = 6000;
/// Shown when a new item name is one that a scenario file cannot store: a double quote ends a
/// text field, a line break ends a line.
inline constexpr const char* kQuoteInNameMessage =
    "An item name cannot contain a double quote (\").";
inline constexpr const char* kLineBreakInNameMessage = "An item name cannot contain a line break.";

/// Handles one click on the Trend Matrix, whose clicked cell the grid has already made
/// current; `button` is 1 (left), 2 (right) or 4 (middle). The top-left cell adds an item
/// (left) or removes the last one (other buttons), keeping 0 to 20 items; a header cell
/// renames its item through the input box; a value cell shows its hint and, when it was
/// already the selected cell, steps its value by `inc`. Every click ends with the
/// recalculation.
void mouseclicksl(Trends& window, int button);

/// Renames the item of header cell (row, column) of the Trend Matrix through the input box,
/// which proposes the present name, then recalculates. Other cells: nothing happens.
void renameItemProposingName(Trends& window, int row, int column);

}  // namespace vorn
