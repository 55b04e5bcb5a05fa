#include "projection/influence_map.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "support/projection_input.h"

namespace vorn {
namespace {

InfluenceMap mapOf(int n, const std::vector<double>& trend) {
    ProjectionInput input = testing::quietInput(n);
    input.trend = trend;
    return computeInfluenceMap(input);
}

std::string quadrants(const InfluenceMap& map) {
    std::string out;
    for (const InfluenceItem& item : map.items) {
        out += std::string(quadrantName(item.quadrant)) + " ";
    }
    return out;
}

TEST(InfluenceMap, RowsAndColumnsWithoutTheDiagonalPlaceEachItem) {
    // Off the diagonal: 1 -> 2: 3, 1 -> 3: 2, 2 -> 3: 2, 2 -> 4: -2, 4 -> 3: 1.
    // Influence 5, 4, 0, 1 (mean 2.5); dependence 0, 3, 5, 2 (mean 2.5).
    const InfluenceMap map = mapOf(4, {50, 3, 2, 0,   //
                                       0, -7, 2, -2,  //
                                       0, 0, 9, 0,    //
                                       0, 0, 1, 4});
    ASSERT_EQ(map.items.size(), 4u);
    std::vector<double> influence, dependence;
    for (const InfluenceItem& item : map.items) {
        influence.push_back(item.influence);
        dependence.push_back(item.dependence);
    }
    EXPECT_EQ(influence, (std::vector<double>{5, 4, 0, 1}));
    EXPECT_EQ(dependence, (std::vector<double>{0, 3, 5, 2}));
    EXPECT_EQ(map.meanInfluence, 2.5);
    EXPECT_EQ(map.meanDependence, 2.5);
    EXPECT_EQ(quadrants(map), "driving relay dependent autonomous ");
    EXPECT_EQ(map.items[2].name, "Item  3");
}

TEST(InfluenceMap, TotalsAtTheMeanCountAsLow) {
    // Six alike items: each total is 0.5, and their mean rounds to 0.49999999999999994.
    const InfluenceMap map = mapOf(6, std::vector<double>(36, 0.1));
    for (const InfluenceItem& item : map.items) {
        EXPECT_EQ(item.quadrant, Quadrant::Autonomous)
            << item.influence << " " << map.meanInfluence;
    }
}

TEST(InfluenceMap, NonFiniteTotalsAreUnplacedAndLeftOutOfTheMeans) {
    const double inf = std::numeric_limits<double>::infinity();
    const InfluenceMap map = mapOf(3, {0, inf, 1,  //
                                       0, 0, 0,    //
                                       2, 0, 0});
    EXPECT_EQ(quadrants(map), "unplaced unplaced autonomous ");
    EXPECT_EQ(map.meanInfluence, 2);
    EXPECT_EQ(map.meanDependence, 1);

    const InfluenceMap overflow = mapOf(3, {0, 1e308, 1e308, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(overflow.items[0].quadrant, Quadrant::Unplaced);
    EXPECT_EQ(overflow.items[1].quadrant, Quadrant::Autonomous);

    const InfluenceMap none = mapOf(0, {});
    EXPECT_TRUE(none.items.empty());
    EXPECT_EQ(none.meanInfluence + none.meanDependence, 0);
}

}  // namespace
}  // namespace vorn
