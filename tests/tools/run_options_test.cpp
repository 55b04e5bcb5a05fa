#include "vorn_run/run_options.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "tools/scenario_fixture.h"
#include "vorn_run/vorn_run.h"

namespace vorn::batch {
namespace {

using Args = std::vector<std::string>;

TEST(RunOptions, EveryOptionInEveryForm) {
    const Args forms[] = {
        {"-H", "-5", "-u3", "-pr", "40", "--track=2", "--seed", "99", "-fjson", "--output=out.csv",
         "--chart", "c.png", "x.txt"},
        {"x.txt", "--horizon=-5", "--uncertainty", "3", "-pr40", "-t", "2", "-s99", "--format=json",
         "-o", "out.csv", "--chart=c.png"},
    };
    for (const Args& args : forms) {
        const ParsedOptions parsed = parseRunOptions(args);
        ASSERT_TRUE(parsed.ok()) << parsed.error;
        const RunOptions& o = parsed.options;
        EXPECT_EQ(std::tie(o.horizon, o.uncertainty, o.policy, o.runs, o.track, o.format),
                  std::make_tuple(-5, 3, true, 40, 2, OutputFormat::Json));
        EXPECT_EQ(o.seed, 99u);
        EXPECT_EQ(o.output + " " + o.chart + " " + o.scenario, "out.csv c.png x.txt");
    }
    EXPECT_EQ(parseRunOptions({"--table", "bands", "f"}).options.table, CsvTable::Bands);
    EXPECT_EQ(parseRunOptions({"--table=spread", "f"}).options.table, CsvTable::Spread);
    // A reference makes the difference the table printed, unless another is asked for.
    const RunOptions compared = parseRunOptions({"--reference", "o.txt", "f"}).options;
    EXPECT_EQ(compared.reference + " " + compared.scenario, "o.txt f");
    EXPECT_EQ(compared.table, CsvTable::Difference);
    EXPECT_EQ(parseRunOptions({"--reference=o.txt", "--table", "reference", "f"}).options.table,
              CsvTable::Reference);
}

TEST(RunOptions, BoundsAreAcceptedLaterOptionsWinAndDoubleDashEndsOptions) {
    const ParsedOptions parsed =
        parseRunOptions({"-H-20", "-H20", "-u0", "-u10", "-r1", "-r100000", "-s0",
                         "-s18446744073709551615", "-fjson", "-fcsv", "--", "-odd.txt"});
    ASSERT_TRUE(parsed.ok()) << parsed.error;
    const RunOptions& o = parsed.options;
    EXPECT_EQ(std::tie(o.horizon, o.uncertainty, o.runs, o.format, o.scenario),
              std::make_tuple(20, 10, 100000, OutputFormat::Csv, std::string("-odd.txt")));
    EXPECT_EQ(o.seed, 18446744073709551615u);
}

TEST(RunOptions, HelpAndVersionNeedNoScenario) {
    std::ostringstream out, err;
    EXPECT_EQ(runVornRun({"-h"}, out, err, {}) + runVornRun({"--version"}, out, err, {}), 0);
    EXPECT_EQ(out.str().rfind(usageText(), 0), 0u);
    EXPECT_NE(out.str().find(VORN_VERSION), std::string::npos);
}

struct UsageErrorCase {
    const char* name;
    Args args;  // "f" stands for a readable two-item scenario file
    const char* message;
    friend void PrintTo(const UsageErrorCase& c, std::ostream* os) { *os << c.name; }
};

class UsageError : public ::testing::TestWithParam<UsageErrorCase> {};

TEST_P(UsageError, ExitsTwoWithMessageAndUsage) {
    testing::TempFolder folder;
    Args args = GetParam().args;
    for (std::string& arg : args) {
        arg = arg == "f" ? folder.write("f.txt", testing::twoItemText()) : arg;
    }
    std::ostringstream out, err;
    EXPECT_EQ(runVornRun(args, out, err, {}), kExitUsage);
    EXPECT_EQ(err.str().rfind("vorn-run: ", 0), 0u) << err.str();
    EXPECT_NE(err.str().find(GetParam().message), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("Usage: vorn-run [OPTIONS] SCENARIO"), std::string::npos);
    EXPECT_TRUE(out.str().empty());
}

const UsageErrorCase kUsageErrors[] = {
    {"UnknownLongOption", {"--horizn", "2", "f"}, "unknown option '--horizn'"},
    {"UnknownShortInGroup", {"-pq", "f"}, "unknown option '-q'"},
    {"MissingLongValue", {"f", "--runs"}, "'--runs' needs a value"},
    {"FlagWithValue", {"--policy=1", "f"}, "'--policy' takes no value"},
    {"HorizonTooLow", {"-H", "-21", "f"}, "out of range (-20 to 20)"},
    {"HorizonTooHigh", {"--horizon=21", "f"}, "out of range (-20 to 20)"},
    {"UncertaintyTooHigh", {"-u", "11", "f"}, "out of range (0 to 10)"},
    {"RunsZero", {"-r", "0", "f"}, "out of range (1 to 100000)"},
    {"RunsTooMany", {"-r", "100001", "f"}, "out of range (1 to 100000)"},
    {"RunsTrailingText", {"-r", "10x", "f"}, "'10x' is not a whole number"},
    {"TrackZero", {"-t", "0", "f"}, "out of range (1 to 20)"},
    {"TrackBeyondTheItems", {"-t", "3", "f"}, "--track 3: the scenario has 2 items"},
    {"SeedTooLarge", {"-s", "18446744073709551616", "f"}, "not a non-negative whole number"},
    {"UnknownFormat", {"-f", "xml", "f"}, "unknown format 'xml'"},
    {"UnknownTable", {"--table", "totals", "f"}, "unknown table 'totals'"},
    {"TableWithJson", {"-f", "json", "--table", "levels", "f"}, "--table chooses a CSV table"},
    {"EmptyFileName", {"--chart=", "f"}, "the file name is empty"},
    {"DifferenceWithoutReference", {"--table", "difference", "f"}, "need --reference OTHER"},
    {"EmptyReference", {"--reference=", "f"}, "the file name is empty"},
    {"NoScenario", {}, "no SCENARIO"},
    {"TwoScenarios", {"a.txt", "b.txt"}, "more than one SCENARIO file given ('a.txt', 'b.txt')"},
};

INSTANTIATE_TEST_SUITE_P(Cases, UsageError, ::testing::ValuesIn(kUsageErrors),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vorn::batch
