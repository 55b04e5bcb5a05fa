#include "shell/trends.h"

#include <gtest/gtest.h>

#include <string>

#include "support/scripted_platform.h"
#include "tables/number_text.h"

namespace vorn {
namespace {

/// A freshly loaded window with a reproducible random source.
class StartedWindow : public ::testing::Test {
  protected:
    StartedWindow() : window(platform, RandomSource(42)) { window.Form_Load(); }

    /// Gives the tables twelve named items, as loading a 12-item scenario would.
    void growToTwelveItems() {
        const int n = 12;
        window.MSFlexXImpact().resize(n + 1, n + 1);
        window.MSFlexPolicy().resize(n + 1, n + 1);
        window.MSFlexTotals().resize(kTotalsRows, n + 1);
        for (int k = 1; k <= n; ++k) {
            window.MSFlexXImpact().setText(0, k, "Thing " + std::to_string(k));
            window.MSFlexXImpact().setText(k, 0, "Thing " + std::to_string(k));
            window.MSFlexXImpact().setText(k, k, "2.5");
        }
        window.cats = ItemCount::fromText("12", 12);
        window.YearbyYear(window.cats);
    }

    testing::ScriptedPlatform platform;
    Trends window;
};

const Rgb kTrendHeader{255, 255, 100};
const Rgb kTrendValue{255, 255, 200};
const Rgb kPolicyHeader{100, 255, 255};
const Rgb kPolicyValue{200, 255, 255};
const Rgb kTotalsHeader{255, 100, 255};
const Rgb kTotalsValue{255, 200, 255};

void expectBlankEightItems(const Trends& window) {
    const CellTable& trend = window.MSFlexXImpact();
    const CellTable& policy = window.MSFlexPolicy();
    const CellTable& totals = window.MSFlexTotals();
    ASSERT_EQ(trend.rows(), 9);
    ASSERT_EQ(trend.columns(), 9);
    ASSERT_EQ(policy.rows(), 9);
    ASSERT_EQ(policy.columns(), 9);
    ASSERT_EQ(totals.rows(), 4);
    ASSERT_EQ(totals.columns(), 9);
    EXPECT_EQ(window.cats.value, 8);
    for (int k = 1; k <= 8; ++k) {
        const std::string name = "Item  " + std::to_string(k);
        EXPECT_EQ(trend.text(0, k), name);
        EXPECT_EQ(trend.text(k, 0), name);
        EXPECT_EQ(totals.text(0, k), name);
        EXPECT_EQ(policy.text(0, k), name);
        EXPECT_EQ(policy.text(k, 0), name);
        for (int j = 1; j <= 8; ++j) {
            EXPECT_EQ(trend.text(k, j), "%   ");
            EXPECT_EQ(policy.text(k, j), "%   ");
        }
        EXPECT_EQ(totals.text(kUncertaintyRow, k), "%   ");
        EXPECT_EQ(totals.text(kLagsRow, k), "1");
    }
}

TEST_F(StartedWindow, ShowsTheBlankEightItemScenario) {
    expectBlankEightItems(window);
    const CellTable& totals = window.MSFlexTotals();
    EXPECT_EQ(window.MSFlexXImpact().text(0, 0), "Trend Matrix");
    EXPECT_EQ(window.MSFlexPolicy().text(0, 0), "Policy Matrix");
    EXPECT_EQ(totals.text(0, 0), "Totals/Uncertainty");
    EXPECT_EQ(totals.text(1, 0), "Net Growth");
    EXPECT_EQ(totals.text(2, 0), "Uncertainty");
    EXPECT_EQ(totals.text(3, 0), "Lags (Years)");
}

TEST_F(StartedWindow, NetGrowthIsWhatTheFirstProjectionComputedFromZeros) {
    EXPECT_EQ(window.projectionCount(), 1u);
    for (int k = 1; k <= 8; ++k) {
        EXPECT_EQ(window.MSFlexTotals().text(kNetGrowthRow, k), "0") << "item " << k;
    }
}

TEST_F(StartedWindow, PaintsHeaderAndValueColoursPerTable) {
    for (int i = 0; i <= 8; ++i) {
        EXPECT_EQ(window.MSFlexXImpact().color(0, i), kTrendHeader);
        EXPECT_EQ(window.MSFlexXImpact().color(i, 0), kTrendHeader);
        EXPECT_EQ(window.MSFlexPolicy().color(0, i), kPolicyHeader);
        EXPECT_EQ(window.MSFlexPolicy().color(i, 0), kPolicyHeader);
        EXPECT_EQ(window.MSFlexTotals().color(0, i), kTotalsHeader);
        EXPECT_EQ(window.MSFlexTotals().color(i % 4, 0), kTotalsHeader);
    }
    for (int i = 1; i <= 8; ++i) {
        for (int j = 1; j <= 8; ++j) {
            EXPECT_EQ(window.MSFlexXImpact().color(i, j), kTrendValue);
            EXPECT_EQ(window.MSFlexPolicy().color(i, j), kPolicyValue);
        }
        for (int row = 1; row <= 3; ++row) {
            EXPECT_EQ(window.MSFlexTotals().color(row, i), kTotalsValue);
        }
    }
}

TEST_F(StartedWindow, SetsColumnWidthsAndColourValues) {
    for (const CellTable* table :
         {&window.MSFlexXImpact(), &window.MSFlexTotals(), &window.MSFlexPolicy()}) {
        EXPECT_EQ(table->columnWidth(0), 1000);
        for (int c = 1; c <= 8; ++c) {
            EXPECT_EQ(table->columnWidth(c), 944);
        }
    }
    EXPECT_EQ(window.iter, 1);
    EXPECT_DOUBLE_EQ(window.BaseColor, 200);
    EXPECT_DOUBLE_EQ(window.OtherColor, 255);
    EXPECT_DOUBLE_EQ(window.NewColor, 200);
    EXPECT_DOUBLE_EQ(window.Shade, 0.5);
    EXPECT_DOUBLE_EQ(window.ColorShift, 500);
}

TEST_F(StartedWindow, ShowsHintsCaptionsAndTheirWidths) {
    EXPECT_EQ(window.text(Control::Hints), "  Hints: (Click on cells for Help)");
    EXPECT_TRUE(window.hintsBorder());
    EXPECT_EQ(window.text(Control::TextAnnual), "Scenario Trends- Forecast to  2040");
    EXPECT_EQ(window.text(Control::TextGrowth), "Contributions to Change in  2040");
    EXPECT_EQ(window.width(Control::TextAnnual), 5000);
    EXPECT_EQ(window.width(Control::TextGrowth), 5000);
    EXPECT_EQ(window.text(Control::TextVary), "Spread in Annual Levels\r\n");
    EXPECT_EQ(window.text(Control::MatrixFile), "Input File");
    EXPECT_EQ(window.text(Control::Label2), "Output File");
}

TEST_F(StartedWindow, IncrementIsHalfWhateverTheSliderShows) {
    EXPECT_EQ(window.sliderValue(Control::HScrollLags), 10);
    EXPECT_DOUBLE_EQ(window.inc, 0.5);
}

TEST_F(StartedWindow, IncrementSliderSetsTheStepWithoutRecalculating) {
    const unsigned long before = window.projectionCount();
    const unsigned long trendRevision = window.MSFlexXImpact().revision();
    window.HScrollLags_Change(7);
    EXPECT_NEAR(window.inc, 0.07, 1e-12);
    EXPECT_EQ(window.projectionCount(), before);
    EXPECT_EQ(window.MSFlexXImpact().revision(), trendRevision);
    window.HScrollLags_Change(50);
    EXPECT_NEAR(window.inc, 0.5, 1e-12);
}

TEST_F(StartedWindow, TimeSliderRecalculatesBackwards) {
    const unsigned long before = window.projectionCount();
    window.HScrollTime_Change(-5);
    EXPECT_EQ(window.projectionCount(), before + 1);
    EXPECT_EQ(window.sliderValue(Control::HScrollTime), -5);
    EXPECT_EQ(window.text(Control::TextAnnual), "Scenario Trends- Backcast to  1900");
    EXPECT_EQ(window.text(Control::TextGrowth), "Contributions to Change in  1900");
    const ChartTable& levels = window.chartData(Control::mscTrends);
    EXPECT_EQ(levels.text(0, 0), " 1900");
    EXPECT_EQ(levels.text(0, 20), " 2000");
}

TEST_F(StartedWindow, UncertaintySliderRecalculates) {
    const unsigned long before = window.projectionCount();
    window.HScrollUncert_Change(3);
    EXPECT_EQ(window.projectionCount(), before + 1);
    EXPECT_EQ(window.sliderValue(Control::HScrollUncert), 3);
}

TEST_F(StartedWindow, SliderPositionsStayWithinTheirRanges) {
    window.HScrollTime_Change(99);
    EXPECT_EQ(window.sliderValue(Control::HScrollTime), 20);
    window.HScrollUncert_Change(-4);
    EXPECT_EQ(window.sliderValue(Control::HScrollUncert), 0);
    window.HScrollLags_Change(0);
    EXPECT_EQ(window.sliderValue(Control::HScrollLags), 1);
    EXPECT_NEAR(window.inc, 0.01, 1e-12);
}

TEST_F(StartedWindow, ClearRestoresStepAndScenarioButKeepsSlidersSelectionAndPolicy) {
    window.HScrollLags_Change(7);
    window.HScrollTime_Change(3);
    window.Policy = 1;
    window.lastr1 = 2;
    window.lastc1 = 3;
    window.lastr2 = 2;
    window.lastc2 = 4;
    window.lastr3 = 5;
    window.lastc3 = 6;
    window.iter = 20;
    window.MSFlexXImpact().setText(2, 3, "4.5");
    const std::string overview = window.text(Control::Overview);

    window.mnuClear_Click();

    expectBlankEightItems(window);
    EXPECT_DOUBLE_EQ(window.inc, 0.5);
    EXPECT_EQ(window.iter, 1);
    EXPECT_EQ(window.sliderValue(Control::HScrollLags), 7);
    EXPECT_EQ(window.sliderValue(Control::HScrollTime), 3);
    EXPECT_EQ(window.Policy, 1);
    EXPECT_EQ(window.lastr1, 2);
    EXPECT_EQ(window.lastc1, 3);
    EXPECT_EQ(window.lastr2, 2);
    EXPECT_EQ(window.lastc2, 4);
    EXPECT_EQ(window.lastr3, 5);
    EXPECT_EQ(window.lastc3, 6);
    EXPECT_EQ(window.text(Control::Overview), overview);
    // The policies stay switched on and now add nothing.
    EXPECT_EQ(window.text(Control::TextAnnual),
              "Scenario Trends- Forecast to  2060 (with Policies)");
    EXPECT_EQ(window.MSFlexTotals().text(kNetGrowthRow, 3), "0");
}

TEST_F(StartedWindow, ClearAfterTwelveItemsGivesEightAgain) {
    growToTwelveItems();
    ASSERT_EQ(window.MSFlexXImpact().columns(), 13);
    window.mnuClear_Click();
    expectBlankEightItems(window);
    EXPECT_TRUE(window.cats.heldAsText == false);
    EXPECT_EQ(window.MSFlexXImpact().text(8, 8), "%   ");
    EXPECT_EQ(window.MSFlexXImpact().text(9, 9), "");
}

TEST_F(StartedWindow, ClearRecalculatesOnce) {
    const unsigned long before = window.projectionCount();
    window.mnuClear_Click();
    EXPECT_EQ(window.projectionCount(), before + 1);
}

TEST_F(StartedWindow, StackingAtTheEndOfStartUp) {
    EXPECT_TRUE(window.isAbove(Control::About, Control::Instruction));
    EXPECT_TRUE(window.isAbove(Control::Instruction, Control::Overview));
    EXPECT_EQ(window.stacking().front(), Control::TextGrowth);
    EXPECT_TRUE(window.isAbove(Control::TextGrowth, Control::MscXImpacts));
    EXPECT_TRUE(window.isAbove(Control::MscXImpacts, Control::About));
    EXPECT_TRUE(window.isAbove(Control::TextAnnual, Control::mscTrends));
    EXPECT_TRUE(window.isAbove(Control::mscTrends, Control::MscVary));
    EXPECT_TRUE(window.isAbove(Control::mscTrends, Control::TextVary));
    EXPECT_TRUE(window.isAbove(Control::MSFlexXImpact, Control::MSFlexPolicy));
    EXPECT_TRUE(window.isAbove(Control::TextUncertainty, Control::TextFuture));
    EXPECT_EQ(window.stacking().size(), static_cast<std::size_t>(kControlCount));
}

TEST(DesignTimeWindow, SlidersAndGridShapesBeforeStartUp) {
    testing::ScriptedPlatform platform;
    Trends window(platform, RandomSource(3));
    EXPECT_EQ(window.sliderValue(Control::HScrollTime), 2);
    EXPECT_EQ(window.sliderValue(Control::HScrollUncert), 1);
    EXPECT_EQ(window.sliderValue(Control::HScrollLags), 10);
    EXPECT_EQ(window.MSFlexXImpact().rows(), 9);
    EXPECT_EQ(window.MSFlexPolicy().rows(), 9);
    EXPECT_EQ(window.MSFlexTotals().rows(), 4);
    EXPECT_EQ(window.projectionCount(), 0u);
    EXPECT_TRUE(window.isAbove(Control::MSFlexXImpact, Control::MSFlexPolicy));
    EXPECT_FALSE(window.hintsBorder());
}

// --- Text boxes and their change handlers -------------------------------------------------

TEST_F(StartedWindow, ScenarioCaptionBringsContributionsForward) {
    window.bringToFront(Control::About);
    window.setText(Control::TextAnnual, "typed");
    EXPECT_EQ(window.stacking()[0], Control::TextGrowth);
    EXPECT_EQ(window.stacking()[1], Control::MscXImpacts);
}

TEST_F(StartedWindow, SpreadCaptionBringsSpreadChartThenScenarioCaptionForward) {
    window.setText(Control::TextVary, "Spread in Annual Levels for Item  1");
    EXPECT_EQ(window.stacking()[0], Control::TextAnnual);
    EXPECT_EQ(window.stacking()[1], Control::MscVary);
    EXPECT_TRUE(window.isAbove(Control::MscVary, Control::mscTrends));
}

TEST_F(StartedWindow, HelpPanesComeForwardWhenTheirTextIsSet) {
    window.setText(Control::Overview, "x");
    EXPECT_EQ(window.stacking().front(), Control::Overview);
    window.setText(Control::Instruction, "y");
    EXPECT_EQ(window.stacking().front(), Control::Instruction);
}

TEST_F(StartedWindow, OtherTextBoxesChangeOnlyTheirText) {
    const std::vector<Control> stacking = window.stacking();
    const unsigned long trendRevision = window.MSFlexXImpact().revision();
    const unsigned long totalsRevision = window.MSFlexTotals().revision();
    const unsigned long projections = window.projectionCount();
    for (Control box : {Control::TextGrowth, Control::Hints, Control::About, Control::TextHorizon,
                        Control::TextLarge}) {
        window.setText(box, "typed text");
        EXPECT_EQ(window.text(box), "typed text");
    }
    EXPECT_EQ(window.stacking(), stacking);
    EXPECT_EQ(window.MSFlexXImpact().revision(), trendRevision);
    EXPECT_EQ(window.MSFlexTotals().revision(), totalsRevision);
    EXPECT_EQ(window.projectionCount(), projections);
}

TEST_F(StartedWindow, TextsCannotBeSetOnGridsChartsOrSliders) {
    window.setText(Control::mscTrends, "no");
    window.setText(Control::HScrollTime, "no");
    EXPECT_EQ(window.text(Control::mscTrends), "");
    EXPECT_EQ(window.text(Control::HScrollTime), "");
}

TEST_F(StartedWindow, HelpMenuBringsPanesForward) {
    window.HelpOveview_Click();
    EXPECT_EQ(window.stacking().front(), Control::Overview);
    const std::vector<Control> stacking = window.stacking();
    window.HelpOveview_Click();
    EXPECT_EQ(window.stacking(), stacking);
    window.HelpInstructions_Click();
    EXPECT_EQ(window.stacking().front(), Control::Instruction);
    window.HelpAbout_Click();
    EXPECT_EQ(window.stacking().front(), Control::About);
}

// --- Help texts ----------------------------------------------------------------------------

TEST_F(StartedWindow, OverviewTextJoinsItsPiecesExactly) {
    const std::string& text = window.text(Control::Overview);
    EXPECT_EQ(
        text.rfind("Brief Explanation of the VORN Model:  VORN is a heuristic model -  which", 0),
        0u);
    EXPECT_NE(text.find("1) Trend Matrix,  2) Policy Matrix, 3) Net Growth"), std::string::npos);
    EXPECT_NE(text.find("between selcted variables.  The Model Interface"), std::string::npos);
    EXPECT_NE(text.find("at the top of a column The contributions"), std::string::npos);
    EXPECT_NE(text.find("backwards in time for every year"), std::string::npos);
    EXPECT_NE(text.find("(e.g.last decade average)"), std::string::npos);
    EXPECT_EQ(text.find("\r\n"), std::string::npos);
    const std::string ending = "to changes in the other items. ";
    EXPECT_EQ(text.substr(text.size() - ending.size()), ending);
}

TEST_F(StartedWindow, InstructionsTextJoinsItsPiecesExactly) {
    const std::string& text = window.text(Control::Instruction);
    EXPECT_EQ(text.rfind("Summary of How to use the VORN Model:  Load the Example", 0), 0u);
    EXPECT_NE(text.find("(left click) and then right/left"), std::string::npos);
    EXPECT_NE(text.find("an empty matrix.  Starting with the empty matrix: 1) Enter"),
              std::string::npos);
    EXPECT_NE(text.find("are defined.    2) Enter Data into the Trend matrix cells.    3) Vary"),
              std::string::npos);
    const std::string ending = "longer Time Horizons. ";
    EXPECT_EQ(text.substr(text.size() - ending.size()), ending);
}

TEST_F(StartedWindow, AboutHoldsACreditsParagraph) {
    EXPECT_FALSE(window.text(Control::About).empty());
    EXPECT_NE(window.text(Control::About), "A teaching model of interacting trends.\r\n");
}

}  // namespace
}  // namespace vorn
