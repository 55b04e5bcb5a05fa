#include "editing/hints.h"

#include <gtest/gtest.h>

#include <string>

#include "window_fixture.h"

namespace vorn::testing {
namespace {

using Hints = WindowTest;

TEST_F(Hints, ContributionHintNamesRowAndColumnItems) {
    clickTrend(2, 5);
    EXPECT_EQ(hints(),
              "This is the contribution of Item  2 to the annual net growth of Item  5. To assess "
              "this contibution consider by how much more or less would you expect the growth "
              "rate of Item  5 to be if the level of Item  2 was to double ? The net current "
              "growth of Item  5 is given in the Totals table. ");

    platform.inputAnswers.push_back("Rain");
    clickTrend(1, 0);
    clickTrend(1, 7);
    EXPECT_EQ(hints(),
              "This is the contribution of Rain to the annual net growth of Item  7. To assess "
              "this contibution consider by how much more or less would you expect the growth "
              "rate of Item  7 to be if the level of Rain was to double ? The net current growth "
              "of Item  7 is given in the Totals table. ");
}

TEST_F(Hints, IntrinsicGrowthHintOnTheDiagonal) {
    clickTrend(4, 4);
    EXPECT_EQ(hints(),
              "What is the Intrinsic (i.e. internal) Growth Rate of the Item  4 Sub-System ? Note "
              "that if none of the other Items you include significantly impact on this "
              "sub-system, then then its intrinsic growth rate will be the same as its overall "
              "growth rate.  ");
}

TEST_F(Hints, TotalsRowsEachHaveTheirHint) {
    platform.inputAnswers.push_back("Water");
    clickTrend(0, 3);

    clickTotals(0, 3);
    EXPECT_EQ(hints(),
              "This calculates 20 runs of the model for the current parameters with random "
              "fluctuations. Graph shows the range of possible outomes for Water when "
              "uncertainties in all items are accounted for. ");
    clickTotals(1, 3);
    EXPECT_EQ(hints(),
              "This is the Net Growth for Water and is calculated automatically as the sum of the "
              "column entries for this Item");
    clickTotals(2, 3);
    EXPECT_EQ(hints(),
              "What is the uncertainty in your estimate of the annual net growth of  Water ? "
              "Consider how much you expect its growth rate  to fluctate as a consequence of "
              "random events and serendipity,  or what is the statistical uncertainty as shown by "
              "a regression or econometric analysis of historical data,  or what is the variation "
              "(standard deviation) in estimates by participants in a survey");
    clickTotals(3, 6);
    EXPECT_EQ(hints(),
              "What is the lag (in years) before Item  6 responds to changes in other variables? "
              "Lags may contribute to delays in policies being effective, cyclical phenomena, or "
              "overshoot and collapse. ");
}

TEST_F(Hints, PolicyHintOnEveryPolicyCell) {
    clickPolicy(2, 5);
    EXPECT_EQ(hints(),
              "What policies can improve the projected trends? Consider how changing the level of "
              "Item  2 would affect the growth of Item  5 Change several items in the same row to "
              "reflect the strategic re-allocation of Item  2. Bear in mind, that if these "
              "resources are scarce, then increasing the allocation to improve one trend might "
              "entail changing its allocation to other items (in the same Row).");
    clickPolicy(0, 3);
    EXPECT_EQ(hints(), policyHint("Trend Matrix", "Item  3"));
}

TEST_F(Hints, TrendHeaderClicksLeaveTheHint) {
    EXPECT_EQ(hints(), "  Hints: (Click on cells for Help)");
    clickTrend(0, 2);
    clickTrend(0, 0);
    EXPECT_EQ(hints(), "  Hints: (Click on cells for Help)");
}

TEST_F(Hints, DragOverTheTrendMatrix) {
    MSFlexXimpact_DragOver(window, 0);
    EXPECT_EQ(hints(), "This is a test");
    MSFlexXimpact_DragOver(window, 2);
    EXPECT_EQ(hints(), "This is a test");
    MSFlexXimpact_DragOver(window, 1);
    EXPECT_EQ(hints(), "");
}

}  // namespace
}  // namespace vorn::testing
