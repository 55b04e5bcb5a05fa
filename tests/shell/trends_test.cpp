#include "shell/trends.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "support/started_window.h"

namespace vorn {
namespace {

using testing::StartedWindow;

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
    window.HelpOveview_Click();
    EXPECT_EQ(window.stacking().front(), Control::Overview);
}

// The help texts are their pieces joined with nothing between them, every blank kept: the
// heading, then the paragraphs in order (the policy paragraph before the calculation one).
TEST_F(StartedWindow, HelpTextsAreTheirPiecesJoinedExactly) {
    const std::vector<std::string> overview = {
        "Brief Explanation of the VORN Model:  VORN is a heuristic model - ",
        " which allows us to explore the implications of assumptions ",
        "about growth rates and interactions between selcted variables. ",
        " The Model Interface has three input tables: ",
        "1) Trend Matrix,  2) Policy Matrix, 3) Net Growth, Lags and Uncertainty Matrix. ",
        "The numbers in the Trend tables are your estimates of the current ",
        "(e.g.last decade average) annual contribution ",
        "of the items named in the left hand column ",
        "to the annual growth rate of the item named at the top of a column",
        " The contributions may be positive or negative. ",
        " The current net annual percentage growth for each item is given in the Totals table.",
        " When the Policy Matrix is selected its data are added to the Trend Data for forwards "
        "projections. ",
        "The model automatically calculates projections forwards or backwards in time",
        " ",
        "for every year up to the chosen time horizon. ",
        "When the data are changed the calculation is immediately revised ",
        " The levels of each item relative to their present (i.e. Year 2000) level",
        " and the contribution to the Growth Rate at the Time Horizon are shown in the Charts. ",
        " The Policy matrix is used to enter your proposed strategy for improving on current "
        "trends.",
        " The Uncertainty table is used to enter the amount of uncertainty/variability you "
        "attach to the annual net growth rate of each item. ",
        "and the time lags (in years) for each item to respond to changes in the other items. "};
    const std::vector<std::string> instructions = {
        "Summary of How to use the VORN Model:  ",
        "Load the Example provided to explore the way the model works. ",
        "In each table data are entered or changed by selecting a cell (left click)",
        " ",
        "and then right/left clicking the cells to increase/decrease the current data. ",
        "The Time Horizon of the projection, the Uncertainty in Total Growth Rate for each item, "
        "and the incremental shifts to be used when adjusting the Matrix entries may be set "
        "using the sliders. ",
        "To enter or change an item name select the cell and type ",
        "the name of the item in the input box. ",
        " To increase/decrease the number of rows and columns in the matrix ",
        "select the top-left cell in the Trend Matrix and right/left click. ",
        " Now Clear these data and do your Own Thing with an empty matrix.  ",
        "Starting with the empty matrix: ",
        "1) Enter Item Names and decide how these are defined.    ",
        "2) Enter Data into the Trend matrix cells.    ",
        "3) Vary the Data until you are satisfied with the Trend Backcasts. ",
        "Identify potential Future Concerns. ",
        "Devise Strategies that deal with these Concerns or offer more Desirable Outcomes ",
        "and enter the appropriate changes in the Policy Matrix. ",
        "Check that these new Outcomes are robust to increased levels of Uncertainty and longer "
        "Time Horizons. "};
    const auto joined = [](const std::vector<std::string>& pieces) {
        std::string text;
        for (const std::string& piece : pieces) {
            text += piece;
        }
        return text;
    };
    EXPECT_EQ(window.text(Control::Overview), joined(overview));
    EXPECT_EQ(window.text(Control::Instruction), joined(instructions));
}

}  // namespace
}  // namespace vorn
