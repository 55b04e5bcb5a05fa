#include "scenario_files/file_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>

#include "scenario_files/export_commands.h"
#include "scenario_files/scenario_file.h"
#include "shell/trends.h"
#include "support/started_window.h"
#include "support/temp_folder.h"

namespace vorn {
namespace {

namespace fs = std::filesystem;

std::string described(const FileDialogRequest& request) {
    std::string out = request.proposedName + " | " + request.title;
    for (const FileFilter& filter : request.filters) {
        out += " | " + filter.description + " " + filter.pattern;
    }
    return out + " | " + std::to_string(request.selectedFilter);
}

// Everything a failed or cancelled command leaves alone (a revision counts every change).
auto snapshot(const Trends& window) {
    return std::tuple(window.tables.trend.revision(), window.tables.totals.revision(),
                      window.tables.policy.revision(), window.cats.value, window.cats.heldAsText,
                      window.cats.text, window.text(Control::MatrixFile), window.projectionCount(),
                      window.chartData(Control::mscTrends), window.chartData(Control::MscXImpacts),
                      window.chartData(Control::MscVary));
}

class FileCommands : public testing::StartedWindow {
  protected:
    FileCommands() : StartedWindow(7) {}

    long fileCount() const {
        return std::distance(fs::directory_iterator(folder.path("")), fs::directory_iterator());
    }
    void expectOneMessage(const std::string& path, const std::string& reason) {
        ASSERT_EQ(platform.messages.size(), 1u);
        const std::string& text = platform.messages[0].second;
        EXPECT_TRUE(text.find('"' + path + '"') != text.npos && text.find(reason) != text.npos)
            << text;
    }

    testing::TempFolder folder;
};

TEST_F(FileCommands, OpenAsksForAFileThenLoadsAndProjectsIt) {
    const std::string path = (fs::path(VORN_SOURCE_EXAMPLES_DIR) / "PredatorPrey.txt").string();
    const auto before = snapshot(window);
    std::vector<std::string> captionsWhileUp;
    platform.whileFileDialogIsUp = [&] {
        captionsWhileUp.push_back(window.text(Control::MatrixFile));
    };
    platform.openAnswers = {std::nullopt, std::string(), path};  // cancelled twice, then chosen
    mnuOpen_Click(window);
    mnuOpen_Click(window);
    EXPECT_TRUE(snapshot(window) == before);
    mnuOpen_Click(window);

    EXPECT_EQ(captionsWhileUp, std::vector<std::string>(3, "Select Matrix File"));
    EXPECT_EQ(described(platform.openRequests.at(0)),
              "Example1 | open text file | text file *.txt | prn file *.prn | 1");
    EXPECT_TRUE(fs::is_directory(platform.openRequests[0].initialFolder));
    EXPECT_EQ(window.text(Control::MatrixFile), "Initial Scenario " + path);
    EXPECT_EQ(window.MSFlexTotals().text(kNetGrowthRow, 2), "1");  // Hares: 5 - 4, recalculated
    EXPECT_EQ(window.projectionCount(), std::get<7>(before) + 1);
}

// Saving changes only the label; a loaded file saves again as it was, but for the count,
// which the window then holds as text.
TEST_F(FileCommands, SaveWritesTheScenarioAndSaveLoadSaveGivesTheSameFile) {
    const std::string longName = "Renewable energy capacity (installed)";
    window.MSFlexXImpact().setText(0, 4, longName);
    window.MSFlexPolicy().setText(2, 2, "-0.75");
    window.YearbyYear(window.cats);
    auto before = snapshot(window);
    const std::string first = folder.path("Revised.txt");
    platform.saveAnswers = {std::nullopt, std::string(), folder.path("Revised"),
                            folder.path("second.txt")};
    mnusave_Click(window);  // cancelled
    mnusave_Click(window);  // no name given
    EXPECT_TRUE(snapshot(window) == before);
    EXPECT_EQ(fileCount(), 0);
    mnusave_Click(window);

    EXPECT_EQ(described(platform.saveRequests.at(2)),
              "Revised | save text file | text file *.txt | document file *.doc | 1");
    EXPECT_EQ(window.text(Control::MatrixFile), "Saved Scenario " + first);
    std::get<6>(before) = window.text(Control::MatrixFile);
    EXPECT_TRUE(snapshot(window) == before);
    const std::string firstBytes = testing::readWhole(first);
    EXPECT_EQ(firstBytes, formatScenario(window.tables, ItemCount::number(8)));

    window.mnuClear_Click();
    platform.openAnswers = {first};
    mnuOpen_Click(window);
    EXPECT_EQ(window.MSFlexTotals().text(0, 4), longName);
    mnusave_Click(window);
    EXPECT_EQ(testing::readWhole(folder.path("second.txt")), "\"8\"" + firstBytes.substr(1));
    EXPECT_TRUE(platform.messages.empty());
}

// Files that cannot be loaded leave the window exactly as it was, and a message says why.
// Save and the exports start in the user's Documents folder, or in the home folder when
// there is none.
TEST_F(FileCommands, SaveAndExportsProposeTheDocumentsFolderElseHome) {
    const std::string home = fs::path(folder.path("")).parent_path().string();
    const std::string kept = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
    ::setenv("HOME", home.c_str(), 1);
    for (const bool documents : {false, true}) {  // every dialog is cancelled
        if (documents) {
            fs::create_directory(folder.path("Documents"));
        }
        mnusave_Click(window);
        mnuExportData_Click(window);
        mnuExportCharts_Click(window);
    }
    kept.empty() ? ::unsetenv("HOME") : ::setenv("HOME", kept.c_str(), 1);
    std::vector<std::string> proposed;
    for (const FileDialogRequest& request : platform.saveRequests) {
        proposed.push_back(request.initialFolder);
    }
    const std::string documents = home + "/Documents";
    EXPECT_EQ(proposed,
              (std::vector<std::string>{home, home, home, documents, documents, documents}));
}

TEST_F(FileCommands, DamagedFilesLeaveTheWindowAsItWas) {
    const std::string start = "2\r\n\"Trend Matrix\"\r\n\"A\"\r\n\"B\"\r\n";  // 4 of 25 fields
    const std::tuple<std::string_view, std::string, const char*> files[] = {
        {"missing", "", "could not be opened"},
        {"folder", "", "is a folder"},
        {"empty", "", "is empty"},
        {"ends early", start, "ends after 4 of the 25 values"},
        {"count text", "\"eight\"\r\n", "whole number from 0 to 20, but holds \"eight\""},
        {"count fraction", "2.5 items\r\n", "but holds \"2.5 items\""},
        {"count negative", "-2 items\r\n", "but holds \"-2 items\""},
        {"count over 20", "21\r\n", "but holds \"21\""},
        {"count huge", "2000000000\r\n\"Trend Matrix\"\r\n", "but holds \"2000000000\""},
        {"NUL bytes", std::string("0\r\n\"\0\"\r\n0\r\n0\r\n\"\"\r\n", 16), "not a text file"},
        {"unclosed quote", start + "\"A\r\n", "line 5 holds a text that has no closing"},
        {"field too long", start + std::string(kMaxTextLength + 1, '7'),
         "line 5 holds a value longer than 4096 characters"}};
    for (const auto& [name, bytes, reason] : files) {
        SCOPED_TRACE(name);
        const fs::path path = folder.path(std::string(name));
        if (name == "folder") {
            fs::create_directory(path);
        } else if (name != "missing") {
            std::ofstream(path, std::ios::binary) << bytes;
        }
        const auto before = snapshot(window);
        platform.messages.clear();
        platform.openAnswers = {path.string()};
        mnuOpen_Click(window);
        EXPECT_TRUE(snapshot(window) == before);
        expectOneMessage(path.string(), reason);
    }
}

// A save that fails, refused for a text the file cannot hold or stopped part-way by a file
// size limit (which binds root too), leaves the earlier file whole and the label as it was;
// a pipe is not replaced by a file.
TEST_F(FileCommands, AFailedSaveLeavesTheEarlierFileWhole) {
    const std::string path = folder.path("mine.txt");
    std::ofstream(path, std::ios::binary) << "the earlier file";
    auto failToSave = [&](const std::string& reason) {
        const auto before = snapshot(window);
        platform.messages.clear();
        platform.saveAnswers = {path};
        mnusave_Click(window);
        EXPECT_TRUE(snapshot(window) == before);
        EXPECT_EQ(window.text(Control::MatrixFile).find("Saved Scenario"), std::string::npos);
        expectOneMessage(path, reason);
        EXPECT_EQ(testing::readWhole(path), "the earlier file");
        EXPECT_EQ(fileCount(), 1);
    };
    window.MSFlexXImpact().setText(0, 2, "Say \"cheese\"");
    failToSave(
        "the Trend Matrix cell in row 0, column 2, \"Say \"cheese\"\", holds a double quote");
    window.MSFlexXImpact().setText(0, 2, "Food");
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit limit{100, saved.rlim_max};
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limit);
    failToSave("writing failed");
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);

    // A named pipe stays a pipe, a read-only file and a link that leads nowhere stay as they
    // were: the save is refused with the reason.
    const std::string pipe = folder.path("pipe.txt");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const std::string readOnly = folder.write("read-only.txt", "the earlier file");
    ASSERT_EQ(chmod(readOnly.c_str(), 0444), 0);
    const std::string dangling = folder.path("dangling.txt");
    fs::create_symlink(folder.path("gone.txt"), dangling);
    for (const auto& [target, reason] :
         {std::pair(pipe, "it is a named pipe (FIFO), not a file"),
          std::pair(readOnly, "it is read-only"),
          std::pair(dangling, "it is a symbolic link that leads nowhere")}) {
        platform.messages.clear();
        platform.saveAnswers = {target};
        EXPECT_FALSE(mnusave_Click(window));
        expectOneMessage(target, reason);
    }
    EXPECT_TRUE(fs::is_fifo(pipe) && fs::is_symlink(dangling));
    EXPECT_EQ(testing::readWhole(readOnly), "the earlier file");
    EXPECT_EQ(fs::status(readOnly).permissions(), fs::perms(0444));
    EXPECT_EQ(fileCount(), 4);
}

// Open says why a file cannot be opened, in the message that names it.
TEST_F(FileCommands, OpenSaysWhyAFileCannotBeOpened) {
    const std::string dangling = folder.path("dangling.txt");
    fs::create_symlink(folder.path("gone.txt"), dangling);
    const std::string loop = folder.path("loop.txt");
    fs::create_symlink(loop, loop);
    const std::string pipe = folder.path("pipe.txt");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const std::string locked =
        folder.write("locked.txt", testing::readWhole(VORN_SOURCE_EXAMPLES_DIR "/Example1.txt"));
    ASSERT_EQ(chmod(locked.c_str(), 0), 0);
    const std::pair<std::string, std::string> files[] = {
        {folder.path("missing.txt"), "could not be opened: it does not exist."},
        {dangling, "could not be opened: it is a symbolic link that leads nowhere."},
        {loop, "could not be opened: it is a loop of symbolic links."},
        {pipe, "could not be opened: it is a named pipe (FIFO), not a file."},
        {locked, "could not be opened: Permission denied."}};
    const auto before = snapshot(window);
    for (const auto& [path, reason] : files) {
        platform.messages.clear();
        platform.openAnswers = {path};
        // Permissions bind root only when it acts as another user.
        const bool asNobody = path == locked && ::geteuid() == 0;
        ASSERT_TRUE(!asNobody || ::seteuid(65534) == 0);
        mnuOpen_Click(window);
        ASSERT_TRUE(!asNobody || ::seteuid(0) == 0);
        expectOneMessage(path, reason);
    }
    EXPECT_TRUE(snapshot(window) == before);
}

TEST_F(FileCommands, PrintingReportsAFailureAndNothingElse) {
    platform.printAnswers = {{PrintOutcome::Printed, ""},
                             {PrintOutcome::Cancelled, ""},
                             {PrintOutcome::Failed, "no printer is installed"}};
    mnuPrint_Click(window);
    mnuPrint_Click(window);
    mnuPrint_Click(window);
    ASSERT_EQ(platform.messages.size(), 1u);  // for the failure only
    EXPECT_EQ(platform.messages[0].second,
              "The window could not be printed: no printer is installed.");
}

}  // namespace
}  // namespace vorn
