#include "editing/totals_editing.h"

#include <gtest/gtest.h>

#include <string>

#include "window_fixture.h"

namespace vorn::testing {
namespace {

constexpr double kTolerance = 1e-9;

using TotalsEditing = WindowTest;

TEST_F(TotalsEditing, NetGrowthSecondClickRescalesTheTrendColumn) {
    window.MSFlexXImpact().setText(1, 2, "1.5");
    window.MSFlexXImpact().setText(2, 2, "0.5");
    clickTotals(1, 2);
    EXPECT_EQ(totals(1, 2), "2");
    EXPECT_EQ(trend(1, 2), "1.5");
    clickTotals(1, 2);
    EXPECT_EQ(trend(1, 2), "1.87");
    EXPECT_EQ(trend(2, 2), "0.62");
    EXPECT_EQ(trend(3, 2), "0");  // every entry of the column is rewritten
    EXPECT_EQ(trend(1, 1), "%   ");
    EXPECT_EQ(totals(1, 2), "2.49");
    EXPECT_NEAR(window.NewColor, 200 + 500 * 2.5, kTolerance);
    EXPECT_EQ(window.MSFlexTotals().color(1, 2), (Rgb{255, 255, 255}));
}

TEST_F(TotalsEditing, ANetGrowthOfZeroScalesByOnePlusTheStep) {
    window.MSFlexXImpact().setText(1, 4, "0.4");
    window.MSFlexXImpact().setText(3, 4, "-0.4");
    clickTotals(1, 4);
    clickTotals(1, 4, 2);
    EXPECT_EQ(trend(1, 4), "0.2");
    EXPECT_EQ(trend(3, 4), "-0.2");
    EXPECT_EQ(totals(1, 4), "0");
    EXPECT_EQ(window.NewColor, 0);  // 200 + 500 x (-0.5) floored at 0
    EXPECT_EQ(window.MSFlexTotals().color(1, 4), (Rgb{255, 0, 255}));
}

TEST_F(TotalsEditing, TheRescaledNetGrowthIncludesActivePolicies) {
    window.MSFlexXImpact().setText(1, 2, "1");
    window.MSFlexPolicy().setText(1, 2, "1");
    clickPolicy(5, 5);
    clickTotals(1, 2);
    EXPECT_EQ(totals(1, 2), "2");
    clickTotals(1, 2);  // old 2, new 2.5: the Trend entry is scaled by 1.25
    EXPECT_EQ(trend(1, 2), "1.25");
    EXPECT_EQ(policy(1, 2), "1");
    EXPECT_EQ(totals(1, 2), "2.25");
}

TEST_F(TotalsEditing, UncertaintyStepsByTheIncrementWithoutBound) {
    window.MSFlexTotals().setText(2, 3, "0.2");
    clickTotals(2, 3);
    EXPECT_EQ(totals(2, 3), "0.2");
    clickTotals(2, 3, 2);
    EXPECT_EQ(totals(2, 3), "-0.3");
    EXPECT_NEAR(window.NewColor, 50, kTolerance);  // 200 + 500 x (-0.3)
    EXPECT_EQ(window.MSFlexTotals().color(2, 3), (Rgb{255, 50, 255}));
    window.inc = 0.01;
    clickTotals(2, 3, 2);
    EXPECT_EQ(totals(2, 3), "-0.31");
}

TEST_F(TotalsEditing, LagsStepByWholeYearsAndStayAtLeastOne) {
    window.HScrollLags_Change(7);
    clickTotals(3, 2);
    clickTotals(3, 2, 2);
    EXPECT_EQ(totals(3, 2), "1");
    clickTotals(3, 2, 1);
    EXPECT_EQ(totals(3, 2), "2");
    EXPECT_NEAR(window.NewColor, 200 + 0.07 * 1 * 500 + 0.07 * 2 * 500, kTolerance);
    clickTotals(3, 2, 1);
    EXPECT_EQ(totals(3, 2), "3");
    clickTotals(3, 2, 4);
    EXPECT_EQ(totals(3, 2), "2");
    window.MSFlexTotals().setText(3, 2, "-4");
    clickTotals(3, 2, 1);
    EXPECT_EQ(totals(3, 2), "1");
}

TEST_F(TotalsEditing, ItemNameClickRunsTheTwentyUncertaintyRunsOnce) {
    platform.inputAnswers.push_back("Water");
    clickTrend(0, 3);
    clickTotals(0, 3);
    EXPECT_EQ(window.text(Control::TextVary), "Uncertainty in Future Water Trends");
    EXPECT_EQ(window.lastProjection().runs, 20);
    EXPECT_EQ(window.lastProjection().tracked, 3);
    EXPECT_EQ(window.iter, 1);
    EXPECT_EQ(window.lastc2, 3);
    const ChartTable& spread = window.chartData(Control::MscVary);
    EXPECT_NE(spread.number(20, 20), nullptr);
    EXPECT_TRUE(window.isAbove(Control::MscVary, Control::mscTrends));
    EXPECT_TRUE(window.isAbove(Control::TextVary, Control::MscVary));

    window.HScrollTime_Change(3);
    EXPECT_EQ(window.lastProjection().runs, 1);
}

TEST_F(TotalsEditing, LabelColumnClicksChangeNothing) {
    window.MSFlexXImpact().setText(1, 1, "2");
    clickTotals(2, 5);  // tracks item 5
    const std::string hint = hints();
    const std::string spreadCaption = window.text(Control::TextVary);
    const double shade = window.NewColor;
    for (int row = 0; row < 4; ++row) {
        clickTotals(row, 0, 1);
        clickTotals(row, 0, 2);
    }
    EXPECT_EQ(hints(), hint);
    EXPECT_EQ(window.NewColor, shade);
    EXPECT_EQ(window.lastr2, 2);
    EXPECT_EQ(window.lastc2, 5);
    EXPECT_EQ(window.lastProjection().tracked, 5);
    EXPECT_EQ(totals(0, 0), "Totals/Uncertainty");
    EXPECT_EQ(totals(1, 0), "Net Growth");
    EXPECT_EQ(totals(2, 0), "Uncertainty");
    EXPECT_EQ(totals(3, 0), "Lags (Years)");
    EXPECT_EQ(window.text(Control::TextVary), spreadCaption);
    for (int i = 1; i <= 8; ++i) {
        EXPECT_EQ(trend(i, 0), "Item  " + std::to_string(i));
    }
    EXPECT_EQ(trend(1, 1), "2");
}

TEST_F(TotalsEditing, ClicksLeaveThePolicySwitchAsItWas) {
    clickPolicy(1, 1);
    clickTotals(2, 2);
    EXPECT_EQ(window.Policy, 1);
    EXPECT_NE(window.text(Control::TextAnnual).find(" (with Policies)"), std::string::npos);
    clickTrend(1, 1);
    clickTotals(2, 2);
    EXPECT_EQ(window.Policy, 0);
}

}  // namespace
}  // namespace vorn::testing
