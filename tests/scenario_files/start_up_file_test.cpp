#include "scenario_files/start_up_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "scenario_files/file_commands.h"
#include "scenario_files/scenario_file.h"
#include "shell/trends.h"
#include "support/scripted_platform.h"
#include "support/temp_folder.h"

namespace vorn {
namespace {

namespace fs = std::filesystem;

const fs::path kExamples = fs::path(VORN_SOURCE_EXAMPLES_DIR).lexically_normal();

// Two windows started alike: one opens a file named on the command line, the other the same
// file through File > Open.
class StartUpFile : public ::testing::Test {
  protected:
    StartUpFile() : window(platform, RandomSource(7)), opened(openPlatform, RandomSource(7)) {
        window.Form_Load();
        opened.Form_Load();
    }

    std::string scenario(const Trends& trends) const {
        return formatScenario(trends.tables, trends.cats);
    }
    void expectBlankScenario() {
        testing::ScriptedPlatform blankPlatform;
        Trends blank(blankPlatform, RandomSource(7));
        blank.Form_Load();
        EXPECT_EQ(scenario(window), scenario(blank));
        EXPECT_EQ(window.text(Control::MatrixFile), "Input File");
        EXPECT_EQ(window.projectionCount(), blank.projectionCount());
    }

    testing::ScriptedPlatform platform;
    testing::ScriptedPlatform openPlatform;
    Trends window;
    Trends opened;
};

TEST_F(StartUpFile, WithoutArgumentsOrWithAnEmptyNameTheBlankScenarioStays) {
    openStartUpFile(window, {});
    expectBlankScenario();
    openStartUpFile(window, {""});
    expectBlankScenario();
    EXPECT_TRUE(platform.messages.empty());
}

// A relative name with a detour: the caption names the file by its full path, as after Open.
TEST_F(StartUpFile, OpensTheFileAsFileOpenDoes) {
    const fs::path file = kExamples / "PredatorPrey.txt";
    const fs::path detour =
        fs::relative(kExamples / ".." / kExamples.filename(), fs::current_path());
    openStartUpFile(window, {(detour / "PredatorPrey.txt").string()});
    openPlatform.openAnswers = {file.string()};
    mnuOpen_Click(opened);

    EXPECT_EQ(window.text(Control::MatrixFile), "Initial Scenario " + file.string());
    EXPECT_EQ(window.text(Control::MatrixFile), opened.text(Control::MatrixFile));
    EXPECT_EQ(scenario(window), scenario(opened));
    EXPECT_EQ(window.chartData(Control::mscTrends), opened.chartData(Control::mscTrends));
    EXPECT_EQ(window.MSFlexTotals().text(kNetGrowthRow, 2), "1");  // recalculated
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(StartUpFile, AFileThatCannotBeReadShowsItsMessageAndTheBlankScenarioStays) {
    const std::string missing = (kExamples / "no such scenario.txt").string();
    openStartUpFile(window, {missing});
    openPlatform.openAnswers = {missing};
    mnuOpen_Click(opened);

    expectBlankScenario();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages, openPlatform.messages);
}

// A name is bytes to the file system: one that is not UTF-8 (Latin-1 "café") opens as well.
TEST_F(StartUpFile, ANameThatIsNotUtf8Opens) {
    testing::TempFolder folder;
    const std::string name =
        folder.write("caf\xe9.txt", testing::readWhole((kExamples / "FirmGrowth.txt").string()));
    openStartUpFile(window, {name});
    openPlatform.openAnswers = {(kExamples / "FirmGrowth.txt").string()};
    mnuOpen_Click(opened);

    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(window.text(Control::MatrixFile), "Initial Scenario " + name);
    EXPECT_EQ(scenario(window), scenario(opened));
}

// Only one scenario fits the window: the first name is opened, the other one is named.
TEST_F(StartUpFile, AFurtherNameIsNotOpenedAndAMessageSaysSo) {
    const std::string first = (kExamples / "FirmGrowth.txt").string();
    openStartUpFile(window, {first, (kExamples / "Example1.txt").string()});

    EXPECT_EQ(window.text(Control::MatrixFile), "Initial Scenario " + first);
    ASSERT_EQ(platform.messages.size(), 1u);
    const std::string& text = platform.messages[0].second;
    EXPECT_NE(text.find("not opened: \"" + (kExamples / "Example1.txt").string() + "\"."),
              std::string::npos)
        << text;
}

}  // namespace
}  // namespace vorn
