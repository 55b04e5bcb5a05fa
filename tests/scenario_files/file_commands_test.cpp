#include "scenario_files/file_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#if defined(__unix__)
#include <sys/resource.h>

#include <csignal>
#endif

#include "scenario_files/atomic_file.h"
#include "scenario_files/scenario_file.h"
#include "shell/trends.h"
#include "support/scripted_platform.h"

namespace vorn {
namespace {

namespace fs = std::filesystem;

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string described(const FileDialogRequest& request) {
    std::string out = request.proposedName + " | " + request.title;
    for (const FileFilter& filter : request.filters) {
        out += " | " + filter.description + " " + filter.pattern;
    }
    return out + " | " + std::to_string(request.selectedFilter);
}

// Everything a failed or cancelled command must leave alone.
auto snapshot(const Trends& window) {
    std::vector<std::string> texts = {window.cats.text, std::to_string(window.cats.value),
                                      window.cats.heldAsText ? "as text" : "as number",
                                      window.text(Control::MatrixFile)};
    for (const CellTable* table :
         {&window.MSFlexXImpact(), &window.MSFlexTotals(), &window.MSFlexPolicy()}) {
        texts.push_back(std::to_string(table->rows()) + " x " + std::to_string(table->columns()));
        for (int row = 0; row < table->rows(); ++row) {
            for (int column = 0; column < table->columns(); ++column) {
                texts.push_back(table->text(row, column));
            }
        }
    }
    return std::tuple(texts, window.projectionCount(), window.chartData(Control::mscTrends),
                      window.chartData(Control::MscXImpacts), window.chartData(Control::MscVary));
}

// Records the file label's caption while the Open dialog is up.
struct CaptionWatchingPlatform : testing::ScriptedPlatform {
    const Trends* window = nullptr;
    std::vector<std::string> captions;
    std::optional<std::string> openFileName(const FileDialogRequest& request) override {
        captions.push_back(window->text(Control::MatrixFile));
        return ScriptedPlatform::openFileName(request);
    }
};

class FileCommands : public ::testing::Test {
  protected:
    FileCommands() : window(platform, RandomSource(7)) {
        platform.window = &window;
        window.Form_Load();
        fs::create_directories(folder);
    }
    ~FileCommands() override { fs::remove_all(folder); }

    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& entry : fs::directory_iterator(folder)) {
            out.push_back(entry.path().filename().string());
        }
        std::sort(out.begin(), out.end());
        return out;
    }
    void expectOneMessageNaming(const std::string& path, const std::string& reason) {
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].first, "Halvorine (VORN) Model");
        EXPECT_NE(platform.messages[0].second.find('"' + path + '"'), std::string::npos)
            << platform.messages[0].second;
        EXPECT_NE(platform.messages[0].second.find(reason), std::string::npos)
            << platform.messages[0].second;
    }

    CaptionWatchingPlatform platform;
    Trends window;
    fs::path folder =
        fs::temp_directory_path() / ("vorn-files-" + std::to_string(std::random_device()()));
};

TEST_F(FileCommands, OpenAsksForAFileThenLoadsAndProjectsIt) {
    const std::string path = (fs::path(VORN_SOURCE_EXAMPLES_DIR) / "PredatorPrey.txt").string();
    const unsigned long projections = window.projectionCount();
    platform.openAnswers.push_back(path);
    mnuOpen_Click(window);

    ASSERT_EQ(platform.openRequests.size(), 1u);
    EXPECT_EQ(described(platform.openRequests[0]),
              "Example1 | open text file | text file *.txt | prn file *.prn | 1");
    EXPECT_TRUE(fs::is_directory(platform.openRequests[0].initialFolder));
    EXPECT_EQ(platform.captions, std::vector<std::string>{"Select Matrix File"});
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(window.text(Control::MatrixFile), "Initial Scenario " + path);
    EXPECT_TRUE(window.cats.heldAsText);
    EXPECT_EQ(window.cats.text, "3");
    EXPECT_EQ(window.MSFlexXImpact().rows(), 4);
    EXPECT_EQ(window.MSFlexPolicy().text(3, 3), "-1.5");
    EXPECT_EQ(window.MSFlexTotals().text(0, 2), "Hares");
    EXPECT_EQ(window.MSFlexTotals().text(kNetGrowthRow, 2), "1");  // 5 - 4
    EXPECT_EQ(window.projectionCount(), projections + 1);
}

TEST_F(FileCommands, SaveAsksForANameAndWritesTheScenarioAsTxt) {
    window.MSFlexXImpact().setText(0, 1, "Water");
    window.YearbyYear(window.cats);
    auto before = snapshot(window);
    platform.saveAnswers.push_back((folder / "Revised").string());
    mnusave_Click(window);

    ASSERT_EQ(platform.saveRequests.size(), 1u);
    EXPECT_EQ(described(platform.saveRequests[0]),
              "Revised | save text file | text file *.txt | document file *.doc | 1");
    EXPECT_TRUE(platform.messages.empty());
    const std::string path = (folder / "Revised.txt").string();
    EXPECT_EQ(window.text(Control::MatrixFile), "Saved Scenario " + path);
    EXPECT_EQ(readBytes(path), formatScenario(window.tables, ItemCount::number(8)));
    EXPECT_EQ(names(), std::vector<std::string>{"Revised.txt"});
    std::get<0>(before)[3] = window.text(Control::MatrixFile);
    EXPECT_TRUE(snapshot(window) == before);
}

TEST_F(FileCommands, CancelledDialogsChangeNothing) {
    const auto before = snapshot(window);
    mnuOpen_Click(window);
    mnusave_Click(window);
    platform.openAnswers.push_back(std::string());
    platform.saveAnswers.push_back(std::string());
    mnuOpen_Click(window);
    mnusave_Click(window);
    EXPECT_EQ(platform.openRequests.size() + platform.saveRequests.size(), 4u);
    EXPECT_TRUE(snapshot(window) == before);
    EXPECT_TRUE(names().empty());
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(FileCommands, SaveLoadSaveGivesTheSameFileButForTheQuotedCount) {
    const std::string longName = "Renewable energy capacity (installed)";
    window.MSFlexXImpact().setText(0, 4, longName);
    window.MSFlexXImpact().setText(4, 0, longName);
    window.MSFlexXImpact().setText(2, 3, "1.5");
    window.MSFlexPolicy().setText(2, 2, "-0.75");
    window.MSFlexTotals().setText(kLagsRow, 3, "2.5");
    window.YearbyYear(window.cats);
    const std::string first = (folder / "first.txt").string();
    const std::string second = (folder / "second.txt").string();
    platform.saveAnswers = {first, second};
    platform.openAnswers = {first};
    mnusave_Click(window);
    window.mnuClear_Click();
    mnuOpen_Click(window);
    EXPECT_EQ(window.MSFlexTotals().text(0, 4), longName);
    mnusave_Click(window);

    const std::string firstBytes = readBytes(first);
    ASSERT_EQ(firstBytes.substr(0, 3), "8\r\n");
    EXPECT_EQ(readBytes(second), "\"8\"" + firstBytes.substr(1));
    EXPECT_TRUE(platform.messages.empty());
}

// Files that cannot be loaded: the window stays exactly as it was.
struct BadFile {
    const char* name;
    std::string bytes;  // written to the file, except for the first three
    const char* reason;
    friend void PrintTo(const BadFile& file, std::ostream* out) { *out << file.name; }
};

class FileCommandsBadFile : public FileCommands, public ::testing::WithParamInterface<BadFile> {};

TEST_P(FileCommandsBadFile, LeavesTheWindowAsItWasAndSaysWhy) {
    const fs::path path = folder / "bad.txt";
    const std::string name = GetParam().name;
    if (name == "Folder") {
        fs::create_directory(path);
    } else if (name == "Device") {
        fs::create_symlink("/dev/zero", path);
    } else if (name != "Missing") {
        std::ofstream(path, std::ios::binary) << GetParam().bytes;
    }
    const auto before = snapshot(window);
    platform.openAnswers.push_back(path.string());
    mnuOpen_Click(window);
    EXPECT_TRUE(snapshot(window) == before);
    expectOneMessageNaming(path.string(), GetParam().reason);
}

const std::string kTwoItemStart = "2\r\n\"Trend Matrix\"\r\n\"A\"\r\n\"B\"\r\n";

INSTANTIATE_TEST_SUITE_P(
    Files, FileCommandsBadFile,
    ::testing::Values(
        BadFile{"Missing", "", "could not be opened"}, BadFile{"Folder", "", "is a folder"},
        BadFile{"Device", "", "not an ordinary file"}, BadFile{"Empty", "", "is empty"},
        BadFile{"EndsEarly", kTwoItemStart, "ends after 4 of the 25 values"},
        BadFile{"CountText", "\"eight\"\r\n", "whole number from 0 to 20, but holds \"eight\""},
        BadFile{"CountFraction", "2.5\r\n", "but holds \"2.5\""},
        BadFile{"CountNegative", "-1\r\n", "but holds \"-1\""},
        BadFile{"CountOver20", "21\r\n", "but holds \"21\""},
        BadFile{"CountHuge", "2000000000\r\n\"Trend Matrix\"\r\n", "but holds \"2000000000\""},
        BadFile{"NulBytes", std::string("0\r\n\"\0\"\r\n0\r\n0\r\n\"\"\r\n", 16),
                "not a text file"},
        BadFile{"UnclosedQuote", kTwoItemStart + "\"A\r\n", "line 5 holds a text that has no"},
        BadFile{"FieldTooLong", kTwoItemStart + std::string(kMaxFieldLength + 1, '7'),
                "line 5 holds a value longer than 4096 characters"}),
    [](const ::testing::TestParamInfo<BadFile>& info) { return std::string(info.param.name); });

TEST_F(FileCommands, RefusesToSaveTextsAFileCannotHold) {
    const fs::path path = folder / "mine.txt";
    for (const char* text : {"Say \"cheese\"", "two\nlines"}) {
        window.MSFlexXImpact().setText(0, 2, text);
        const auto before = snapshot(window);
        platform.messages.clear();
        platform.saveAnswers.push_back(path.string());
        mnusave_Click(window);
        EXPECT_TRUE(snapshot(window) == before);
        expectOneMessageNaming(path.string(), "the Trend Matrix cell in row 0, column 2");
        EXPECT_FALSE(fs::exists(path));
    }
}

TEST(AtomicFile, SavingOverALinkReplacesTheFileItPointsTo) {
    const fs::path folder = fs::temp_directory_path() / "vorn-files-link";
    fs::remove_all(folder);
    fs::create_directories(folder / "real");
    std::ofstream(folder / "real/data.txt") << "old";
    fs::create_symlink(folder / "real/data.txt", folder / "link.txt");
    EXPECT_EQ(writeFileAtomically((folder / "link.txt").string(), "new"), "");
    EXPECT_TRUE(fs::is_symlink(folder / "link.txt"));
    EXPECT_EQ(readBytes(folder / "real/data.txt"), "new");
    fs::remove_all(folder);
}

#if defined(__unix__)
// A file size limit stops writes part-way for every user, root included.
TEST_F(FileCommands, AFailedSaveLeavesTheEarlierFileWhole) {
    const fs::path path = folder / "mine.txt";
    std::ofstream(path, std::ios::binary) << "the earlier file";
    const auto before = snapshot(window);
    platform.saveAnswers.push_back(path.string());
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limit = saved;
    limit.rlim_cur = 100;
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limit);
    mnusave_Click(window);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);

    EXPECT_TRUE(snapshot(window) == before);
    EXPECT_EQ(window.text(Control::MatrixFile).find("Saved Scenario"), std::string::npos);
    expectOneMessageNaming(path.string(), "could not be saved");
    EXPECT_EQ(readBytes(path), "the earlier file");
    EXPECT_EQ(names(), std::vector<std::string>{"mine.txt"});
}
#endif

TEST_F(FileCommands, PrintingReportsAFailureAndNothingElse) {
    const auto before = snapshot(window);
    platform.printAnswers = {{PrintOutcome::Printed, ""},
                             {PrintOutcome::Cancelled, ""},
                             {PrintOutcome::Failed, "no printer is installed"}};
    mnuPrint_Click(window);
    mnuPrint_Click(window);
    EXPECT_TRUE(platform.messages.empty());
    mnuPrint_Click(window);
    EXPECT_EQ(platform.printRequests, 3);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].second,
              "The window could not be printed: no printer is installed.");
    EXPECT_TRUE(snapshot(window) == before);
}

}  // namespace
}  // namespace vorn
