// The shipped example scenarios: defined here, written by the scenario writer (run with
// VORN_WRITE_EXAMPLES=1 to rewrite examples/*.txt) and checked by projecting them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
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
// percent, to the growth of each item in turn; the Policy Matrix leaves out rows of zeros.
struct ExampleScenario {
    const char* file;
    const char* trend;
    const char* policy;
    const char* totals;  // the Uncertainty and Lags rows
    friend void PrintTo(const ExampleScenario& e, std::ostream* os) { *os << e.file; }
};

// A small world model; the strategy keeps pollution down and makes the resources last.
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
    Industry      0    0 -0.3    0 -0.6    0    0  0.4
    Energy        0    0    0    0   -1  0.3    0    0
    Education     0    0    0  0.3    0  0.2    0    0)",
                                   "Uncertainty 0.5 2 1.5 2.5 3 1 1 1\nLags 5 1 2 3 5 2 2 10"};

// Grass, hares and lynx in a long cycle, which culling the lynx, the strategy, damps.
const ExampleScenario kPredatorPrey = {"PredatorPrey.txt", R"(
    Grass    3  5  0
    Hares   -3  0  5
    Lynx     0 -4 -2)",
                                       R"(
    Lynx     0  0 -1.5)",
                                       "Uncertainty 3 4 2\nLags 0 2 5"};

// A growing firm; the strategy keeps its debt level while its sales grow.
const ExampleScenario kFirmGrowth = {"FirmGrowth.txt", R"(
    Sales        -2    3    2 -1.5    1
    Staff       1.5 -2.5    0    0  0.8
    Capital       1    0 -1.5    2    0
    Debt       -0.5 -0.3    1  0.5 -0.5
    Reputation    3    0    0    0 -1.5)",
                                     R"(
    Sales         0    0    0 -0.2    0
    Staff         0  0.3    0    0  0.5
    Capital       0    0    0 -0.2    0)",
                                     "Uncertainty 3 1 2 1 2\nLags 1 2 3 0 4"};

ScenarioTables tablesOf(const ExampleScenario& example) {
    std::vector<std::string> names{""};  // names[i] is item i's
    std::istringstream rows(example.trend);
    for (std::string name, line; rows >> name && std::getline(rows, line);) {
        names.push_back(name);
    }
    const int side = static_cast<int>(names.size());
    ScenarioTables tables{CellTable(side, side), CellTable(kTotalsRows, side),
                          CellTable(side, side)};
    for (int i = 0; i < side; ++i) {
        for (int j = 0; j < side; ++j) {
            const std::string text = i == 0 ? names.at(j) : j == 0 ? names.at(i) : "0";
            tables.trend.setText(i, j, text);
            tables.policy.setText(i, j, text);
        }
    }
    tables.trend.setText(0, 0, kTrendTitle);
    tables.policy.setText(0, 0, kPolicyTitle);
    // Each row of a text: a name, then the numbers of its cells from column 1 on.
    auto fill = [&](CellTable& table, const char* text) {
        std::istringstream rows(text);
        for (std::string name, line; rows >> name && std::getline(rows, line);) {
            const auto item = std::find(names.begin(), names.end(), name) - names.begin();
            const int row = name == "Uncertainty" ? kUncertaintyRow
                            : name == "Lags"      ? kLagsRow
                                                  : static_cast<int>(item);
            std::istringstream values(line);
            double value = 0;
            for (int column = 1; values >> value; ++column) {
                table.setText(row, column, numberText(value));
            }
        }
    };
    fill(tables.trend, example.trend);
    fill(tables.policy, example.policy);
    fill(tables.totals, example.totals);
    return tables;
}

class ExampleScenarios : public ::testing::TestWithParam<ExampleScenario> {};

TEST_P(ExampleScenarios, AreWrittenByTheWriterAndProjectPlausibly) {
    const std::string path = std::string(VORN_SOURCE_EXAMPLES_DIR "/") + GetParam().file;
    const ScenarioTables tables = tablesOf(GetParam());
    const std::string written = formatScenario(tables, ItemCount::number(tables.trend.rows() - 1));
    if (std::getenv("VORN_WRITE_EXAMPLES") != nullptr) {
        std::ofstream(path, std::ios::binary) << written;
    }
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), written);

    // Loaded and projected a century ahead (h = 5, no fluctuations) with and without the
    // strategy, they stay plausible and the strategy visibly changes the outcome.
    const ScenarioReadResult read = readScenarioFile(path);
    ASSERT_TRUE(read.data) << read.error;
    ProjectionNumbers runs[2];
    for (const int policy : {0, 1}) {
        ScenarioTables loaded;
        applyScenario(loaded, *read.data);
        RandomSource random(11);
        runs[policy] =
            yearByYear(loaded, {.horizon = 5, .uncertaintyLevel = 0, .policy = policy}, random)
                .numbers;
        const auto& levels = runs[policy].levels;
        ASSERT_EQ(runs[policy].items, tables.trend.rows() - 1);
        EXPECT_GT(*std::min_element(levels.begin(), levels.end()), 0.01);
        EXPECT_LT(*std::max_element(levels.begin(), levels.end()), 20.0);
    }
    double largestChange = 0;
    for (int item = 0; item < runs[0].items; ++item) {
        const double ratio = runs[1].level(item, kPoints - 1) / runs[0].level(item, kPoints - 1);
        largestChange = std::max(largestChange, std::abs(ratio - 1));
    }
    EXPECT_GT(largestChange, 0.3) << "the strategy should visibly change the outcome";
}

INSTANTIATE_TEST_SUITE_P(Shipped, ExampleScenarios,
                         ::testing::Values(kExample1, kPredatorPrey, kFirmGrowth),
                         [](const ::testing::TestParamInfo<ExampleScenario>& info) {
                             std::string name = info.param.file;
                             return name.substr(0, name.find('.'));
                         });

}  // namespace
}  // namespace vorn
