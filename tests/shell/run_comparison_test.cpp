// Comparing runs in the window: held draws, a reference run and the projection without the
// policies, worked through the window's own handlers.
#include "shell/run_comparison.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "editing/screen_reader.h"
#include "projection/uncertainty_bands.h"
#include "support/started_window.h"
#include "support/temp_folder.h"

namespace vorn {
namespace {

// Example1 (eight items, every one uncertain) at the start-up sliders.
class ComparedWindow : public testing::StartedWindow {
  protected:
    ComparedWindow() { openExample("Example1.txt"); }

    std::vector<double> recalculatedLevels() {
        window.YearbyYear(window.cats);
        return window.lastProjection().levels;
    }
    const RunComparison& comparison() const { return window.comparison(); }
    std::vector<std::string> names() const { return window.lastInput().names; }
    /// Steps Trend Matrix cell (row, column) once: a click to select it, a second to step it.
    void stepTrend(int row, int column) {
        clickTrend(row, column);
        clickTrend(row, column);
    }
    void stepPolicy(int row, int column) {
        clickPolicy(row, column);
        clickPolicy(row, column);
    }
};

TEST_F(ComparedWindow, HeldDrawsRepeatTheLevelsUntilLetGo) {
    const std::vector<double> unheld = recalculatedLevels();
    EXPECT_NE(recalculatedLevels(), unheld) << "by default every recalculation draws anew";
    EXPECT_EQ(comparison().holdMenuText(), "Hold Random Draws");

    window.mnuHoldRandomDraws_Click();
    ASSERT_TRUE(comparison().heldSeed().has_value());
    const std::uint64_t seed = *comparison().heldSeed();
    EXPECT_GT(seed, 0u);
    EXPECT_LT(seed, kHeldSeedLimit);
    EXPECT_EQ(comparison().holdMenuText(), "Hold Random Draws (Seed " + std::to_string(seed) + ")");
    EXPECT_NE(comparison().holdToolTip().find("vorn-run --seed " + std::to_string(seed)),
              std::string::npos);
    const std::vector<double> held = window.lastProjection().levels;
    EXPECT_EQ(recalculatedLevels(), held);
    clickTrend(3, 4);  // a mere selection recalculates to the same curves
    EXPECT_EQ(window.lastProjection().levels, held);

    window.mnuHoldRandomDraws_Click();
    EXPECT_FALSE(comparison().held());
    EXPECT_EQ(comparison().holdMenuText(), "Hold Random Draws");
    EXPECT_NE(window.lastProjection().levels, held);
    window.mnuHoldRandomDraws_Click();  // held again: the same draws as before
    EXPECT_EQ(comparison().heldSeed(), seed);
    EXPECT_EQ(window.lastProjection().levels, held);

    window.mnuNewRandomDraws_Click();
    EXPECT_NE(comparison().heldSeed(), seed);
    const std::vector<double> renewed = window.lastProjection().levels;
    EXPECT_NE(renewed, held);
    EXPECT_EQ(recalculatedLevels(), renewed);
}

// New draws hold at once, from the unheld state too; a change moves only what it reaches.
TEST_F(ComparedWindow, NewDrawsHoldAndAChangeMovesOnlyTheItemsItReaches) {
    window.mnuNewRandomDraws_Click();
    EXPECT_TRUE(comparison().held());
    for (int column = 1; column <= 7; ++column) {
        window.MSFlexXImpact().setText(8, column, "0");  // Education feeds no other item
    }
    clickTrend(8, 8);  // selects Education's own growth
    const ProjectionNumbers before = window.lastProjection();
    clickTrend(8, 8);  // and steps it
    const ProjectionNumbers after = window.lastProjection();
    for (int item = 0; item < 7; ++item) {
        for (int p = 0; p < kPoints; ++p) {
            ASSERT_EQ(before.level(item, p), after.level(item, p)) << "item " << item + 1;
        }
    }
    EXPECT_NE(before.level(7, 20), after.level(7, 20));
}

TEST_F(ComparedWindow, TwentyRunsAndTheBandsHoldTheirDrawsToo) {
    window.mnuHoldRandomDraws_Click();
    window.lastc2 = 3;
    window.iter = 20;
    window.YearbyYear(window.cats);
    const std::vector<double> runs = window.lastProjection().trackedLevels;
    window.mnuUncertaintyBands_Click();
    const UncertaintyBands bands = window.analyses().bands();
    window.YearbyYear(window.cats);
    EXPECT_EQ(window.lastProjection().trackedLevels, runs);
    EXPECT_EQ(window.analyses().bands().percent.bands, bands.percent.bands);

    // The bands' first twenty runs are the window's twenty: the same draws by run number.
    ProjectionInput input = window.lastInput();
    input.runs = kBandRuns;
    RandomSource draws = RandomSource::counterBased(*comparison().heldSeed());
    const ProjectionNumbers all = projectNumbers(input, draws);
    EXPECT_TRUE(std::equal(runs.begin(), runs.end(), all.trackedLevels.begin()));
    EXPECT_EQ(bands.percent.bands, percentileBands(all.trackedLevels, kBandRuns, kPoints).bands);
}

TEST_F(ComparedWindow, AReferenceKeepsTheLevelsNamesYearsPolicyStateAndFileName) {
    const ProjectionNumbers kept = window.lastProjection();
    window.mnuSetReference_Click();
    ASSERT_TRUE(comparison().reference().has_value());
    const ReferenceRun& reference = *comparison().reference();
    EXPECT_EQ(reference.label, "Example1.txt");
    EXPECT_FALSE(reference.policies);
    EXPECT_EQ(reference.levels.names, names());
    EXPECT_EQ(reference.levels.years, kept.years);
    EXPECT_EQ(reference.levels.values, kept.levels);

    const std::vector<ComparisonLines> lines = window.comparisonLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].name, "Reference: Example1.txt");
    EXPECT_EQ(lines[0].lines.size(), 8u);
    EXPECT_EQ(lines[0].lines[2].row, 3);
    EXPECT_EQ(*lines[0].lines[2].valueAt(20), kept.level(2, 20));

    stepPolicy(1, 3);  // a change with the policies: the new reference says so
    window.mnuSetReference_Click();
    EXPECT_EQ(comparison().reference()->label, "Reference");  // no longer the file's scenario
    EXPECT_TRUE(comparison().reference()->policies);
    EXPECT_EQ(window.comparisonLines()[0].name, "Reference, with Policies");
    window.mnuClearReference_Click();
    EXPECT_FALSE(comparison().reference().has_value());
    EXPECT_TRUE(window.comparisonLines().empty());
}

TEST(ReferenceLabel, IsTheFileNameOnlyWhileTheScenarioIsTheFiles) {
    EXPECT_EQ(RunComparison::referenceLabel("Initial Scenario /home/a/Example1.txt", false),
              "Example1.txt");
    EXPECT_EQ(RunComparison::referenceLabel("Saved Scenario Revised.txt", false), "Revised.txt");
    EXPECT_EQ(RunComparison::referenceLabel("Saved Scenario /home/a/Revised.txt", true),
              "Reference");
    EXPECT_EQ(RunComparison::referenceLabel("Input File", false), "Reference");
    EXPECT_EQ(RunComparison::referenceLabel("Initial Scenario ", false), "Reference");
}

// The reference is the window's, not the scenario's: Clear, Open and Undo keep it, the saved
// file knows nothing of it, and only the items of the same name are compared.
TEST_F(ComparedWindow, AReferenceSurvivesClearOpenAndUndoAndIsNeverSaved) {
    window.mnuSetReference_Click();
    const NamedLevels kept = comparison().reference()->levels;

    window.mnuClear_Click();
    ASSERT_TRUE(comparison().reference().has_value());
    std::vector<ComparisonLines> lines = window.comparisonLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0].lines.empty()) << "the blank items match no name";
    EXPECT_EQ(lines[0].leftOut.size(), 16u);
    EXPECT_NE(lines[0].name.find("(not matched: Item  1, "), std::string::npos) << lines[0].name;

    window.mnuUndo_Click();
    EXPECT_EQ(window.comparisonLines()[0].lines.size(), 8u);
    openExample("PredatorPrey.txt");
    EXPECT_EQ(comparison().reference()->levels.values, kept.values);

    openExample("Example1.txt");
    window.MSFlexXImpact().setText(0, 2, "Meals");  // renamed: Food has no line, Meals neither
    window.MSFlexXImpact().setText(2, 0, "Meals");
    window.YearbyYear(window.cats);
    lines = window.comparisonLines();
    EXPECT_EQ(lines[0].lines.size(), 7u);
    EXPECT_EQ(lines[0].lines[1].row, 3);
    EXPECT_EQ(lines[0].leftOut, (std::vector<std::string>{"Meals", "Food"}));

    testing::TempFolder folder;
    platform.saveAnswers = {folder.path("saved.txt")};
    ASSERT_TRUE(mnusave_Click(window));
    std::ostringstream saved;
    saved << std::ifstream(folder.path("saved.txt")).rdbuf();
    EXPECT_EQ(saved.str().find("Reference"), std::string::npos);
    EXPECT_EQ(saved.str().find("Seed"), std::string::npos);
    EXPECT_TRUE(comparison().reference().has_value());
}

TEST_F(ComparedWindow, HoveringAndScreenReadersTellTheReferenceAndTheDifference) {
    window.mnuHoldRandomDraws_Click();
    window.mnuSetReference_Click();
    stepTrend(1, 2);  // Population feeds Food more
    const std::vector<ComparisonLines> lines = window.comparisonLines();
    const double live = window.lastProjection().level(1, 20);
    const double kept = *lines[0].lines[1].valueAt(20);
    ASSERT_NE(live, kept);
    EXPECT_EQ(comparisonHoverLines(lines, 2, 20, live),
              (std::vector<std::string>{"Reference: " + chartNumberText(kept) + ", difference " +
                                        differenceText(live - kept)}));

    const std::string description = chartDescription(window, Control::mscTrends);
    EXPECT_NE(description.find("Behind the lines, long dashes: Reference: Example1.txt, for 8 "
                               "items. Largest difference in 2040: "),
              std::string::npos)
        << description;
    const TextTable data = chartData(window, Control::mscTrends);
    ASSERT_EQ(data.rowHeaders.size(), 16u);
    EXPECT_EQ(data.rowHeaders[9], "Food (Reference)");
    EXPECT_EQ(data.cells[9].back(), chartNumberText(kept));
}

// While the policies apply, the projection without them draws the same fluctuations, also
// while the draws are not held: with a Policy Matrix of zeros it lies exactly under the
// live lines.
TEST_F(ComparedWindow, WithoutPoliciesDrawsTheSameFluctuations) {
    window.mnuTrendsWithoutPolicies_Click();
    EXPECT_TRUE(comparison().withoutPoliciesShown());
    EXPECT_FALSE(comparison().withoutPolicies().has_value()) << "the policies do not apply";
    EXPECT_TRUE(window.comparisonLines().empty());

    CellTable& policy = window.MSFlexPolicy();
    const std::string energyToPollution = policy.text(4, 5);
    for (int row = 1; row <= 8; ++row) {
        for (int column = 1; column <= 8; ++column) {
            policy.setText(row, column, "0");
        }
    }
    clickPolicy(4, 5);
    ASSERT_TRUE(comparison().withoutPolicies().has_value());
    EXPECT_EQ(comparison().withoutPolicies()->values, window.lastProjection().levels);
    window.iter = 20;  // the levels are the last run's: so is the projection without policies
    window.YearbyYear(window.cats);
    EXPECT_EQ(comparison().withoutPolicies()->values, window.lastProjection().levels);
    window.iter = 1;
    const std::vector<ComparisonLines> lines = window.comparisonLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].kind, ComparisonKind::WithoutPolicies);
    EXPECT_EQ(lines[0].name, "Without Policies");
    EXPECT_EQ(lines[0].lines.size(), 8u);

    policy.setText(4, 5, energyToPollution);
    window.YearbyYear(window.cats);
    EXPECT_NE(comparison().withoutPolicies()->values, window.lastProjection().levels);

    // Held, it is the projection with the policy switch off at the same seed.
    window.mnuHoldRandomDraws_Click();
    ProjectionInput off = window.lastInput();
    off.policyOn = false;
    RandomSource draws = RandomSource::counterBased(*comparison().heldSeed());
    EXPECT_EQ(comparison().withoutPolicies()->values, projectNumbers(off, draws).levels);

    clickTrend(2, 2);  // the Trend Matrix: the policies no longer apply
    EXPECT_FALSE(comparison().withoutPolicies().has_value());
    window.mnuTrendsWithoutPolicies_Click();
    EXPECT_FALSE(comparison().withoutPoliciesShown());
}

}  // namespace
}  // namespace vorn
