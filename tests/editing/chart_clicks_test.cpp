#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "window_fixture.h"

namespace vorn::testing {
namespace {

std::vector<Control> front(const Trends& window, std::size_t count) {
    const std::vector<Control>& order = window.stacking();
    return {order.begin(), order.begin() + static_cast<std::ptrdiff_t>(count)};
}

using ChartClicks = WindowTest;

TEST_F(ChartClicks, SpreadClickKeepsTwentyRunsUntilATableClick) {
    MscVary_Click(window);
    EXPECT_EQ(window.iter, 20);
    EXPECT_EQ(window.lastProjection().runs, 20);
    window.HScrollTime_Change(5);
    EXPECT_EQ(window.lastProjection().runs, 20);
    window.HScrollUncert_Change(3);
    EXPECT_EQ(window.lastProjection().runs, 20);
    window.HScrollLags_Change(20);
    EXPECT_EQ(window.iter, 20);

    clickTrend(1, 1);
    EXPECT_EQ(window.iter, 1);
    EXPECT_EQ(window.lastProjection().runs, 1);
}

TEST_F(ChartClicks, EveryTableClickRecalculatesWithOneRun) {
    MscVary_Click(window);
    clickPolicy(1, 1);
    EXPECT_EQ(window.lastProjection().runs, 1);
    MscVary_Click(window);
    clickTotals(2, 1);
    EXPECT_EQ(window.lastProjection().runs, 1);
    EXPECT_EQ(window.iter, 1);
}

TEST_F(ChartClicks, ContributionsClickRunsOnceAndScenarioTrendsClickResetsAfterwards) {
    MscVary_Click(window);
    MscXImpacts_Click(window);
    EXPECT_EQ(window.lastProjection().runs, 1);

    MscVary_Click(window);
    mscTrends_Click(window);
    EXPECT_EQ(window.lastProjection().runs, 20);
    EXPECT_EQ(window.iter, 1);
    window.HScrollTime_Change(4);
    EXPECT_EQ(window.lastProjection().runs, 1);
}

TEST_F(ChartClicks, ClearSetsOneRun) {
    MscVary_Click(window);
    window.mnuClear_Click();
    EXPECT_EQ(window.iter, 1);
    EXPECT_EQ(window.lastProjection().runs, 1);
}

TEST_F(ChartClicks, SpreadCaptionNamesTheTrackedItem) {
    MscVary_Click(window);
    EXPECT_EQ(window.text(Control::TextVary), "Spread in Annual Levels for Item  1");
    EXPECT_EQ(window.lastProjection().tracked, 1);

    clickTotals(2, 5);
    MscVary_Click(window);
    EXPECT_EQ(window.text(Control::TextVary), "Spread in Annual Levels for Item  5");
    EXPECT_EQ(window.lastProjection().tracked, 5);

    // Removing the tracked item sends the spread back to item 1.
    for (int i = 0; i < 4; ++i) {
        clickTrend(0, 0, 2);
    }
    EXPECT_EQ(window.lastc2, 5);
    MscVary_Click(window);
    EXPECT_EQ(window.text(Control::TextVary), "Spread in Annual Levels for Item  1");
    EXPECT_EQ(window.lastProjection().tracked, 1);

    for (int i = 0; i < 4; ++i) {
        clickTrend(0, 0, 2);
    }
    MscVary_Click(window);
    EXPECT_EQ(window.text(Control::TextVary), "Spread in Annual Levels for ");
    EXPECT_EQ(window.lastProjection().tracked, 0);
}

TEST_F(ChartClicks, SpreadClickBringsTheSpreadChartAndItsCaptionToTheFront) {
    MscVary_Click(window);
    EXPECT_EQ(front(window, 5),
              (std::vector<Control>{Control::TextVary, Control::MscVary, Control::TextGrowth,
                                    Control::MscXImpacts, Control::TextAnnual}));
    EXPECT_TRUE(window.isAbove(Control::MscVary, Control::mscTrends));
}

TEST_F(ChartClicks, ContributionsClickBringsItsChartAndCaptionForward) {
    MscVary_Click(window);
    MscXImpacts_Click(window);
    EXPECT_EQ(front(window, 2), (std::vector<Control>{Control::TextGrowth, Control::MscXImpacts}));
}

TEST_F(ChartClicks, TableClicksBringTheirTableAndTheScenarioTrendsChartForward) {
    MscVary_Click(window);
    clickTrend(1, 1);
    EXPECT_EQ(front(window, 5),
              (std::vector<Control>{Control::TextGrowth, Control::MscXImpacts, Control::TextAnnual,
                                    Control::mscTrends, Control::MSFlexXImpact}));
    EXPECT_TRUE(window.isAbove(Control::mscTrends, Control::MscVary));

    clickPolicy(1, 1);
    EXPECT_EQ(front(window, 5),
              (std::vector<Control>{Control::TextGrowth, Control::MscXImpacts, Control::TextAnnual,
                                    Control::mscTrends, Control::MSFlexPolicy}));
    EXPECT_TRUE(window.isAbove(Control::MSFlexPolicy, Control::MSFlexXImpact));

    clickTotals(1, 1);
    EXPECT_EQ(front(window, 5),
              (std::vector<Control>{Control::TextGrowth, Control::MscXImpacts, Control::TextAnnual,
                                    Control::mscTrends, Control::MSFlexTotals}));
}

TEST_F(ChartClicks, ScenarioTrendsClickBringsItsChartForward) {
    clickTotals(1, 1);
    mscTrends_Click(window);
    EXPECT_TRUE(window.isAbove(Control::mscTrends, Control::MSFlexTotals));
    EXPECT_EQ(front(window, 3), (std::vector<Control>{Control::TextGrowth, Control::MscXImpacts,
                                                      Control::mscTrends}));
}

}  // namespace
}  // namespace vorn::testing
