#include "vorn_run/run_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorn::batch {
namespace {

using Args = std::vector<std::string>;

TEST(RunOptions, DefaultsNeedOnlyTheScenario) {
    const ParsedOptions parsed = parseRunOptions({"scenario.txt"});
    ASSERT_TRUE(parsed.ok()) << parsed.error;
    const RunOptions& o = parsed.options;
    EXPECT_EQ(o.scenario, "scenario.txt");
    EXPECT_EQ(o.horizon, 2);
    EXPECT_EQ(o.uncertainty, 1);
    EXPECT_FALSE(o.policy);
    EXPECT_EQ(o.runs, 1);
    EXPECT_EQ(o.track, 1);
    EXPECT_FALSE(o.trackGiven);
    EXPECT_FALSE(o.seed.has_value());
    EXPECT_EQ(o.format, OutputFormat::Csv);
    EXPECT_EQ(o.table, CsvTable::Levels);
    EXPECT_TRUE(o.output.empty());
    EXPECT_TRUE(o.chart.empty());
}

TEST(RunOptions, EveryOptionInEveryForm) {
    const std::vector<Args> forms = {
        {"-H", "-5", "-u",  "3",       "-p",    "-r", "40",      "-t",      "2",     "-s",
         "99", "-f", "csv", "--table", "bands", "-o", "out.csv", "--chart", "c.png", "x.txt"},
        {"-H-5", "-u3", "-pr40", "-t2", "-s99", "-fcsv", "--table=bands", "-oout.csv",
         "--chart=c.png", "x.txt"},
        {"--horizon=-5", "--uncertainty", "3", "--policy", "--runs=40", "--track", "2", "--seed=99",
         "--format=csv", "--table", "bands", "--output=out.csv", "--chart", "c.png", "x.txt"},
        {"x.txt", "--horizon", "-5", "--uncertainty=3", "-p", "--runs", "40", "--track=2", "--seed",
         "99", "--output", "out.csv", "--chart=c.png", "--table=bands"},
    };
    for (const Args& args : forms) {
        const ParsedOptions parsed = parseRunOptions(args);
        ASSERT_TRUE(parsed.ok()) << parsed.error;
        const RunOptions& o = parsed.options;
        EXPECT_EQ(o.horizon, -5);
        EXPECT_EQ(o.uncertainty, 3);
        EXPECT_TRUE(o.policy);
        EXPECT_EQ(o.runs, 40);
        EXPECT_EQ(o.track, 2);
        EXPECT_TRUE(o.trackGiven);
        EXPECT_EQ(o.seed, 99u);
        EXPECT_EQ(o.table, CsvTable::Bands);
        EXPECT_EQ(o.output, "out.csv");
        EXPECT_EQ(o.chart, "c.png");
        EXPECT_EQ(o.scenario, "x.txt");
    }
}

TEST(RunOptions, BoundsAreAcceptedAndLaterOptionsWin) {
    const ParsedOptions low = parseRunOptions({"-H", "-20", "-u", "0", "-r", "1", "-s", "0", "f"});
    ASSERT_TRUE(low.ok()) << low.error;
    EXPECT_EQ(low.options.horizon, -20);
    EXPECT_EQ(low.options.uncertainty, 0);
    EXPECT_EQ(low.options.seed, 0u);

    const ParsedOptions high = parseRunOptions(
        {"-H20", "-u10", "-r100000", "-t20", "-s18446744073709551615", "-fjson", "-fcsv", "f"});
    ASSERT_TRUE(high.ok()) << high.error;
    EXPECT_EQ(high.options.horizon, 20);
    EXPECT_EQ(high.options.uncertainty, 10);
    EXPECT_EQ(high.options.runs, 100000);
    EXPECT_EQ(high.options.seed, 18446744073709551615u);
    EXPECT_EQ(high.options.format, OutputFormat::Csv);
}

TEST(RunOptions, DoubleDashEndsTheOptions) {
    const ParsedOptions parsed = parseRunOptions({"-r", "2", "--", "-odd name.txt"});
    ASSERT_TRUE(parsed.ok()) << parsed.error;
    EXPECT_EQ(parsed.options.scenario, "-odd name.txt");
    EXPECT_EQ(parsed.options.runs, 2);
}

TEST(RunOptions, HelpAndVersionNeedNoScenario) {
    EXPECT_TRUE(parseRunOptions({"--help"}).options.help);
    EXPECT_TRUE(parseRunOptions({"-h"}).options.help);
    EXPECT_TRUE(parseRunOptions({"--version"}).options.version);
    EXPECT_TRUE(parseRunOptions({"--version"}).ok());
    EXPECT_FALSE(parseRunOptions({"--help", "--bogus"}).ok());
}

struct UsageErrorCase {
    const char* name;
    Args args;
    const char* message;  // a part of the message
};

class RunOptionsUsageError : public ::testing::TestWithParam<UsageErrorCase> {};

TEST_P(RunOptionsUsageError, IsRefusedWithAMessage) {
    const ParsedOptions parsed = parseRunOptions(GetParam().args);
    EXPECT_FALSE(parsed.ok());
    EXPECT_NE(parsed.error.find(GetParam().message), std::string::npos) << parsed.error;
}

const UsageErrorCase kUsageErrors[] = {
    {"UnknownLongOption", {"--horizn", "2", "f"}, "unknown option '--horizn'"},
    {"UnknownShortOption", {"-x", "f"}, "unknown option '-x'"},
    {"UnknownShortInGroup", {"-pq", "f"}, "unknown option '-q'"},
    {"MissingValueAtEnd", {"f", "--runs"}, "'--runs' needs a value"},
    {"MissingShortValueAtEnd", {"f", "-H"}, "'-H' needs a value"},
    {"EmptyValue", {"--runs=", "f"}, "'' is not a whole number"},
    {"FlagWithValue", {"--policy=1", "f"}, "'--policy' takes no value"},
    {"HorizonTooLow", {"-H", "-21", "f"}, "out of range (-20 to 20)"},
    {"HorizonTooHigh", {"--horizon=21", "f"}, "out of range (-20 to 20)"},
    {"HorizonNotWhole", {"-H", "2.5", "f"}, "'2.5' is not a whole number"},
    {"HorizonWithPlus", {"-H", "+2", "f"}, "not a whole number"},
    {"HorizonHuge", {"-H", "99999999999999999999", "f"}, "out of range"},
    {"UncertaintyNegative", {"-u", "-1", "f"}, "out of range (0 to 10)"},
    {"UncertaintyTooHigh", {"-u", "11", "f"}, "out of range (0 to 10)"},
    {"RunsZero", {"-r", "0", "f"}, "out of range (1 to 100000)"},
    {"RunsTooMany", {"-r", "100001", "f"}, "out of range (1 to 100000)"},
    {"RunsText", {"-r", "ten", "f"}, "'ten' is not a whole number"},
    {"RunsTrailingText", {"-r", "10x", "f"}, "'10x' is not a whole number"},
    {"TrackZero", {"-t", "0", "f"}, "out of range (1 to 20)"},
    {"TrackBeyondAnyScenario", {"-t", "21", "f"}, "out of range (1 to 20)"},
    {"SeedNegative", {"-s", "-1", "f"}, "not a non-negative whole number"},
    {"SeedFraction", {"--seed=1.5", "f"}, "not a non-negative whole number"},
    {"SeedTooLarge", {"-s", "18446744073709551616", "f"}, "not a non-negative whole number"},
    {"SeedWithPlus", {"-s", "+3", "f"}, "not a non-negative whole number"},
    {"UnknownFormat", {"-f", "xml", "f"}, "unknown format 'xml'"},
    {"FormatInCapitals", {"-f", "JSON", "f"}, "unknown format 'JSON'"},
    {"UnknownTable", {"--table", "totals", "f"}, "unknown table 'totals'"},
    {"TableWithJson", {"-f", "json", "--table", "levels", "f"}, "--table chooses a CSV table"},
    {"EmptyOutputName", {"-o", "", "f"}, "the file name is empty"},
    {"EmptyChartName", {"--chart=", "f"}, "the file name is empty"},
    {"NoScenario", {"-r", "3"}, "no SCENARIO"},
    {"NothingAtAll", {}, "no SCENARIO"},
    {"TwoScenarios", {"a.txt", "b.txt"}, "more than one SCENARIO file given ('a.txt', 'b.txt')"},
};

INSTANTIATE_TEST_SUITE_P(Cases, RunOptionsUsageError, ::testing::ValuesIn(kUsageErrors),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RunOptions, UsageNamesEveryOption) {
    const std::string usage = usageText();
    for (const char* option :
         {"--horizon", "--uncertainty", "--policy", "--runs", "--track", "--seed", "--format",
          "--table", "--output", "--chart", "--help", "--version"}) {
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    }
}

}  // namespace
}  // namespace vorn::batch
