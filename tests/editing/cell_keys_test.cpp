// Keys on the three tables: the cell a move reaches, and that arriving, Space, Shift+Space and
// the context menu do what the clicks they stand for do.

#include "editing/cell_keys.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "shell/trends.h"
#include "support/started_window.h"

namespace vorn::testing {
namespace {

TEST(CellMoves, ReachEveryCellAndStopAtTheEdges) {
    CellTable table(9, 9);
    const auto from = [&](int row, int column, CellMove move, int page = 4) {
        table.setCurrent(row, column);
        const CellPosition cell = movedCell(table, move, page);
        return std::make_pair(cell.row, cell.column);
    };
    using P = std::pair<int, int>;
    EXPECT_EQ(from(3, 4, CellMove::Left), P(3, 3));
    EXPECT_EQ(from(3, 4, CellMove::Right), P(3, 5));
    EXPECT_EQ(from(3, 4, CellMove::Up), P(2, 4));
    EXPECT_EQ(from(3, 4, CellMove::Down), P(4, 4));
    EXPECT_EQ(from(3, 4, CellMove::RowStart), P(3, 0));
    EXPECT_EQ(from(3, 4, CellMove::RowEnd), P(3, 8));
    EXPECT_EQ(from(3, 4, CellMove::TableStart), P(0, 0));
    EXPECT_EQ(from(3, 4, CellMove::TableEnd), P(8, 8));
    EXPECT_EQ(from(3, 4, CellMove::PageDown), P(7, 4));
    EXPECT_EQ(from(3, 4, CellMove::PageUp), P(0, 4));
    EXPECT_EQ(from(7, 4, CellMove::PageDown), P(8, 4));
    EXPECT_EQ(from(3, 4, CellMove::PageDown, 0), P(4, 4));  // a page is one row at least
    // The headers and the corner are cells like any other; the edges hold.
    EXPECT_EQ(from(0, 0, CellMove::Up), P(0, 0));
    EXPECT_EQ(from(0, 0, CellMove::Left), P(0, 0));
    EXPECT_EQ(from(8, 8, CellMove::Right), P(8, 8));
    EXPECT_EQ(from(8, 8, CellMove::Down), P(8, 8));
    EXPECT_EQ(from(1, 0, CellMove::Up), P(0, 0));
}

class Keys : public StartedWindow {
  protected:
    Keys() : StartedWindow(7) {}

    const std::string& hints() { return window.text(Control::Hints); }
    std::string trend(int r, int c) { return window.MSFlexXImpact().text(r, c); }
    void arrive(Control grid, int row, int column) { arriveAtCell(window, grid, row, column); }
};

// The same events as keys and as clicks leave two windows with the same seed alike: tables,
// hint, shading, selection and every drawn number.
TEST(KeysAndClicks, LeaveTheWindowExactlyAsTheClicksTheyStandFor) {
    ScriptedPlatform clickPlatform;
    ScriptedPlatform keyPlatform;
    Trends clicked(clickPlatform, RandomSource(11));
    Trends keyed(keyPlatform, RandomSource(11));
    clicked.Form_Load();
    keyed.Form_Load();
    const auto click = [&](Control grid, int row, int column, int button) {
        clicked.gridTable(grid).setCurrent(row, column);
        clickCurrentCell(clicked, grid, button);
    };
    // A first click, two further left clicks and a right click, in each table.
    for (Control grid : {Control::MSFlexXImpact, Control::MSFlexPolicy, Control::MSFlexTotals}) {
        click(grid, 2, 3, 1);
        click(grid, 2, 3, 1);
        click(grid, 2, 3, 1);
        click(grid, 2, 3, 2);
        keyed.gridTable(grid).setCurrent(2, 2);
        ASSERT_TRUE(moveCurrentCell(keyed, grid, CellMove::Right, 5));
        clickCurrentCell(keyed, grid, 1);
        clickCurrentCell(keyed, grid, 1);
        clickCurrentCell(keyed, grid, 2);
    }
    for (Control grid : {Control::MSFlexXImpact, Control::MSFlexPolicy, Control::MSFlexTotals}) {
        const CellTable& a = clicked.gridTable(grid);
        const CellTable& b = keyed.gridTable(grid);
        for (int r = 0; r < a.rows(); ++r) {
            for (int c = 0; c < a.columns(); ++c) {
                EXPECT_EQ(a.text(r, c), b.text(r, c)) << r << "," << c;
                EXPECT_EQ(a.color(r, c), b.color(r, c)) << r << "," << c;
            }
        }
    }
    EXPECT_EQ(clicked.text(Control::Hints), keyed.text(Control::Hints));
    EXPECT_EQ(clicked.NewColor, keyed.NewColor);
    EXPECT_EQ(
        std::tie(clicked.lastr1, clicked.lastc1, clicked.lastr2, clicked.lastc2, clicked.Policy),
        std::tie(keyed.lastr1, keyed.lastc1, keyed.lastr2, keyed.lastc2, keyed.Policy));
    EXPECT_EQ(clicked.lastProjection().levels, keyed.lastProjection().levels);
    EXPECT_EQ(clicked.stacking(), keyed.stacking());
}

TEST_F(Keys, ArrivingSelectsAsAFirstClickAndSpaceSteps) {
    window.MSFlexXImpact().setText(4, 5, "1");
    window.lastr1 = 4;  // selected earlier, though the grid shows another cell
    window.lastc1 = 5;
    const unsigned long before = window.projectionCount();
    arrive(Control::MSFlexXImpact, 4, 5);
    EXPECT_EQ(trend(4, 5), "1");
    EXPECT_EQ(window.projectionCount(), before + 1);
    EXPECT_EQ(hints().rfind(
                  "This is the contribution of Item  4 to the annual net growth of Item  5.", 0),
              0u);
    EXPECT_EQ(window.NewColor, window.BaseColor);
    clickCurrentCell(window, Control::MSFlexXImpact, 1);
    EXPECT_EQ(trend(4, 5), "1.5");
    clickCurrentCell(window, Control::MSFlexXImpact, 2);
    EXPECT_EQ(trend(4, 5), "1");
}

TEST_F(Keys, HeadersActOnlyOnSpaceWhileArrivingSelects) {
    platform.inputAnswers = {"Water"};
    arrive(Control::MSFlexXImpact, 0, 3);
    arrive(Control::MSFlexXImpact, 0, 0);
    EXPECT_TRUE(platform.inputRequests.empty());
    EXPECT_EQ(window.cats.value, 8);
    EXPECT_EQ(std::tie(window.lastr1, window.lastc1), std::make_tuple(0, 0));

    clickCurrentCell(window, Control::MSFlexXImpact, 1);  // Space on the corner adds
    EXPECT_EQ(window.cats.value, 9);
    clickCurrentCell(window, Control::MSFlexXImpact, 2);  // Shift+Space removes the last
    clickCurrentCell(window, Control::MSFlexXImpact, 2);
    EXPECT_EQ(window.cats.value, 7);
    ASSERT_TRUE(moveCurrentCell(window, Control::MSFlexXImpact, CellMove::Right, 5));
    clickCurrentCell(window, Control::MSFlexXImpact, 1);  // Space on a header renames
    EXPECT_EQ(trend(0, 1), "Water");
    EXPECT_EQ(trend(1, 0), "Water");
}

TEST_F(Keys, TotalsNamesRunTwentyRunsOnlyOnSpace) {
    arrive(Control::MSFlexTotals, 0, 4);
    EXPECT_EQ(window.lastProjection().runs, 1);
    EXPECT_EQ(window.lastc2, 4);
    EXPECT_EQ(hints().rfind("This calculates 20 runs of the model", 0), 0u);
    EXPECT_EQ(window.iter, 1);
    clickCurrentCell(window, Control::MSFlexTotals, 1);
    EXPECT_EQ(window.lastProjection().runs, 20);
    EXPECT_EQ(window.text(Control::TextVary), "Uncertainty in Future Item  4 Trends");

    // The row labels below the corner keep the selection, and with it the tracked item.
    arrive(Control::MSFlexTotals, 2, 0);
    EXPECT_EQ(window.lastc2, 4);
    arrive(Control::MSFlexTotals, 3, 4);  // a lag: a first click
    clickCurrentCell(window, Control::MSFlexTotals, 1);
    EXPECT_EQ(window.MSFlexTotals().text(3, 4), "2");
}

TEST_F(Keys, PolicyArrivalTurnsPoliciesOnAndFocusBringsAHiddenTableForward) {
    EXPECT_TRUE(window.isAbove(Control::MSFlexXImpact, Control::MSFlexPolicy));
    const unsigned long before = window.projectionCount();
    focusGrid(window, Control::MSFlexXImpact);  // already in front: nothing happens
    focusGrid(window, Control::MSFlexTotals);
    EXPECT_EQ(window.projectionCount(), before);

    focusGrid(window, Control::MSFlexPolicy);
    EXPECT_TRUE(window.isAbove(Control::MSFlexPolicy, Control::MSFlexXImpact));
    EXPECT_EQ(window.Policy, 1);
    EXPECT_EQ(window.projectionCount(), before + 1);

    arrive(Control::MSFlexXImpact, 1, 1);
    EXPECT_EQ(window.Policy, 0);
    arrive(Control::MSFlexPolicy, 0, 2);  // every Policy cell is a selection with a hint
    EXPECT_EQ(window.Policy, 1);
    EXPECT_EQ(hints().rfind("What policies can improve the projected trends?", 0), 0u);
}

TEST_F(Keys, AMoveThatReachesNoOtherCellDoesNothing) {
    window.MSFlexXImpact().setCurrent(0, 0);
    const unsigned long before = window.projectionCount();
    EXPECT_FALSE(moveCurrentCell(window, Control::MSFlexXImpact, CellMove::Up, 5));
    EXPECT_FALSE(moveCurrentCell(window, Control::MSFlexXImpact, CellMove::TableStart, 5));
    EXPECT_EQ(window.projectionCount(), before);
}

TEST_F(Keys, ContextMenuOffersTheClicksOfEachKindOfCell) {
    using Actions = std::vector<CellAction>;
    const auto actionsAt = [&](Control grid, int row, int column) {
        window.gridTable(grid).setCurrent(row, column);
        return cellActions(window, grid);
    };
    const Actions steps = {{kStepUpAction, 1}, {kStepDownAction, 2}};
    EXPECT_EQ(actionsAt(Control::MSFlexXImpact, 2, 3), steps);
    EXPECT_EQ(actionsAt(Control::MSFlexPolicy, 5, 5), steps);
    EXPECT_EQ(actionsAt(Control::MSFlexTotals, 1, 2), steps);
    EXPECT_EQ(actionsAt(Control::MSFlexTotals, 3, 8), steps);
    EXPECT_EQ(actionsAt(Control::MSFlexXImpact, 0, 0),
              (Actions{{kAddItemAction, 1}, {kRemoveLastItemAction, 2}}));
    EXPECT_EQ(actionsAt(Control::MSFlexXImpact, 4, 0), (Actions{{kRenameItemAction, 1}}));
    EXPECT_EQ(actionsAt(Control::MSFlexTotals, 0, 3), (Actions{{kTwentyRunsAction, 1}}));
    EXPECT_TRUE(actionsAt(Control::MSFlexTotals, 2, 0).empty());
    EXPECT_TRUE(actionsAt(Control::MSFlexPolicy, 0, 3).empty());

    for (int i = 0; i < 12; ++i) {
        clickTrend(0, 0);
    }
    EXPECT_EQ(actionsAt(Control::MSFlexXImpact, 0, 0),
              (Actions{{kAddItemAction, 1, false}, {kRemoveLastItemAction, 2}}));
    runCellAction(window, Control::MSFlexXImpact, {kAddItemAction, 1, false});
    EXPECT_EQ(window.cats.value, 20);
}

TEST_F(Keys, AStepFromTheMenuOnACellNotYetSelectedIsTaken) {
    window.MSFlexPolicy().setCurrent(3, 4);  // current, never clicked
    runCellAction(window, Control::MSFlexPolicy, {kStepUpAction, 1});
    EXPECT_EQ(window.MSFlexPolicy().text(3, 4), "0.5");
    runCellAction(window, Control::MSFlexPolicy, {kStepDownAction, 2});
    runCellAction(window, Control::MSFlexPolicy, {kStepDownAction, 2});
    EXPECT_EQ(window.MSFlexPolicy().text(3, 4), "-0.5");
    EXPECT_EQ(window.Policy, 1);
}

}  // namespace
}  // namespace vorn::testing
