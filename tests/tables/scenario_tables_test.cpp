#include "tables/scenario_tables.h"

#include <gtest/gtest.h>

namespace vorn {
namespace {

// The Trend Matrix headers are the master list: an empty one takes its twin's name (blanks
// count as a name), two different names both stay, and the other tables copy them.
TEST(NameRule, EmptyTrendHeadersTakeTheirTwinsNamesAndTheOtherTablesCopyThem) {
    ScenarioTables tables;
    resizeForItems(tables, 3);
    tables.trend.setText(0, 1, "Water");
    tables.trend.setText(2, 0, "Food");
    tables.trend.setText(0, 2, "  ");
    tables.trend.setText(3, 0, "Energy");
    tables.policy.setText(0, 2, "Stale");
    for (int item = 1; item <= 3; ++item) {
        synchroniseItemNames(tables, item);
    }
    const char* expected[][5] = {{"Water", "Water", "Water", "Water", "Water"},
                                 {"  ", "Food", "  ", "  ", "Food"},
                                 {"Energy", "Energy", "Energy", "Energy", "Energy"}};
    for (int item = 1; item <= 3; ++item) {
        const auto& names = expected[item - 1];
        EXPECT_EQ(tables.trend.text(0, item), names[0]);
        EXPECT_EQ(tables.trend.text(item, 0), names[1]);
        EXPECT_EQ(tables.totals.text(0, item), names[2]);
        EXPECT_EQ(tables.policy.text(0, item), names[3]);
        EXPECT_EQ(tables.policy.text(item, 0), names[4]);
    }
}

}  // namespace
}  // namespace vorn
