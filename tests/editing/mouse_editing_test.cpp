// Clicks on the three tables and the charts, made through the handlers the window calls after
// the grid has made the clicked cell current.

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "editing/hints.h"
#include "scenario_files/scenario_file.h"
#include "shell/trends.h"
#include "support/started_window.h"

namespace vorn::testing {
namespace {

class Editing : public StartedWindow {
  protected:
    Editing() : StartedWindow(20260101) {}

    std::string trend(int r, int c) { return window.MSFlexXImpact().text(r, c); }
    std::string totals(int r, int c) { return window.MSFlexTotals().text(r, c); }
    std::string policy(int r, int c) { return window.MSFlexPolicy().text(r, c); }
    const std::string& hints() { return window.text(Control::Hints); }
};

TEST_F(Editing, FirstClickSelectsLaterClicksStepAndShade) {
    CellTable& table = window.MSFlexXImpact();
    table.setText(2, 3, "0.1");
    clickTrend(2, 3);
    EXPECT_EQ(trend(2, 3), "0.1");
    clickTrend(2, 3);
    EXPECT_EQ(trend(2, 3), "0.6");
    EXPECT_NEAR(window.NewColor, 500, 1e-9);  // 200 + 500 x 0.6
    EXPECT_EQ(table.color(2, 3), (Rgb{255, 255, 255}));
    clickTrend(2, 3);
    EXPECT_EQ(trend(2, 3), "1.1");
    clickTrend(2, 3, 2);
    EXPECT_EQ(trend(2, 3), "0.6");
    EXPECT_NEAR(window.NewColor, 1350, 1e-9);

    table.setText(1, 2, "-0.375");  // x = -0.125 with inc 0.25: 200 - 62.5 = 137.5 -> 138
    window.inc = 0.25;
    clickTrend(1, 2);
    clickTrend(1, 2);
    EXPECT_EQ(table.color(1, 2), (Rgb{255, 255, 138}));
    clickTrend(0, 2);  // a header click in between
    clickTrend(1, 2);  // only selects
    EXPECT_EQ(trend(1, 2), "-0.13");
    clickPolicy(1, 2);  // clicks on the other tables keep the selection
    clickTotals(2, 2);
    clickTrend(1, 2, 2);
    EXPECT_EQ(trend(1, 2), "-0.38");
}

// An arrow of the Loop Diagram leads into the Trend Matrix: its cell becomes current as on a
// first click, with the hint and the table in front, even when it was selected already, so
// that no value changes and no undo step is made; the next click on the cell steps it.
TEST_F(Editing, ALoopDiagramClickSelectsItsCellAsAFirstClick) {
    CellTable& table = window.MSFlexXImpact();
    table.setText(2, 3, "0.1");
    clickTrend(2, 3);
    clickPolicy(1, 1);
    window.setText(Control::Hints, "");
    const std::size_t steps = window.history().undoCount();

    LoopDiagram_Click(window, 2, 3);
    EXPECT_EQ(trend(2, 3), "0.1");
    EXPECT_EQ(window.history().undoCount(), steps);
    EXPECT_EQ(table.currentRow() * 10 + table.currentColumn(), 23);
    EXPECT_EQ(hints().rfind("This is the contribution of ", 0), 0u);
    EXPECT_TRUE(window.isAbove(Control::MSFlexXImpact, Control::MSFlexPolicy));
    EXPECT_EQ(window.Policy, 0);
    window.inc = 0.5;
    clickTrend(2, 3);
    EXPECT_EQ(trend(2, 3), "0.6");

    // A diagonal mark selects the item's own growth; a cell beyond the items nothing.
    LoopDiagram_Click(window, 4, 4);
    EXPECT_EQ(hints(), intrinsicGrowthHint(trend(4, 0)));
    EXPECT_EQ(table.currentRow() * 10 + table.currentColumn(), 44);
    const unsigned long projections = window.projectionCount();
    for (const auto& [row, column] : {std::pair(9, 1), std::pair(0, 2), std::pair(3, -1)}) {
        LoopDiagram_Click(window, row, column);
    }
    EXPECT_EQ(window.projectionCount(), projections);
    EXPECT_EQ(table.currentRow() * 10 + table.currentColumn(), 44);
}

struct StepCase {
    const char* name;
    const char* start;
    double inc;
    int button;
    const char* expected;
    friend void PrintTo(const StepCase& c, std::ostream* os) { *os << c.name; }
};
class Stepping : public Editing, public ::testing::WithParamInterface<StepCase> {};

TEST_P(Stepping, SecondClickRoundsDownToHundredthsInBothMatrices) {
    const StepCase& step = GetParam();
    window.MSFlexXImpact().setText(3, 2, step.start);
    window.MSFlexPolicy().setText(3, 2, step.start);
    window.inc = step.inc;
    for (int click = 0; click < 2; ++click) {
        clickTrend(3, 2, step.button);
        clickPolicy(3, 2, step.button);
    }
    EXPECT_EQ(trend(3, 2), step.expected);
    EXPECT_EQ(policy(3, 2), step.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, Stepping,
                         // Sums round down as they read in decimals: 100 x (1.8 + 0.5) is
                         // 229.99999999999997 in binary, yet the cell shows 2.3.
                         ::testing::Values(StepCase{"UpToAHundredth", "1.15", 0.01, 1, "1.16"},
                                           StepCase{"UpToTwoPointThree", "1.8", 0.5, 1, "2.3"},
                                           StepCase{"DownToOnePointEight", "2.3", 0.5, 2, "1.8"},
                                           StepCase{"NegativeUp", "-0.125", 0.5, 1, "0.37"},
                                           StepCase{"NegativeDown", "-0.125", 0.5, 2, "-0.63"},
                                           StepCase{"MiddleSubtracts", "1", 0.25, 4, "0.75"},
                                           StepCase{"PercentMarkIsZero", "%   ", 0.5, 2, "-0.5"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Editing, TopLeftCellAddsAndRemovesItemsInAllThreeTablesWithinZeroToTwenty) {
    window.MSFlexXImpact().setText(8, 1, "3");
    clickTrend(0, 0, 2);
    EXPECT_EQ(window.cats.value, 7);
    clickTrend(0, 0, 4);
    EXPECT_EQ(window.cats.value, 6);
    clickTrend(0, 0);
    clickTrend(0, 0);
    EXPECT_EQ(window.cats.value, 8);
    EXPECT_EQ(trend(0, 7), "New Item");
    EXPECT_EQ(trend(8, 0), "New Item");
    EXPECT_EQ(totals(0, 8), "New Item");
    EXPECT_EQ(policy(0, 8), "New Item");
    EXPECT_EQ(policy(8, 0), "New Item");
    EXPECT_EQ(trend(8, 1), "");  // the removed item's values are gone
    for (int i = 0; i < 13; ++i) {
        clickTrend(0, 0);
    }
    EXPECT_EQ(window.cats.value, 20);
    for (int i = 0; i < 25; ++i) {
        clickTrend(0, 0, 2);
    }
    EXPECT_EQ(window.cats.value, 0);
    clickTrend(0, 0);
    EXPECT_EQ(window.cats.value, 1);
    EXPECT_EQ(trend(1, 0), "New Item");
}

// A name is refused when a scenario file could not store it: a longer name than a file's
// field would block every later save.
TEST_F(Editing, RenamingNamesTheItemEverywhereOrRefusesCleanly) {
    std::string longest;
    for (std::size_t k = 0; k < kMaxTextLength; ++k) {
        longest += "é";
    }
    platform.inputAnswers = {"Water", std::nullopt,       "",     "The \"big\" one",
                             "a\nb",  longest + "\u00e9", longest};
    clickTrend(3, 0);
    const InputBoxRequest& box = platform.inputRequests.at(0);
    EXPECT_EQ(std::tie(box.prompt, box.title, box.defaultText, box.leftTwips, box.topTwips),
              std::make_tuple("New Item Name", "", "", 9000, 6000));
    EXPECT_EQ(trend(0, 3), "Water");
    EXPECT_EQ(totals(0, 3), "Water");
    EXPECT_EQ(policy(0, 3), "Water");
    EXPECT_EQ(policy(3, 0), "Water");

    clickTrend(0, 3);  // cancelled
    clickTrend(3, 0);  // empty
    EXPECT_TRUE(platform.messages.empty());
    clickTrend(0, 3);
    clickTrend(3, 0);
    clickTrend(0, 3);
    ASSERT_EQ(platform.messages.size(), 3u);
    EXPECT_EQ(platform.messages[0].second, "An item name cannot contain a double quote (\").");
    EXPECT_EQ(platform.messages[1].second, "An item name cannot contain a line break.");
    EXPECT_EQ(platform.messages[2].second, "An item name can be at most 4096 characters long.");
    EXPECT_EQ(trend(0, 3), "Water");
    EXPECT_EQ(trend(3, 0), "Water");
    clickTrend(3, 0);
    EXPECT_EQ(trend(0, 3), longest);
    EXPECT_EQ(scenarioWriteProblem(window.tables, window.cats), "") << "the name can be saved";
}

TEST_F(Editing, TotalsSecondClicksRescaleNetGrowthAndStepUncertaintyAndLags) {
    window.MSFlexXImpact().setText(1, 2, "1.5");
    window.MSFlexXImpact().setText(2, 2, "0.5");
    clickTotals(1, 2);
    EXPECT_EQ(hints(),
              "This is the Net Growth for Item  2 and is calculated automatically as the sum "
              "of the column entries for this Item");
    clickTotals(1, 2);
    EXPECT_EQ(trend(1, 2), "1.87");
    EXPECT_EQ(trend(2, 2), "0.62");
    EXPECT_EQ(totals(1, 2), "2.49");
    window.MSFlexXImpact().setText(4, 5, "0.1");  // 0.1 x 6, not 0.59
    clickTotals(1, 5);
    clickTotals(1, 5);
    EXPECT_EQ(trend(4, 5) + " " + totals(1, 5), "0.6 0.6");

    // A Net Growth of 0 scales by 1 + step.
    window.MSFlexXImpact().setText(1, 4, "0.4");
    window.MSFlexXImpact().setText(3, 4, "-0.4");
    clickTotals(1, 4);
    clickTotals(1, 4, 2);
    EXPECT_EQ(trend(1, 4), "0.2");
    EXPECT_EQ(trend(3, 4), "-0.2");
    EXPECT_EQ(window.NewColor, 0);  // 200 - 250, floored
    EXPECT_EQ(window.MSFlexTotals().color(1, 4), (Rgb{255, 0, 255}));

    // Uncertainty goes below zero; lags move by whole years and stay at least 1.
    clickTotals(2, 3);
    EXPECT_EQ(hints(),
              "What is the uncertainty in your estimate of the annual net growth of  Item  3 ? "
              "Consider how much you expect its growth rate  to fluctate as a consequence of "
              "random events and serendipity,  or what is the statistical uncertainty as shown by "
              "a regression or econometric analysis of historical data,  or what is the variation "
              "(standard deviation) in estimates by participants in a survey");
    clickTotals(2, 3, 2);
    EXPECT_EQ(totals(2, 3), "-0.5");
    window.inc = 0.07;
    clickTotals(3, 2);
    EXPECT_EQ(hints(),
              "What is the lag (in years) before Item  2 responds to changes in other variables? "
              "Lags may contribute to delays in policies being effective, cyclical phenomena, or "
              "overshoot and collapse. ");
    clickTotals(3, 2, 2);
    EXPECT_EQ(totals(3, 2), "1");
    clickTotals(3, 2);
    clickTotals(3, 2);
    EXPECT_EQ(totals(3, 2), "3");

    // A second click is one on the same row too: Uncertainty then Lags of one item only selects.
    clickTotals(2, 6);
    clickTotals(3, 6);
    clickTotals(2, 6);
    EXPECT_EQ(totals(3, 6) + totals(2, 6), "1%   ");
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
    for (int row = 1; row < 4; ++row) {
        clickTotals(row, 0, 1);
        clickTotals(row, 0, 2);
    }
    EXPECT_EQ(hints(), hint);
    EXPECT_EQ(window.text(Control::TextVary), caption);
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
    EXPECT_EQ(hints(),
              "What policies can improve the projected trends? Consider how changing the level of "
              "Item  2 would affect the growth of Item  3 Change several items in the same row to "
              "reflect the strategic re-allocation of Item  2. Bear in mind, that if these "
              "resources are scarce, then increasing the allocation to improve one trend might "
              "entail changing its allocation to other items (in the same Row).");
    clickPolicy(2, 3, 2);  // -0.5
    EXPECT_EQ(window.MSFlexPolicy().color(2, 3), (Rgb{0, 255, 255}));
    clickTotals(2, 1);
    mscTrends_Click(window);
    EXPECT_EQ(window.Policy, 1);
    clickTrend(1, 1);
    EXPECT_EQ(window.text(Control::TextAnnual), "Scenario Trends- Forecast to  2040");
    clickPolicy(1, 1);
    window.mnuClear_Click();
    EXPECT_EQ(window.text(Control::TextAnnual),
              "Scenario Trends- Forecast to  2040 (with Policies)");
    EXPECT_EQ(totals(1, 1), "0");
}

// What each click leaves in front, front first: the clicked table or chart under the
// captions and the charts the recalculation brings forward; every recalculation of twenty
// runs then brings the Spread chart and its caption on top.
TEST_F(Editing, EveryClickBringsItsControlsToTheFront) {
    using C = Control;
    const struct {
        const char* name;
        std::function<void()> click;
        std::vector<Control> front;
    } clicks[] = {
        {"Trend Matrix cell",
         [&] { clickTrend(2, 3); },
         {C::TextGrowth, C::MscXImpacts, C::TextAnnual, C::mscTrends, C::MSFlexXImpact}},
        {"Policy Matrix cell",
         [&] { clickPolicy(2, 3); },
         {C::TextGrowth, C::MscXImpacts, C::TextAnnual, C::mscTrends, C::MSFlexPolicy}},
        {"Totals value cell",
         [&] { clickTotals(2, 3); },
         {C::TextGrowth, C::MscXImpacts, C::TextAnnual, C::mscTrends, C::MSFlexTotals}},
        {"Totals name cell",
         [&] { clickTotals(0, 3); },
         {C::TextVary, C::MscVary, C::TextGrowth, C::MscXImpacts, C::TextAnnual, C::mscTrends,
          C::MSFlexTotals}},
        {"Contributions chart",
         [&] { MscXImpacts_Click(window); },
         {C::TextGrowth, C::MscXImpacts, C::TextVary}},
        {"Spread chart",
         [&] { MscVary_Click(window); },
         {C::TextVary, C::MscVary, C::TextGrowth, C::MscXImpacts, C::TextAnnual}},
        {"time slider, twenty runs",
         [&] { window.HScrollTime_Change(3); },
         {C::TextVary, C::MscVary, C::TextGrowth, C::MscXImpacts, C::TextAnnual}},
        {"Scenario Trends chart, twenty runs",
         [&] { mscTrends_Click(window); },
         {C::TextVary, C::MscVary, C::TextGrowth, C::MscXImpacts, C::mscTrends}},
        {"Scenario Trends chart, one run",
         [&] { mscTrends_Click(window); },
         {C::TextGrowth, C::MscXImpacts, C::mscTrends, C::TextVary}},
    };
    for (const auto& [name, click, front] : clicks) {
        click();
        const auto& stacking = window.stacking();
        EXPECT_EQ(std::vector<Control>(stacking.begin(), stacking.begin() + std::ssize(front)),
                  front)
            << name;
    }
}

TEST_F(Editing, PressesBeyondTheCellsBringTheGridForwardButEditNothing) {
    clickTrend(2, 3);
    clickTotals(2, 4);
    clickPolicy(1, 1);
    MscVary_Click(window);
    const std::string hint = hints();
    // Texts, colours and current cells of the three tables.
    const auto contents = [&] {
        std::vector<std::string> cells;
        for (const CellTable* table :
             {&window.MSFlexXImpact(), &window.MSFlexTotals(), &window.MSFlexPolicy()}) {
            cells.push_back(std::to_string(table->currentRow()) + "," +
                            std::to_string(table->currentColumn()));
            for (int r = 0; r < table->rows(); ++r) {
                for (int c = 0; c < table->columns(); ++c) {
                    const Rgb color = table->color(r, c).value_or(Rgb{});
                    cells.push_back(table->text(r, c) + "/" + std::to_string(color.red) +
                                    std::to_string(color.green) + std::to_string(color.blue));
                }
            }
        }
        return cells;
    };
    const std::vector<std::string> before = contents();
    const unsigned long projections = window.projectionCount();

    MSFlexXImpact_BackgroundClick(window);
    EXPECT_TRUE(window.isAbove(Control::MSFlexXImpact, Control::MSFlexPolicy));
    EXPECT_TRUE(window.isAbove(Control::mscTrends, Control::MscVary));
    EXPECT_EQ(window.Policy, 0);
    EXPECT_EQ(window.lastProjection().runs, 1);
    EXPECT_EQ(window.projectionCount(), projections + 1);
    EXPECT_EQ(hints(), hint);
    EXPECT_EQ(contents(), before);
    clickTrend(2, 3);  // still the selected cell: steps
    EXPECT_EQ(trend(2, 3), "0.5");

    MSFlexPolicy_BackgroundClick(window);
    EXPECT_TRUE(window.isAbove(Control::MSFlexPolicy, Control::MSFlexXImpact));
    EXPECT_EQ(window.text(Control::TextAnnual),
              "Scenario Trends- Forecast to  2040 (with Policies)");
    clickPolicy(1, 1);
    EXPECT_EQ(policy(1, 1), "0.5");

    MscVary_Click(window);
    MSFlexTotals_BackgroundClick(window);
    EXPECT_EQ(window.iter, 1);
    EXPECT_EQ(window.lastProjection().runs, 1);
    EXPECT_EQ(window.Policy, 1);
    EXPECT_TRUE(window.isAbove(Control::mscTrends, Control::MscVary));
    EXPECT_EQ(window.text(Control::TextVary), "Spread in Annual Levels for Item  4");
    clickTotals(2, 4);
    EXPECT_EQ(totals(2, 4), "0.5");
}

TEST_F(Editing, RunsAndSpreadCaptionFollowChartAndTableClicks) {
    MscVary_Click(window);
    EXPECT_EQ(window.text(Control::TextVary), "Spread in Annual Levels for Item  1");
    window.HScrollTime_Change(5);
    EXPECT_EQ(window.lastProjection().runs, 20);
    clickTrend(1, 1);
    EXPECT_EQ(window.lastProjection().runs, 1);

    MscVary_Click(window);
    MscXImpacts_Click(window);
    EXPECT_EQ(window.lastProjection().runs, 1);
    MscVary_Click(window);
    mscTrends_Click(window);
    EXPECT_EQ(window.lastProjection().runs, 20);  // the click still draws twenty runs
    window.HScrollTime_Change(4);
    EXPECT_EQ(window.lastProjection().runs, 1);

    clickTotals(0, 3);  // the item name: twenty runs once
    EXPECT_EQ(window.lastProjection().runs, 20);
    EXPECT_EQ(window.text(Control::TextVary), "Uncertainty in Future Item  3 Trends");
    EXPECT_EQ(window.iter, 1);
    MscVary_Click(window);
    EXPECT_EQ(window.text(Control::TextVary), "Spread in Annual Levels for Item  3");
    clickTotals(0, 0);  // the corner starts the runs too, for item 1
    EXPECT_NE(hints().find("possible outomes for Item  1 when"), std::string::npos);
    EXPECT_EQ(window.text(Control::TextVary), "Uncertainty in Future Item  1 Trends");
    EXPECT_EQ(window.lastProjection().runs, 20);
    EXPECT_EQ(window.lastProjection().tracked, 1);
    clickTotals(0, 3);
    for (int i = 0; i < 6; ++i) {  // removes the tracked item
        clickTrend(0, 0, 2);
    }
    MscVary_Click(window);
    EXPECT_EQ(window.text(Control::TextVary), "Spread in Annual Levels for Item  1");
}

TEST_F(Editing, HintsNameTheClickedItemsAndAColumnRenameNamesTheRow) {
    platform.inputAnswers = {"Water"};
    clickTrend(0, 3);
    EXPECT_EQ(hints(), "  Hints: (Click on cells for Help)");
    clickTrend(2, 3);
    EXPECT_EQ(hints(),
              "This is the contribution of Item  2 to the annual net growth of Water. To assess "
              "this contibution consider by how much more or less would you expect the growth "
              "rate of Water to be if the level of Item  2 was to double ? The net current "
              "growth of Water is given in the Totals table. ");
    clickTrend(3, 3);  // the row header took the new name too
    EXPECT_EQ(hints(),
              "What is the Intrinsic (i.e. internal) Growth Rate of the Water Sub-System ? Note "
              "that if none of the other Items you include significantly impact on this "
              "sub-system, then then its intrinsic growth rate will be the same as its overall "
              "growth rate.  ");
    clickTotals(0, 3);
    EXPECT_EQ(hints(),
              "This calculates 20 runs of the model for the current parameters with random "
              "fluctuations. Graph shows the range of possible outomes for Water when "
              "uncertainties in all items are accounted for. ");
    MSFlexXimpact_DragOver(window, 0);  // entering
    EXPECT_EQ(hints(), "This is a test");
    MSFlexXimpact_DragOver(window, 2);  // moving over
    EXPECT_EQ(hints(), "This is a test");
    MSFlexXimpact_DragOver(window, 1);  // leaving
    EXPECT_EQ(hints(), "");
}

}  // namespace
}  // namespace vorn::testing
