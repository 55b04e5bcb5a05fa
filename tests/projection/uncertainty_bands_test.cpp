#include "projection/uncertainty_bands.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "support/projection_input.h"

namespace vorn {
namespace {

ProjectionInput oneItem(double trend, double uncertainty, int horizon) {
    ProjectionInput input = testing::quietInput(1, horizon);
    input.trend = {trend};
    input.uncertainty = {uncertainty};
    input.uncertaintyLevel = 1;
    input.runs = 20;  // the Spread chart's runs; the bands make their own
    return input;
}

TEST(UncertaintyBands, WithoutFluctuationsEveryBandIsTheProjection) {
    ProjectionInput input = oneItem(5, 0, -1);
    RandomSource random(3);
    const UncertaintyBands bands = computeBands(input, 50, random);
    EXPECT_EQ(bands.runs, 50);
    EXPECT_EQ(bands.tracked, 1);
    ASSERT_EQ(bands.years.size(), 21u);
    EXPECT_EQ(bands.years.front(), 1980);  // chart order: a backcast from the horizon year

    RandomSource other(9);
    const ProjectionNumbers once = projectNumbers(input, other);
    for (const std::vector<double>* band :
         {&bands.p5(), &bands.p25(), &bands.median(), &bands.p75(), &bands.p95()}) {
        ASSERT_EQ(band->size(), 21u);
        for (int p = 0; p < kPoints; ++p) {
            EXPECT_NEAR((*band)[static_cast<std::size_t>(p)], once.level(0, p), 1e-12);
        }
    }
}

// Without contributions (h = 0) a level after one step is 1 + E / 100 with E uniform on
// [-10, 10): uniform on [0.9, 1.1), whose p-th percentile is 0.9 + 0.2 p / 100. A thousand
// runs estimate each within about 0.003.
TEST(UncertaintyBands, AThousandRunsFindThePercentilesOfAUniformFluctuation) {
    RandomSource random(2024);
    const UncertaintyBands bands = computeBands(oneItem(0, 10, 0), kBandRuns, random);
    EXPECT_EQ(bands.runs, 1000);
    for (std::size_t b = 0; b < kBandPercents.size(); ++b) {
        EXPECT_EQ(bands.percent.bands[b][0], 1.0) << "every run starts at 1";
        EXPECT_NEAR(bands.percent.bands[b][1], 0.9 + 0.2 * kBandPercents[b] / 100, 0.012)
            << kBandNames[b];
    }
    EXPECT_LT(bands.p5()[20], bands.p25()[20]);
    EXPECT_LT(bands.p75()[20], bands.p95()[20]);
}

TEST(UncertaintyBands, NoItemsOrRunsGiveEmptyBandsAndOverflowStaysInTheBand) {
    RandomSource random(1);
    ProjectionInput none = oneItem(0, 0, 2);
    none.items = 0;
    EXPECT_TRUE(computeBands(none, 1000, random).empty());
    EXPECT_TRUE(computeBands(oneItem(1, 1, 2), 0, random).median().empty());

    const UncertaintyBands overflow = computeBands(oneItem(1e308, 5, 2), 200, random);
    ASSERT_EQ(overflow.median().size(), 21u);
    EXPECT_EQ(overflow.median()[0], 1.0);
    EXPECT_FALSE(std::isfinite(overflow.median()[20]));
}

}  // namespace
}  // namespace vorn
