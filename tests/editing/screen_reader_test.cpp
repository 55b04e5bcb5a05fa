// What a screen reader reads of the controls: names, cell texts, the charts in words and the
// numbers behind them.

#include "editing/screen_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/started_window.h"

namespace vorn::testing {
namespace {

TEST_F(StartedWindow, ControlsAreNamedByTheirRoleCornerOrCaption) {
    EXPECT_EQ(accessibleName(window, Control::MSFlexXImpact), "Trend Matrix");
    EXPECT_EQ(accessibleName(window, Control::MSFlexPolicy), "Policy Matrix");
    EXPECT_EQ(accessibleName(window, Control::MSFlexTotals), "Totals/Uncertainty");
    EXPECT_EQ(accessibleName(window, Control::HScrollTime), "Time Horizon");
    EXPECT_EQ(accessibleName(window, Control::HScrollUncert), "Uncertainty");
    EXPECT_EQ(accessibleName(window, Control::HScrollLags), "Change");
    EXPECT_EQ(accessibleName(window, Control::Hints), "Hints");
    EXPECT_EQ(accessibleName(window, Control::Instruction), "Instructions");
    EXPECT_EQ(accessibleName(window, Control::mscTrends), "Scenario Trends- Forecast to  2040");
    EXPECT_EQ(accessibleName(window, Control::MscXImpacts), "Contributions to Change in  2040");
    window.MSFlexXImpact().setText(0, 0, "Trend\r\nMatrix  ");
    EXPECT_EQ(accessibleName(window, Control::MSFlexXImpact), "Trend Matrix");
    for (const ControlLayout& layout : windowLayout()) {
        EXPECT_FALSE(accessibleName(window, layout.id).empty()) << layout.name;
    }
}

TEST(SpokenCells, AnUnsetValueSaysSoAndBlanksAreLeftOut) {
    EXPECT_EQ(spokenCellText("%   "), "not set");
    EXPECT_EQ(spokenCellText(" 0.5 "), "0.5");
    EXPECT_EQ(spokenCellText("Item  3"), "Item  3");
}

TEST_F(StartedWindow, CellToolTipsNameTheItemsOfAValue) {
    openExample("Example1.txt");
    EXPECT_EQ(cellToolTip(window, Control::MSFlexXImpact, 2, 1), "Food -> Population: 0.4");
    EXPECT_EQ(cellToolTip(window, Control::MSFlexXImpact, 1, 3), "Population -> Industry: 0.2");
    window.MSFlexPolicy().setText(1, 2, "%   ");
    EXPECT_EQ(cellToolTip(window, Control::MSFlexPolicy, 1, 2), "Population -> Food: not set");
    EXPECT_EQ(cellToolTip(window, Control::MSFlexTotals, kUncertaintyRow, 2),
              "Uncertainty of Food: " + window.MSFlexTotals().text(kUncertaintyRow, 2));
    EXPECT_EQ(cellToolTip(window, Control::MSFlexXImpact, 0, 2), "Food");
    EXPECT_EQ(cellToolTip(window, Control::MSFlexTotals, 0, 0), "Totals/Uncertainty");
}

TEST_F(StartedWindow, ChartsAreDescribedAndTheirNumbersTabled) {
    EXPECT_EQ(chartDescription(window, Control::mscTrends),
              "Levels of 8 items relative to 2000, from 2000 to 2040. In 2040 all are at 1.");
    clickTrend(3, 3);
    clickTrend(3, 3);  // Item 3 grows by 0.5 % a year
    window.MSFlexXImpact().setCurrent(4, 4);
    clickTrend(4, 4);
    clickTrend(4, 4, 2);  // Item 4 shrinks
    const std::string levels = chartDescription(window, Control::mscTrends);
    EXPECT_NE(levels.find("Highest in 2040: Item  3 at 1.2"), std::string::npos) << levels;
    EXPECT_NE(levels.find("Lowest: Item  4 at 0.8"), std::string::npos) << levels;
    const std::string contributions = chartDescription(window, Control::MscXImpacts);
    EXPECT_NE(contributions.find("Largest positive: Item  3 to Item  3, "), std::string::npos)
        << contributions;
    EXPECT_NE(contributions.find("Largest negative: Item  4 to Item  4, -"), std::string::npos)
        << contributions;
    clickTotals(0, 3);
    EXPECT_EQ(chartDescription(window, Control::MscVary)
                  .rfind("20 runs of Item  3, from 2000 to 2040.", 0),
              0u);

    const TextTable trends = chartData(window, Control::mscTrends);
    EXPECT_EQ(trends.cornerText, "Item");
    EXPECT_EQ(trends.columnHeaders.size(), 21u);
    EXPECT_EQ(trends.columnHeaders.front(), "2000");
    EXPECT_EQ(trends.columnHeaders.back(), "2040");
    EXPECT_EQ(trends.rowHeaders,
              (std::vector<std::string>{"Item  1", "Item  2", "Item  3", "Item  4", "Item  5",
                                        "Item  6", "Item  7", "Item  8"}));
    EXPECT_EQ(trends.cells[0][0], "1");
    const TextTable spread = chartData(window, Control::MscVary);
    EXPECT_EQ(spread.rowHeaders.size(), 20u);
    EXPECT_EQ(spread.rowHeaders.back(), "Run 20");
    const TextTable bars = chartData(window, Control::MscXImpacts);
    EXPECT_EQ(bars.rowHeaders.back(), "Uncertainty");
    EXPECT_EQ(bars.columnHeaders.size(), 8u);
}

}  // namespace
}  // namespace vorn::testing
