// Undo and redo of every kind of change, made through the handlers the window calls.

#include "shell/edit_history.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "editing/typed_entry.h"
#include "shell/trends.h"
#include "support/started_window.h"

namespace vorn::testing {
namespace {

// Everything a step may change: the shapes, texts and colours of the three tables and the
// item count in its number or text form. The Net Growth texts are the recalculation's.
std::vector<std::string> scenarioOf(const Trends& window) {
    std::vector<std::string> cells;
    for (const CellTable* table :
         {&window.MSFlexXImpact(), &window.MSFlexTotals(), &window.MSFlexPolicy()}) {
        cells.push_back(std::to_string(table->rows()) + "x" + std::to_string(table->columns()));
        for (int r = 0; r < table->rows(); ++r) {
            const bool output = table == &window.MSFlexTotals() && r == kNetGrowthRow;
            for (int c = 0; c < table->columns(); ++c) {
                const std::optional<Rgb> color = table->color(r, c);
                cells.push_back((output ? "" : table->text(r, c)) + "|" +
                                (color ? std::to_string(color->red) + "," +
                                             std::to_string(color->green) + "," +
                                             std::to_string(color->blue)
                                       : "none"));
            }
        }
    }
    cells.push_back(std::to_string(window.cats.value) +
                    (window.cats.heldAsText ? " as text " : "") + window.cats.text);
    return cells;
}

class Undo : public StartedWindow {
  protected:
    Undo() : StartedWindow(5) {}
};

TEST_F(Undo, EveryKindOfChangeIsOneStepUndoneAndRedoneWhole) {
    struct Change {
        const char* step;
        std::function<void()> make;
    };
    const Change changes[] = {
        {"Change Cell", [&] { clickTrend(2, 3), clickTrend(2, 3); }},  // select, then step
        {"Rescale Net Growth", [&] { clickTotals(1, 3), clickTotals(1, 3, 2); }},
        {"Change Cell", [&] { clickTotals(2, 4), clickTotals(2, 4); }},
        {"Change Cell", [&] { clickTotals(3, 4), clickTotals(3, 4); }},
        {"Change Cell", [&] { clickPolicy(4, 1), clickPolicy(4, 1, 2); }},
        {"Rename Item", [&] { platform.inputAnswers = {"Water"}, clickTrend(5, 0); }},
        {"Add Item", [&] { clickTrend(0, 0, 1); }},
        {"Remove Item", [&] { clickTrend(0, 0, 2); }},
        {"Remove Item", [&] { clickTrend(0, 0, 2); }},
        {"Open", [&] { openExample("Example1.txt"); }},
        {"Typed Entry", [&] { commitEntry(window, Control::MSFlexPolicy, 2, 2, "-1.25"); }},
        {"Clear", [&] { window.mnuClear_Click(); }},
        {"Open", [&] { openExample("PredatorPrey.txt"); }},
        {"Remove Item", [&] { clickTrend(0, 0, 4); }},
    };
    std::vector<std::vector<std::string>> states = {scenarioOf(window)};
    for (const Change& change : changes) {
        SCOPED_TRACE(change.step);
        change.make();
        ASSERT_EQ(window.history().undoName(), change.step);
        states.push_back(scenarioOf(window));
        ASSERT_NE(states.back(), states[states.size() - 2]);
    }
    ASSERT_EQ(window.history().undoCount(), std::size(changes));

    // All the way back, each undo with one recalculation, and all the way forward again.
    for (std::size_t i = std::size(changes); i > 0; --i) {
        const unsigned long projections = window.projectionCount();
        window.mnuUndo_Click();
        EXPECT_EQ(scenarioOf(window), states[i - 1]) << "undoing " << changes[i - 1].step;
        EXPECT_EQ(window.projectionCount(), projections + 1);
    }
    EXPECT_FALSE(window.history().canUndo());
    window.mnuUndo_Click();
    EXPECT_EQ(scenarioOf(window), states[0]);
    for (std::size_t i = 1; i <= std::size(changes); ++i) {
        EXPECT_EQ(window.history().redoName(), changes[i - 1].step);
        window.mnuRedo_Click();
        EXPECT_EQ(scenarioOf(window), states[i]) << "redoing " << changes[i - 1].step;
    }
    EXPECT_FALSE(window.history().canRedo());

    // The count of a loaded file comes back as text, so a save writes it quoted again.
    window.mnuUndo_Click();
    ASSERT_TRUE(window.cats.heldAsText);
    EXPECT_EQ(window.cats.text, "3");
}

TEST_F(Undo, SelectionsSlidersChartsAndCancelsMakeNoStep) {
    window.MSFlexPolicy().setText(1, 1, "2");  // the policy switch changes the Net Growth
    window.YearbyYear(window.cats);
    clickTrend(2, 3);
    clickTotals(3, 2);
    clickTotals(0, 4);  // the uncertainty runs
    clickPolicy(1, 1);
    clickTrend(0, 2);  // the input box is cancelled
    platform.inputAnswers = {"Say \"hi\""};
    clickTrend(0, 2);  // refused
    window.HScrollTime_Change(-5);
    window.HScrollUncert_Change(4);
    window.HScrollLags_Change(30);
    MscVary_Click(window);
    MscXImpacts_Click(window);
    mscTrends_Click(window);
    commitEntry(window, Control::MSFlexXImpact, 2, 3, "1e999");
    EXPECT_FALSE(window.history().canUndo());
    EXPECT_FALSE(window.isModified());
}

TEST_F(Undo, LeavesTheValuesThatSteerClicks) {
    clickTrend(2, 3), clickTrend(2, 3);
    clickPolicy(1, 2);
    window.iter = 20;
    const auto steering = [&] {
        return std::vector<double>{double(window.lastr1), double(window.lastc1),
                                   double(window.lastr3), double(window.lastc3),
                                   double(window.Policy), double(window.iter),
                                   window.NewColor,       window.inc};
    };
    const std::vector<double> before = steering();
    window.mnuUndo_Click();
    EXPECT_EQ(steering(), before);
    EXPECT_EQ(window.MSFlexXImpact().text(2, 3), "%   ");
    clickTrend(2, 3);  // still the selected cell: this click steps it
    EXPECT_EQ(window.MSFlexXImpact().text(2, 3), "0.5");
}

TEST_F(Undo, ANewStepDropsTheRedoStepsAndTheOldestStepsGoBeyondTheCapacity) {
    clickTrend(1, 1), clickTrend(1, 1), clickTrend(1, 1);
    window.mnuUndo_Click();
    clickTrend(1, 1, 2);
    EXPECT_FALSE(window.history().canRedo());
    EXPECT_EQ(window.MSFlexXImpact().text(1, 1), "0");

    const std::size_t steps = EditHistory::kCapacity + 5;
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < steps; ++i) {
        texts.push_back(window.MSFlexXImpact().text(1, 1));
        clickTrend(1, 1);
    }
    EXPECT_EQ(window.history().undoCount(), EditHistory::kCapacity);
    while (window.history().canUndo()) {
        window.mnuUndo_Click();
    }
    EXPECT_EQ(window.MSFlexXImpact().text(1, 1), texts[steps - EditHistory::kCapacity]);
}

TEST_F(Undo, AChangeThatFailsIsRolledBackAndMakesNoStep) {
    const std::vector<std::string> before = scenarioOf(window);
    const unsigned long revision = window.MSFlexXImpact().revision();
    EXPECT_THROW(window.recordStep("Broken",
                                   [&] {
                                       window.MSFlexXImpact().setText(1, 1, "9");
                                       window.MSFlexTotals().setColumns(3);
                                       throw std::runtime_error("out of memory");
                                   }),
                 std::runtime_error);
    EXPECT_EQ(scenarioOf(window), before);
    EXPECT_GT(window.MSFlexXImpact().revision(), revision);  // a view redraws the table
    EXPECT_FALSE(window.history().canUndo());
}

}  // namespace
}  // namespace vorn::testing
