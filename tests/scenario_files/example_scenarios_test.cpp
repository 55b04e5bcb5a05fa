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
#include <string>
#include <vector>

#include "projection/year_by_year.h"
#include "scenario_files/scenario_file.h"
#include "shell/trends.h"
#include "tables/number_text.h"

namespace vorn {
namespace {

struct Contribution {
    const char* from;  // row item
    const char* to;    // column item
    double percent;
};

struct ExampleScenario {
    const char* file;
    std::vector<std::string> items;
    std::vector<Contribution> trend;
    std::vector<Contribution> policy;
    std::vector<double> uncertainty;
    std::vector<double> lags;
    friend void PrintTo(const ExampleScenario& example, std::ostream* out) { *out << example.file; }
};

// A small world model: on current trends industry and energy use grow, pollution nearly
// triples and the resources run out by the end of the century. The strategy cleans up
// energy and industry, slows industrial growth, puts industry's gains into education and
// recycles resources: pollution stays near today's level and the resources last.
ExampleScenario example1() {
    return {"Example1.txt",
            {"Population", "Food", "Industry", "Energy", "Pollution", "Resources", "Services",
             "Education"},
            {{"Population", "Population", 1.5},
             {"Food", "Population", 0.4},
             {"Pollution", "Population", -0.6},
             {"Services", "Population", 0.2},
             {"Education", "Population", -0.7},
             {"Population", "Food", 0.8},
             {"Food", "Food", -0.5},
             {"Industry", "Food", 0.3},
             {"Pollution", "Food", -0.6},
             {"Resources", "Food", 0.4},
             {"Population", "Industry", 0.2},
             {"Industry", "Industry", 0.8},
             {"Energy", "Industry", 0.6},
             {"Pollution", "Industry", -0.4},
             {"Resources", "Industry", 0.6},
             {"Services", "Industry", -0.5},
             {"Education", "Industry", 0.4},
             {"Population", "Energy", 0.3},
             {"Industry", "Energy", 1.2},
             {"Energy", "Energy", -0.8},
             {"Resources", "Energy", 0.6},
             {"Population", "Pollution", 0.2},
             {"Industry", "Pollution", 1.5},
             {"Energy", "Pollution", 1.2},
             {"Pollution", "Pollution", -2},
             {"Population", "Resources", -0.1},
             {"Industry", "Resources", -0.3},
             {"Energy", "Resources", -0.3},
             {"Resources", "Resources", 0.2},
             {"Education", "Resources", 0.2},
             {"Population", "Services", 0.3},
             {"Industry", "Services", 0.6},
             {"Pollution", "Services", -0.2},
             {"Services", "Services", 0.3},
             {"Education", "Services", 0.4},
             {"Population", "Education", -0.3},
             {"Industry", "Education", 0.2},
             {"Services", "Education", 0.6},
             {"Education", "Education", 0.2}},
            {{"Industry", "Industry", -0.3},
             {"Industry", "Pollution", -0.6},
             {"Energy", "Pollution", -1},
             {"Energy", "Resources", 0.3},
             {"Education", "Resources", 0.2},
             {"Education", "Energy", 0.3},
             {"Industry", "Education", 0.4}},
            {0.5, 2, 1.5, 2.5, 3, 1, 1, 1},
            {5, 1, 2, 3, 5, 2, 2, 10}};
}

// Grass feeds the hares, the hares feed the lynx, and each is kept in check by the next:
// the hares dip and recover in a long cycle. Culling the lynx, the strategy, damps the
// cycle but leaves fewer hares at the end, because the grass is grazed down.
ExampleScenario predatorPrey() {
    return {"PredatorPrey.txt",
            {"Grass", "Hares", "Lynx"},
            {{"Grass", "Grass", 3},
             {"Hares", "Grass", -3},
             {"Grass", "Hares", 5},
             {"Lynx", "Hares", -4},
             {"Hares", "Lynx", 5},
             {"Lynx", "Lynx", -2}},
            {{"Lynx", "Lynx", -1.5}},
            {3, 4, 2},
            {0, 2, 5}};
}

// A growing firm whose borrowing grows with its capital faster than sales repay it. The
// strategy repays a little more from sales, borrows a little less per unit of capital and
// trains the staff, which lifts reputation and sales: debt stays level while sales grow.
ExampleScenario firmGrowth() {
    return {"FirmGrowth.txt",
            {"Sales", "Staff", "Capital", "Debt", "Reputation"},
            {{"Sales", "Sales", -2},
             {"Staff", "Sales", 1.5},
             {"Capital", "Sales", 1},
             {"Debt", "Sales", -0.5},
             {"Reputation", "Sales", 3},
             {"Sales", "Staff", 3},
             {"Staff", "Staff", -2.5},
             {"Debt", "Staff", -0.3},
             {"Sales", "Capital", 2},
             {"Capital", "Capital", -1.5},
             {"Debt", "Capital", 1},
             {"Sales", "Debt", -1.5},
             {"Capital", "Debt", 2},
             {"Debt", "Debt", 0.5},
             {"Sales", "Reputation", 1},
             {"Staff", "Reputation", 0.8},
             {"Debt", "Reputation", -0.5},
             {"Reputation", "Reputation", -1.5}},
            {{"Sales", "Debt", -0.2},
             {"Capital", "Debt", -0.2},
             {"Staff", "Staff", 0.3},
             {"Staff", "Reputation", 0.5}},
            {3, 1, 2, 1, 2},
            {1, 2, 3, 0, 4}};
}

std::vector<ExampleScenario> examples() {
    return {example1(), predatorPrey(), firmGrowth()};
}

int itemNumber(const ExampleScenario& example, const std::string& name) {
    const auto found = std::find(example.items.begin(), example.items.end(), name);
    EXPECT_NE(found, example.items.end()) << name;
    return static_cast<int>(found - example.items.begin()) + 1;
}

ScenarioTables tablesOf(const ExampleScenario& example) {
    const int n = static_cast<int>(example.items.size());
    ScenarioTables tables;
    tables.trend.resize(n + 1, n + 1);
    tables.policy.resize(n + 1, n + 1);
    tables.totals.resize(kTotalsRows, n + 1);
    tables.trend.setText(0, 0, kTrendTitle);
    tables.policy.setText(0, 0, kPolicyTitle);
    for (int i = 1; i <= n; ++i) {
        const std::string& name = example.items[static_cast<std::size_t>(i - 1)];
        for (CellTable* table : {&tables.trend, &tables.policy}) {
            table->setText(0, i, name);
            table->setText(i, 0, name);
            for (int j = 1; j <= n; ++j) {
                table->setText(i, j, "0");
            }
        }
        tables.totals.setText(kUncertaintyRow, i,
                              numberText(example.uncertainty[static_cast<std::size_t>(i - 1)]));
        tables.totals.setText(kLagsRow, i,
                              numberText(example.lags[static_cast<std::size_t>(i - 1)]));
    }
    for (const Contribution& c : example.trend) {
        tables.trend.setText(itemNumber(example, c.from), itemNumber(example, c.to),
                             numberText(c.percent));
    }
    for (const Contribution& c : example.policy) {
        tables.policy.setText(itemNumber(example, c.from), itemNumber(example, c.to),
                              numberText(c.percent));
    }
    return tables;
}

std::string pathOf(const ExampleScenario& example) {
    return (std::filesystem::path(VORN_SOURCE_EXAMPLES_DIR) / example.file).string();
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Levels of a century's projection (h = 5, no fluctuations): item k's levels at the 21
// points, for items 1..N.
std::vector<std::vector<double>> century(const ExampleScenario& example, bool policies) {
    const ScenarioReadResult read = readScenarioFile(pathOf(example));
    EXPECT_TRUE(read.data) << read.error;
    ScenarioTables tables;
    if (!read.data) {
        return {};
    }
    applyScenario(tables, *read.data);
    ProjectionSettings settings;
    settings.horizon = 5;
    settings.uncertaintyLevel = 0;
    settings.policy = policies ? 1 : 0;
    RandomSource random(11);
    const ProjectionNumbers numbers = yearByYear(tables, settings, random).numbers;
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
    const std::string written = formatScenario(
        tablesOf(example), ItemCount::number(static_cast<int>(example.items.size())));
    if (std::getenv("VORN_WRITE_EXAMPLES") != nullptr) {
        std::ofstream(pathOf(example), std::ios::binary) << written;
    }
    EXPECT_EQ(readBytes(pathOf(example)), written);
}

TEST_P(ExampleScenarios, StayPlausibleForACenturyAndRespondToTheirPolicies) {
    const auto trend = century(GetParam(), false);
    const auto policy = century(GetParam(), true);
    ASSERT_EQ(trend.size(), GetParam().items.size());
    ASSERT_EQ(policy.size(), GetParam().items.size());
    double largestChange = 0;
    for (std::size_t item = 0; item < trend.size(); ++item) {
        for (const auto* run : {&trend, &policy}) {
            for (double level : (*run)[item]) {
                EXPECT_GE(level, 0.01);
                EXPECT_LT(level, 20.0) << GetParam().items[item];
            }
        }
        const double end = trend[item].back();
        largestChange = std::max(largestChange, std::abs(policy[item].back() - end) / end);
    }
    auto stillAlive = [](const std::vector<std::vector<double>>& run) {
        return std::count_if(run.begin(), run.end(),
                             [](const auto& levels) { return levels.back() > 0.2; });
    };
    EXPECT_GE(stillAlive(trend) + 0.0, trend.size() * 0.75);
    EXPECT_GE(stillAlive(policy) + 0.0, policy.size() * 0.75);
    EXPECT_GT(largestChange, 0.3) << "the policies should visibly change the outcome";
}

INSTANTIATE_TEST_SUITE_P(Shipped, ExampleScenarios, ::testing::ValuesIn(examples()),
                         [](const ::testing::TestParamInfo<ExampleScenario>& info) {
                             std::string name = info.param.file;
                             return name.substr(0, name.find('.'));
                         });

TEST(ExampleScenarios, Example1CutsPollutionAndSavesResources) {
    const ExampleScenario example = example1();
    const auto trend = century(example, false);
    const auto policy = century(example, true);
    ASSERT_EQ(trend.size(), example.items.size());
    ASSERT_EQ(policy.size(), example.items.size());
    const auto pollution = static_cast<std::size_t>(itemNumber(example, "Pollution") - 1);
    const auto resources = static_cast<std::size_t>(itemNumber(example, "Resources") - 1);
    const auto education = static_cast<std::size_t>(itemNumber(example, "Education") - 1);
    EXPECT_GT(trend[pollution].back(), 2.0);
    EXPECT_LT(policy[pollution].back(), 0.6 * trend[pollution].back());
    EXPECT_LT(trend[resources].back(), 0.3);
    EXPECT_GT(policy[resources].back(), 0.7);
    EXPECT_GT(policy[education].back(), trend[education].back() * 1.2);
}

TEST(ExampleScenarios, PredatorPreyHaresDipAndRecover) {
    const ExampleScenario example = predatorPrey();
    const auto levels = century(example, false);
    ASSERT_EQ(levels.size(), example.items.size());
    const auto& hares = levels[static_cast<std::size_t>(itemNumber(example, "Hares") - 1)];
    const auto lowest = std::min_element(hares.begin(), hares.end());
    EXPECT_LT(*lowest, 0.7);
    EXPECT_GT(hares.back(), *lowest * 2);
    EXPECT_GT(lowest - hares.begin(), 3);
}

TEST(ExampleScenarios, Example1SpreadsUnderUncertainty) {
    const ScenarioReadResult read = readScenarioFile(pathOf(example1()));
    ASSERT_TRUE(read.data) << read.error;
    ScenarioTables tables;
    applyScenario(tables, *read.data);
    ProjectionSettings settings;
    settings.horizon = 5;
    settings.uncertaintyLevel = 1;
    settings.iter = 20;
    settings.lastc2 = 5;  // Pollution
    RandomSource random(3);
    const ProjectionNumbers numbers = yearByYear(tables, settings, random).numbers;
    double lowest = 1e9, highest = 0;
    for (int run = 0; run < numbers.runs; ++run) {
        const double end = numbers.trackedLevels[static_cast<std::size_t>(run * kPoints + kSteps)];
        lowest = std::min(lowest, end);
        highest = std::max(highest, end);
    }
    EXPECT_GT(highest / lowest, 1.1);
}

}  // namespace
}  // namespace vorn
