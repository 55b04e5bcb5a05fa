#include "vorn_run/percentile_bands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace vorn::batch {
namespace {

constexpr double kTolerance = 1e-12;

struct PercentileCase {
    const char* name;
    std::vector<double> sorted;
    double percent;
    double expected;
};

class PercentileOfSorted : public ::testing::TestWithParam<PercentileCase> {};

TEST_P(PercentileOfSorted, InterpolatesBetweenClosestRanks) {
    const PercentileCase& c = GetParam();
    const double value = percentileOfSorted(c.sorted, c.percent);
    if (std::isinf(c.expected)) {
        EXPECT_EQ(value, c.expected);
    } else {
        EXPECT_NEAR(value, c.expected, kTolerance);
    }
}

const PercentileCase kPercentiles[] = {
    {"OneValueIsEveryPercentile", {3.5}, 5, 3.5},
    {"OneValueAtTheTop", {3.5}, 95, 3.5},
    {"MedianOfOdd", {1, 2, 10}, 50, 2},
    {"MedianOfEven", {1, 2, 3, 10}, 50, 2.5},
    {"LowestAtZero", {1, 2, 3, 10}, 0, 1},
    {"HighestAtHundred", {1, 2, 3, 10}, 100, 10},
    {"FifthOfFive", {10, 20, 30, 40, 50}, 5, 12},         // rank 0.2
    {"QuarterOfFive", {10, 20, 30, 40, 50}, 25, 20},      // rank 1 exactly
    {"NinetyFifthOfFive", {10, 20, 30, 40, 50}, 95, 48},  // rank 3.8
    {"FifthOfTwo", {1, 2}, 5, 1.05},
    {"EqualInfinities",
     {1, std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity()},
     75,
     std::numeric_limits<double>::infinity()},
};

INSTANTIATE_TEST_SUITE_P(Cases, PercentileOfSorted, ::testing::ValuesIn(kPercentiles),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PercentileBands, OneRunGivesThatRunInEveryBand) {
    const std::vector<double> run = {1, 1.5, 0.5, 2};
    const PercentileBands bands = percentileBands(run, 1, 4);
    for (const std::vector<double>& band : bands.bands) {
        EXPECT_EQ(band, run);
    }
}

TEST(PercentileBands, WorkStepByStepOverUnsortedRuns) {
    // Three runs of two steps; the steps are independent columns.
    const std::vector<double> levels = {3, 10,  //
                                        1, 30,  //
                                        2, 20};
    const PercentileBands bands = percentileBands(levels, 3, 2);
    const std::vector<double>& median = bands.bands[2];
    ASSERT_EQ(median.size(), 2u);
    EXPECT_NEAR(median[0], 2, kTolerance);
    EXPECT_NEAR(median[1], 20, kTolerance);
    EXPECT_NEAR(bands.bands[0][0], 1.1, kTolerance);
    EXPECT_NEAR(bands.bands[4][1], 29, kTolerance);
}

TEST(PercentileBands, AreOrderedForRandomRuns) {
    std::mt19937 generator(11);
    std::lognormal_distribution<double> level(0, 0.5);
    const int runs = 137;
    const int points = 21;
    std::vector<double> levels(runs * points);
    for (double& value : levels) {
        value = level(generator);
    }
    const PercentileBands bands = percentileBands(levels, runs, points);
    for (int p = 0; p < points; ++p) {
        for (std::size_t b = 1; b < bands.bands.size(); ++b) {
            EXPECT_LE(bands.bands[b - 1][p], bands.bands[b][p]) << "point " << p;
        }
    }
}

TEST(PercentileBands, EqualTheDefinitionOnSortedRuns) {
    std::mt19937 generator(23);
    std::uniform_int_distribution<int> coarse(0, 9);  // many ties
    for (int runs : {1, 2, 3, 7, 20, 101, 1000}) {
        std::vector<double> levels(runs);
        for (double& value : levels) {
            value = coarse(generator) * 0.25;
        }
        const PercentileBands bands = percentileBands(levels, runs, 1);
        std::vector<double> sorted = levels;
        std::sort(sorted.begin(), sorted.end());
        for (std::size_t b = 0; b < kBandPercents.size(); ++b) {
            EXPECT_NEAR(bands.bands[b][0], percentileOfSorted(sorted, kBandPercents[b]), kTolerance)
                << runs << " runs, p" << kBandPercents[b];
        }
    }
}

TEST(PercentileBands, NotANumberSortsLast) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<double> levels = {nan, 1, 2, 3, 4};
    const PercentileBands bands = percentileBands(levels, 5, 1);
    EXPECT_NEAR(bands.bands[1][0], 2, kTolerance);  // rank 1 of 1, 2, 3, 4, NaN
    EXPECT_NEAR(bands.bands[2][0], 3, kTolerance);
    EXPECT_TRUE(std::isnan(bands.bands[4][0]));  // rank 3.8 touches NaN
}

TEST(PercentileBands, NoRunsGiveEmptyBands) {
    const PercentileBands bands = percentileBands({}, 0, 21);
    for (const std::vector<double>& band : bands.bands) {
        EXPECT_TRUE(band.empty());
    }
}

}  // namespace
}  // namespace vorn::batch
