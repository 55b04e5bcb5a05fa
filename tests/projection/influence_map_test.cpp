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

// ---- Through chains of influence ----

struct Totals {
    std::vector<double> influence, dependence;
    std::vector<int> influenceRanks, dependenceRanks;
};

Totals indirect(const InfluenceMap& map) {
    Totals totals;
    for (const InfluenceItem& item : map.items) {
        totals.influence.push_back(item.indirectInfluence);
        totals.dependence.push_back(item.indirectDependence);
        totals.influenceRanks.push_back(item.indirectInfluenceRank);
        totals.dependenceRanks.push_back(item.indirectDependenceRank);
    }
    return totals;
}

void expectNear(const std::vector<double>& actual, const std::vector<double>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        EXPECT_NEAR(actual[i], expected[i], 1e-12 * std::max(1.0, std::abs(expected[i])))
            << "item " << i + 1;
    }
}

// A -> B, B <-> A, B -> C, C -> B and C -> A: loops of two and three links. The rows of M, M^2
// and M^3 are (1, 2, 2), (2, 3, 3) and (3, 5, 5), the columns (2, 2, 1), (3, 3, 2) and
// (5, 5, 3): the same ranking three times, so the totals of M^3, scaled to the direct sums
// (5 each), are the indirect ones.
TEST(IndirectInfluence, SettlesWhenThreePowersRankAlike) {
    const InfluenceMap map = mapOf(3, {7, 1, 0,  //
                                       1, 7, 1,  //
                                       1, -1, 7});
    EXPECT_EQ(map.indirectPower, 3);
    EXPECT_EQ(map.indirectPeriod, 1);
    EXPECT_TRUE(map.indirectSettled);
    const Totals totals = indirect(map);
    expectNear(totals.influence, {15.0 / 13, 25.0 / 13, 25.0 / 13});
    expectNear(totals.dependence, {25.0 / 13, 25.0 / 13, 15.0 / 13});
    EXPECT_EQ(totals.influenceRanks, (std::vector<int>{3, 1, 1}));
    for (const InfluenceItem& item : map.items) {
        EXPECT_FALSE(item.rankChanged()) << item.name;
    }
}

// A -> B (2) and B <-> C (1 each): every chain beyond A's first link runs around B and C,
// so the columns of the odd powers are (0, 3, 1) and those of the even powers (0, 1, 3); the
// rows stay (2, 1, 1). The rankings repeat every second power, and the mean of two powers
// gives B and C the same dependence: C moves up from second to share the first rank.
TEST(IndirectInfluence, ChainsThatAlternateAreAveragedOverTheirPeriod) {
    const InfluenceMap map = mapOf(3, {0, 2, 0,  //
                                       0, 0, 1,  //
                                       0, 1, 0});
    EXPECT_EQ(map.indirectPeriod, 2);
    EXPECT_EQ(map.indirectPower, 5);
    EXPECT_TRUE(map.indirectSettled);
    const Totals totals = indirect(map);
    expectNear(totals.influence, {2, 1, 1});
    expectNear(totals.dependence, {0, 2, 2});
    EXPECT_EQ(totals.dependenceRanks, (std::vector<int>{3, 1, 1}));
    EXPECT_EQ(map.items[2].dependenceRank, 2);
    EXPECT_TRUE(map.items[2].rankChanged());
    EXPECT_FALSE(map.items[0].rankChanged());
    // With B -> C 50 and C -> B 300, chains around the loop grow by sqrt(50 x 300) a link;
    // divided by that growth, the two phases add up to the loop's steady share, in which C
    // depends on B's 50 over that growth as much as B does: 50 / sqrt(15000).
    const InfluenceMap uneven = mapOf(3, {0, 200, 0, 0, 0, 50, 0, 300, 0});
    EXPECT_EQ(uneven.indirectPeriod, 2);
    const Totals unevenTotals = indirect(uneven);
    EXPECT_EQ(unevenTotals.dependenceRanks, (std::vector<int>{3, 1, 2}));
    EXPECT_NEAR(unevenTotals.dependence[2] / unevenTotals.dependence[1], 50 / std::sqrt(15000.0),
                1e-12);
    EXPECT_NEAR(unevenTotals.dependence[1] + unevenTotals.dependence[2], 550, 1e-9);
}

// A -> B -> C: the chains end after two links, and the longest one, from A to C, counts.
TEST(IndirectInfluence, WithoutLoopsTheLongestChainsCount) {
    const InfluenceMap map = mapOf(3, {0, 1, 0, 0, 0, 2, 0, 0, 0});
    EXPECT_EQ(map.indirectPower, 2);
    EXPECT_TRUE(map.indirectSettled);
    const Totals totals = indirect(map);
    expectNear(totals.influence, {3, 0, 0});
    expectNear(totals.dependence, {0, 0, 3});
    EXPECT_EQ(totals.influenceRanks, (std::vector<int>{1, 2, 2}));
    EXPECT_EQ(map.items[1].influenceRank, 1);  // directly B leads with 2

    // Without any link every total is 0; one item has none either.
    for (int n : {1, 3}) {
        const InfluenceMap none = mapOf(n, std::vector<double>(static_cast<std::size_t>(n * n), 0));
        EXPECT_EQ(none.indirectPower, 1);
        expectNear(indirect(none).influence, std::vector<double>(static_cast<std::size_t>(n), 0));
        EXPECT_EQ(indirect(none).influenceRanks, std::vector<int>(static_cast<std::size_t>(n), 1));
    }
    EXPECT_EQ(mapOf(0, {}).indirectPower, 0);
}

// An entry that is not finite is left out of the chains; its items stay unplaced, the others
// are ranked among themselves.
TEST(IndirectInfluence, NonFiniteEntriesAreLeftOutOfTheChains) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const InfluenceMap map = mapOf(3, {0, nan, 1,  //
                                       0, 0, 2,    //
                                       1, 0, 0});
    ASSERT_EQ(map.items.size(), 3u);
    EXPECT_EQ(map.items[0].indirectQuadrant, Quadrant::Unplaced);
    EXPECT_EQ(map.items[0].indirectInfluenceRank, 0);
    EXPECT_TRUE(std::isfinite(map.items[0].indirectInfluence));
    EXPECT_EQ(map.items[2].indirectQuadrant == Quadrant::Unplaced, false);
    EXPECT_GT(map.indirectPower, 0);
}

}  // namespace
}  // namespace vorn
