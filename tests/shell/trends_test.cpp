#include "shell/trends.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "support/scripted_platform.h"

namespace vorn {
namespace {

/// A freshly loaded window with a reproducible random source.
class StartedWindow : public ::testing::Test {
  protected:
    StartedWindow() : window(platform, RandomSource(42)) { window.Form_Load(); }

    testing::ScriptedPlatform platform;
    Trends window;
};

// The blank scenario: eight items named in all five places, "%   " values, lags of 1 year,
// the tables' header and value colours and their column widths.
void expectBlankEightItems(const Trends& window) {
    const CellTable& trend = window.MSFlexXImpact();
    const CellTable& policy = window.MSFlexPolicy();
    const CellTable& totals = window.MSFlexTotals();
    ASSERT_EQ(window.cats.value, 8);
    ASSERT_EQ(trend.rows() * trend.columns() + policy.rows() * policy.columns(), 2 * 81);
    ASSERT_EQ(totals.columns(), 9);
    EXPECT_EQ(trend.text(0, 0), "Trend Matrix");
    EXPECT_EQ(policy.text(0, 0), "Policy Matrix");
    EXPECT_EQ(totals.text(0, 0), "Totals/Uncertainty");
    EXPECT_EQ(totals.text(3, 0), "Lags (Years)");
    for (int k = 1; k <= 8; ++k) {
        const std::string name = "Item  " + std::to_string(k);
        EXPECT_EQ(trend.text(0, k) + trend.text(k, 0) + totals.text(0, k) + policy.text(0, k) +
                      policy.text(k, 0),
                  name + name + name + name + name);
        EXPECT_EQ(totals.text(kNetGrowthRow, k), "0");
        EXPECT_EQ(totals.text(kUncertaintyRow, k), "%   ");
        EXPECT_EQ(totals.text(kLagsRow, k), "1");
        EXPECT_EQ(trend.color(0, k), (Rgb{255, 255, 100}));
        EXPECT_EQ(policy.color(k, 0), (Rgb{100, 255, 255}));
        EXPECT_EQ(totals.color(0, k), (Rgb{255, 100, 255}));
        EXPECT_EQ(totals.color(kLagsRow, k), (Rgb{255, 200, 255}));
        for (int j = 1; j <= 8; ++j) {
            EXPECT_EQ(trend.text(k, j) + policy.text(k, j), "%   %   ");
            EXPECT_EQ(trend.color(k, j), (Rgb{255, 255, 200}));
            EXPECT_EQ(policy.color(k, j), (Rgb{200, 255, 255}));
        }
        for (const CellTable* table : {&trend, &totals, &policy}) {
            EXPECT_EQ(table->columnWidth(k), 944);
            EXPECT_EQ(table->columnWidth(0), 1000);
        }
    }
}

TEST_F(StartedWindow, ShowsTheBlankEightItemScenarioWithHintsAndCaptions) {
    expectBlankEightItems(window);
    EXPECT_EQ(window.iter, 1);
    EXPECT_EQ(window.inc, 0.5);
    EXPECT_EQ(window.NewColor, 200);
    EXPECT_EQ(window.text(Control::Hints), "  Hints: (Click on cells for Help)");
    EXPECT_TRUE(window.hintsBorder());
    EXPECT_EQ(window.text(Control::TextAnnual), "Scenario Trends- Forecast to  2040");
    EXPECT_EQ(window.text(Control::TextGrowth), "Contributions to Change in  2040");
    EXPECT_EQ(window.width(Control::TextAnnual), 5000);
    EXPECT_EQ(window.text(Control::TextVary), "Spread in Annual Levels\r\n");
    EXPECT_EQ(window.text(Control::MatrixFile), "Input File");
    EXPECT_EQ(window.sliderValue(Control::HScrollLags), 10);  // yet the step is 0.5
}

TEST_F(StartedWindow, ClearRestoresTheScenarioAndStepButKeepsSlidersSelectionPolicyAndHelp) {
    window.MSFlexXImpact().resize(13, 13);
    window.MSFlexPolicy().resize(13, 13);
    window.MSFlexTotals().resize(kTotalsRows, 13);
    window.MSFlexXImpact().setText(2, 3, "4.5");
    window.MSFlexXImpact().setText(0, 1, "Water");
    window.MSFlexXImpact().setColor(1, 1, Rgb{});
    window.cats = ItemCount::fromText("12", 12);
    window.HScrollLags_Change(7);
    window.HScrollTime_Change(3);
    window.Policy = 1;
    window.iter = 20;
    window.lastr1 = 2;
    window.lastc2 = 4;
    window.lastr3 = 5;
    window.setText(Control::Overview, "changed help");
    const unsigned long projections = window.projectionCount();

    window.mnuClear_Click();

    expectBlankEightItems(window);
    EXPECT_FALSE(window.cats.heldAsText);
    EXPECT_EQ(window.projectionCount(), projections + 1);
    EXPECT_EQ(window.inc, 0.5);
    EXPECT_EQ(window.iter, 1);
    EXPECT_EQ(window.sliderValue(Control::HScrollLags), 7);
    EXPECT_EQ(window.sliderValue(Control::HScrollTime), 3);
    EXPECT_EQ(std::tie(window.lastr1, window.lastc2, window.lastr3), std::make_tuple(2, 4, 5));
    EXPECT_EQ(window.text(Control::Overview), "changed help");
    EXPECT_EQ(window.text(Control::TextAnnual),
              "Scenario Trends- Forecast to  2060 (with Policies)");
    const ProjectionInput& analysed = window.lastInput();  // what the analyses start from
    EXPECT_EQ(std::tie(analysed.items, analysed.horizon, analysed.policyOn, analysed.tracked),
              std::make_tuple(8, 3, true, 4));
}

TEST_F(StartedWindow, IncrementSliderSetsTheStepOnlyOtherSlidersRecalculate) {
    const unsigned long before = window.projectionCount();
    const unsigned long trendRevision = window.MSFlexXImpact().revision();
    window.HScrollLags_Change(7);
    EXPECT_NEAR(window.inc, 0.07, 1e-12);
    window.HScrollLags_Change(0);  // clamped to the slider's range
    EXPECT_NEAR(window.inc, 0.01, 1e-12);
    EXPECT_EQ(window.projectionCount(), before);
    EXPECT_EQ(window.MSFlexXImpact().revision(), trendRevision);

    window.HScrollTime_Change(-5);
    EXPECT_EQ(window.projectionCount(), before + 1);
    EXPECT_EQ(window.text(Control::TextAnnual), "Scenario Trends- Backcast to  1900");
    EXPECT_EQ(window.chartData(Control::mscTrends).text(0, 0), " 1900");
    window.HScrollUncert_Change(3);
    EXPECT_EQ(window.projectionCount(), before + 2);
    window.HScrollTime_Change(99);
    EXPECT_EQ(window.sliderValue(Control::HScrollTime), 20);
}

TEST_F(StartedWindow, StackingAtTheEndOfStartUpAndAfterTextChanges) {
    EXPECT_EQ(window.stacking().front(), Control::TextGrowth);
    EXPECT_TRUE(window.isAbove(Control::MscXImpacts, Control::About));
    EXPECT_TRUE(window.isAbove(Control::About, Control::Instruction));
    EXPECT_TRUE(window.isAbove(Control::Instruction, Control::Overview));
    EXPECT_TRUE(window.isAbove(Control::TextAnnual, Control::mscTrends));
    EXPECT_TRUE(window.isAbove(Control::mscTrends, Control::MscVary));
    EXPECT_TRUE(window.isAbove(Control::MSFlexXImpact, Control::MSFlexPolicy));

    const auto front = [this] {
        return std::vector<Control>(window.stacking().begin(), window.stacking().begin() + 2);
    };
    window.setText(Control::TextVary, "typed");
    EXPECT_EQ(front(), (std::vector<Control>{Control::TextAnnual, Control::MscVary}));
    window.setText(Control::TextAnnual, "typed");
    EXPECT_EQ(front(), (std::vector<Control>{Control::TextGrowth, Control::MscXImpacts}));
    window.setText(Control::Overview, "typed");
    EXPECT_EQ(window.stacking().front(), Control::Overview);
    window.setText(Control::Instruction, "typed");
    EXPECT_EQ(window.stacking().front(), Control::Instruction);

    const std::vector<Control> stacking = window.stacking();
    const unsigned long projections = window.projectionCount();
    for (Control box : {Control::TextGrowth, Control::Hints, Control::About, Control::TextLarge}) {
        window.setText(box, "typed");
    }
    EXPECT_EQ(window.stacking(), stacking);
    EXPECT_EQ(window.projectionCount(), projections);
    window.setText(Control::mscTrends, "no");  // not a text box
    EXPECT_EQ(window.text(Control::mscTrends), "");
    window.HelpAbout_Click();
    EXPECT_EQ(window.stacking().front(), Control::About);
}

TEST_F(StartedWindow, HelpTextsJoinTheirPiecesExactly) {
    const std::string& overview = window.text(Control::Overview);
    EXPECT_TRUE(overview.starts_with(
        "Brief Explanation of the VORN Model:  VORN is a heuristic model -  which"));
    EXPECT_NE(overview.find("between selcted variables.  The Model Interface"), std::string::npos);
    EXPECT_NE(overview.find("at the top of a column The contributions"), std::string::npos);
    EXPECT_NE(overview.find("(e.g.last decade average)"), std::string::npos);
    EXPECT_TRUE(overview.ends_with("to changes in the other items. "));
    const std::string& instructions = window.text(Control::Instruction);
    EXPECT_TRUE(
        instructions.starts_with("Summary of How to use the VORN Model:  Load the Example"));
    EXPECT_NE(
        instructions.find("defined.    2) Enter Data into the Trend matrix cells.    3) Vary"),
        std::string::npos);
    EXPECT_TRUE(instructions.ends_with("longer Time Horizons. "));
}

}  // namespace
}  // namespace vorn
