#include "vorn_run/vorn_run.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "projection/year_by_year.h"
#include "scenario_files/scenario_file.h"
#include "tools/json_reader.h"
#include "tools/scenario_fixture.h"

namespace vorn::batch {
namespace {

using testing::FixtureScenario;
using testing::JsonReader;
using testing::JsonValue;
using testing::TempFolder;

constexpr double kTolerance = 1e-12;

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

ToolRun run(const std::vector<std::string>& args, const ChartDrawer& drawer = {}) {
    std::ostringstream out;
    std::ostringstream err;
    ToolRun result;
    result.status = runVornRun(args, out, err, drawer);
    result.out = out.str();
    result.err = err.str();
    return result;
}

JsonValue readJson(const ToolRun& run) {
    const std::optional<JsonValue> value = JsonReader::read(run.out);
    EXPECT_TRUE(value.has_value()) << "not valid JSON:\n" << run.out.substr(0, 2000);
    return value.value_or(JsonValue{});
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        out.push_back(line);
    }
    return out;
}

std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> out;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, ',');) {
        out.push_back(field);
    }
    if (!line.empty() && line.back() == ',') {
        out.emplace_back();
    }
    return out;
}

class VornRun : public ::testing::Test {
  protected:
    std::string scenario(const FixtureScenario& s, const std::string& name = "scenario.txt") {
        return m_folder.write(name, testing::scenarioText(s));
    }
    std::string twoItems() { return scenario(testing::twoItemScenario()); }

    TempFolder m_folder;
};

TEST_F(VornRun, JsonHoldsEveryPartInItsShape) {
    const ToolRun r = run({"-f", "json", "-r", "7", "-t", "2", "-s", "42", "-H", "3", twoItems()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.err.empty());
    const JsonValue json = readJson(r);
    EXPECT_EQ(json.keys(),
              (std::vector<std::string>{"items", "horizon", "horizonYear", "uncertainty", "policy",
                                        "runs", "track", "seed", "captions", "netGrowth", "years",
                                        "levels", "contributions", "spread", "bands"}));
    EXPECT_EQ(json["items"].strings(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(json["horizon"].number(), 3);
    EXPECT_EQ(json["horizonYear"].number(), 2060);
    EXPECT_EQ(json["uncertainty"].number(), 1);
    EXPECT_FALSE(json["policy"].boolean());
    EXPECT_EQ(json["runs"].number(), 7);
    EXPECT_EQ(json["track"].number(), 2);
    EXPECT_EQ(json["seed"].number(), 42);
    EXPECT_EQ(json["captions"]["trends"].string(), "Scenario Trends- Forecast to  2060");
    EXPECT_EQ(json["captions"]["contributions"].string(), "Contributions to Change in  2060");
    EXPECT_EQ(json["captions"]["spread"].string(), "Spread in Annual Levels for B");
    EXPECT_EQ(json["netGrowth"].numbers(), (std::vector<double>{3, -1}));
    const std::vector<double> years = json["years"].numbers();
    ASSERT_EQ(years.size(), 21u);
    EXPECT_EQ(years.front(), 2000);
    EXPECT_EQ(years.back(), 2060);
    ASSERT_EQ(json["levels"].array().size(), 2u);
    EXPECT_EQ(json["levels"][0].numbers().size(), 21u);
    EXPECT_EQ(json["levels"][0][0].number(), 1);
    const JsonValue& contributions = json["contributions"];
    EXPECT_EQ(contributions["rows"].strings(), (std::vector<std::string>{"A", "B", "Uncertainty"}));
    EXPECT_EQ(contributions["columns"].strings(), (std::vector<std::string>{"A", "B"}));
    ASSERT_EQ(contributions["values"].array().size(), 3u);
    EXPECT_EQ(contributions["values"][2].numbers().size(), 2u);
    ASSERT_EQ(json["spread"].array().size(), 7u);
    // The last run's tracked levels are the tracked item's row of the levels.
    EXPECT_EQ(json["spread"][6].numbers(), json["levels"][1].numbers());
    EXPECT_EQ(json["bands"].keys(), (std::vector<std::string>{"p5", "p25", "p50", "p75", "p95"}));
    for (const std::string& band : json["bands"].keys()) {
        EXPECT_EQ(json["bands"][band].numbers().size(), 21u) << band;
    }
}

TEST_F(VornRun, PolicyIsReportedOnlyWhenItApplies) {
    const std::string file = twoItems();
    const JsonValue forward = readJson(run({"-p", "-f", "json", "-s", "1", file}));
    EXPECT_TRUE(forward["policy"].boolean());
    EXPECT_EQ(forward["netGrowth"].numbers(), (std::vector<double>{3, 0}));
    EXPECT_EQ(forward["captions"]["trends"].string(),
              "Scenario Trends- Forecast to  2040 (with Policies)");

    const JsonValue backward = readJson(run({"-p", "-H", "-1", "-f", "json", "-s", "1", file}));
    EXPECT_FALSE(backward["policy"].boolean());
    EXPECT_EQ(backward["netGrowth"].numbers(), (std::vector<double>{3, -1}));
    EXPECT_EQ(backward["captions"]["trends"].string(), "Scenario Trends- Backcast to  1980");
    const std::vector<double> years = backward["years"].numbers();
    EXPECT_EQ(years.front(), 1980);  // a backcast starts at the horizon year
    EXPECT_EQ(years.back(), 2000);
    EXPECT_EQ(backward["levels"][0].numbers().back(), 1);
}

TEST_F(VornRun, SameSeedSameOutputOtherSeedOtherOutput) {
    const std::string file = twoItems();
    const ToolRun first = run({"-f", "json", "-r", "50", "-u", "3", "-s", "12345", file});
    const ToolRun second = run({"-f", "json", "-r", "50", "-u", "3", "-s", "12345", file});
    const ToolRun other = run({"-f", "json", "-r", "50", "-u", "3", "-s", "12346", file});
    ASSERT_EQ(first.status, 0);
    EXPECT_EQ(first.out, second.out);
    EXPECT_NE(first.out, other.out);

    // Without a seed the clock chooses one, and the output names it so it can be repeated.
    const JsonValue clocked = readJson(run({"-f", "json", "-r", "50", "-u", "3", file}));
    const std::string seed = std::to_string(static_cast<std::uint64_t>(clocked["seed"].number()));
    const ToolRun repeated = run({"-f", "json", "-r", "50", "-u", "3", "-s", seed, file});
    EXPECT_EQ(readJson(repeated)["spread"].array().size(), 50u);
    EXPECT_EQ(readJson(repeated)["bands"]["p50"].numbers(), clocked["bands"]["p50"].numbers());
}

// Without fluctuations the tool must give what the window's recalculation gives for the
// same file and settings.
TEST_F(VornRun, WithoutUncertaintyMatchesTheWindowsProjection) {
    const std::string file = scenario(testing::denseScenario(12));
    for (int horizon : {3, -2, 0}) {
        const std::string h = std::to_string(horizon);
        const ToolRun r = run({"-u", "0", "-p", "-H", h, "-t", "4", "-f", "json", file});
        ASSERT_EQ(r.status, 0) << r.err;
        const JsonValue json = readJson(r);

        const ScenarioReadResult read = readScenarioFile(file);
        ASSERT_TRUE(read.data.has_value()) << read.error;
        ScenarioTables tables;
        applyScenario(tables, *read.data);
        ProjectionSettings settings;
        settings.horizon = horizon;
        settings.uncertaintyLevel = 0;
        settings.policy = 1;
        settings.lastc2 = 4;
        RandomSource random;
        const ProjectionResult window = yearByYear(tables, settings, random);
        const ProjectionNumbers& numbers = window.numbers;

        const std::vector<double> netGrowth = json["netGrowth"].numbers();
        ASSERT_EQ(netGrowth.size(), 12u);
        for (int i = 0; i < 12; ++i) {
            EXPECT_NEAR(netGrowth[i], numbers.netGrowth[i], kTolerance) << "item " << i + 1;
            EXPECT_EQ(json["items"][i].string(), tables.trend.text(0, i + 1));
            const std::vector<double> levels = json["levels"][i].numbers();
            for (int p = 0; p < kPoints; ++p) {
                EXPECT_NEAR(levels[p], numbers.level(i, p), kTolerance * std::abs(levels[p]));
            }
        }
        for (int r = 0; r <= 12; ++r) {
            const std::vector<double> row = json["contributions"]["values"][r].numbers();
            for (int c = 0; c < 12; ++c) {
                EXPECT_NEAR(row[c], numbers.contributions[r * 12 + c], kTolerance);
            }
        }
        EXPECT_EQ(json["captions"]["trends"].string(), window.trendsCaption);
        EXPECT_EQ(json["captions"]["contributions"].string(), window.contributionsCaption);
        EXPECT_EQ(json["spread"][0].numbers(), json["levels"][3].numbers());
    }
}

TEST_F(VornRun, BandsAreOrderedAndOneRunIsEveryBand) {
    const std::string file = scenario(testing::denseScenario(6));
    const JsonValue many = readJson(run({"-f", "json", "-r", "400", "-u", "5", "-s", "3", file}));
    const JsonValue& bands = many["bands"];
    const std::vector<std::string> names = {"p5", "p25", "p50", "p75", "p95"};
    for (int p = 0; p < kPoints; ++p) {
        for (std::size_t b = 1; b < names.size(); ++b) {
            EXPECT_LE(bands[names[b - 1]][p].number(), bands[names[b]][p].number());
        }
    }
    EXPECT_LT(bands["p5"][20].number(), bands["p95"][20].number());

    const JsonValue one = readJson(run({"-f", "json", "-u", "5", "-s", "3", "-t", "2", file}));
    for (const std::string& name : names) {
        EXPECT_EQ(one["bands"][name].numbers(), one["levels"][1].numbers()) << name;
    }
}

TEST_F(VornRun, CsvTablesHaveTheirHeadersAndRows) {
    FixtureScenario s = testing::twoItemScenario();
    s.names = {"Food, Water", " Rain "};  // a file cannot hold a quote in a name
    const std::string file = scenario(s);
    const auto csv = [&](const std::string& table) {
        const ToolRun r = run({"-r", "3", "-s", "9", "--table", table, file});
        EXPECT_EQ(r.status, 0) << r.err;
        return lines(r.out);
    };
    const std::vector<std::string> levels = csv("levels");
    ASSERT_EQ(levels.size(), 22u);
    EXPECT_EQ(levels[0], "year,\"Food, Water\",\" Rain \"");
    EXPECT_EQ(levels[1], "2000,1,1");
    EXPECT_EQ(fields(levels[21]).size(), 3u);
    EXPECT_EQ(fields(levels[21])[0], "2040");

    const std::vector<std::string> contributions = csv("contributions");
    ASSERT_EQ(contributions.size(), 4u);
    EXPECT_EQ(contributions[0], "item,\"Food, Water\",\" Rain \"");
    EXPECT_EQ(contributions[1].rfind("\"Food, Water\",", 0), 0u);
    EXPECT_EQ(contributions[3].rfind("Uncertainty,", 0), 0u);

    const std::vector<std::string> spread = csv("spread");
    ASSERT_EQ(spread.size(), 22u);
    EXPECT_EQ(spread[0], "year,run 1,run 2,run 3");
    EXPECT_EQ(spread[1], "2000,1,1,1");

    EXPECT_EQ(csv("netgrowth"),
              (std::vector<std::string>{"item,netGrowth", "\"Food, Water\",3", "\" Rain \",-1"}));

    const std::vector<std::string> bands = csv("bands");
    ASSERT_EQ(bands.size(), 22u);
    EXPECT_EQ(bands[0], "year,p5,p25,p50,p75,p95");
    EXPECT_EQ(bands[1], "2000,1,1,1,1,1");
}

TEST_F(VornRun, JsonNamesAreEscapedAndKeepTheirLetters) {
    FixtureScenario s = testing::twoItemScenario();
    s.names = {"back\\slash", "M\xC3\xBCll\ttax"};
    const ToolRun r = run({"-f", "json", "-s", "1", scenario(s)});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"back\\\\slash\""), std::string::npos);
    EXPECT_NE(r.out.find("\"M\xC3\xBCll\\ttax\""), std::string::npos);
    const JsonValue json = readJson(r);
    EXPECT_EQ(json["items"].strings(),
              (std::vector<std::string>{"back\\slash", "M\xC3\xBCll\ttax"}));
}

TEST_F(VornRun, ScenarioWithoutItemsGivesEmptyTables) {
    const std::string file =
        m_folder.write("empty.txt", "0\r\n\"Trend Matrix\"\r\n0\r\n0\r\n\"Policy Matrix\"\r\n");
    const ToolRun r = run({"-f", "json", "-r", "5", "-s", "1", file});
    ASSERT_EQ(r.status, 0) << r.err;
    const JsonValue json = readJson(r);
    EXPECT_TRUE(json["items"].array().empty());
    EXPECT_TRUE(json["track"].isNull());
    EXPECT_TRUE(json["levels"].array().empty());
    EXPECT_EQ(json["contributions"]["rows"].strings(), std::vector<std::string>{"Uncertainty"});
    EXPECT_TRUE(json["contributions"]["values"][0].array().empty());
    EXPECT_TRUE(json["spread"].array().empty());
    EXPECT_TRUE(json["bands"]["p50"].array().empty());
    EXPECT_EQ(json["years"].array().size(), 21u);

    EXPECT_EQ(lines(run({"--table", "bands", file}).out).size(), 1u);
    EXPECT_EQ(lines(run({"--table", "levels", file}).out)[1], "2000");
    EXPECT_EQ(run({"-t", "1", file}).status, kExitUsage);
}

TEST_F(VornRun, OverflowingLevelsAreNullInJsonAndNamedInCsv) {
    const std::string file = scenario({{"X"}, {"1E300"}, {"0"}, {"0"}, {"0"}});
    const ToolRun r = run({"-f", "json", "-r", "3", "-u", "0", "-s", "1", file});
    ASSERT_EQ(r.status, 0) << r.err;
    const JsonValue json = readJson(r);
    EXPECT_EQ(json["netGrowth"][0].number(), 1e300);
    EXPECT_TRUE(json["levels"][0][20].isNull());
    EXPECT_TRUE(json["spread"][2][20].isNull());
    EXPECT_TRUE(json["bands"]["p50"][20].isNull());
    EXPECT_TRUE(json["levels"][0][1].isNumber());

    const std::vector<std::string> levels = lines(run({"-u", "0", file}).out);
    const std::string last = fields(levels[21])[1];
    EXPECT_TRUE(last == "nan" || last == "inf") << last;
}

TEST_F(VornRun, TrackBeyondTheItemsIsAUsageError) {
    const ToolRun r = run({"-t", "3", twoItems()});
    EXPECT_EQ(r.status, kExitUsage);
    EXPECT_NE(r.err.find("--track 3: the scenario has 2 items"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("Usage: vorn-run"), std::string::npos);
    EXPECT_TRUE(r.out.empty());
}

TEST_F(VornRun, UsageErrorsGiveStatusTwoWithUsage) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"--runs", "0", "x"}, {}, {"--what"}}) {
        const ToolRun r = run(args);
        EXPECT_EQ(r.status, kExitUsage);
        EXPECT_EQ(r.err.rfind("vorn-run: ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find("Usage: vorn-run [OPTIONS] SCENARIO"), std::string::npos);
        EXPECT_TRUE(r.out.empty());
    }
    const ToolRun help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out, usageText());
    const ToolRun version = run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_NE(version.out.find(VORN_VERSION), std::string::npos);
}

TEST_F(VornRun, UnreadableScenarioGivesStatusOneNamingTheFile) {
    const std::string missing = m_folder.path("no such file.txt");
    const ToolRun absent = run({missing});
    EXPECT_EQ(absent.status, kExitFailure);
    EXPECT_NE(absent.err.find(missing), std::string::npos) << absent.err;
    EXPECT_TRUE(absent.out.empty());

    std::string damaged = testing::scenarioText(testing::twoItemScenario());
    damaged.resize(damaged.size() / 2);
    const std::string cut = m_folder.write("cut short.txt", damaged);
    const ToolRun shortRun = run({cut});
    EXPECT_EQ(shortRun.status, kExitFailure);
    EXPECT_NE(shortRun.err.find(cut), std::string::npos) << shortRun.err;
    EXPECT_TRUE(shortRun.out.empty());

    const ToolRun notCount = run({m_folder.write("words.txt", "hello\r\nworld\r\n")});
    EXPECT_EQ(notCount.status, kExitFailure);
}

TEST_F(VornRun, OutputFileReceivesWhatStandardOutputWouldShow) {
    const std::string file = twoItems();
    const std::string target = m_folder.path("result.json");
    const ToolRun toFile = run({"-f", "json", "-s", "5", "-r", "4", "-o", target, file});
    ASSERT_EQ(toFile.status, 0) << toFile.err;
    EXPECT_TRUE(toFile.out.empty());
    const ToolRun toOut = run({"-f", "json", "-s", "5", "-r", "4", file});
    EXPECT_EQ(testing::readWhole(target), toOut.out);

    // Writing again replaces the file whole.
    ASSERT_EQ(run({"--table", "netgrowth", "-o", target, file}).status, 0);
    EXPECT_EQ(testing::readWhole(target), "item,netGrowth\nA,3\nB,-1\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_folder.path("")),
                            std::filesystem::directory_iterator{}),
              2);  // the scenario and the result; no temporary file left behind
}

TEST_F(VornRun, OutputThroughALinkReplacesTheFileItPointsTo) {
    const std::string real = m_folder.write("real.csv", "old\n");
    const std::string link = m_folder.path("link.csv");
    std::filesystem::create_symlink(real, link);
    ASSERT_EQ(run({"--table", "netgrowth", "-o", link, twoItems()}).status, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(testing::readWhole(real), "item,netGrowth\nA,3\nB,-1\n");
}

TEST_F(VornRun, UnwritableOutputGivesStatusOneNamingTheFile) {
    const std::string target = m_folder.path("missing folder/result.csv");
    const ToolRun r = run({"-o", target, twoItems()});
    EXPECT_EQ(r.status, kExitFailure);
    EXPECT_NE(r.err.find("cannot write " + target), std::string::npos) << r.err;
}

TEST_F(VornRun, ChartsAreDrawnFromTheSameResult) {
    std::string drawnPath;
    int drawnItems = -1;
    std::string drawnCaption;
    const ChartDrawer drawer = [&](const std::string& path, const BatchResult& result,
                                   std::string*) {
        drawnPath = path;
        drawnItems = result.items();
        drawnCaption = result.spreadCaption;
        EXPECT_EQ(result.projection.levelTable.rows(), kPoints);
        EXPECT_EQ(result.projection.spreadTable.number(3, 0) != nullptr, true);
        EXPECT_EQ(result.projection.spreadTable.isEmpty(4, 0), true);  // three runs shown
        return true;
    };
    const ToolRun r = run({"-r", "3", "-t", "2", "--chart", "charts.png", twoItems()}, drawer);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(drawnPath, "charts.png");
    EXPECT_EQ(drawnItems, 2);
    EXPECT_EQ(drawnCaption, "Spread in Annual Levels for B");

    const ChartDrawer failing = [](const std::string&, const BatchResult&, std::string* error) {
        *error = "cannot write charts.png: disk full";
        return false;
    };
    const ToolRun failed = run({"--chart", "charts.png", twoItems()}, failing);
    EXPECT_EQ(failed.status, kExitFailure);
    EXPECT_NE(failed.err.find("cannot write charts.png: disk full"), std::string::npos);

    const ToolRun noDrawer = run({"--chart", "charts.png", twoItems()});
    EXPECT_EQ(noDrawer.status, kExitFailure);
    EXPECT_NE(noDrawer.err.find("charts.png"), std::string::npos);
    EXPECT_TRUE(noDrawer.out.empty());
}

TEST_F(VornRun, ManyRunsKeepEveryRunInTheSpread) {
    const std::string file = scenario(testing::denseScenario(3));
    const ToolRun r = run({"--table", "spread", "-r", "2500", "-s", "8", file});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> rows = lines(r.out);
    ASSERT_EQ(rows.size(), 22u);
    EXPECT_EQ(fields(rows[0]).size(), 2501u);
    EXPECT_EQ(fields(rows[0]).back(), "run 2500");
    EXPECT_EQ(fields(rows[21]).size(), 2501u);
}

}  // namespace
}  // namespace vorn::batch
