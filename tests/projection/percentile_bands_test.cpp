#include "projection/percentile_bands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace vorn {
namespace {

constexpr double kTolerance = 1e-12;

TEST(PercentileOfSorted, InterpolatesBetweenClosestRanks) {
    const std::vector<double> five = {10, 20, 30, 40, 50};
    EXPECT_NEAR(percentileOfSorted({3.5}, 95), 3.5, kTolerance);
    EXPECT_NEAR(percentileOfSorted({1, 2, 3, 10}, 50), 2.5, kTolerance);
    EXPECT_NEAR(percentileOfSorted({1, 2, 3, 10}, 100), 10, kTolerance);
    EXPECT_NEAR(percentileOfSorted(five, 5), 12, kTolerance);   // rank 0.2
    EXPECT_NEAR(percentileOfSorted(five, 25), 20, kTolerance);  // rank 1 exactly
    EXPECT_NEAR(percentileOfSorted(five, 95), 48, kTolerance);  // rank 3.8
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(percentileOfSorted({1, inf, inf}, 75), inf);  // not inf - inf
}

TEST(PercentileBands, WorkStepByStepAndEqualTheDefinition) {
    // 3 runs of 2 steps, row-major: each step is a column of its own.
    EXPECT_EQ(percentileBands({3, 10, 1, 30, 2, 20}, 3, 2).bands[2], (std::vector<double>{2, 20}));
    std::mt19937 generator(23);
    std::uniform_int_distribution<int> coarse(0, 9);  // many ties
    for (int runs : {1, 2, 3, 7, 20, 101, 1000}) {
        std::vector<double> levels(runs);
        for (double& value : levels) {
            value = coarse(generator) * 0.25;
        }
        const PercentileBands bands = percentileBands(levels, runs, 1);
        std::sort(levels.begin(), levels.end());
        for (std::size_t b = 0; b < kBandPercents.size(); ++b) {
            EXPECT_NEAR(bands.bands[b][0], percentileOfSorted(levels, kBandPercents[b]), kTolerance)
                << runs << " runs, p" << kBandPercents[b];
        }
    }
}

TEST(PercentileBands, NotANumberSortsLastAndNoRunsGiveEmptyBands) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const PercentileBands bands = percentileBands({1, nan, 2, nan, 3, 4, 5}, 7, 1);
    EXPECT_NEAR(bands.bands[1][0], 2.5, kTolerance);  // rank 1.5 of 1, 2, 3, 4, 5, NaN, NaN
    EXPECT_NEAR(bands.bands[2][0], 4, kTolerance);
    EXPECT_TRUE(std::isnan(bands.bands[4][0]));
    EXPECT_TRUE(percentileBands({}, 0, 21).bands[2].empty());
}

}  // namespace
}  // namespace vorn
