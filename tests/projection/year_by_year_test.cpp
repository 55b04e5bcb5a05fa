#include "projection/year_by_year.h"

#include <gtest/gtest.h>

#include <string>

#include "tables/number_text.h"

namespace vorn {
namespace {

ScenarioTables blankTables(int n) {
    ScenarioTables tables;
    resizeForItems(tables, n);
    for (int i = 1; i <= n; ++i) {
        tables.trend.setText(0, i, defaultItemName(i));
        tables.trend.setText(i, 0, defaultItemName(i));
        tables.totals.setText(kLagsRow, i, "1");
        for (int j = 1; j <= n; ++j) {
            tables.trend.setText(i, j, std::string(kPercentMark));
            tables.policy.setText(i, j, std::string(kPercentMark));
        }
    }
    return tables;
}

ProjectionSettings quiet() {
    ProjectionSettings settings;
    settings.uncertaintyLevel = 0;
    return settings;
}

TEST(YearbyYear, WritesWidthsNamesLabelsAndNetGrowth) {
    ScenarioTables tables = blankTables(8);
    tables.trend.setText(0, 3, "Food");
    tables.trend.setText(3, 0, "");
    tables.trend.setText(1, 2, "1.5");
    tables.trend.setText(2, 2, "-0.25");
    RandomSource random(1);
    ProjectionResult result = yearByYear(tables, quiet(), random);

    for (const CellTable* table : {&tables.trend, &tables.totals, &tables.policy}) {
        EXPECT_EQ(table->columnWidth(1), 944);
        EXPECT_EQ(table->columnWidth(8), 944);
    }
    EXPECT_EQ(tables.trend.text(3, 0), "Food");
    EXPECT_EQ(tables.totals.text(0, 3), "Food");
    EXPECT_EQ(tables.policy.text(0, 3), "Food");
    EXPECT_EQ(tables.policy.text(3, 0), "Food");
    EXPECT_EQ(tables.totals.text(1, 0), "Net Growth");
    EXPECT_EQ(tables.totals.text(2, 0), "Uncertainty");
    EXPECT_EQ(tables.totals.text(3, 0), "Lags (Years)");
    EXPECT_EQ(tables.totals.text(1, 2), "1.25");
    EXPECT_EQ(tables.totals.text(1, 1), "0");
    EXPECT_EQ(result.contribTable.text(3, 0), "Food");
    EXPECT_EQ(result.contribTable.text(0, 3), "Food");
    EXPECT_EQ(result.trendsCaption, "Scenario Trends- Forecast to  2040");
}

TEST(YearbyYear, PolicyColumnEntersNetGrowthOnlyGoingForwards) {
    ScenarioTables tables = blankTables(2);
    tables.trend.setText(1, 1, "2");
    tables.policy.setText(2, 1, "0.5");
    ProjectionSettings settings = quiet();
    settings.policy = 1;
    RandomSource random(1);
    ProjectionResult result = yearByYear(tables, settings, random);
    EXPECT_EQ(tables.totals.text(1, 1), "2.5");
    EXPECT_EQ(result.trendsCaption, "Scenario Trends- Forecast to  2040 (with Policies)");

    settings.horizon = -2;
    result = yearByYear(tables, settings, random);
    EXPECT_EQ(tables.totals.text(1, 1), "2");
    EXPECT_EQ(result.trendsCaption, "Scenario Trends- Backcast to  1960");
}

TEST(YearbyYear, TotalsTableFollowsTheItemCount) {
    ScenarioTables tables = blankTables(3);
    tables.totals.setColumns(2);  // out of step, as right after an item was added
    RandomSource random(1);
    yearByYear(tables, quiet(), random);
    EXPECT_EQ(tables.totals.columns(), 4);
    EXPECT_EQ(tables.totals.text(0, 3), "Item  3");
    EXPECT_EQ(tables.totals.text(1, 3), "0");
}

TEST(YearbyYear, NoItemsKeepsOnlyTheLabelColumn) {
    ScenarioTables tables = blankTables(0);
    RandomSource random(1);
    ProjectionResult result = yearByYear(tables, quiet(), random);
    EXPECT_EQ(tables.totals.columns(), 1);
    EXPECT_EQ(tables.totals.text(3, 0), "Lags (Years)");
    EXPECT_EQ(result.contribTable.rows(), 2);
}

TEST(YearbyYear, MoreThanTwentyItemsProjectsTheFirstTwenty) {
    ScenarioTables tables = blankTables(23);
    RandomSource random(1);
    ProjectionResult result = yearByYear(tables, quiet(), random);
    EXPECT_EQ(result.numbers.items, 20);
    EXPECT_EQ(result.contribTable.rows(), 22);
    EXPECT_EQ(result.levelTable.rows(), 21);
}

TEST(YearbyYear, ExtremeCellTextsGiveDefinedResults) {
    ScenarioTables tables = blankTables(3);
    tables.trend.setText(1, 1, "1e300");
    tables.trend.setText(2, 1, "1e308");
    tables.trend.setText(1, 2, "-1e300");
    tables.trend.setText(3, 3, std::string(300, '7'));
    tables.totals.setText(kLagsRow, 2, "1e400");
    tables.totals.setText(kUncertaintyRow, 1, "1e300");
    ProjectionSettings settings{.horizon = 20, .uncertaintyLevel = 10, .iter = 20};
    RandomSource random(1);
    ProjectionResult result = yearByYear(tables, settings, random);
    EXPECT_EQ(tables.totals.text(1, 1), "Overflow");
    EXPECT_NEAR(numericValue(tables.totals.text(1, 3)), 7.7777777777777e299, 1e287);
    for (int p = 0; p < kPoints; ++p) {
        ASSERT_NE(result.levelTable.number(1, p), nullptr);
        ASSERT_NE(result.spreadTable.number(20, p), nullptr);
    }
}

}  // namespace
}  // namespace vorn
