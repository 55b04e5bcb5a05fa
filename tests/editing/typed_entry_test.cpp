// Numbers typed into the cells of the three tables, committed as the window's cell editor
// commits them.

#include "editing/typed_entry.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "editing/click_handlers.h"
#include "shell/trends.h"
#include "support/started_window.h"

namespace vorn::testing {
namespace {

class TypedEntry : public StartedWindow {
  protected:
    TypedEntry() : StartedWindow(9) {}

    CellTable& table(Control grid) {
        return grid == Control::MSFlexTotals   ? window.MSFlexTotals()
               : grid == Control::MSFlexPolicy ? window.MSFlexPolicy()
                                               : window.MSFlexXImpact();
    }
    std::string trend(int r, int c) { return window.MSFlexXImpact().text(r, c); }
    std::string netGrowth(int item) { return window.MSFlexTotals().text(kNetGrowthRow, item); }
};

struct Accepted {
    const char* name;
    Control grid;
    int row;
    int column;
    const char* typed;
    const char* shown;
    Rgb color;  // shaded from NewColor 200 as a click edit to the value would
};

TEST_F(TypedEntry, ANumberInAValueCellIsWrittenShadedRecalculatedAndOneStep) {
    const Accepted cases[] = {
        {"trend", Control::MSFlexXImpact, 2, 3, "-0.1", "-0.1", {255, 255, 150}},
        {"trend diagonal, unrounded",
         Control::MSFlexXImpact,
         4,
         4,
         " 3.789 ",
         "3.789",
         {255, 255, 255}},
        {"exponent and sign", Control::MSFlexXImpact, 1, 2, "+.5E-1", "0.05", {255, 255, 225}},
        {"policy", Control::MSFlexPolicy, 1, 2, "-0.25", "-0.25", {75, 255, 255}},
        {"uncertainty", Control::MSFlexTotals, 2, 5, "0.05", "0.05", {255, 225, 255}},
        {"negative uncertainty", Control::MSFlexTotals, 2, 6, "-1", "-1", {255, 0, 255}},
        {"fractional lag", Control::MSFlexTotals, 3, 2, "0.1", "0.1", {255, 225, 255}},  // x inc
        {"no lag", Control::MSFlexTotals, 3, 3, "0", "0", {255, 200, 255}},
    };
    for (const Accepted& entry : cases) {
        SCOPED_TRACE(entry.name);
        window.NewColor = 200;
        const unsigned long projections = window.projectionCount();
        const std::size_t steps = window.history().undoCount();
        EXPECT_EQ(entryStart(window, entry.grid, entry.row, entry.column, false),
                  EntryStart::Editor);
        EXPECT_EQ(commitEntry(window, entry.grid, entry.row, entry.column, entry.typed),
                  EntryOutcome::Changed);
        EXPECT_EQ(table(entry.grid).text(entry.row, entry.column), entry.shown);
        EXPECT_EQ(table(entry.grid).color(entry.row, entry.column), entry.color);
        EXPECT_EQ(window.projectionCount(), projections + 1);
        EXPECT_EQ(window.history().undoCount(), steps + 1);
        EXPECT_EQ(window.history().undoName(), "Typed Entry");
    }
    EXPECT_EQ(netGrowth(3), "-0.1");  // the recalculation saw the entries
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(TypedEntry, TheTableComesForwardAndSetsThePolicySwitchAsAClickWould) {
    commitEntry(window, Control::MSFlexPolicy, 3, 3, "2");
    EXPECT_EQ(window.Policy, 1);
    EXPECT_EQ(netGrowth(3), "2");  // with the policies
    EXPECT_TRUE(window.isAbove(Control::MSFlexPolicy, Control::MSFlexXImpact));
    window.iter = 20;
    commitEntry(window, Control::MSFlexXImpact, 3, 3, "1");
    EXPECT_EQ(window.Policy, 0);
    EXPECT_EQ(window.iter, 1);
    EXPECT_EQ(netGrowth(3), "1");
    EXPECT_TRUE(window.isAbove(Control::MSFlexXImpact, Control::MSFlexPolicy));
}

TEST_F(TypedEntry, NetGrowthRescalesTheColumnOrFeedsTheItemsOwnGrowthWhenItShowsZero) {
    CellTable& matrix = window.MSFlexXImpact();
    matrix.setText(1, 2, "1.5");
    matrix.setText(3, 2, "0.5");
    matrix.setText(4, 4, "1.15");
    matrix.setText(1, 5, "0.4");
    matrix.setText(2, 5, "-0.4");
    window.YearbyYear(window.cats);
    window.NewColor = 200;

    // new / old = 1.25; entries rounded down to hundredths, as a click does.
    EXPECT_EQ(commitEntry(window, Control::MSFlexTotals, 1, 2, "2.5"), EntryOutcome::Changed);
    EXPECT_EQ(trend(1, 2) + " " + trend(3, 2), "1.87 0.62");
    EXPECT_EQ(netGrowth(2), "2.49");
    EXPECT_EQ(window.history().undoName(), "Rescale Net Growth");
    EXPECT_EQ(window.MSFlexTotals().color(1, 2), (Rgb{255, 255, 255}));  // 200 + 500 x 2.5
    // 115 x 2 in binary falls short of 230 by a rounding error, which is not a hundredth.
    commitEntry(window, Control::MSFlexTotals, 1, 4, "2.3");
    EXPECT_EQ(netGrowth(4), "2.3");
    // A column summing to 0 has no ratio: the item's own growth rate takes the value.
    commitEntry(window, Control::MSFlexTotals, 1, 5, "-3");
    EXPECT_EQ(trend(1, 5) + " " + trend(2, 5) + " " + trend(5, 5), "0.4 -0.4 -3");
    EXPECT_EQ(netGrowth(5), "-3");
    commitEntry(window, Control::MSFlexTotals, 1, 6, "0.7");  // an empty column
    EXPECT_EQ(trend(6, 6), "0.7");
    commitEntry(window, Control::MSFlexTotals, 1, 2, "0");
    EXPECT_EQ(trend(1, 2) + " " + trend(3, 2), "0 0");
    window.mnuUndo_Click();
    EXPECT_EQ(trend(1, 2) + " " + trend(3, 2), "1.87 0.62");
}

TEST_F(TypedEntry, WhatIsNotANumberOutOfRangeOrANegativeLagIsRefusedAndChangesNothing) {
    window.MSFlexXImpact().setText(2, 3, "0.01");  // rescaled by 9000 / 0.01 it passes the limit
    window.MSFlexXImpact().setText(4, 3, "20");
    window.MSFlexXImpact().setText(5, 3, "-20");
    window.YearbyYear(window.cats);
    struct Refused {
        Control grid;
        int row;
        int column;
        const char* typed;
        std::string message;
    };
    const Refused cases[] = {
        {Control::MSFlexXImpact, 2, 3, "3,7", notANumberMessage("3,7")},
        {Control::MSFlexXImpact, 2, 3, "1.2.3", notANumberMessage("1.2.3")},
        {Control::MSFlexXImpact, 2, 3, "--1", notANumberMessage("--1")},
        {Control::MSFlexPolicy, 2, 3, "5%", notANumberMessage("5%")},
        {Control::MSFlexPolicy, 2, 3, "1e", notANumberMessage("1e")},
        {Control::MSFlexTotals, 1, 3, ".", notANumberMessage(".")},
        {Control::MSFlexTotals, 2, 3, "1 000", notANumberMessage("1 000")},
        {Control::MSFlexTotals, 2, 3, "1e400", notANumberMessage("1e400")},
        {Control::MSFlexTotals, 2, 3, "10000.01", outOfRangeMessage("10000.01")},
        {Control::MSFlexXImpact, 3, 3, "-1e5", outOfRangeMessage("-1e5")},
        {Control::MSFlexTotals, 1, 3, "9000", kRescaleRangeMessage},
        {Control::MSFlexTotals, 3, 3, "-0.5", kNegativeLagMessage}};
    for (const Refused& entry : cases) {
        SCOPED_TRACE(entry.typed);
        platform.messages.clear();
        const unsigned long revision = table(entry.grid).revision();
        const unsigned long projections = window.projectionCount();
        EXPECT_EQ(commitEntry(window, entry.grid, entry.row, entry.column, entry.typed),
                  EntryOutcome::Refused);
        EXPECT_EQ(table(entry.grid).revision(), revision);
        EXPECT_EQ(window.MSFlexXImpact().text(2, 3), "0.01");
        EXPECT_EQ(window.projectionCount(), projections);
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].second, entry.message);
    }
    EXPECT_EQ(notANumberMessage("3,7"),
              "\"3,7\" is not a number. Please type a number such as 3.7 or -0.25.");
    EXPECT_EQ(outOfRangeMessage("2e4"),
              "\"2e4\" is out of range. Please type a number from -10000 to 10000.");
    EXPECT_FALSE(window.history().canUndo());
}

TEST_F(TypedEntry, BlankEntriesTheCellsOwnValueAndCellsWithoutValuesChangeNothing) {
    window.MSFlexXImpact().setText(2, 2, "0.5");
    const unsigned long projections = window.projectionCount();
    EXPECT_EQ(commitEntry(window, Control::MSFlexXImpact, 2, 3, "  "), EntryOutcome::Unchanged);
    EXPECT_EQ(commitEntry(window, Control::MSFlexXImpact, 2, 2, "0.50"), EntryOutcome::Unchanged);
    EXPECT_EQ(commitEntry(window, Control::MSFlexTotals, 3, 1, "1"), EntryOutcome::Unchanged);
    for (const auto& [grid, row, column] : {std::tuple{Control::MSFlexXImpact, 0, 2},
                                            {Control::MSFlexXImpact, 0, 0},
                                            {Control::MSFlexPolicy, 3, 0},
                                            {Control::MSFlexTotals, kNamesRow, 2},
                                            {Control::MSFlexTotals, kLagsRow, 0},
                                            {Control::MSFlexTotals, kLagsRow, 9},
                                            {Control::MscVary, 1, 1}}) {
        EXPECT_EQ(entryStart(window, grid, row, column, false), EntryStart::None);
        EXPECT_EQ(commitEntry(window, grid, row, column, "5"), EntryOutcome::Unchanged);
    }
    EXPECT_EQ(window.MSFlexXImpact().text(0, 2), "Item  2");
    EXPECT_EQ(window.projectionCount(), projections);
    EXPECT_FALSE(window.history().canUndo());
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(TypedEntry, F2OffersTheCellsNumberOrRenamesAHeaderWithItsNameProposed) {
    window.MSFlexXImpact().setText(2, 3, " 1.25");
    EXPECT_EQ(entryStartText(window, Control::MSFlexXImpact, 2, 3), "1.25");
    EXPECT_EQ(entryStartText(window, Control::MSFlexPolicy, 2, 3), "");  // the percent mark
    EXPECT_EQ(entryStartText(window, Control::MSFlexTotals, kLagsRow, 3), "1");

    EXPECT_EQ(entryStart(window, Control::MSFlexXImpact, 3, 0, true), EntryStart::ItemNameBox);
    EXPECT_EQ(entryStart(window, Control::MSFlexXImpact, 0, 3, true), EntryStart::ItemNameBox);
    EXPECT_EQ(entryStart(window, Control::MSFlexPolicy, 0, 3, true), EntryStart::None);
    renameFromKey(window, 3, 0);  // cancelled
    EXPECT_FALSE(window.history().canUndo());
    platform.inputAnswers = {"Water"};
    renameFromKey(window, 0, 3);
    ASSERT_EQ(platform.inputRequests.size(), 2u);
    EXPECT_EQ(platform.inputRequests[1].defaultText, "Item  3");
    EXPECT_EQ(platform.inputRequests[1].prompt, "New Item Name");
    EXPECT_EQ(window.MSFlexXImpact().text(3, 0), "Water");
    EXPECT_EQ(window.MSFlexTotals().text(kNamesRow, 3), "Water");
    EXPECT_EQ(window.history().undoName(), "Rename Item");
}

}  // namespace
}  // namespace vorn::testing
