#include "projection/level_difference.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace vorn {
namespace {

std::vector<int> yearsOf(int horizon) {
    std::vector<int> years;
    for (int p = 0; p < kPoints; ++p) {
        years.push_back(2000 + (horizon < 0 ? kSteps - p : p) * horizon);
    }
    return years;
}

// Item k's level at point p is 10 k + p, plus `offset`.
NamedLevels levels(std::vector<std::string> names, int horizon, double offset = 0) {
    NamedLevels out;
    out.names = std::move(names);
    out.years = yearsOf(horizon);
    for (int i = 0; i < out.items(); ++i) {
        for (int p = 0; p < out.points(); ++p) {
            out.values.push_back(10 * (i + 1) + p + offset);
        }
    }
    return out;
}

TEST(MatchItems, TakesTheFirstFreeItemOfTheSameNameAndNamesTheRest) {
    const ItemMatch match =
        matchItems({"Food", "Water", "Food", "Soil", "Food"}, {"Food", "Air", "Food", "Water"});
    EXPECT_EQ(match.partner, (std::vector<int>{0, 3, 2, -1, -1}));
    EXPECT_EQ(match.onlyFirst, (std::vector<std::string>{"Soil", "Food"}));
    EXPECT_EQ(match.onlySecond, (std::vector<std::string>{"Air"}));
    EXPECT_TRUE(matchItems({}, {}).partner.empty());
}

TEST(PositionsOnAxis, PlaceYearsAlongAnotherHorizon) {
    const std::vector<std::optional<double>> same = positionsOnAxis(yearsOf(2), yearsOf(2));
    EXPECT_EQ(same[7], 7.0);
    EXPECT_EQ(positionsOnAxis(yearsOf(0), yearsOf(0))[20], 20.0) << "all 2000, point by point";

    // Every 2 years on an axis of every 4: even points on whole points, the odd ones between.
    const std::vector<std::optional<double>> finer = positionsOnAxis(yearsOf(4), yearsOf(2));
    EXPECT_EQ(finer[0], 0.0);
    EXPECT_EQ(finer[1], 0.5);
    EXPECT_EQ(finer[20], 10.0);
    // Every 4 years on an axis of every 2: the later half lies beyond the axis.
    const std::vector<std::optional<double>> coarser = positionsOnAxis(yearsOf(2), yearsOf(4));
    EXPECT_EQ(coarser[10], 20.0);
    EXPECT_FALSE(coarser[11].has_value());

    // A backcast to 1960 and a forecast to 2040 share only the year 2000.
    std::vector<std::optional<double>> shared(kPoints);
    shared[0] = 20.0;
    EXPECT_EQ(positionsOnAxis(yearsOf(-2), yearsOf(2)), shared);
    // An axis, or a run, that stays in 2000 places nothing of the other.
    const std::vector<std::optional<double>> nowhere(kPoints);
    EXPECT_EQ(positionsOnAxis(yearsOf(0), yearsOf(2)), nowhere);
    EXPECT_EQ(positionsOnAxis(yearsOf(2), yearsOf(0)), nowhere);
}

TEST(LevelDifference, SubtractsMatchedItemsAtTheYearsBothHave) {
    const NamedLevels live = levels({"A", "B", "C"}, 2, 0.5);
    const NamedLevels reference = levels({"C", "A", "D"}, 2);
    const NamedLevels difference = levelDifference(live, reference);
    EXPECT_EQ(difference.names, (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(difference.years, live.years);
    // A is live item 1 (10 + p + 0.5) and reference item 2 (20 + p).
    EXPECT_DOUBLE_EQ(difference.at(0, 5), -9.5);
    // C is live item 3 (30 + p + 0.5) and reference item 1 (10 + p).
    EXPECT_DOUBLE_EQ(difference.at(1, 20), 20.5);

    // A reference every 2 years under a run every 4: the years 2000 to 2040 in common.
    const NamedLevels coarser = levelDifference(levels({"A"}, 4), levels({"A"}, 2));
    ASSERT_EQ(coarser.points(), 11);
    EXPECT_EQ(coarser.years.back(), 2040);
    EXPECT_DOUBLE_EQ(coarser.at(0, 10), (10 + 10) - (10 + 20));

    const NamedLevels none = levelDifference(levels({"A"}, 2), levels({"B"}, 2));
    EXPECT_TRUE(none.names.empty());
    EXPECT_TRUE(none.values.empty());
}

TEST(NamedLevels, TakeTheLastRunUnderTheItemsNames) {
    ProjectionNumbers numbers;
    numbers.items = 2;
    numbers.years = yearsOf(-1);
    for (int v = 0; v < 2 * kPoints; ++v) {
        numbers.levels.push_back(v);
    }
    const NamedLevels named = namedLevels(numbers, {"Grass", "Hares", "Lynx"});
    EXPECT_EQ(named.names, (std::vector<std::string>{"Grass", "Hares"}));
    EXPECT_EQ(named.years.front(), 1980);
    EXPECT_EQ(named.at(1, 3), kPoints + 3);
}

}  // namespace
}  // namespace vorn
