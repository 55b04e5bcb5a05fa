// Counter-based draws: every fluctuation a function of (seed, run, step, item), so that a
// projection can be repeated with the same fluctuations and a change moves only what it
// reaches.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

#include "projection/projection.h"
#include "projection/uncertainty_bands.h"
#include "support/projection_input.h"

namespace vorn {
namespace {

using testing::quietInput;
using testing::trendEntry;

ProjectionNumbers held(const ProjectionInput& input, std::uint64_t seed, int firstRun = 0) {
    RandomSource random = RandomSource::counterBased(seed);
    return projectNumbers(input, random, firstRun);
}

// Four items, each with its own uncertainty: 1 feeds 2, 2 feeds 3 with a lag, 4 stands alone;
// the Policy Matrix lets 1 feed 3 as well.
ProjectionInput chainOfFour() {
    ProjectionInput input = quietInput(4, 2);
    trendEntry(input, 1, 1) = 1;
    trendEntry(input, 1, 2) = 2;
    trendEntry(input, 2, 3) = -1.5;
    trendEntry(input, 4, 4) = 0.5;
    input.policy[static_cast<std::size_t>(0 * 4 + 2)] = 3;
    input.uncertainty = {2, 1, 3, 4};
    input.lag = {0, 1, 5, 2};
    input.uncertaintyLevel = 2;
    return input;
}

void expectSameItem(const ProjectionNumbers& a, const ProjectionNumbers& b, int item) {
    for (int p = 0; p < kPoints; ++p) {
        EXPECT_EQ(a.level(item, p), b.level(item, p)) << "item " << item + 1 << ", point " << p;
    }
}

bool itemDiffers(const ProjectionNumbers& a, const ProjectionNumbers& b, int item) {
    for (int p = 0; p < kPoints; ++p) {
        if (a.level(item, p) != b.level(item, p)) {
            return true;
        }
    }
    return false;
}

TEST(CounterDraws, AreAFunctionOfSeedRunStepAndItemAlone) {
    EXPECT_EQ(RandomSource::counterDraw(7, 3, 12, 5), RandomSource::counterDraw(7, 3, 12, 5));
    std::set<float> neighbours;
    for (int change = 0; change < 5; ++change) {
        neighbours.insert(RandomSource::counterDraw(7 + (change == 1), 3 + (change == 2),
                                                    12 + (change == 3), 5 + (change == 4)));
    }
    EXPECT_EQ(neighbours.size(), 5u) << "seed, run, step and item each change the draw";

    RandomSource source = RandomSource::counterBased(7);
    std::vector<float> step(6);
    source.startRun(3);
    source.fillStep(12, step.data(), step.size());
    EXPECT_EQ(step[5], RandomSource::counterDraw(7, 3, 12, 5));
    source.startRun(0);  // another run in between changes nothing of run 3
    source.startRun(3);
    std::vector<float> again(2);
    source.fillStep(12, again.data(), again.size());
    EXPECT_EQ(again[1], step[1]);
}

// 200,000 draws: uniform on [0, 1), each tenth of the range holding its share.
TEST(CounterDraws, AreUniformOnTheUnitInterval) {
    std::vector<int> tenths(10);
    double sum = 0;
    int count = 0;
    for (int run = 0; run < 500; ++run) {
        for (int step = 1; step <= 20; ++step) {
            for (int item = 0; item < 20; ++item) {
                const float r = RandomSource::counterDraw(2024, run, step, item);
                ASSERT_GE(r, 0.0f);
                ASSERT_LT(r, 1.0f);
                ++tenths[static_cast<std::size_t>(r * 10)];
                sum += r;
                ++count;
            }
        }
    }
    EXPECT_NEAR(sum / count, 0.5, 0.003);
    for (int share : tenths) {
        EXPECT_NEAR(share, count / 10, count / 100);
    }
}

TEST(HeldDraws, AnUnchangedScenarioRecalculatesToTheSameLevels) {
    ProjectionInput input = chainOfFour();
    input.runs = 20;
    const ProjectionNumbers first = held(input, 99);
    const ProjectionNumbers again = held(input, 99);
    EXPECT_EQ(first.levels, again.levels);
    EXPECT_EQ(first.trackedLevels, again.trackedLevels);
    EXPECT_EQ(first.contributions, again.contributions);
    EXPECT_NE(held(input, 100).levels, first.levels) << "another seed, other fluctuations";
}

// With the same draws a change moves only the items its effect reaches, through lags and
// the policies; the others keep their levels exactly.
TEST(HeldDraws, AChangedCellMovesOnlyTheItemsItReaches) {
    for (const bool policies : {false, true}) {
        ProjectionInput input = chainOfFour();
        input.policyOn = policies;
        const ProjectionNumbers before = held(input, 5);

        ProjectionInput changed = input;
        trendEntry(changed, 2, 3) += 0.5;  // 2 feeds 3 more: only 3 moves
        const ProjectionNumbers third = held(changed, 5);
        for (int item : {0, 1, 3}) {
            expectSameItem(before, third, item);
        }
        EXPECT_TRUE(itemDiffers(before, third, 2));

        changed = input;
        trendEntry(changed, 1, 1) += 0.5;  // 1 grows faster: 2 and 3 follow, 4 does not
        const ProjectionNumbers chain = held(changed, 5);
        for (int item : {0, 1, 2}) {
            EXPECT_TRUE(itemDiffers(before, chain, item)) << "item " << item + 1;
        }
        expectSameItem(before, chain, 3);

        changed = input;
        changed.policy[static_cast<std::size_t>(3 * 4 + 3)] = 2;  // a policy for item 4 alone
        const ProjectionNumbers policy = held(changed, 5);
        for (int item : {0, 1, 2}) {
            expectSameItem(before, policy, item);
        }
        EXPECT_EQ(itemDiffers(before, policy, 3), policies) << "policies " << policies;
    }
}

TEST(HeldDraws, TheUncertaintyLevelScalesTheSameFluctuations) {
    ProjectionInput input = quietInput(1, 0);  // no contributions: only the fluctuation moves
    input.uncertainty = {2};
    input.uncertaintyLevel = 1;
    const double once = held(input, 8).level(0, 1) - 1;
    input.uncertaintyLevel = 3;
    EXPECT_NEAR(held(input, 8).level(0, 1) - 1, 3 * once, 1e-15);
}

// An item added at the end draws its own fluctuations; the others keep theirs, so while it
// feeds none of them their levels stay exactly as they were.
TEST(HeldDraws, AddingAnItemKeepsTheOtherItemsDraws) {
    const ProjectionInput four = chainOfFour();
    ProjectionInput five = quietInput(5, 2);
    for (int r = 1; r <= 4; ++r) {
        for (int c = 1; c <= 4; ++c) {
            trendEntry(five, r, c) = four.trend[static_cast<std::size_t>((r - 1) * 4 + c - 1)];
        }
    }
    trendEntry(five, 1, 5) = 4;  // fed by item 1, feeding none
    five.uncertainty = {2, 1, 3, 4, 6};
    five.lag = {0, 1, 5, 2, 1};
    five.uncertaintyLevel = four.uncertaintyLevel;
    five.runs = 3;
    ProjectionInput fourRuns = four;
    fourRuns.runs = 3;
    const ProjectionNumbers before = held(fourRuns, 31);
    const ProjectionNumbers after = held(five, 31);
    for (int item = 0; item < 4; ++item) {
        expectSameItem(before, after, item);
    }
    EXPECT_EQ(before.trackedLevels, after.trackedLevels);
}

// Run k draws the same whether it is asked for alone, as the last of twenty or by a second
// thread of the bands.
TEST(HeldDraws, EveryRunKeepsItsDrawsWhateverTheRunsAroundIt) {
    ProjectionInput input = chainOfFour();
    input.runs = 20;
    const ProjectionNumbers twenty = held(input, 12);
    input.runs = 1;
    const ProjectionNumbers first = held(input, 12);
    const ProjectionNumbers last = held(input, 12, 19);
    EXPECT_EQ(first.trackedLevels, std::vector<double>(twenty.trackedLevels.begin(),
                                                       twenty.trackedLevels.begin() + kPoints));
    EXPECT_EQ(last.levels, twenty.levels) << "the levels are the last run's";

    input.runs = kBandRuns;  // one thread, one piece
    RandomSource bandSource = RandomSource::counterBased(12);
    const ProjectionNumbers all = held(input, 12);
    const UncertaintyBands bands = computeBands(input, kBandRuns, bandSource);
    EXPECT_EQ(bands.percent.bands, percentileBands(all.trackedLevels, kBandRuns, kPoints).bands);
}

}  // namespace
}  // namespace vorn
