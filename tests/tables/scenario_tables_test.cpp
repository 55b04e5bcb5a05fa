#include "tables/scenario_tables.h"

#include <gtest/gtest.h>

namespace vorn {
namespace {

ScenarioTables tablesFor(int n) {
    ScenarioTables tables;
    tables.trend.resize(n + 1, n + 1);
    tables.policy.resize(n + 1, n + 1);
    tables.totals.resize(kTotalsRows, n + 1);
    return tables;
}

TEST(ItemNames, DefaultNameHasTwoBlanks) {
    EXPECT_EQ(defaultItemName(3), "Item  3");
}

TEST(NameRule, EmptyRowHeaderTakesTheColumnHeaderAndSpreads) {
    ScenarioTables tables = tablesFor(3);
    tables.trend.setText(0, 2, "Water");
    synchroniseItemNames(tables, 2);
    EXPECT_EQ(tables.trend.text(2, 0), "Water");
    EXPECT_EQ(tables.totals.text(0, 2), "Water");
    EXPECT_EQ(tables.policy.text(0, 2), "Water");
    EXPECT_EQ(tables.policy.text(2, 0), "Water");
}

TEST(NameRule, DifferentNamesBothStay) {
    ScenarioTables tables = tablesFor(3);
    tables.trend.setText(0, 2, "Water");
    tables.trend.setText(2, 0, "Rain");
    tables.policy.setText(0, 2, "Stale");
    synchroniseItemNames(tables, 2);
    EXPECT_EQ(tables.trend.text(0, 2), "Water");
    EXPECT_EQ(tables.trend.text(2, 0), "Rain");
    EXPECT_EQ(tables.totals.text(0, 2), "Water");
    EXPECT_EQ(tables.policy.text(0, 2), "Water");
    EXPECT_EQ(tables.policy.text(2, 0), "Rain");
}

TEST(NameRule, EmptyColumnHeaderTakesTheRowHeaderAndBlanksCountAsAName) {
    ScenarioTables tables = tablesFor(2);
    tables.trend.setText(1, 0, "Food");
    tables.trend.setText(2, 0, "  ");
    tables.trend.setText(0, 2, "Energy");
    synchroniseItemNames(tables, 1);
    synchroniseItemNames(tables, 2);
    EXPECT_EQ(tables.trend.text(0, 1), "Food");
    EXPECT_EQ(tables.trend.text(2, 0), "  ");
    EXPECT_EQ(tables.policy.text(2, 0), "  ");
}

TEST(TableColours, EachTableVariesItsOwnChannel) {
    EXPECT_EQ(channelColor(kTrendChannel, 100, 255), (Rgb{255, 255, 100}));
    EXPECT_EQ(channelColor(kPolicyChannel, 200, 255), (Rgb{200, 255, 255}));
    EXPECT_EQ(channelColor(kTotalsChannel, 100, 255), (Rgb{255, 100, 255}));
}

}  // namespace
}  // namespace vorn
