#pragma once

#include <string>
#include <vector>

#include "shell/controls.h"
#include "tables/cell_table.h"

namespace vorn {

class Trends;

// What keys do on the three tables. Every key that changes something runs the table's own
// click handler, so that a key does exactly what the click it stands for does.

/// A key that moves the current cell: the arrows, Home and End (the row's first and last
/// cell), Ctrl+Home and Ctrl+End (the table's first and last cell), Page Up and Page Down.
enum class CellMove {
    Left,
    Right,
    Up,
    Down,
    RowStart,
    RowEnd,
    TableStart,
    TableEnd,
    PageUp,
    PageDown
};

struct CellPosition {
    int row = 0;
    int column = 0;

    friend bool operator==(const CellPosition&, const CellPosition&) = default;
};

/// The cell `move` reaches from the table's current cell. Every cell can be reached, the
/// headers and the corner included; a move stops at the table's edge. A page is `pageRows`
/// rows (at least one).
CellPosition movedCell(const CellTable& table, CellMove move, int pageRows);

/// A click with `button` (1 left, 2 right) on the current cell of `grid`: the table's click
/// handler. Space is a further left click, Shift+Space a further right click.
void clickCurrentCell(Trends& window, Control grid, int button);

/// A click on `grid` beyond its cells or on its scroll bars: the table's background click.
void clickGridBackground(Trends& window, Control grid);

/// Arriving at cell (row, column) by a key acts as a first left click on it: the cell becomes
/// current, and the table's click handler runs with button 1, so the table comes forward, the
/// policy switch is set, the hint shows and the window recalculates; a value cell becomes the
/// selected cell, which Space then steps. What a click on a header does besides (renaming,
/// adding an item, the twenty runs) waits for Space.
void arriveAtCell(Trends& window, Control grid, int row, int column);

/// Moves the current cell of `grid` with a key and arrives there; a move that reaches no other
/// cell does nothing. True when the current cell moved.
bool moveCurrentCell(Trends& window, Control grid, CellMove move, int pageRows);

/// The keyboard came to `grid` (Tab, Shift+Tab or a region key): a table that lies behind
/// another comes forward as a click on its background brings it; else nothing happens.
void focusGrid(Trends& window, Control grid);

/// An entry of a cell's context menu: its name and the click it stands for.
struct CellAction {
    std::string name;
    int button = 1;
    bool enabled = true;

    friend bool operator==(const CellAction&, const CellAction&) = default;
};

inline constexpr const char* kStepUpAction = "Step Up";
inline constexpr const char* kStepDownAction = "Step Down";
inline constexpr const char* kRenameItemAction = "Rename Item...";
inline constexpr const char* kAddItemAction = "Add Item";
inline constexpr const char* kRemoveLastItemAction = "Remove Last Item";
inline constexpr const char* kTwentyRunsAction = "Twenty Runs";

/// What the context menu of the current cell of `grid` offers (Menu key, Shift+F10): the
/// actions a left or right click there takes. Cells whose clicks only select offer none.
std::vector<CellAction> cellActions(const Trends& window, Control grid);

/// Runs an entry of the context menu on the current cell. A step on a cell that is not yet
/// the selected one selects it first, so that the step the menu named is taken.
void runCellAction(Trends& window, Control grid, const CellAction& action);

}  // namespace vorn
