// Clicks on the three tables and the charts, made through the handlers the window calls after
// the grid has made the clicked cell current.

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "editing/click_handlers.h"
#include "shell/trends.h"
#include "support/scripted_platform.h"

namespace vorn::testing {
namespace {

class Editing : public ::testing::Test {
  protected:
    Editing() : window(platform, RandomSource(20260101)) { window.Form_Load(); }

    void clickTrend(int row, int column, int button = 1) {
        window.MSFlexXImpact().setCurrent(row, column);
        MSFlexXImpact_Click(window, button);
    }
    void clickTotals(int row, int column, int button = 1) {
        window.MSFlexTotals().setCurrent(row, column);
        MSFlexTotals_Click(window, button);
    }
    void clickPolicy(int row, int column, int button = 1) {
        window.MSFlexPolicy().setCurrent(row, column);
        MSFlexPolicy_Click(window, button);
    }
    const std::string& trend(int row, int column) {
        return window.MSFlexXImpact().text(row, column);
    }
    const std::string& totals(int row, int column) {
        return window.MSFlexTotals().text(row, column);
    }
    const std::string& policy(int row, int column) {
        return window.MSFlexPolicy().text(row, column);
    }
    const std::string& hints() { return window.text(Control::Hints); }
    bool withPolicies() {
        return window.text(Control::TextAnnual).find(" (with Policies)") != std::string::npos;
    }
    void expectItems(int n) {
        EXPECT_EQ(window.cats.value, n);
        EXPECT_EQ(window.MSFlexXImpact().rows(), n + 1);
        EXPECT_EQ(window.MSFlexXImpact().columns(), n + 1);
        EXPECT_EQ(window.MSFlexPolicy().rows(), n + 1);
        EXPECT_EQ(window.MSFlexPolicy().columns(), n + 1);
        EXPECT_EQ(window.MSFlexTotals().columns(), n + 1);
        EXPECT_EQ(window.lastProjection().items, n);
    }

    ScriptedPlatform platform;
    Trends window;
};

TEST_F(Editing, FirstClickSelectsLaterClicksStepAndShade) {
    CellTable& table = window.MSFlexXImpact();
    table.setText(2, 3, "0.1");
    clickTrend(2, 3);
    EXPECT_EQ(trend(2, 3), "0.1");
    EXPECT_EQ(window.NewColor, 200);
    EXPECT_EQ(table.color(2, 3), (Rgb{255, 255, 200}));
    clickTrend(2, 3);
    EXPECT_EQ(trend(2, 3), "0.6");
    EXPECT_NEAR(window.NewColor, 500, 1e-9);  // 200 + 500 x 0.6
    EXPECT_EQ(table.color(2, 3), (Rgb{255, 255, 255}));
    clickTrend(2, 3);
    EXPECT_EQ(trend(2, 3), "1.1");
    clickTrend(2, 3, 2);
    EXPECT_EQ(trend(2, 3), "0.6");
    EXPECT_EQ(totals(1, 3), "0.6");

    table.setText(1, 2, "-0.375");  // x = -0.125 with inc 0.25: 200 - 62.5 = 137.5 -> 138
    window.inc = 0.25;
    clickTrend(1, 2);
    clickTrend(1, 2);
    EXPECT_EQ(table.color(1, 2), (Rgb{255, 255, 138}));
    // A header click, then a click back on the value cell, only selects.
    clickTrend(0, 2);
    clickTrend(1, 2);
    EXPECT_EQ(trend(1, 2), "-0.13");
    // Clicks on the other tables keep the Trend Matrix's selection.
    clickPolicy(1, 2);
    clickTotals(2, 2);
    clickTrend(1, 2, 2);
    EXPECT_EQ(trend(1, 2), "-0.38");
}

struct StepCase {
    const char* name;
    const char* start;
    double inc;
    int button;
    const char* expected;
};

class Stepping : public Editing, public ::testing::WithParamInterface<StepCase> {};

TEST_P(Stepping, SecondClickRoundsDownToHundredthsInBothMatrices) {
    const StepCase& step = GetParam();
    window.MSFlexXImpact().setText(3, 2, step.start);
    window.MSFlexPolicy().setText(3, 2, step.start);
    window.inc = step.inc;
    clickTrend(3, 2, step.button);
    clickTrend(3, 2, step.button);
    EXPECT_EQ(trend(3, 2), step.expected);
    clickPolicy(3, 2, step.button);
    clickPolicy(3, 2, step.button);
    EXPECT_EQ(policy(3, 2), step.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, Stepping,
                         ::testing::Values(StepCase{"MiddleSubtracts", "1", 0.25, 4, "0.75"},
                                           StepCase{"Keeps115", "1.15", 0.01, 1, "1.15"},
                                           StepCase{"NegativeUp", "-0.125", 0.5, 1, "0.37"},
                                           StepCase{"NegativeDownAwayFromZero", "-0.125", 0.5, 2,
                                                    "-0.63"},
                                           StepCase{"PercentMarkIsZero", "%   ", 0.5, 2, "-0.5"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Editing, TopLeftCellAddsAndRemovesItemsInAllThreeTables) {
    window.MSFlexXImpact().setText(8, 1, "3");
    window.MSFlexTotals().setText(2, 8, "2");
    clickTrend(0, 0, 2);
    expectItems(7);
    clickTrend(0, 0, 4);
    expectItems(6);
    clickTrend(0, 0);
    clickTrend(0, 0);
    expectItems(8);
    for (int k : {7, 8}) {
        EXPECT_EQ(trend(0, k), "New Item");
        EXPECT_EQ(trend(k, 0), "New Item");
        EXPECT_EQ(totals(0, k), "New Item");
        EXPECT_EQ(policy(0, k), "New Item");
        EXPECT_EQ(policy(k, 0), "New Item");
    }
    EXPECT_EQ(trend(8, 1), "");
    EXPECT_EQ(totals(2, 8), "");
    EXPECT_EQ(totals(1, 8), "0");
}

TEST_F(Editing, ItemCountStaysWithinZeroToTwenty) {
    for (int i = 0; i < 15; ++i) {
        clickTrend(0, 0);
    }
    expectItems(20);
    for (int i = 0; i < 25; ++i) {
        clickTrend(0, 0, 2);
    }
    expectItems(0);
    EXPECT_EQ(totals(3, 0), "Lags (Years)");
    clickTrend(0, 0);
    expectItems(1);
    EXPECT_EQ(trend(1, 0), "New Item");
}

TEST_F(Editing, RenamingNamesTheItemEverywhereOrRefusesCleanly) {
    platform.inputAnswers = {"Water", "  spaced  ", std::nullopt, "", "The \"big\" one", "a\nb"};
    clickTrend(3, 0);
    ASSERT_EQ(platform.inputRequests.size(), 1u);
    EXPECT_EQ(platform.inputRequests[0].prompt, "New Item Name");
    EXPECT_EQ(platform.inputRequests[0].leftTwips, 9000);
    EXPECT_EQ(platform.inputRequests[0].topTwips, 6000);
    EXPECT_EQ(trend(0, 3), "Water");
    EXPECT_EQ(totals(0, 3), "Water");
    EXPECT_EQ(policy(0, 3), "Water");
    EXPECT_EQ(policy(3, 0), "Water");
    clickTrend(0, 5);
    EXPECT_EQ(trend(5, 0), "  spaced  ");
    EXPECT_EQ(policy(5, 0), "  spaced  ");

    clickTrend(0, 3);  // cancelled
    clickTrend(3, 0);  // empty
    EXPECT_TRUE(platform.messages.empty());
    clickTrend(0, 3);
    clickTrend(3, 0);
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[0].first, "Halvorine (VORN) Model");
    EXPECT_EQ(platform.messages[0].second, "An item name cannot contain a double quote (\").");
    EXPECT_EQ(platform.messages[1].second, "An item name cannot contain a line break.");
    EXPECT_EQ(trend(0, 3), "Water");
    EXPECT_EQ(trend(3, 0), "Water");
}

TEST_F(Editing, NetGrowthSecondClickRescalesTheItemsColumn) {
    window.MSFlexXImpact().setText(1, 2, "1.5");
    window.MSFlexXImpact().setText(2, 2, "0.5");
    clickTotals(1, 2);
    EXPECT_EQ(totals(1, 2), "2");
    clickTotals(1, 2);
    EXPECT_EQ(trend(1, 2), "1.87");
    EXPECT_EQ(trend(2, 2), "0.62");
    EXPECT_EQ(trend(1, 1), "%   ");
    EXPECT_EQ(totals(1, 2), "2.49");

    // A Net Growth of 0 scales by 1 + step.
    window.MSFlexXImpact().setText(1, 4, "0.4");
    window.MSFlexXImpact().setText(3, 4, "-0.4");
    clickTotals(1, 4);
    clickTotals(1, 4, 2);
    EXPECT_EQ(trend(1, 4), "0.2");
    EXPECT_EQ(trend(3, 4), "-0.2");
    EXPECT_EQ(window.NewColor, 0);  // 200 + 500 x (-0.5) floored at 0
    EXPECT_EQ(window.MSFlexTotals().color(1, 4), (Rgb{255, 0, 255}));
}

TEST_F(Editing, UncertaintyGoesNegativeLagsMoveByWholeYearsDownToOne) {
    clickTotals(2, 3);
    clickTotals(2, 3, 2);
    EXPECT_EQ(totals(2, 3), "-0.5");
    window.inc = 0.07;
    clickTotals(3, 2);
    clickTotals(3, 2, 2);
    EXPECT_EQ(totals(3, 2), "1");
    clickTotals(3, 2);
    clickTotals(3, 2);
    EXPECT_EQ(totals(3, 2), "3");
    clickTotals(3, 2, 4);
    EXPECT_EQ(totals(3, 2), "2");
}

TEST_F(Editing, PolicyHeadersAndTotalsLabelsAreNeverEdited) {
    for (auto [row, column] : {std::pair{0, 4}, std::pair{4, 0}, std::pair{0, 0}}) {
        for (int button : {1, 1, 2}) {
            clickPolicy(row, column, button);
        }
    }
    EXPECT_EQ(policy(0, 4), "Item  4");
    EXPECT_EQ(policy(4, 0), "Item  4");
    EXPECT_EQ(policy(0, 0), "Policy Matrix");

    clickTotals(2, 5);
    const std::string hint = hints();
    const std::string caption = window.text(Control::TextVary);
    for (int row = 0; row < 4; ++row) {
        clickTotals(row, 0, 1);
        clickTotals(row, 0, 2);
    }
    EXPECT_EQ(hints(), hint);
    EXPECT_EQ(window.text(Control::TextVary), caption);
    EXPECT_EQ(totals(1, 0), "Net Growth");
    EXPECT_EQ(window.lastProjection().tracked, 5);
    clickTotals(2, 5);  // still the selected cell: steps
    EXPECT_EQ(totals(2, 5), "0.5");
}

TEST_F(Editing, PolicySwitchFollowsTheLastMatrixClickedAndSurvivesClear) {
    window.MSFlexPolicy().setText(1, 1, "5");
    clickPolicy(1, 1);
    EXPECT_EQ(window.text(Control::TextAnnual),
              "Scenario Trends- Forecast to  2040 (with Policies)");
    EXPECT_EQ(totals(1, 1), "5");
    clickPolicy(2, 3);
    clickPolicy(2, 3, 2);
    EXPECT_EQ(policy(2, 3), "-0.5");
    EXPECT_EQ(window.MSFlexPolicy().color(2, 3), (Rgb{0, 255, 255}));
    clickTotals(2, 1);
    mscTrends_Click(window);
    EXPECT_TRUE(withPolicies());
    clickTrend(1, 1);
    EXPECT_EQ(window.Policy, 0);
    EXPECT_FALSE(withPolicies());
    clickPolicy(1, 1);
    window.mnuClear_Click();
    EXPECT_EQ(window.Policy, 1);
    EXPECT_TRUE(withPolicies());
    EXPECT_EQ(totals(1, 1), "0");
}

TEST_F(Editing, RunsFollowChartClicksAndLastUntilATableClick) {
    MscVary_Click(window);
    EXPECT_EQ(window.iter, 20);
    window.HScrollTime_Change(5);
    EXPECT_EQ(window.lastProjection().runs, 20);
    EXPECT_EQ(window.stacking()[0], Control::TextVary);
    EXPECT_EQ(window.stacking()[1], Control::MscVary);
    clickTrend(1, 1);
    EXPECT_EQ(window.lastProjection().runs, 1);
    EXPECT_EQ(window.stacking()[3], Control::mscTrends);
    EXPECT_EQ(window.stacking()[4], Control::MSFlexXImpact);

    MscVary_Click(window);
    MscXImpacts_Click(window);
    EXPECT_EQ(window.lastProjection().runs, 1);
    EXPECT_EQ(window.stacking()[0], Control::TextGrowth);
    MscVary_Click(window);
    mscTrends_Click(window);
    EXPECT_EQ(window.lastProjection().runs, 20);  // the click still draws twenty runs
    window.HScrollTime_Change(4);
    EXPECT_EQ(window.lastProjection().runs, 1);

    clickTotals(0, 3);  // the item name: twenty runs once
    EXPECT_EQ(window.lastProjection().runs, 20);
    EXPECT_EQ(window.text(Control::TextVary), "Uncertainty in Future Item  3 Trends");
    EXPECT_EQ(window.iter, 1);
}

TEST_F(Editing, SpreadCaptionNamesTheTrackedItemOrItemOne) {
    MscVary_Click(window);
    EXPECT_EQ(window.text(Control::TextVary), "Spread in Annual Levels for Item  1");
    clickTotals(2, 5);
    MscVary_Click(window);
    EXPECT_EQ(window.lastProjection().tracked, 5);
    for (int i = 0; i < 4; ++i) {
        clickTrend(0, 0, 2);
    }
    MscVary_Click(window);
    EXPECT_EQ(window.text(Control::TextVary), "Spread in Annual Levels for Item  1");
    EXPECT_EQ(window.lastProjection().tracked, 1);
}

TEST_F(Editing, HintsNameTheClickedItems) {
    platform.inputAnswers = {"Water"};
    clickTrend(0, 3);
    EXPECT_EQ(hints(), "  Hints: (Click on cells for Help)");
    clickTrend(2, 3);
    EXPECT_EQ(hints(),
              "This is the contribution of Item  2 to the annual net growth of Water. To assess "
              "this contibution consider by how much more or less would you expect the growth "
              "rate of Water to be if the level of Item  2 was to double ? The net current "
              "growth of Water is given in the Totals table. ");
    clickTrend(4, 4);
    EXPECT_EQ(hints(),
              "What is the Intrinsic (i.e. internal) Growth Rate of the Item  4 Sub-System ? Note "
              "that if none of the other Items you include significantly impact on this "
              "sub-system, then then its intrinsic growth rate will be the same as its overall "
              "growth rate.  ");
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
    clickPolicy(2, 3);
    EXPECT_EQ(hints(),
              "What policies can improve the projected trends? Consider how changing the level of "
              "Item  2 would affect the growth of Water Change several items in the same row to "
              "reflect the strategic re-allocation of Item  2. Bear in mind, that if these "
              "resources are scarce, then increasing the allocation to improve one trend might "
              "entail changing its allocation to other items (in the same Row).");
    MSFlexXimpact_DragOver(window, 0);
    EXPECT_EQ(hints(), "This is a test");
    MSFlexXimpact_DragOver(window, 1);
    EXPECT_EQ(hints(), "");
}

}  // namespace
}  // namespace vorn::testing
