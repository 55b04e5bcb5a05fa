#include "projection/sensitivity.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "support/projection_input.h"

namespace vorn {
namespace {

using testing::trendEntry;

// `n` items named A, B, C..., every entry 0, lags of one step, tracking the last item.
ProjectionInput quietItems(int n, int horizon = 1) {
    ProjectionInput input = testing::quietInput(n, horizon);
    input.lag.assign(static_cast<std::size_t>(n), std::abs(horizon));
    for (int i = 0; i < n; ++i) {
        input.names[static_cast<std::size_t>(i)] = std::string(1, static_cast<char>('A' + i));
    }
    input.tracked = n;
    return input;
}

double effectOf(const Sensitivity& sensitivity, int row, int column) {
    const int n = static_cast<int>(sensitivity.names.size());
    return sensitivity.entries.at(static_cast<std::size_t>((row - 1) * n + (column - 1))).effect;
}

void expectRelativelyNear(double got, double want) {
    EXPECT_NEAR(got, want, 1e-12 * std::abs(want)) << "want " << want;
}

// Two items A and B, h = 1, T(A, A) = 5, T(A, B) = 10, the rest 0, both lags 1, tracking B.
// A lag of |h| reads every contributor at its previous level, so a step is the linear map
// A(t) = M A(t-1) with M(i, j) = [i = j] + T(j, i) / 100, started from (1, 1):
//   A_A(t) = 1.05^t and B(20) = 1 + 0.1 (1.05^0 + ... + 1.05^19) = 2 x 1.05^20 - 1.
// Raising one entry by a point:
//   T(A, A) = 6:  B(20) = 1 + 0.1 (1.06^20 - 1) / 0.06
//   T(A, B) = 11: B(20) = 1 + 0.11 (1.05^20 - 1) / 0.05, an effect of 0.2 (1.05^20 - 1)
//   T(B, B) = 1:  B(t) = 1.01 B(t-1) + 0.1 x 1.05^(t-1), so
//                 B(20) = 1.01^20 + 0.1 (1.05^20 - 1.01^20) / 0.04
//   T(B, A) = 1:  M = [1.05 0.01; 0.1 1] couples the two. Its eigenvalues are
//                 l = (2.05 +- sqrt(0.0065)) / 2, M^20 = (l+^20 (M - l- I) - l-^20 (M - l+ I))
//                 / (l+ - l-), and row B of (M - l I) (1, 1) is 1.1 - l.
TEST(Sensitivity, TwoItemsMatchTheHandDerivedHorizonLevels) {
    ProjectionInput input = quietItems(2);
    trendEntry(input, 1, 1) = 5;
    trendEntry(input, 1, 2) = 10;
    input.uncertainty = {7, HUGE_VAL};  // fluctuations are off, whatever the settings
    input.uncertaintyLevel = 4;
    const Sensitivity s = computeSensitivity(input);

    const double baseline = 2 * std::pow(1.05, 20) - 1;
    const double root = std::sqrt(0.0065);
    const double high = (2.05 + root) / 2;
    const double low = (2.05 - root) / 2;
    expectRelativelyNear(s.baseline, baseline);
    expectRelativelyNear(effectOf(s, 1, 1), 1 + 0.1 * (std::pow(1.06, 20) - 1) / 0.06 - baseline);
    expectRelativelyNear(effectOf(s, 1, 2), 0.2 * (std::pow(1.05, 20) - 1));
    expectRelativelyNear(
        effectOf(s, 2, 2),
        std::pow(1.01, 20) + 0.1 * (std::pow(1.05, 20) - std::pow(1.01, 20)) / 0.04 - baseline);
    expectRelativelyNear(
        effectOf(s, 2, 1),
        (std::pow(high, 20) * (1.1 - low) - std::pow(low, 20) * (1.1 - high)) / (high - low) -
            baseline);
    EXPECT_EQ(s.tracked, 2);
    EXPECT_EQ(s.horizonYear, 2020);

    // 0.496, 0.447, 0.372, 0.331
    std::vector<std::string> order;
    for (const SensitivityEntry& e : s.top()) {
        order.push_back(s.name(e));
    }
    EXPECT_EQ(order, (std::vector<std::string>{"B -> B", "B -> A", "A -> A", "A -> B"}));
}

TEST(Sensitivity, PoliciesApplyAsTheWindowAppliesThemAndABackcastReadsColumnZero) {
    ProjectionInput input = quietItems(1);
    trendEntry(input, 1, 1) = 1;
    input.policy = {2};
    input.policyOn = true;
    Sensitivity s = computeSensitivity(input);
    expectRelativelyNear(s.baseline, std::pow(1.03, 20));
    expectRelativelyNear(s.entries[0].effect, std::pow(1.04, 20) - std::pow(1.03, 20));

    // Going backwards the policies are left out, each step is A(t-1) (1 - T / 100), and the
    // horizon year 1980 stands in column 0.
    input = quietItems(1, -1);
    trendEntry(input, 1, 1) = 5;
    input.policy = {2};
    input.policyOn = true;
    s = computeSensitivity(input);
    EXPECT_EQ(s.horizonYear, 1980);
    expectRelativelyNear(s.baseline, std::pow(0.95, 20));
    expectRelativelyNear(s.entries[0].effect, std::pow(0.94, 20) - std::pow(0.95, 20));
}

TEST(Sensitivity, EqualEffectsRankByRowThenColumn) {
    ProjectionInput input = quietItems(3);
    input.tracked = 1;  // only column A reaches A: 1.01^20 - 1 for (A, A), 0.2 for B and C
    const Sensitivity s = computeSensitivity(input);
    const std::vector<SensitivityEntry> ranked = s.ranked();
    ASSERT_EQ(ranked.size(), 9u);
    std::string order;
    for (const SensitivityEntry& e : ranked) {
        order += s.names[static_cast<std::size_t>(e.row)] +
                 s.names[static_cast<std::size_t>(e.column)] + " ";
    }
    EXPECT_EQ(order, "AA BA CA AB AC BB BC CB CC ");
    EXPECT_NEAR(ranked[1].effect, 0.2, 1e-12);
    EXPECT_EQ(s.top(2).size(), 2u);
}

TEST(Sensitivity, EffectsThatOverflowRankLastAndStayOutOfTheTop) {
    // A feeds B hugely; once B also feeds A, the two overflow within a few steps.
    ProjectionInput input = quietItems(2);
    trendEntry(input, 1, 2) = 1e300;
    Sensitivity s = computeSensitivity(input);
    EXPECT_NEAR(s.baseline, 2e299, 1e285);
    EXPECT_FALSE(std::isfinite(effectOf(s, 2, 1)));
    EXPECT_EQ(s.name(s.ranked().back()), "B -> A");
    EXPECT_EQ(s.top().size(), 3u);

    // When the baseline itself overflows no effect is finite.
    input = quietItems(1);
    trendEntry(input, 1, 1) = 1e308;
    s = computeSensitivity(input);
    EXPECT_EQ(s.ranked().size(), 1u);
    EXPECT_TRUE(s.top().empty());
}

TEST(Sensitivity, NoItemsGiveNothingAndTwentyItemsEveryEntry) {
    const Sensitivity none = computeSensitivity(quietItems(0));
    EXPECT_EQ(none.tracked, 0);
    EXPECT_TRUE(none.entries.empty());
    EXPECT_TRUE(none.top().empty());

    ProjectionInput input = quietItems(20);
    for (double& value : input.trend) {
        value = 0.5;
    }
    const Sensitivity twenty = computeSensitivity(input);
    EXPECT_EQ(twenty.entries.size(), 400u);
    EXPECT_EQ(twenty.top().size(), 10u);
    EXPECT_GT(twenty.top().front().effect, 0);
}

}  // namespace
}  // namespace vorn
