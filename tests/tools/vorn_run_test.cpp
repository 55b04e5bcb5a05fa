#include "vorn_run/vorn_run.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "projection/uncertainty_bands.h"
#include "projection/year_by_year.h"
#include "scenario_files/atomic_file.h"
#include "scenario_files/file_commands.h"
#include "scenario_files/scenario_file.h"
#include "shell/trends.h"
#include "support/scripted_platform.h"
#include "tools/scenario_fixture.h"

namespace vorn::batch {
namespace {

using Numbers = std::vector<double>;
using Matrix = std::vector<Numbers>;
constexpr std::size_t npos = std::string::npos;

struct ToolRun {
    int status = -1;
    std::string out, err;
};

// A drawing of 5000 bytes, each the first letter of the type asked for.
ChartDrawer pictures() {
    return [](const std::string& type, const BatchResult&, std::string* bytes, std::string*) {
        *bytes = std::string(5000, type.empty() ? '?' : type[0]);
        return true;
    };
}

ToolRun run(const std::vector<std::string>& args, const ChartDrawer& drawer = {}) {
    std::ostringstream out, err;
    const int status = runVornRun(args, out, err, drawer);
    return {status, out.str(), err.str()};
}

// Numbers as printed (15 significant digits) against the numbers they were printed from.
template <typename Values>
void expectNear(const Matrix& got, const Values& want) {
    Numbers flat;
    for (const Numbers& row : got) {
        flat.insert(flat.end(), row.begin(), row.end());
    }
    ASSERT_EQ(flat.size(), want.size());
    for (std::size_t k = 0; k < flat.size(); ++k) {
        const double wanted = static_cast<double>(want[k]);
        EXPECT_NEAR(flat[k], wanted, 1e-12 * (1 + std::abs(wanted))) << "at " << k;
    }
}

// The JSON output puts every key on a line of its own: the rest of the first such line.
std::string valueOf(const std::string& json, const std::string& key) {
    const std::size_t at = json.find("\"" + key + "\": ");
    EXPECT_NE(at, npos) << key;
    const std::size_t from = at == npos ? json.size() : at + key.size() + 4;
    return json.substr(from, json.find('\n', from) - from);
}

// A one-line array of JSON numbers; null reads as NaN, anything else fails the test.
Numbers numbers(const std::string& line) {
    Numbers out;
    std::istringstream in(line.substr(line.find('[') + 1, line.find(']') - line.find('[') - 1));
    for (std::string item; std::getline(in, item, ',');) {
        item.erase(0, item.find_first_not_of(' '));
        EXPECT_TRUE(item == "null" || item.find_first_not_of("0123456789+-.e") == npos) << item;
        out.push_back(item == "null" ? std::nan("") : std::stod(item));
    }
    return out;
}

// A matrix written one row per line after `"key": [`, its rows of equal length.
Matrix rows(const std::string& json, const std::string& key) {
    Matrix out;
    std::istringstream in(json.substr(std::min(json.find("\"" + key + "\": [\n"), json.size())));
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line) && line.find(']') != line.find_first_not_of(' ')) {
        out.push_back(numbers(line));
        EXPECT_EQ(out.back().size(), out[0].size()) << key << " has rows of unequal length";
    }
    EXPECT_FALSE(out.empty()) << "no rows of " << key;
    return out;
}

std::string shape(const Matrix& matrix) {
    return std::to_string(matrix.size()) + "x" + std::to_string(matrix.at(0).size());
}

class VornRun : public ::testing::Test {
  protected:
    std::string twoItems(const std::string& a = "A", const std::string& b = "B",
                         const std::string& a11 = "1") {
        return m_folder.write("scenario.txt", testing::twoItemText(a, b, a11));
    }
    testing::TempFolder m_folder;
};

TEST_F(VornRun, JsonHoldsEveryPartInItsShape) {
    const ToolRun r = run({"-f", "json", "-r", "7", "-t", "2", "-s", "42", "-H", "3", twoItems()});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string& json = r.out;
    std::size_t at = 0;
    for (const char* key :
         {"items", "horizon",     "horizonYear", "uncertainty", "policy", "runs",          "track",
          "seed",  "captions",    "netGrowth",   "years",       "levels", "contributions", "spread",
          "bands", "sensitivity", "influence",   "indirect",    "loops",  "loopSearch"}) {
        at = json.find("\n  \"" + std::string(key) + "\": ", at);
        ASSERT_NE(at, npos) << key << " missing or out of order";
    }
    EXPECT_EQ(valueOf(json, "items") + valueOf(json, "horizonYear") + valueOf(json, "policy"),
              R"(["A", "B"],2060,false,)");
    EXPECT_EQ(valueOf(json, "runs") + valueOf(json, "track") + valueOf(json, "seed"), "7,2,42,");
    EXPECT_EQ(valueOf(json, "trends"), R"("Scenario Trends- Forecast to  2060",)");
    EXPECT_EQ(valueOf(json, "contributions"), R"("Contributions to Change in  2060",)");
    EXPECT_EQ(valueOf(json, "spread"), R"("Spread in Annual Levels for B")");
    EXPECT_EQ(numbers(valueOf(json, "netGrowth")), (Numbers{3, -1}));
    EXPECT_EQ(valueOf(json, "rows") + valueOf(json, "columns"),
              R"(["A", "B", "Uncertainty"],["A", "B"],)");
    ASSERT_EQ(shape(rows(json, "levels")) + " " + shape(rows(json, "values")), "2x21 3x2");
    ASSERT_EQ(shape(rows(json, "spread")), "7x21");
    EXPECT_EQ(rows(json, "spread")[6], rows(json, "levels")[1]);  // the last run is shown
    EXPECT_EQ(std::ranges::count(json, '{') - std::ranges::count(json, '}'), 0);
    EXPECT_NE(json.find("    {\"row\": \"A\", \"column\": \"B\", \"effect\": "), npos);
    EXPECT_NE(json.find("\"influence\": [\n    {\"item\": \"A\", \"influence\": 1, "
                        "\"dependence\": 2, \"indirectInfluence\": 1.242640687"),
              npos);
    // A -> B (-1) and B -> A (2): one balancing loop of strength sqrt(2), and chains that
    // alternate between the two.
    EXPECT_NE(json.find("  \"indirect\": {\"power\": 5, \"period\": 2, \"settled\": true},\n"
                        "  \"loops\": [\n    {\"loop\": \"B1\", \"kind\": \"balancing\", "
                        "\"length\": 2, \"strength\": 1.414213562"),
              npos);
    EXPECT_NE(json.find("\"items\": [\"A\", \"B\"]}\n  ],\n  \"loopSearch\": {\"found\": 1, "
                        "\"complete\": true, \"note\": \"1 loop, strongest first\"}\n}\n"),
              npos);
}

TEST_F(VornRun, SeededRunsRepeatAndTheirBandsAreOrdered) {
    const std::vector<std::string> args = {"-f", "json", "-r", "400", "-u", "5", twoItems()};
    const auto seeded = [&](const std::string& seed) {
        std::vector<std::string> withSeed = args;
        withSeed.insert(withSeed.end(), {"-s", seed});
        return run(withSeed).out;
    };
    const std::string json = seeded("12345");
    EXPECT_EQ(json, seeded("12345"));
    EXPECT_NE(json, seeded("12346"));
    // Without a seed the clock chooses one, and the output names it so it can be repeated.
    const std::string clocked = run(args).out;
    EXPECT_EQ(seeded(valueOf(clocked, "seed").substr(0, valueOf(clocked, "seed").find(','))),
              clocked);

    const std::string one = run({"-f", "json", "-u", "5", "-s", "3", "-t", "2", twoItems()}).out;
    Numbers below(kPoints, -HUGE_VAL);
    for (const char* name : {"p5", "p25", "p50", "p75", "p95"}) {
        const Numbers band = numbers(valueOf(json, name));
        ASSERT_EQ(band.size(), 21u) << name;
        for (int p = 0; p < kPoints; ++p) {
            EXPECT_LE(below[p], band[p]) << name << " at " << p;
        }
        below = band;
        EXPECT_EQ(numbers(valueOf(one, name)), rows(one, "levels")[1]) << name;  // one run
    }
    EXPECT_LT(numbers(valueOf(json, "p5"))[20], below[20]);
}

// The window's recalculation of the same file and settings, policies only going forwards.
TEST_F(VornRun, WithoutUncertaintyMatchesTheWindowsProjection) {
    const std::string file =
        (std::filesystem::path(__FILE__).parent_path() / "data/twenty_items.txt").string();
    for (int horizon : {3, -2, 0}) {
        const ToolRun r =
            run({"-u", "0", "-p", "-H", std::to_string(horizon), "-t", "4", "-f", "json", file});
        ASSERT_EQ(r.status, 0) << r.err;
        ScenarioTables tables;
        applyScenario(tables, *readScenarioFile(file).data);
        RandomSource random;
        const ProjectionResult window = yearByYear(tables, {horizon, 0, 1, 1, 4}, random);
        EXPECT_EQ(valueOf(r.out, "policy"), horizon > 0 ? "true," : "false,");
        expectNear({numbers(valueOf(r.out, "years"))}, window.numbers.years);
        expectNear({numbers(valueOf(r.out, "netGrowth"))}, window.numbers.netGrowth);
        expectNear(rows(r.out, "levels"), window.numbers.levels);
        expectNear(rows(r.out, "values"), window.numbers.contributions);
        EXPECT_EQ(valueOf(r.out, "trends"), "\"" + window.trendsCaption + "\",");
    }
}

// The window holding its draws at a seed and vorn-run given that seed draw alike: the levels,
// the twenty runs and the bands of 1,000 runs are the same numbers.
TEST_F(VornRun, TheSeedRepeatsTheWindowsHeldDraws) {
    const std::string file =
        (std::filesystem::path(__FILE__).parent_path() / "data/twenty_items.txt").string();
    testing::ScriptedPlatform platform;
    Trends window(platform);
    window.Form_Load();
    ASSERT_TRUE(loadscenario(window, file));
    window.mnuHoldRandomDraws_Click();
    const std::string seed = std::to_string(*window.comparison().heldSeed());

    const ToolRun one = run({"-f", "json", "-s", seed, file});
    ASSERT_EQ(one.status, 0) << one.err;
    expectNear(rows(one.out, "levels"), window.lastProjection().levels);

    window.lastc2 = 3;
    window.iter = 20;
    window.YearbyYear(window.cats);
    const ToolRun twenty = run({"-f", "json", "-r", "20", "-t", "3", "-s", seed, file});
    expectNear(rows(twenty.out, "spread"), window.lastProjection().trackedLevels);

    window.mnuUncertaintyBands_Click();
    const UncertaintyBands& bands = window.analyses().bands();
    const ToolRun thousand = run({"-f", "json", "-r", "1000", "-t", "3", "-s", seed, file});
    for (std::size_t b = 0; b < kBandNames.size(); ++b) {
        SCOPED_TRACE(kBandNames[b]);
        expectNear({numbers(valueOf(thousand.out, std::string(kBandNames[b])))},
                   bands.percent.bands[b]);
    }
}

TEST_F(VornRun, ReferencePrintsTheDifferenceOfItemsMatchedByName) {
    const std::string file = twoItems();
    // The other file names its items the other way round: B is its first item, A its second.
    const std::string other = m_folder.write("other.txt", testing::twoItemText("B", "C", "3"));
    const auto json = [&](const std::string& path) {
        return run({"-f", "json", "-u", "0", "-s", "4", path}).out;
    };
    const Matrix mine = rows(json(file), "levels");
    const Matrix theirs = rows(json(other), "levels");

    const ToolRun csv = run({"-u", "0", "-s", "4", "--reference", other, file});
    ASSERT_EQ(csv.status, 0) << csv.err;
    EXPECT_EQ(csv.err, "vorn-run: not in " + other + ", left out of the difference: A\n" +
                           "vorn-run: only in " + other + ", left out of the difference: C\n");
    std::istringstream lines(csv.out);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "year,B");
    for (int p = 0; p < kPoints; ++p) {
        ASSERT_TRUE(std::getline(lines, line));
        const double difference = std::stod(line.substr(line.find(',') + 1));
        const double want = mine[1][p] - theirs[0][p];
        EXPECT_NEAR(difference, want, 1e-12 * (1 + std::abs(want))) << line;
    }
    EXPECT_FALSE(std::getline(lines, line));
    EXPECT_EQ(run({"-u", "0", "-s", "4", "--reference", other, "--table", "reference", file}).out,
              run({"-u", "0", "-s", "4", other}).out);

    const ToolRun compared = run({"-f", "json", "-s", "4", "--reference", other, file});
    ASSERT_EQ(compared.status, 0) << compared.err;
    EXPECT_NE(compared.out.find("  \"influence\": [\n"), npos);
    EXPECT_NE(compared.out.find("\n  \"loops\": ["), npos);
    EXPECT_NE(compared.out.find("},\n  \"difference\": {\n    \"reference\": \"" + other +
                                "\",\n    \"items\": [\"B\"],\n    \"notMatched\": [\"A\", "
                                "\"C\"],\n    \"values\": [\n"),
              npos)
        << compared.out;
    EXPECT_EQ(std::ranges::count(compared.out, '{') - std::ranges::count(compared.out, '}'), 0);
    EXPECT_EQ(compared.out.substr(compared.out.size() - 8), "]\n  }\n}\n");

    // A scenario against itself differs by nothing, however uncertain.
    const ToolRun same = run({"-u", "10", "-r", "5", "--reference", file, file});
    EXPECT_EQ(same.out.rfind("year,A,B\n2000,0,0\n", 0), 0u);
    EXPECT_EQ(same.out.find_first_not_of("year,AB\n0123456789"), npos) << same.out;
    EXPECT_TRUE(same.err.empty());

    const ToolRun missing = run({"--reference", m_folder.path("none.txt"), file});
    EXPECT_EQ(missing.status, kExitFailure);
    EXPECT_NE(missing.err.find(m_folder.path("none.txt")), npos);
}

TEST_F(VornRun, CsvTablesHaveTheirShapesAndQuoteNames) {
    const std::string file = twoItems("Food, Water", " Rain");
    const auto csv = [&](const std::string& table, const std::string& runs = "3") {
        return run({"-r", runs, "-s", "9", "--table", table, file}).out;
    };
    const auto lineCount = [](const std::string& text) { return std::ranges::count(text, '\n'); };
    const std::string levels = csv("levels");
    EXPECT_EQ(levels.rfind("year,\"Food, Water\",\" Rain\"\n2000,1,1\n", 0), 0u);
    EXPECT_EQ(lineCount(levels), 22);
    const std::string contributions = csv("contributions");
    EXPECT_EQ(contributions.rfind("item,\"Food, Water\",\" Rain\"\n\"Food, Water\",", 0), 0u);
    EXPECT_NE(contributions.find("\nUncertainty,"), npos);
    EXPECT_EQ(lineCount(contributions), 4);
    EXPECT_EQ(csv("netgrowth"), "item,netGrowth\n\"Food, Water\",3\n\" Rain\",-1\n");
    EXPECT_EQ(csv("bands").rfind("year,p5,p25,p50,p75,p95\n2000,1,1,1,1,1\n", 0), 0u);
    EXPECT_EQ(lineCount(csv("bands")), 22);
    const std::string influence = csv("influence");
    EXPECT_EQ(influence.rfind("item,influence,dependence,indirectInfluence,indirectDependence\n"
                              "\"Food, Water\",1,2,1.242640687",
                              0),
              0u);
    EXPECT_EQ(lineCount(influence), 3);
    EXPECT_EQ(csv("loops").rfind("loop,kind,length,strength,items\n"
                                 "B1,balancing,2,1.414213562",
                                 0),
              0u);
    EXPECT_NE(csv("loops").find(",\"Food, Water ->  Rain -> Food, Water\"\n"), npos);
    EXPECT_EQ(
        csv("sensitivity").rfind("row,column,effect\n\"Food, Water\",\"Food, Water\",0.89", 0), 0u);
    // Thousands of runs: a megabyte of text, written in blocks, none lost.
    const std::string spread = csv("spread", "3000");
    EXPECT_NE(spread.find(",run 2999,run 3000\n2000,1,1,"), npos);
    EXPECT_EQ(lineCount(spread), 22);
    EXPECT_EQ(std::ranges::count(spread, ','), 22 * 3000);
}

TEST_F(VornRun, JsonEscapesNamesAndWritesOverflowAsNull) {
    const std::string file = twoItems("back\\slash", "M\xC3\xBCll\ttax", "1E300");
    const ToolRun r = run({"-f", "json", "-r", "3", "-u", "0", "-s", "1", file});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(valueOf(r.out, "items"), "[\"back\\\\slash\", \"M\xC3\xBCll\\ttax\"],");
    EXPECT_FALSE(std::isnan(rows(r.out, "levels")[0][1]));
    EXPECT_TRUE(std::isnan(rows(r.out, "levels")[0][20]));
    EXPECT_TRUE(std::isnan(rows(r.out, "spread")[2][20]));
    EXPECT_TRUE(std::isnan(numbers(valueOf(r.out, "p50"))[20]));
    EXPECT_NE(r.out.find("\"column\": \"back\\\\slash\", \"effect\": null}"), npos);
}

TEST_F(VornRun, ScenarioWithoutItemsGivesEmptyTables) {
    const std::string file =
        m_folder.write("empty.txt", "0\r\n\"Trend Matrix\"\r\n0\r\n0\r\n\"Policy Matrix\"\r\n");
    const std::string json = run({"-f", "json", "-r", "5", file}).out;
    EXPECT_NE(json.find("\"values\": [\n      []\n    ]\n  },\n  \"spread\": [],\n"), npos);
    EXPECT_EQ(valueOf(json, "track") + valueOf(json, "p50"), "null,[],");
    EXPECT_EQ(run({"--table", "bands", file}).out, "year,p5,p25,p50,p75,p95\n");
    EXPECT_NE(json.find("\"sensitivity\": [],\n  \"influence\": [],\n"), npos);
    EXPECT_NE(json.find("  \"loops\": [],\n  \"loopSearch\": {\"found\": 0, \"complete\": true"),
              npos);
    EXPECT_EQ(run({"--table", "sensitivity", file}).out + run({"--table", "influence", file}).out +
                  run({"--table", "loops", file}).out,
              "row,column,effect\nitem,influence,dependence,indirectInfluence,indirectDependence\n"
              "loop,kind,length,strength,items\n");
}

// Sensitivity: every entry once, largest absolute effect first, computed without
// fluctuations for the tracked item and the policies as they apply.
TEST_F(VornRun, SensitivityFollowsTrackPolicyAndHorizonButNotUncertainty) {
    const std::string file = twoItems();
    const auto table = [&](std::vector<std::string> args) {
        args.insert(args.end(), {"--table", "sensitivity", file});
        return run(args).out;
    };
    const std::string plain = table({});
    std::istringstream lines(plain);
    std::string line;
    std::getline(lines, line);
    std::vector<std::string> entries;
    double previous = HUGE_VAL;
    while (std::getline(lines, line)) {
        entries.push_back(line.substr(0, line.rfind(',')));
        const double effect = std::stod(line.substr(line.rfind(',') + 1));
        EXPECT_LE(std::abs(effect), previous) << line;
        previous = std::abs(effect);
    }
    std::ranges::sort(entries);
    EXPECT_EQ(entries, (std::vector<std::string>{"A,A", "A,B", "B,A", "B,B"}));

    EXPECT_EQ(table({"-u", "7", "-r", "5"}), plain);
    EXPECT_NE(table({"-p"}), plain);  // the Policy Matrix adds to B's growth going forwards
    EXPECT_EQ(table({"-p", "-H", "-1"}), table({"-H", "-1"}));
    EXPECT_NE(table({"-t", "2"}), plain);
}

TEST_F(VornRun, UnreadableScenarioExitsOneNamingTheFile) {
    const std::string damaged = testing::twoItemText().substr(0, 60);
    for (const std::string& file :
         {m_folder.path("no such file.txt"), m_folder.write("cut short.txt", damaged)}) {
        const ToolRun r = run({file});
        EXPECT_EQ(r.status, kExitFailure);
        EXPECT_NE(r.err.find(file), npos) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
}

TEST_F(VornRun, OutputFileIsReplacedWholeOrReportedUnwritable) {
    const std::string file = twoItems();
    const std::string real = m_folder.write("real.csv", "old\n");
    const std::string link = m_folder.path("link.csv");
    std::filesystem::create_symlink(real, link);
    const ToolRun toFile = run({"-f", "json", "-s", "5", "-r", "4", "-o", link, file});
    ASSERT_EQ(toFile.status + toFile.out.size(), 0u) << toFile.err;
    EXPECT_EQ(testing::readWhole(real), run({"-f", "json", "-s", "5", "-r", "4", file}).out);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    ASSERT_EQ(run({"--table", "netgrowth", "-o", real, file}).status, 0);
    EXPECT_EQ(testing::readWhole(link), "item,netGrowth\nA,3\nB,-1\n");
    using Files = std::filesystem::directory_iterator;
    EXPECT_EQ(std::distance(Files(m_folder.path("")), Files{}), 3);  // no temporary file left

    // Refused without waiting for a reader or replacing anything.
    const std::string pipe = m_folder.path("pipe.csv");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::string readOnly = m_folder.write("read-only.csv", "old\n");
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
    const std::string dangling = m_folder.path("dangling.csv");
    std::filesystem::create_symlink(m_folder.path("gone.csv"), dangling);
    const std::pair<std::string, std::string> refused[] = {
        {m_folder.path("no folder/out.csv"),
         "the folder \"" + m_folder.path("no folder") + "\" does not exist"},
        {"/dev/full", "it is a device"},
        {pipe, "it is a named pipe (FIFO)"},
        {readOnly, "it is read-only"},
        {dangling, "it is a symbolic link that leads nowhere"}};
    for (const auto& [target, reason] : refused) {
        for (const char* option : {"-o", "--chart"}) {
            const ToolRun r = run({option, target, file}, pictures());
            EXPECT_EQ(r.status, kExitFailure);
            EXPECT_NE(r.err.find("cannot write " + target + ": " + reason), npos) << r.err;
        }
    }
    EXPECT_EQ(testing::readWhole(readOnly), "old\n");
    EXPECT_TRUE(std::filesystem::is_fifo(pipe) && std::filesystem::is_symlink(dangling));
}

// A disk that fills up while the numbers or the charts are written: exit 1 with the reason,
// and the earlier files byte for byte as they were.
TEST_F(VornRun, AFullDiskLeavesEarlierOutputsWhole) {
    const std::string file = twoItems();
    const std::string numbers = m_folder.write("numbers.json", "earlier numbers");
    const std::string charts = m_folder.write("charts.svg", "earlier charts");
    for (const WriteFault fault : {WriteFault{0}, WriteFault{100}, WriteFault{0, ENOSPC, true}}) {
        injectWriteFault(fault);
        const ToolRun json = run({"-f", "json", "-r", "50", "-o", numbers, file});
        const ToolRun drawn = run({"--chart", charts, file}, pictures());
        injectWriteFault(std::nullopt);
        for (const auto& [r, path] : {std::pair(json, numbers), std::pair(drawn, charts)}) {
            EXPECT_EQ(r.status, kExitFailure);
            EXPECT_NE(r.err.find("cannot write " + path + ": "), npos) << r.err;
            EXPECT_NE(r.err.find("No space left on device"), npos) << r.err;
        }
    }
    EXPECT_EQ(testing::readWhole(numbers), "earlier numbers");
    EXPECT_EQ(testing::readWhole(charts), "earlier charts");
    using Files = std::filesystem::directory_iterator;
    EXPECT_EQ(std::distance(Files(m_folder.path("")), Files{}), 3);
}

// The drawing is asked for the type the name's extension gives, and its bytes are written.
TEST_F(VornRun, ChartsAreWrittenFromTheDrawingOrReportedUndrawn) {
    const std::string path = m_folder.path("Charts.SVG");
    ASSERT_EQ(run({"--chart", path, twoItems()}, pictures()).status, kExitSuccess);
    EXPECT_EQ(testing::readWhole(path), std::string(5000, 's'));
    const ToolRun failed =
        run({"--chart", "c.png", twoItems()},
            [](const std::string&, const BatchResult&, std::string*, std::string* error) {
                *error = "the PNG drawing could not be made";
                return false;
            });
    EXPECT_EQ(failed.status, kExitFailure);
    EXPECT_NE(failed.err.find("cannot write c.png: the PNG drawing could not be made"), npos);
    EXPECT_EQ(run({"--chart", "c.png", twoItems()}).status, kExitFailure);  // no drawer
}

}  // namespace
}  // namespace vorn::batch
