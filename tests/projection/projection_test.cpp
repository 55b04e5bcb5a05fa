#include "projection/projection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

#include "support/projection_input.h"

namespace vorn {
namespace {

constexpr double kTolerance = 1e-12;

using testing::quietInput;
using testing::trendEntry;

ProjectionNumbers run(const ProjectionInput& input) {
    RandomSource random(42);
    return projectNumbers(input, random);
}

TEST(Projection, AllZeroKeepsEveryLevelAtOne) {
    ProjectionInput input = quietInput(3, 2);
    ProjectionNumbers out = run(input);
    for (int i = 0; i < 3; ++i) {
        for (int p = 0; p < kPoints; ++p) {
            EXPECT_EQ(out.level(i, p), 1.0);
        }
        EXPECT_EQ(out.netGrowth[static_cast<std::size_t>(i)], 0.0);
    }
    for (double contribution : out.contributions) {
        EXPECT_EQ(contribution, 0.0);
    }
}

TEST(Projection, LagOfOneStepGrowsByFivePercentAStep) {
    ProjectionInput input = quietInput(1);
    trendEntry(input, 1, 1) = 5;
    input.lag[0] = 1;
    ProjectionNumbers out = run(input);
    for (int p = 1; p < kPoints; ++p) {
        EXPECT_NEAR(out.level(0, p), std::pow(1.05, p), 1e-9) << "step " << p;
    }
}

// Item 1 with lag 0 reads its own level extrapolated to the end of the step (2 x 1.05 - 1 =
// 1.1 in step 2); item 2, lag 2, reads item 1 two years earlier (1, 1, then 1.05).
TEST(Projection, ReceivingItemsLagReadsTheContributorEarlier) {
    ProjectionInput input = quietInput(2);
    trendEntry(input, 1, 1) = 5;
    trendEntry(input, 1, 2) = 10;
    input.lag = {0, 2};
    ProjectionNumbers lagged = run(input);
    EXPECT_NEAR(lagged.level(0, 1), 1.05, kTolerance);
    EXPECT_NEAR(lagged.level(0, 2), 1.105, kTolerance);
    EXPECT_NEAR(lagged.level(0, 3), 1.163, kTolerance);
    EXPECT_NEAR(lagged.level(1, 1), 1.1, kTolerance);
    EXPECT_NEAR(lagged.level(1, 2), 1.2, kTolerance);
    EXPECT_NEAR(lagged.level(1, 3), 1.305, kTolerance);
    EXPECT_EQ(lagged.netGrowth, (std::vector<double>{5, 10}));

    input.lag = {0, 0};
    ProjectionNumbers prompt = run(input);
    EXPECT_NEAR(prompt.level(1, 1), 1.1, kTolerance);
    EXPECT_NEAR(prompt.level(1, 2), 1.21, kTolerance);
    EXPECT_NEAR(prompt.level(1, 3), 1.326, kTolerance);
}

TEST(Projection, BackcastIsShownFromTheHorizonYearToTwoThousand) {
    ProjectionInput input = quietInput(1, -1);
    trendEntry(input, 1, 1) = 5;
    input.runs = 20;
    RandomSource random(1);
    const ProjectionResult result = project(input, random);
    const ProjectionNumbers& out = result.numbers;
    EXPECT_EQ(out.level(0, 20), 1.0);
    EXPECT_NEAR(out.level(0, 19), 0.95, kTolerance);
    EXPECT_LT(out.level(0, 0), out.level(0, 1));
    for (const ChartTable* table : {&result.levelTable, &result.spreadTable}) {
        EXPECT_EQ(table->text(0, 0), " 1980");
        EXPECT_EQ(table->text(0, 20), " 2000");
        EXPECT_EQ(*table->number(1, 0), out.level(0, 0)) << "the spread follows the same order";
    }
}

// A backcast reads the contributor's level Lag(i) years before the end of the step, on the
// line through its last two levels: A(t-1) + (A(t-1) - A(t-2)) x (h + Lag(i)) / h. Here
// h = -4; item 1 feeds itself (T = 5, Lag(1) = 1, weight (-4 + 1) / -4 = 0.75) and item 2
// (T = 10, Lag(2) = 2, weight (-4 + 2) / -4 = 0.5); a step adds T / 100 x lagged x h.
//   step 1, no change yet:    A1 = 1 - 0.2 x 1 = 0.8             A2 = 1 - 0.4 x 1 = 0.6
//   step 2, A1 moved -0.2:    lagged 0.8 - 0.2 x 0.75 = 0.65     0.8 - 0.2 x 0.5 = 0.7
//                             A1 = 0.8 - 0.2 x 0.65 = 0.67       A2 = 0.6 - 0.4 x 0.7 = 0.32
//   step 3, A1 moved -0.13:   lagged 0.67 - 0.13 x 0.75 = 0.5725 0.67 - 0.13 x 0.5 = 0.605
//                             A1 = 0.67 - 0.2 x 0.5725 = 0.5555  A2 = 0.32 - 0.4 x 0.605 = 0.078
// The chart shows a backcast from the horizon year, so step t stands at point 20 - t.
TEST(Projection, BackcastLagsReadTheContributorOnTheLineThroughItsLastTwoLevels) {
    ProjectionInput input = quietInput(2, -4);
    trendEntry(input, 1, 1) = 5;
    trendEntry(input, 1, 2) = 10;
    input.lag = {1, 2};
    ProjectionNumbers out = run(input);
    const double expected[][2] = {{1, 1}, {0.8, 0.6}, {0.67, 0.32}, {0.5555, 0.078}};
    for (int t = 0; t < 4; ++t) {
        EXPECT_NEAR(out.level(0, 20 - t), expected[t][0], kTolerance) << "step " << t;
        EXPECT_NEAR(out.level(1, 20 - t), expected[t][1], kTolerance) << "step " << t;
    }
}

// With the lag equal to h the previous level is read: A(t) = A(t-1) x (1 - 0.5 x h). Only a
// level below 0 becomes 0.01 (h = 20: 1 - 10 = -9); exactly 0 stays 0 (h = 2).
TEST(Projection, OnlyLevelsBelowZeroBecomeOneHundredth) {
    for (const auto [horizon, level] : {std::pair{2, 0.0}, std::pair{20, 0.01}}) {
        ProjectionInput input = quietInput(1, horizon);
        trendEntry(input, 1, 1) = -50;
        input.lag[0] = horizon;
        ProjectionNumbers out = run(input);
        EXPECT_EQ(out.level(0, 1), level) << "h = " << horizon;
        EXPECT_EQ(out.level(0, 2), level) << "h = " << horizon << ": the next step starts there";
    }
}

TEST(Projection, HorizonZeroAddsNoContributions) {
    ProjectionInput input = quietInput(2, 0);
    trendEntry(input, 1, 2) = 50;
    ProjectionNumbers out = run(input);
    for (int p = 0; p < kPoints; ++p) {
        EXPECT_EQ(out.level(1, p), 1.0);
        EXPECT_EQ(out.years[static_cast<std::size_t>(p)], 2000);
    }
}

TEST(Projection, PoliciesAddOnlyGoingForwards) {
    ProjectionInput input = quietInput(1, 1);
    trendEntry(input, 1, 1) = 1.5;
    input.policy = {2};
    input.policyOn = true;
    ProjectionNumbers forward = run(input);
    EXPECT_EQ(forward.netGrowth[0], 3.5);
    EXPECT_NEAR(forward.level(0, 1), 1.035, kTolerance);
    EXPECT_NEAR(forward.contributions[0], 1.5 * forward.level(0, 19), 1e-9)
        << "contributions use the Trend Matrix alone";

    input.horizon = -1;
    ProjectionNumbers backward = run(input);
    EXPECT_EQ(backward.netGrowth[0], 1.5);
    EXPECT_NEAR(backward.level(0, 19), 0.985, kTolerance);
}

// The column sum rounded to hundredths as floor(100 x sum + 0.5) / 100: halves go up, below
// zero too (-0.125 shows -0.12 and -0.005 shows 0, where rounding away from zero would not).
TEST(Projection, NetGrowthRoundsToHundredthsHalvesUp) {
    const std::vector<std::vector<double>> columns = {
        {1.5, -0.25}, {1.234}, {1.234, 0.005}, {-0.125}, {-0.005}};
    ProjectionInput input = quietInput(5);
    for (int c = 1; c <= 5; ++c) {
        const std::vector<double>& entries = columns[static_cast<std::size_t>(c - 1)];
        for (int r = 1; r <= static_cast<int>(entries.size()); ++r) {
            trendEntry(input, r, c) = entries[static_cast<std::size_t>(r - 1)];
        }
    }
    EXPECT_EQ(computeNetGrowth(input), (std::vector<double>{1.25, 1.23, 1.24, -0.12, 0}));
}

// Contributions are T(i, j) x A(i, 19); the random part is E(i) x A(i, 19), E(i) being
// 2 U(i) (r - 0.5) s with r item i's draw in step 20. The source is reseeded for the run
// and then gives one value per item and step, in item order.
TEST(Projection, ContributionsOfTheLastStepAndTheirRandomPart) {
    ProjectionInput input = quietInput(2, 2);
    trendEntry(input, 1, 1) = 2;
    trendEntry(input, 1, 2) = 3;
    trendEntry(input, 2, 1) = -1;
    input.uncertainty = {4, 0};
    input.uncertaintyLevel = 3;
    ProjectionNumbers out = run(input);
    const double start1 = out.level(0, 19);
    const double start2 = out.level(1, 19);
    ASSERT_GT(start1, 1.5);
    EXPECT_NEAR(out.contributions[0], 2 * start1, 1e-12);
    EXPECT_NEAR(out.contributions[1], 3 * start1, 1e-12);
    EXPECT_NEAR(out.contributions[2], -1 * start2, 1e-12);
    EXPECT_EQ(out.contributions[3], 0.0);

    RandomSource replay(42);
    replay.reseed();
    for (int draw = 0; draw < 19 * 2; ++draw) {
        replay.next();
    }
    const double fluctuation = 2 * 4 * (replay.next() - 0.5) * 3;
    EXPECT_DOUBLE_EQ(out.contributions[4], fluctuation * start1);
    EXPECT_EQ(out.contributions[5], 0.0) << "an item without uncertainty has no random part";
}

TEST(Projection, NoItemsLeavesOnlyLabels) {
    ProjectionInput input = quietInput(0, 2);
    input.tracked = 3;
    RandomSource random(1);
    ProjectionResult result = project(input, random);
    EXPECT_EQ(result.numbers.tracked, 0);
    EXPECT_EQ(result.contribTable.rows(), 2);
    EXPECT_EQ(result.contribTable.columns(), 1);
    EXPECT_EQ(result.contribTable.text(1, 0), "Uncertainty");
    EXPECT_EQ(result.levelTable.text(0, 20), " 2040");
    for (int r = 1; r < kPoints; ++r) {
        for (int p = 0; p < kPoints; ++p) {
            EXPECT_TRUE(result.levelTable.isEmpty(r, p));
            EXPECT_TRUE(result.spreadTable.isEmpty(r, p));
        }
    }
}

TEST(ProjectionTables, TwentyItemsFillEveryLevelRow) {
    ProjectionInput input = quietInput(20, 3);
    RandomSource random(1);
    ProjectionResult result = project(input, random);
    EXPECT_EQ(result.levelTable.rows(), 21);
    for (int r = 1; r <= 20; ++r) {
        ASSERT_NE(result.levelTable.number(r, 20), nullptr);
    }
    EXPECT_EQ(result.contribTable.rows(), 22);
    EXPECT_EQ(result.contribTable.text(21, 0), "Uncertainty");
    EXPECT_EQ(result.contribTable.text(0, 20), "Item  20");
    EXPECT_EQ(result.contribTable.text(20, 0), "Item  20");
    EXPECT_TRUE(result.contribTable.isEmpty(0, 0));
}

TEST(ProjectionTables, FewerItemsLeaveTheOtherRowsEmpty) {
    ProjectionInput input = quietInput(3, 2);
    RandomSource random(1);
    ProjectionResult result = project(input, random);
    EXPECT_NE(result.levelTable.number(3, 0), nullptr);
    EXPECT_TRUE(result.levelTable.isEmpty(4, 0));
    EXPECT_EQ(result.levelTable.text(0, 0), " 2000");
    EXPECT_EQ(result.spreadTable.text(0, 20), " 2040");
    EXPECT_NE(result.spreadTable.number(1, 0), nullptr);
    EXPECT_TRUE(result.spreadTable.isEmpty(2, 0)) << "one run fills one spread row";
}

TEST(Captions, CarryDirectionYearAndPolicies) {
    ProjectionInput input = quietInput(1, 2);
    input.policyOn = true;
    RandomSource random(1);
    ProjectionResult forward = project(input, random);
    EXPECT_EQ(forward.trendsCaption, "Scenario Trends- Forecast to  2040 (with Policies)");
    EXPECT_EQ(forward.contributionsCaption, "Contributions to Change in  2040");

    input.horizon = 0;
    ProjectionResult still = project(input, random);
    EXPECT_EQ(still.trendsCaption, "Scenario Trends- Forecast to  2000");

    input.horizon = -3;
    ProjectionResult backward = project(input, random);
    EXPECT_EQ(backward.trendsCaption, "Scenario Trends- Backcast to  1940");
    EXPECT_EQ(backward.contributionsCaption, "Contributions to Change in  1940");
}

// --- Uncertainty runs -----------------------------------------------------------------------

ProjectionInput uncertainPair() {
    ProjectionInput input = quietInput(2, 2);
    trendEntry(input, 1, 1) = 1;
    trendEntry(input, 1, 2) = 2;
    input.uncertainty = {5, 0};
    input.uncertaintyLevel = 3;
    input.runs = 20;
    return input;
}

TEST(UncertaintyRuns, WithoutFluctuationAllRunsAreEqual) {
    ProjectionInput input = uncertainPair();
    input.uncertaintyLevel = 0;
    ProjectionNumbers out = run(input);
    for (int runIndex = 1; runIndex < 20; ++runIndex) {
        for (int p = 0; p < kPoints; ++p) {
            EXPECT_EQ(out.trackedLevels[static_cast<std::size_t>(runIndex * kPoints + p)],
                      out.trackedLevels[static_cast<std::size_t>(p)]);
        }
    }
    EXPECT_EQ(out.contributions[4], 0.0);
}

TEST(UncertaintyRuns, TwentyRunsFillTwentyDifferentRows) {
    ProjectionInput input = uncertainPair();
    input.tracked = 2;  // no own uncertainty: it varies through item 1
    RandomSource random(7);
    ProjectionResult result = project(input, random);
    std::set<double> finals;
    for (int r = 1; r <= 20; ++r) {
        ASSERT_NE(result.spreadTable.number(r, 20), nullptr) << "row " << r;
        finals.insert(*result.spreadTable.number(r, 20));
    }
    EXPECT_EQ(finals.size(), 20u);
}

TEST(UncertaintyRuns, FluctuationsStayWithinUncertaintyTimesLevel) {
    ProjectionInput input = quietInput(1, 1);
    input.uncertainty = {2};
    input.uncertaintyLevel = 5;  // up to 10 percent a step
    input.runs = 200;
    ProjectionNumbers out = run(input);
    double lowest = 1, highest = 1;
    for (int runIndex = 0; runIndex < input.runs; ++runIndex) {
        const double first = out.trackedLevels[static_cast<std::size_t>(runIndex * kPoints + 1)];
        EXPECT_GE(first, 0.9);
        EXPECT_LT(first, 1.1);
        lowest = std::min(lowest, first);
        highest = std::max(highest, first);
    }
    EXPECT_LT(lowest, 0.95) << "draws cover the whole range";
    EXPECT_GT(highest, 1.05);
}

TEST(UncertaintyRuns, NegativeUncertaintyMirrorsThePositiveOne) {
    ProjectionInput input = quietInput(1, 1);
    input.uncertainty = {2};
    input.uncertaintyLevel = 5;
    const double up = run(input).level(0, 1);
    input.uncertainty = {-2};
    const double down = run(input).level(0, 1);
    EXPECT_NE(up, 1.0);
    EXPECT_NEAR(up + down, 2.0, 1e-12) << "the same draw moves the level the other way";
}

TEST(UncertaintyRuns, SeededSourcesRepeatAndClockSourcesDiffer) {
    ProjectionInput input = uncertainPair();
    EXPECT_EQ(run(input).trackedLevels, run(input).trackedLevels);
    RandomSource clockA;
    RandomSource clockB;
    EXPECT_NE(projectNumbers(input, clockA).trackedLevels,
              projectNumbers(input, clockB).trackedLevels);
}

TEST(TrackedItem, FallsBackToItemOneWhenNoneOrAStaleColumnIsSelected) {
    ProjectionInput input = uncertainPair();
    input.runs = 1;
    for (int stale : {0, -1, 3, 99}) {
        input.tracked = stale;
        RandomSource random(3);
        ProjectionResult result = project(input, random);
        EXPECT_EQ(result.numbers.tracked, 1);
        ASSERT_NE(result.spreadTable.number(1, 5), nullptr);
        EXPECT_EQ(*result.spreadTable.number(1, 5), *result.levelTable.number(1, 5));
    }
}

}  // namespace
}  // namespace vorn
