#include "scenario_files/export_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "scenario_files/atomic_file.h"
#include "scenario_files/file_commands.h"
#include "shell/trends.h"
#include "support/scripted_platform.h"
#include "tools/scenario_fixture.h"
#include "vorn_run/vorn_run.h"

namespace vorn {
namespace {

namespace fs = std::filesystem;

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Everything an export must leave alone (a revision counts every change of a table).
auto snapshot(const Trends& window) {
    std::string texts;
    for (int control = 0; control < kControlCount; ++control) {
        texts += window.text(static_cast<Control>(control)) + '\n';
    }
    return std::tuple(window.tables.trend.revision(), window.tables.totals.revision(),
                      window.tables.policy.revision(), texts, window.stacking(), window.iter,
                      window.Policy, window.lastr1, window.lastc1, window.lastc2,
                      window.projectionCount(), window.chartData(Control::mscTrends),
                      window.chartData(Control::MscXImpacts), window.chartData(Control::MscVary));
}

class ExportCommands : public ::testing::Test {
  protected:
    ExportCommands() : window(platform, RandomSource(3)) { window.Form_Load(); }

    std::vector<std::string> files() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder.path(""))) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string message() const {
        return platform.messages.size() == 1
                   ? platform.messages[0].second
                   : std::to_string(platform.messages.size()) + " messages";
    }

    testing::TempFolder folder;
    testing::ScriptedPlatform platform;
    Trends window;
};

// Without uncertainty the window and vorn-run project the same numbers, and every table the
// window exports is byte for byte what vorn-run prints for it. The file is hand-edited: item 1
// is named with double quotes, and item 2's row is headed Clouds, its column Rain; the
// contributions are named by the rows' headers.
TEST_F(ExportCommands, AllTablesAreWrittenBesideEachOtherAsVornRunPrintsThem) {
    std::string text = testing::twoItemText("@", "Rain ", "1.25");
    for (std::size_t at; (at = text.find("\"@\"")) != std::string::npos;) {
        text.replace(at, 3, "Say \"hi\"");
    }
    text.replace(text.find("\"Rain \"", text.find("\"Rain \"") + 1), 7, "Clouds");
    const std::string scenario = folder.write("scenario.txt", text);
    ASSERT_TRUE(loadscenario(window, scenario));
    window.HScrollUncert_Change(0);
    const auto before = snapshot(window);
    platform.saveAnswers = {folder.path("Results.CSV")};
    mnuExportData_Click(window);

    EXPECT_TRUE(snapshot(window) == before);
    EXPECT_TRUE(platform.messages.empty()) << message();
    const FileDialogRequest& request = platform.saveRequests.at(0);
    EXPECT_EQ(request.proposedName + " | " + request.title, "Results | export data");
    ASSERT_EQ(request.filters.size(), 5u);
    EXPECT_EQ(request.filters[0].description + " " + request.filters[0].pattern,
              "all tables, one file each *.csv");
    EXPECT_FALSE(request.filters[0].confirmReplace);
    EXPECT_EQ(files(), (std::vector<std::string>{"Results-contributions.csv", "Results-levels.csv",
                                                 "Results-netgrowth.csv", "Results-spread.csv",
                                                 "scenario.txt"}));
    for (const char* table : {"levels", "contributions", "spread", "netgrowth"}) {
        std::ostringstream out, err;
        ASSERT_EQ(batch::runVornRun({"-u", "0", "--table", table, scenario}, out, err, {}), 0);
        EXPECT_EQ(readBytes(folder.path("Results-" + std::string(table) + ".csv")), out.str())
            << table;
    }
    EXPECT_EQ(readBytes(folder.path("Results-netgrowth.csv")),
              "item,netGrowth\n\"Say \"\"hi\"\"\",3.25\n\"Rain \",-1\n");
    const std::string contributions = readBytes(folder.path("Results-contributions.csv"));
    EXPECT_EQ(contributions.rfind("item,\"Say \"\"hi\"\"\",Clouds\n\"Say \"\"hi\"\"\",", 0), 0u)
        << contributions;
    EXPECT_NE(contributions.find("\nClouds,"), std::string::npos) << contributions;
}

// The bands while they are on and the tables of the open analysis windows are offered after
// the others, and written byte for byte as vorn-run prints them: without fluctuations every
// band is the projection itself.
TEST_F(ExportCommands, ShownAnalysesAddTheirTablesAsVornRunPrintsThem) {
    const std::string scenario =
        folder.write("scenario.txt", testing::twoItemText("Food, Water", "Rain ", "1.25"));
    ASSERT_TRUE(loadscenario(window, scenario));
    window.HScrollUncert_Change(0);
    const auto vornRun = [&](const char* table) {
        std::ostringstream out, err;
        EXPECT_EQ(batch::runVornRun({"-u", "0", "--table", table, scenario}, out, err, {}), 0);
        return out.str();
    };
    const auto offered = [this](std::size_t request) {
        std::string titles;
        for (const FileFilter& filter : platform.saveRequests.at(request).filters) {
            titles += filter.description + "|";
        }
        return titles;
    };

    window.mnuSensitivity_Click();
    platform.saveAnswers = {folder.path("effects.csv")};
    platform.saveFilterAnswers = {6};
    mnuExportData_Click(window);
    EXPECT_EQ(offered(0),
              "all tables, one file each|levels table|contributions table|spread table|"
              "Net Growth table|sensitivity table|");
    EXPECT_EQ(readBytes(folder.path("effects.csv")), vornRun("sensitivity"));

    window.mnuUncertaintyBands_Click();
    window.mnuInfluenceMap_Click();
    window.mnuLoopDiagram_Click();
    platform.saveAnswers = {folder.path("All")};
    platform.saveFilterAnswers = {1};
    mnuExportData_Click(window);
    EXPECT_TRUE(platform.messages.empty()) << message();
    EXPECT_EQ(platform.saveRequests.at(1).filters.size(), 9u);
    for (const char* table : {"levels", "bands", "sensitivity", "influence", "loops"}) {
        EXPECT_EQ(readBytes(folder.path("All-" + std::string(table) + ".csv")), vornRun(table))
            << table;
    }
    EXPECT_EQ(readBytes(folder.path("All-loops.csv"))
                  .rfind("loop,kind,length,strength,items\nB1,balancing,2,1.414213562", 0),
              0u);
    window.analysisClosed(AnalysisView::LoopDiagram);

    window.analysisClosed(AnalysisView::Sensitivity);
    window.mnuUncertaintyBands_Click();
    platform.saveAnswers = {std::nullopt};
    mnuExportData_Click(window);
    EXPECT_EQ(offered(2),
              "all tables, one file each|levels table|contributions table|spread table|"
              "Net Growth table|influence table|");
}

// The selected file type picks the table; a name without extension gets .csv, a cancelled
// or empty answer writes nothing.
TEST_F(ExportCommands, OneTableGoesToTheChosenFile) {
    const auto before = snapshot(window);
    platform.saveAnswers = {std::nullopt, std::string(), folder.path("growth"),
                            folder.path("levels.txt")};
    platform.saveFilterAnswers = {1, 1, 5, 2};
    mnuExportData_Click(window);
    mnuExportData_Click(window);
    EXPECT_TRUE(files().empty());
    mnuExportData_Click(window);
    mnuExportData_Click(window);

    EXPECT_TRUE(snapshot(window) == before);
    EXPECT_TRUE(platform.messages.empty()) << message();
    EXPECT_EQ(files(), (std::vector<std::string>{"growth.csv", "levels.txt"}));
    EXPECT_EQ(readBytes(folder.path("growth.csv")).substr(0, 24), "item,netGrowth\nItem  1,0");
    const std::string levels = readBytes(folder.path("levels.txt"));
    EXPECT_EQ(levels.substr(0, levels.find('\n')),
              "year,Item  1,Item  2,Item  3,Item  4,Item  5,Item  6,Item  7,Item  8");
    EXPECT_EQ(std::count(levels.begin(), levels.end(), '\n'), 22);
}

// A table that cannot be written leaves every earlier file as it was, including the tables
// before it in the same export, and says which file failed.
TEST_F(ExportCommands, AFailedExportWritesNoTable) {
    std::ofstream(folder.path("R-levels.csv")) << "earlier levels";
    fs::create_directory(folder.path("R-spread.csv"));
    platform.saveAnswers = {folder.path("R"), folder.path("no folder/levels.csv")};
    platform.saveFilterAnswers = {1, 2};
    platform.replaceAnswers = {true};
    mnuExportData_Click(window);
    EXPECT_EQ(message(), "The tables could not be exported to \"" + folder.path("R-spread.csv") +
                             "\": it is a folder. No table was written; earlier files are "
                             "unchanged.");
    EXPECT_EQ(files(), (std::vector<std::string>{"R-levels.csv", "R-spread.csv"}));
    EXPECT_EQ(readBytes(folder.path("R-levels.csv")), "earlier levels");

    platform.messages.clear();
    mnuExportData_Click(window);
    EXPECT_EQ(message(), "The levels table could not be exported to \"" +
                             folder.path("no folder/levels.csv") + "\": the folder \"" +
                             folder.path("no folder") +
                             "\" does not exist. Any earlier file of that name is unchanged.");

    // A disk that fills up while the last of all tables is written: the same tables written
    // beside as S-*.csv tell how far the writing gets.
    fs::remove(folder.path("R-spread.csv"));
    platform.messages.clear();
    platform.saveAnswers = {folder.path("S"), folder.path("R")};
    platform.saveFilterAnswers = {1, 1};
    platform.replaceAnswers = {true};
    mnuExportData_Click(window);
    std::size_t allButLast = 0;
    for (const char* table : {"levels", "contributions", "spread"}) {
        allButLast += readBytes(folder.path("S-" + std::string(table) + ".csv")).size();
        fs::remove(folder.path("S-" + std::string(table) + ".csv"));
    }
    fs::remove(folder.path("S-netgrowth.csv"));
    injectWriteFault(WriteFault{allButLast + 10});
    mnuExportData_Click(window);
    injectWriteFault(std::nullopt);
    EXPECT_EQ(message(), "The tables could not be exported to \"" + folder.path("R-netgrowth.csv") +
                             "\": writing failed (No space left on device). No table was "
                             "written; earlier files are unchanged.");
    EXPECT_EQ(files(), std::vector<std::string>{"R-levels.csv"});
    EXPECT_EQ(readBytes(folder.path("R-levels.csv")), "earlier levels");
}

// The Save dialog asks about the name typed, which all tables do not write: the tables that
// would replace earlier files are asked about before anything is written.
TEST_F(ExportCommands, AllTablesAskBeforeReplacingEarlierFiles) {
    for (const char* name : {"R-levels.csv", "R-spread.csv", "R-contributions.csv"}) {
        std::ofstream(folder.path(name)) << "earlier";
    }
    platform.saveAnswers = {folder.path("R.csv"), folder.path("R.csv")};
    platform.saveFilterAnswers = {1, 1};
    platform.replaceAnswers = {false, true};
    mnuExportData_Click(window);
    EXPECT_EQ(platform.replaceQuestions.at(0),
              "R-levels.csv, R-contributions.csv and R-spread.csv already exist. Replace them?");
    EXPECT_EQ(files(),
              (std::vector<std::string>{"R-contributions.csv", "R-levels.csv", "R-spread.csv"}));
    EXPECT_EQ(readBytes(folder.path("R-levels.csv")), "earlier");

    mnuExportData_Click(window);
    EXPECT_EQ(platform.replaceQuestions.size(), 2u);
    EXPECT_EQ(files().size(), 4u);
    EXPECT_EQ(readBytes(folder.path("R-levels.csv")).substr(0, 5), "year,");
    EXPECT_TRUE(platform.messages.empty()) << message();
}

// The charts go to the chosen file, drawn from what the window shows: its chart data,
// captions and item names, in the type the name's extension or the chosen filter gives. A
// drawing that fails, or a disk that fills up while it is written, leaves an earlier file
// byte for byte as it was and says so.
TEST_F(ExportCommands, ChartsAreDrawnIntoTheChosenFileOrReportedUnwritten) {
    window.MSFlexXImpact().setText(2, 0, "Food");
    window.YearbyYear(window.cats);
    window.setText(Control::TextVary, "Spread in Annual Levels for Food");
    const auto before = snapshot(window);
    const std::string earlier = folder.write("handout.svg", "earlier");
    platform.saveAnswers = {std::nullopt,
                            folder.path("handout"),
                            folder.path("notes.v2"),
                            folder.path("slides.PDF"),
                            earlier,
                            earlier};
    platform.saveFilterAnswers = {1, 1, 2, 3, 1, 1};
    platform.chartFailures = {false, false, false, true, false};
    for (int click = 0; click < 5; ++click) {
        mnuExportCharts_Click(window);
    }
    EXPECT_EQ(message(), "The charts could not be exported to \"" + earlier +
                             "\": the charts could not be drawn. Any earlier file of that name "
                             "is unchanged.");
    platform.messages.clear();
    injectWriteFault(WriteFault{3});
    mnuExportCharts_Click(window);
    injectWriteFault(std::nullopt);
    EXPECT_EQ(message(), "The charts could not be exported to \"" + earlier +
                             "\": writing failed (No space left on device). Any earlier file "
                             "of that name is unchanged.");

    EXPECT_TRUE(snapshot(window) == before);
    const FileDialogRequest& request = platform.saveRequests.at(0);
    EXPECT_EQ(request.title + " " + request.filters.at(0).pattern + request.filters.at(1).pattern +
                  request.filters.at(2).pattern,
              "export charts *.png*.svg*.pdf");
    EXPECT_EQ(files(), (std::vector<std::string>{"handout.png", "handout.svg", "notes.v2.svg",
                                                 "slides.PDF"}));
    EXPECT_EQ(readBytes(earlier), "earlier");
    EXPECT_EQ(readBytes(folder.path("handout.png")), "charts png");
    EXPECT_EQ(readBytes(folder.path("slides.PDF")), "charts pdf");
    ASSERT_EQ(platform.drawnCharts.size(), 5u);
    const ChartPicture& picture = platform.drawnCharts[0].second;
    EXPECT_EQ(picture.levels, window.chartData(Control::mscTrends));
    EXPECT_EQ(picture.spread, window.chartData(Control::MscVary));
    EXPECT_EQ(picture.itemNames.at(1), "Food");
    EXPECT_EQ(
        picture.trendsCaption + "|" + picture.contributionsCaption + "|" + picture.spreadCaption,
        "Scenario Trends- Forecast to  2040|Contributions to Change in  2040|Spread in "
        "Annual Levels for Food");
    EXPECT_TRUE(picture.bands.empty());
}

// With the bands shown, the exported Spread chart carries the same bands and legend as the
// window's, worked out even if the chart has not been drawn since the last change.
TEST_F(ExportCommands, ChartsCarryTheBandsTheWindowShows) {
    window.mnuUncertaintyBands_Click();
    platform.saveAnswers = {folder.path("bands.svg")};
    platform.saveFilterAnswers = {2};
    mnuExportCharts_Click(window);

    ASSERT_EQ(platform.drawnCharts.size(), 1u);
    const ChartPicture& picture = platform.drawnCharts[0].second;
    EXPECT_EQ(picture.bands.runs, kBandRuns);
    EXPECT_EQ(picture.bands.median(), window.analyses().bands().median());
    EXPECT_EQ(picture.bandNames, window.analyses().bandNames());
    EXPECT_FALSE(picture.bandNames[0].empty());
}

// While a reference is set, its levels and the difference from them are offered after the
// others, written as vorn-run --reference prints them; the exported Scenario Trends chart
// carries the reference as the window draws it.
TEST_F(ExportCommands, AReferenceAddsItsTablesAndItsLinesToTheCharts) {
    const std::string other =
        folder.write("other.txt", testing::twoItemText("Food, Water", "Rain ", "0.5"));
    const std::string scenario =
        folder.write("scenario.txt", testing::twoItemText("Food, Water", "Rain ", "1.25"));
    window.HScrollUncert_Change(0);
    ASSERT_TRUE(loadscenario(window, other));
    window.mnuSetReference_Click();
    ASSERT_TRUE(loadscenario(window, scenario));
    const auto vornRun = [&](const char* table) {
        std::ostringstream out, err;
        EXPECT_EQ(batch::runVornRun({"-u", "0", "--reference", other, "--table", table, scenario},
                                    out, err, {}),
                  0);
        return out.str();
    };
    platform.saveAnswers = {folder.path("R")};
    platform.saveFilterAnswers = {1};
    mnuExportData_Click(window);
    EXPECT_TRUE(platform.messages.empty()) << message();
    std::string titles;
    for (const FileFilter& filter : platform.saveRequests.at(0).filters) {
        titles += filter.description + "|";
    }
    EXPECT_EQ(titles,
              "all tables, one file each|levels table|contributions table|spread table|"
              "Net Growth table|reference table|difference table|");
    for (const char* table : {"reference", "difference"}) {
        EXPECT_EQ(readBytes(folder.path("R-" + std::string(table) + ".csv")), vornRun(table))
            << table;
    }
    // Food, Water grows by 0.75 percentage points a year more: 0.015 in the first two years.
    EXPECT_EQ(readBytes(folder.path("R-difference.csv")).substr(0, 45),
              "year,\"Food, Water\",\"Rain \"\n2000,0,0\n2002,0.01");

    platform.saveAnswers = {folder.path("charts.svg")};
    mnuExportCharts_Click(window);
    ASSERT_EQ(platform.drawnCharts.size(), 1u);
    const ChartPicture& picture = platform.drawnCharts[0].second;
    ASSERT_EQ(picture.comparisons.size(), 1u);
    EXPECT_EQ(picture.comparisons[0].name, "Reference");
    EXPECT_EQ(picture.comparisons[0].lines.size(), 2u);

    window.mnuClearReference_Click();
    platform.saveAnswers = {std::nullopt};
    mnuExportData_Click(window);
    EXPECT_EQ(platform.saveRequests.back().filters.size(), 5u);
}

}  // namespace
}  // namespace vorn
