// The example scenarios shipped with the program are defined here, written with the
// scenario writer (run with VORN_WRITE_EXAMPLES=1 to rewrite examples/*.txt) and checked by
// projecting them a century ahead.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "projection/year_by_year.h"
#include "scenario_files/scenario_file.h"
#include "shell/trends.h"
#include "tables/number_text.h"

namespace vorn {
namespace {

// Each matrix row names the item whose level contributes and then its contributions, in
// percent, to the growth of each item in turn.
struct ExampleScenario {
    const char* file;
    const char* trend;
    const char* policy;
    const char* uncertainty;
    const char* lags;
    friend void PrintTo(const ExampleScenario& example, std::ostream* out) { *out << example.file; }
};

// A small world model: on current trends industry and energy use grow, pollution nearly
// triples and the resources run out by the end of the century. The strategy cleans up
// energy and industry, slows industrial growth, puts industry's gains into education and
// recycles resources: pollution stays near today's level and the resources last.
const ExampleScenario kExample1 = {"Example1.txt", R"(
    Population  1.5  0.8  0.2  0.3  0.2 -0.1  0.3 -0.3
    Food        0.4 -0.5    0    0    0    0    0    0
    Industry      0  0.3  0.8  1.2  1.5 -0.3  0.6  0.2
    Energy        0    0  0.6 -0.8  1.2 -0.3    0    0
    Pollution  -0.6 -0.6 -0.4    0   -2    0 -0.2    0
    Resources     0  0.4  0.6  0.6    0  0.2    0    0
    Services    0.2    0 -0.5    0    0    0  0.3  0.6
    Education  -0.7    0  0.4    0    0  0.2  0.4  0.2)",
                                   R"(
    Population    0    0    0    0    0    0    0    0
    Food          0    0    0    0    0    0    0    0
    Industry      0    0 -0.3    0 -0.6    0    0  0.4
    Energy        0    0    0    0   -1  0.3    0    0
    Pollution     0    0    0    0    0    0    0    0
    Resources     0    0    0    0    0    0    0    0
    Services      0    0    0    0    0    0    0    0
    Education     0    0    0  0.3    0  0.2    0    0)",
                                   "0.5 2 1.5 2.5 3 1 1 1", "5 1 2 3 5 2 2 10"};

// Grass feeds the hares, the hares feed the lynx, and each is kept in check by the next:
// the hares dip and recover in a long cycle. Culling the lynx, the strategy, damps the
// cycle but leaves fewer hares at the end, because the grass is grazed down.
const ExampleScenario kPredatorPrey = {"PredatorPrey.txt", R"(
    Grass    3  5  0
    Hares   -3  0  5
    Lynx     0 -4 -2)",
                                       R"(
    Grass    0  0  0
    Hares    0  0  0
    Lynx     0  0 -1.5)",
                                       "3 4 2", "0 2 5"};

// A growing firm whose borrowing grows with its capital faster than sales repay it. The
// strategy repays a little more from sales, borrows a little less per unit of capital and
// trains the staff, which lifts reputation and sales: debt stays level while sales grow.
const ExampleScenario kFirmGrowth = {"FirmGrowth.txt", R"(
    Sales        -2    3    2 -1.5    1
    Staff       1.5 -2.5    0    0  0.8
    Capital       1    0 -1.5    2    0
    Debt       -0.5 -0.3    1  0.5 -0.5
    Reputation    3    0    0    0 -1.5)",
                                     R"(
    Sales         0    0    0 -0.2    0
    Staff         0  0.3    0    0  0.5
    Capital       0    0    0 -0.2    0
    Debt          0    0    0    0    0
    Reputation    0    0    0    0    0)",
                                     "3 1 2 1 2", "1 2 3 0 4"};

std::vector<std::vector<std::string>> rowsOf(const char* matrix) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(matrix);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::vector<std::string> row{std::istream_iterator<std::string>(words), {}};
        if (!row.empty()) {
            rows.push_back(row);
        }
    }
    return rows;
}

ScenarioTables tablesOf(const ExampleScenario& example) {
    const auto trend = rowsOf(example.trend);
    const auto policy = rowsOf(example.policy);
    const auto uncertainty = rowsOf(example.uncertainty).at(0);
    const auto lags = rowsOf(example.lags).at(0);
    const int n = static_cast<int>(trend.size());
    ScenarioTables tables;
    tables.trend.resize(n + 1, n + 1);
    tables.policy.resize(n + 1, n + 1);
    tables.totals.resize(kTotalsRows, n + 1);
    tables.trend.setText(0, 0, kTrendTitle);
    tables.policy.setText(0, 0, kPolicyTitle);
    for (int i = 1; i <= n; ++i) {
        const auto at = static_cast<std::size_t>(i - 1);
        for (auto [table, rows] : {std::pair{&tables.trend, &trend}, {&tables.policy, &policy}}) {
            table->setText(0, i, trend[at][0]);
            for (int j = 0; j <= n; ++j) {
                const std::string& word = (*rows)[at].at(static_cast<std::size_t>(j));
                table->setText(i, j, j == 0 ? word : numberText(std::stod(word)));
            }
        }
        tables.totals.setText(kUncertaintyRow, i, numberText(std::stod(uncertainty.at(at))));
        tables.totals.setText(kLagsRow, i, numberText(std::stod(lags.at(at))));
    }
    return tables;
}

std::string pathOf(const ExampleScenario& example) {
    return (std::filesystem::path(VORN_SOURCE_EXAMPLES_DIR) / example.file).string();
}

// Levels of a century's projection (h = 5, no fluctuations) of the file as loaded: item
// k's levels at the 21 points.
std::vector<std::vector<double>> century(const ExampleScenario& example, bool policies) {
    const ScenarioReadResult read = readScenarioFile(pathOf(example));
    EXPECT_TRUE(read.data) << read.error;
    ScenarioTables tables;
    applyScenario(tables, read.data.value_or(ScenarioData{}));
    RandomSource random(11);
    const ProjectionNumbers numbers =
        yearByYear(tables, {.horizon = 5, .uncertaintyLevel = 0, .policy = policies ? 1 : 0},
                   random)
            .numbers;
    std::vector<std::vector<double>> levels(static_cast<std::size_t>(numbers.items));
    for (int item = 0; item < numbers.items; ++item) {
        for (int point = 0; point < kPoints; ++point) {
            levels[static_cast<std::size_t>(item)].push_back(numbers.level(item, point));
        }
    }
    return levels;
}

class ExampleScenarios : public ::testing::TestWithParam<ExampleScenario> {};

TEST_P(ExampleScenarios, AreFilesTheWriterProduces) {
    const ExampleScenario& example = GetParam();
    const ScenarioTables tables = tablesOf(example);
    const std::string written = formatScenario(tables, ItemCount::number(tables.trend.rows() - 1));
    if (std::getenv("VORN_WRITE_EXAMPLES") != nullptr) {
        std::ofstream(pathOf(example), std::ios::binary) << written;
    }
    std::ifstream in(pathOf(example), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), written);
}

TEST_P(ExampleScenarios, StayPlausibleForACenturyAndRespondToTheirPolicies) {
    const auto trend = century(GetParam(), false);
    const auto policy = century(GetParam(), true);
    const auto items = static_cast<std::size_t>(tablesOf(GetParam()).trend.rows() - 1);
    ASSERT_EQ(trend.size(), items);
    ASSERT_EQ(policy.size(), items);
    double largestChange = 0;
    std::size_t alive = 0;
    for (std::size_t item = 0; item < items; ++item) {
        for (const auto* run : {&trend, &policy}) {
            for (double level : (*run)[item]) {
                EXPECT_GE(level, 0.01);
                EXPECT_LT(level, 20.0);
            }
            alive += (*run)[item].back() > 0.2 ? 1 : 0;
        }
        const double end = trend[item].back();
        largestChange = std::max(largestChange, std::abs(policy[item].back() - end) / end);
    }
    EXPECT_GE(alive + 0.0, 2 * items * 0.75);
    EXPECT_GT(largestChange, 0.3) << "the policies should visibly change the outcome";
}

INSTANTIATE_TEST_SUITE_P(Shipped, ExampleScenarios,
                         ::testing::Values(kExample1, kPredatorPrey, kFirmGrowth),
                         [](const ::testing::TestParamInfo<ExampleScenario>& info) {
                             std::string name = info.param.file;
                             return name.substr(0, name.find('.'));
                         });

// What the examples' descriptions promise.
TEST(ExampleScenarios, Example1CutsPollutionAndSavesResourcesAndPredatorPreyCycles) {
    const auto trend = century(kExample1, false);
    const auto policy = century(kExample1, true);
    ASSERT_EQ(trend.size(), 8u);
    ASSERT_EQ(policy.size(), 8u);
    constexpr std::size_t kPollution = 4, kResources = 5, kEducation = 7;
    EXPECT_GT(trend[kPollution].back(), 2.0);
    EXPECT_LT(policy[kPollution].back(), 0.6 * trend[kPollution].back());
    EXPECT_LT(trend[kResources].back(), 0.3);
    EXPECT_GT(policy[kResources].back(), 0.7);
    EXPECT_GT(policy[kEducation].back(), trend[kEducation].back() * 1.2);

    const auto hares = century(kPredatorPrey, false).at(1);
    const auto lowest = std::min_element(hares.begin(), hares.end());
    EXPECT_LT(*lowest, 0.7);
    EXPECT_GT(hares.back(), *lowest * 2);
    EXPECT_GT(lowest - hares.begin(), 3);
}

}  // namespace
}  // namespace vorn
