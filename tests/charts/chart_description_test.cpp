// The charts in words and as tables, from chart tables made by hand.

#include "charts/chart_description.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorn {
namespace {

// Three points (2000, 2020, 2040) of three lines; the second line has no numbers.
ChartTable threeLines() {
    ChartTable table(4, 3);
    table.set(0, 0, std::string(" 2000"));
    table.set(0, 1, std::string(" 2020"));
    table.set(0, 2, std::string(" 2040"));
    for (int c = 0; c < 3; ++c) {
        table.set(1, c, 1.0 + 0.25 * c);
        table.set(3, c, 1.0 - 0.1 * c);
    }
    return table;
}

TEST(ChartDescriptions, NameTheItemsYearsAndExtremesAtTheHorizon) {
    const ChartTable lines = threeLines();
    EXPECT_EQ(
        levelsDescription(lines, {"Food", "Water", "Air"}, " 2040"),
        "Levels of 2 items relative to 2000, from 2000 to 2040. Highest in 2040: Food at 1.5. "
        "Lowest: Air at 0.8.");
    // A horizon the labels do not hold: the last column. Unnamed lines: their numbers.
    EXPECT_EQ(levelsDescription(lines, {}, " 2100"),
              "Levels of 2 items relative to 2000, from 2000 to 2040. Highest in 2040: 1 at 1.5. "
              "Lowest: 3 at 0.8.");
    EXPECT_NE(levelsDescription(lines, {}, " 2020").find("Highest in 2020: 1 at 1.25."),
              std::string::npos);
    EXPECT_EQ(spreadDescription(lines, "Food", " 2040"),
              "2 runs of Food, from 2000 to 2040. Highest in 2040: 1 at 1.5. Lowest: 3 at 0.8.");
    EXPECT_EQ(levelsDescription(ChartTable(21, 21), {}, " 2040"), "No items.");

    ChartTable bars(4, 3);  // two items and the uncertainty
    bars.set(0, 1, std::string("Food"));
    bars.set(0, 2, std::string("Water"));
    bars.set(1, 0, std::string("Food"));
    bars.set(2, 0, std::string("Water"));
    bars.set(3, 0, std::string("Uncertainty"));
    const double values[3][2] = {{0.5, -0.25}, {2.0, 0}, {-3.125, 0.1}};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 2; ++c) {
            bars.set(r + 1, c + 1, values[r][c]);
        }
    }
    EXPECT_EQ(contributionsDescription(bars),
              "Contributions of 2 items and the uncertainty to the change of each item in the last "
              "step. Largest positive: Water to Food, 2. Largest negative: Uncertainty to Food, "
              "-3.125.");
}

TEST(ChartDescriptions, NumbersHaveFourDigitsAndAPeriodWhateverTheLocale) {
    EXPECT_EQ(chartNumberText(1.23456), "1.235");
    EXPECT_EQ(chartNumberText(-0.0), "0");
    EXPECT_EQ(chartNumberText(1234567.0), "1.235e+06");
    EXPECT_EQ(chartNumberText(0.000125), "0.000125");
}

TEST(ChartData, OneRowPerSeriesWithNumbersOneColumnPerPoint) {
    const TextTable data = chartDataTable(threeLines(), {"Food", "", "Air"}, "Item");
    EXPECT_EQ(data.cornerText, "Item");
    EXPECT_EQ(data.columnHeaders, (std::vector<std::string>{"2000", "2020", "2040"}));
    EXPECT_EQ(data.rowHeaders, (std::vector<std::string>{"Food", "Air"}));
    EXPECT_EQ(data.cells,
              (std::vector<std::vector<std::string>>{{"1", "1.25", "1.5"}, {"1", "0.9", "0.8"}}));
}

}  // namespace
}  // namespace vorn
