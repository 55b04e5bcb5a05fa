#include "editing/cell_keys.h"

#include <algorithm>

#include "editing/click_handlers.h"
#include "editing/hints.h"
#include "shell/trends.h"

namespace vorn {
namespace {

// A value cell: one a further click steps.
bool valueCell(Control grid, int row, int column) {
    if (grid == Control::MSFlexTotals) {
        return row >= kNetGrowthRow && row <= kLagsRow && column >= 1;
    }
    return row >= 1 && column >= 1;
}

// A first click on the cell only selects it (and shows its hint).
bool firstClickOnlySelects(Control grid, int row, int column) {
    return grid == Control::MSFlexPolicy || valueCell(grid, row, column);
}

// The cell the next click on `grid` takes as already selected.
CellPosition selectedCell(const Trends& window, Control grid) {
    switch (grid) {
        case Control::MSFlexXImpact:
            return {window.lastr1, window.lastc1};
        case Control::MSFlexTotals:
            return {window.lastr2, window.lastc2};
        default:
            return {window.lastr3, window.lastc3};
    }
}

// No cell of `grid` is selected: the next click on it is a first click.
void forgetSelectedCell(Trends& window, Control grid) {
    switch (grid) {
        case Control::MSFlexXImpact:
            window.lastr1 = window.lastc1 = -1;
            break;
        case Control::MSFlexTotals:
            window.lastr2 = window.lastc2 = -1;
            break;
        default:
            window.lastr3 = window.lastc3 = -1;
            break;
    }
}

// A grid whose design place overlaps `grid`'s.
bool overlaps(Control a, Control b) {
    const ControlLayout& first = layoutOf(a);
    const ControlLayout& second = layoutOf(b);
    return first.left < second.left + second.width && second.left < first.left + first.width &&
           first.top < second.top + second.height && second.top < first.top + first.height;
}

CellPosition current(const CellTable& table) {
    return {table.currentRow(), table.currentColumn()};
}

}  // namespace

CellPosition movedCell(const CellTable& table, CellMove move, int pageRows) {
    const int lastRow = std::max(table.rows() - 1, 0);
    const int lastColumn = std::max(table.columns() - 1, 0);
    const int page = std::max(pageRows, 1);
    CellPosition cell = current(table);
    switch (move) {
        case CellMove::Left:
            --cell.column;
            break;
        case CellMove::Right:
            ++cell.column;
            break;
        case CellMove::Up:
            --cell.row;
            break;
        case CellMove::Down:
            ++cell.row;
            break;
        case CellMove::RowStart:
            cell.column = 0;
            break;
        case CellMove::RowEnd:
            cell.column = lastColumn;
            break;
        case CellMove::TableStart:
            cell = {0, 0};
            break;
        case CellMove::TableEnd:
            cell = {lastRow, lastColumn};
            break;
        case CellMove::PageUp:
            cell.row -= page;
            break;
        case CellMove::PageDown:
            cell.row += page;
            break;
    }
    return {std::clamp(cell.row, 0, lastRow), std::clamp(cell.column, 0, lastColumn)};
}

void clickCurrentCell(Trends& window, Control grid, int button) {
    switch (grid) {
        case Control::MSFlexXImpact:
            MSFlexXImpact_Click(window, button);
            break;
        case Control::MSFlexTotals:
            MSFlexTotals_Click(window, button);
            break;
        default:
            MSFlexPolicy_Click(window, button);
            break;
    }
}

void clickGridBackground(Trends& window, Control grid) {
    switch (grid) {
        case Control::MSFlexXImpact:
            MSFlexXImpact_BackgroundClick(window);
            break;
        case Control::MSFlexTotals:
            MSFlexTotals_BackgroundClick(window);
            break;
        default:
            MSFlexPolicy_BackgroundClick(window);
            break;
    }
}

void arriveAtCell(Trends& window, Control grid, int row, int column) {
    window.gridTable(grid).setCurrent(row, column);
    if (firstClickOnlySelects(grid, row, column)) {
        forgetSelectedCell(window, grid);
        clickCurrentCell(window, grid, 1);
        return;
    }
    // A header whose click acts: everything that click does but the action itself.
    prepareTableEdit(window, grid);
    if (grid == Control::MSFlexXImpact) {
        window.lastr1 = row;
        window.lastc1 = column;
    } else if (grid == Control::MSFlexTotals && row == kNamesRow) {
        window.lastr2 = row;
        window.lastc2 = column;
        window.setText(Control::Hints, growthRunsHint(trackedItemName(window)));
    }
    window.YearbyYear(window.cats);
}

bool moveCurrentCell(Trends& window, Control grid, CellMove move, int pageRows) {
    const CellTable& table = window.gridTable(grid);
    const CellPosition target = movedCell(table, move, pageRows);
    if (target == current(table) || !table.contains(target.row, target.column)) {
        return false;
    }
    arriveAtCell(window, grid, target.row, target.column);
    return true;
}

void focusGrid(Trends& window, Control grid) {
    for (Control other : {Control::MSFlexXImpact, Control::MSFlexPolicy, Control::MSFlexTotals}) {
        if (other != grid && overlaps(other, grid) && window.isAbove(other, grid)) {
            clickGridBackground(window, grid);
            return;
        }
    }
}

std::vector<CellAction> cellActions(const Trends& window, Control grid) {
    const CellTable& table = window.gridTable(grid);
    const int row = table.currentRow();
    const int column = table.currentColumn();
    if (!table.contains(row, column)) {
        return {};
    }
    if (valueCell(grid, row, column)) {
        return {{kStepUpAction, 1}, {kStepDownAction, 2}};
    }
    if (grid == Control::MSFlexXImpact) {
        if (row == 0 && column == 0) {
            const int items = table.columns() - 1;
            return {{kAddItemAction, 1, items < kMaxItems}, {kRemoveLastItemAction, 2, items > 0}};
        }
        return {{kRenameItemAction, 1}};
    }
    if (grid == Control::MSFlexTotals && row == kNamesRow) {
        return {{kTwentyRunsAction, 1}};
    }
    return {};
}

void runCellAction(Trends& window, Control grid, const CellAction& action) {
    if (!action.enabled) {
        return;
    }
    const CellTable& table = window.gridTable(grid);
    const CellPosition cell = current(table);
    if (valueCell(grid, cell.row, cell.column) && !(selectedCell(window, grid) == cell)) {
        arriveAtCell(window, grid, cell.row, cell.column);
    }
    clickCurrentCell(window, grid, action.button);
}

}  // namespace vorn
