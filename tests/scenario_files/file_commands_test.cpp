#include "scenario_files/file_commands.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
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
using testing::ScriptedPlatform;

// A folder of its own for each test, removed afterwards.
class TempFolder {
  public:
    TempFolder() {
        std::random_device device;
        m_path = fs::temp_directory_path() / ("vorn-files-" + std::to_string(device()));
        fs::create_directories(m_path);
    }
    ~TempFolder() {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    std::string file(const std::string& name) const { return (m_path / name).string(); }
    const fs::path& path() const { return m_path; }
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& entry : fs::directory_iterator(m_path)) {
            out.push_back(entry.path().filename().string());
        }
        std::sort(out.begin(), out.end());
        return out;
    }

  private:
    fs::path m_path;
};

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

// Everything a failed command must leave alone.
struct WindowState {
    std::vector<std::vector<std::string>> texts;
    std::vector<std::vector<std::optional<Rgb>>> colors;
    std::vector<int> shapes;
    int catsValue;
    bool catsAsText;
    std::string catsText;
    std::string matrixFile;
    ChartTable trends, contributions, spread;
    unsigned long projections;

    explicit WindowState(const Trends& window)
        : catsValue(window.cats.value),
          catsAsText(window.cats.heldAsText),
          catsText(window.cats.text),
          matrixFile(window.text(Control::MatrixFile)),
          trends(window.chartData(Control::mscTrends)),
          contributions(window.chartData(Control::MscXImpacts)),
          spread(window.chartData(Control::MscVary)),
          projections(window.projectionCount()) {
        for (const CellTable* table :
             {&window.MSFlexXImpact(), &window.MSFlexTotals(), &window.MSFlexPolicy()}) {
            shapes.push_back(table->rows());
            shapes.push_back(table->columns());
            texts.emplace_back();
            colors.emplace_back();
            for (int row = 0; row < table->rows(); ++row) {
                for (int column = 0; column < table->columns(); ++column) {
                    texts.back().push_back(table->text(row, column));
                    colors.back().push_back(table->color(row, column));
                }
            }
        }
    }
    friend bool operator==(const WindowState&, const WindowState&) = default;
};

// Records the file label's caption while a dialog is up.
class CaptionWatchingPlatform : public ScriptedPlatform {
  public:
    const Trends* window = nullptr;
    std::vector<std::string> captionsDuringDialogs;

    std::optional<std::string> openFileName(const FileDialogRequest& request) override {
        captionsDuringDialogs.push_back(window->text(Control::MatrixFile));
        return ScriptedPlatform::openFileName(request);
    }
};

class FileCommands : public ::testing::Test {
  protected:
    FileCommands() : window(platform, RandomSource(7)) {
        platform.window = &window;
        window.Form_Load();
    }

    // A small edited scenario, saved once so the label holds a caption of its own.
    void editAndSave(const std::string& path) {
        window.MSFlexXImpact().setText(0, 1, "Water");
        window.MSFlexXImpact().setText(2, 3, "1.5");
        window.MSFlexTotals().setText(kUncertaintyRow, 2, "4");
        window.MSFlexPolicy().setText(3, 3, "-0.5");
        window.YearbyYear(window.cats);
        platform.saveAnswers.push_back(path);
        mnusave_Click(window);
        ASSERT_TRUE(platform.messages.empty());
    }

    void expectOneMessageNaming(const std::string& path, const std::string& reason) {
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].first, "Halvorine (VORN) Model");
        EXPECT_NE(platform.messages[0].second.find(path), std::string::npos)
            << platform.messages[0].second;
        EXPECT_NE(platform.messages[0].second.find(reason), std::string::npos)
            << platform.messages[0].second;
    }

    CaptionWatchingPlatform platform;
    Trends window;
    TempFolder folder;
};

TEST_F(FileCommands, OpenLoadsTheFileAndNamesItInTheLabel) {
    const std::string path = folder.file("two.txt");
    writeBytes(path,
               "2\r\n\"Trend Matrix\"\r\n\"A\"\r\n\"B\"\r\n\"A\"\r\n\"1\"\r\n\"-1\"\r\n\"B\"\r\n"
               "\"2\"\r\n\"0\"\r\n0\r\n5\r\n10\r\n0\r\n1\r\n0\r\n\"Policy Matrix\"\r\n\"A\"\r\n"
               "\"B\"\r\n\"A\"\r\n\"0\"\r\n\"0\"\r\n\"B\"\r\n\"0\"\r\n\"1\"\r\n");
    const unsigned long projections = window.projectionCount();
    platform.openAnswers.push_back(path);
    mnuOpen_Click(window);

    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(platform.captionsDuringDialogs, std::vector<std::string>{"Select Matrix File"});
    EXPECT_EQ(window.text(Control::MatrixFile), "Initial Scenario " + path);
    EXPECT_TRUE(window.cats.heldAsText);
    EXPECT_EQ(window.cats.text, "2");
    EXPECT_EQ(window.cats.value, 2);
    EXPECT_EQ(window.MSFlexXImpact().rows(), 3);
    EXPECT_EQ(window.MSFlexTotals().columns(), 3);
    EXPECT_EQ(window.MSFlexXImpact().text(2, 1), "2");
    EXPECT_EQ(window.MSFlexTotals().text(0, 2), "B");
    EXPECT_EQ(window.MSFlexTotals().text(kNetGrowthRow, 1), "3");
    EXPECT_EQ(window.MSFlexTotals().text(kNetGrowthRow, 0), "Net Growth");
    EXPECT_EQ(window.MSFlexTotals().text(kUncertaintyRow, 0), "Uncertainty");
    EXPECT_EQ(window.projectionCount(), projections + 1);
}

TEST_F(FileCommands, OpenAndSaveAskWithTheirOwnProposals) {
    mnuOpen_Click(window);
    mnusave_Click(window);
    mnusave_Click(window);
    ASSERT_EQ(platform.openRequests.size(), 1u);
    ASSERT_EQ(platform.saveRequests.size(), 2u);
    const FileDialogRequest& open = platform.openRequests[0];
    EXPECT_EQ(open.proposedName, "Example1");
    EXPECT_EQ(open.title, "open text file");
    ASSERT_EQ(open.filters.size(), 2u);
    EXPECT_EQ(open.filters[0].description, "text file");
    EXPECT_EQ(open.filters[0].pattern, "*.txt");
    EXPECT_EQ(open.filters[1].description, "prn file");
    EXPECT_EQ(open.filters[1].pattern, "*.prn");
    EXPECT_EQ(open.selectedFilter, 1);
    for (const FileDialogRequest& save : platform.saveRequests) {
        EXPECT_EQ(save.proposedName, "Revised");
        EXPECT_EQ(save.title, "save text file");
        ASSERT_EQ(save.filters.size(), 2u);
        EXPECT_EQ(save.filters[0].pattern, "*.txt");
        EXPECT_EQ(save.filters[1].description, "document file");
        EXPECT_EQ(save.filters[1].pattern, "*.doc");
        EXPECT_EQ(save.selectedFilter, 1);
    }
}

TEST_F(FileCommands, DialogsStartInFoldersThatExist) {
    if (fs::is_directory("D:")) {
        GTEST_SKIP() << "a folder named D: exists here";
    }
    const char* oldHome = std::getenv("HOME");
    const std::string savedHome = oldHome != nullptr ? oldHome : "";
    setenv("HOME", folder.path().c_str(), 1);
    mnuOpen_Click(window);
    mnusave_Click(window);
    fs::create_directory(folder.path() / "Documents");
    mnusave_Click(window);
    setenv("HOME", savedHome.c_str(), 1);

    const std::string examples =
        fs::is_directory(VORN_EXAMPLES_DIR) ? VORN_EXAMPLES_DIR : VORN_SOURCE_EXAMPLES_DIR;
    EXPECT_EQ(platform.openRequests.at(0).initialFolder, examples);
    EXPECT_EQ(platform.saveRequests.at(0).initialFolder, folder.path().string());
    EXPECT_EQ(platform.saveRequests.at(1).initialFolder, (folder.path() / "Documents").string());
}

TEST_F(FileCommands, CancelledDialogsChangeNothing) {
    editAndSave(folder.file("mine.txt"));
    const WindowState before(window);
    const std::vector<std::string> files = folder.names();

    mnuOpen_Click(window);
    mnusave_Click(window);
    platform.openAnswers.push_back(std::string());
    mnuOpen_Click(window);

    EXPECT_EQ(platform.captionsDuringDialogs.back(), "Select Matrix File");
    EXPECT_TRUE(WindowState(window) == before);
    EXPECT_EQ(window.text(Control::MatrixFile), "Saved Scenario " + folder.file("mine.txt"));
    EXPECT_EQ(folder.names(), files);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(FileCommands, SaveWritesTheScenarioAndChangesNothingElse) {
    const std::string path = folder.file("mine.txt");
    window.MSFlexXImpact().setText(0, 1, "Water");
    window.YearbyYear(window.cats);
    const WindowState before(window);
    platform.saveAnswers.push_back(path);
    mnusave_Click(window);

    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(window.text(Control::MatrixFile), "Saved Scenario " + path);
    EXPECT_EQ(readBytes(path), formatScenario(window.tables, ItemCount::number(8)));
    WindowState after(window);
    after.matrixFile = before.matrixFile;
    EXPECT_TRUE(after == before);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"mine.txt"});
}

TEST_F(FileCommands, SaveAddsTxtToANameWithoutExtension) {
    platform.saveAnswers.push_back(folder.file("Revised"));
    mnusave_Click(window);
    EXPECT_EQ(window.text(Control::MatrixFile), "Saved Scenario " + folder.file("Revised.txt"));
    EXPECT_EQ(folder.names(), std::vector<std::string>{"Revised.txt"});
}

TEST_F(FileCommands, SaveLoadSaveGivesTheSameFileButForTheQuotedCount) {
    const std::string first = folder.file("first.txt");
    const std::string second = folder.file("second.txt");
    const std::string longName = "Renewable energy capacity (installed)";
    window.MSFlexXImpact().setText(0, 4, longName);
    window.MSFlexXImpact().setText(4, 0, longName);
    window.MSFlexPolicy().setText(2, 2, "0.75");
    window.MSFlexTotals().setText(kLagsRow, 3, "2.5");
    window.YearbyYear(window.cats);
    editAndSave(first);

    window.mnuClear_Click();
    platform.openAnswers.push_back(first);
    mnuOpen_Click(window);
    EXPECT_EQ(window.MSFlexXImpact().text(0, 4), longName);
    EXPECT_EQ(window.MSFlexTotals().text(0, 4), longName);
    platform.saveAnswers.push_back(second);
    mnusave_Click(window);

    const std::string firstBytes = readBytes(first);
    ASSERT_EQ(firstBytes.substr(0, 3), "8\r\n");
    EXPECT_EQ(readBytes(second), "\"8\"" + firstBytes.substr(1));
    EXPECT_TRUE(platform.messages.empty());
}

// Files that cannot be loaded: the window stays exactly as it was.
struct BadFile {
    const char* name;
    std::string bytes;  // written to the file unless it is a folder or missing
    const char* reason;
    friend void PrintTo(const BadFile& file, std::ostream* out) { *out << file.name; }
};

class FileCommandsBadFile : public FileCommands, public ::testing::WithParamInterface<BadFile> {};

TEST_P(FileCommandsBadFile, LeavesTheWindowAsItWas) {
    editAndSave(folder.file("mine.txt"));
    const std::string path = folder.file("bad.txt");
    const std::string name = GetParam().name;
    if (name == "Folder") {
        fs::create_directory(path);
    } else if (name == "Device") {
        fs::create_symlink("/dev/zero", path);
    } else if (name != "Missing") {
        writeBytes(path, GetParam().bytes);
    }
    const WindowState before(window);
    platform.openAnswers.push_back(path);
    mnuOpen_Click(window);

    EXPECT_TRUE(WindowState(window) == before);
    expectOneMessageNaming(path, GetParam().reason);
}

INSTANTIATE_TEST_SUITE_P(
    Files, FileCommandsBadFile,
    ::testing::Values(
        BadFile{"Missing", "", "could not be opened"}, BadFile{"Folder", "", "is a folder"},
        BadFile{"Device", "", "not an ordinary file"}, BadFile{"Empty", "", "is empty"},
        BadFile{"EndsEarly", "2\r\n\"Trend Matrix\"\r\n\"A\"\r\n", "ends after 3 of the 25"},
        BadFile{"CountTooLarge", "2000000000\r\n", "whole number from 0 to 20"},
        BadFile{"CountNotANumber", "\"many\"\r\n", "whole number from 0 to 20"},
        BadFile{"NotText", std::string("0\r\n\"\0\"\r\n0\r\n0\r\n\"\"\r\n", 16),
                "not a text file"}),
    [](const ::testing::TestParamInfo<BadFile>& info) { return std::string(info.param.name); });

// Saves that fail: the earlier file stays whole, the label does not claim the save.
class FileCommandsFailedSave : public FileCommands {
  protected:
    void SetUp() override {
        editAndSave(folder.file("mine.txt"));
        earlier = readBytes(folder.file("mine.txt"));
        window.MSFlexXImpact().setText(1, 1, "9");
        window.YearbyYear(window.cats);
        before = std::make_unique<WindowState>(window);
    }
    void expectNothingLost(const std::string& path) {
        EXPECT_TRUE(WindowState(window) == *before);
        EXPECT_EQ(window.text(Control::MatrixFile), "Saved Scenario " + folder.file("mine.txt"));
        expectOneMessageNaming(path, "could not be saved");
        EXPECT_EQ(readBytes(folder.file("mine.txt")), earlier);
    }

    std::string earlier;
    std::unique_ptr<WindowState> before;
};

TEST_F(FileCommandsFailedSave, ToAFolderThatDoesNotExist) {
    const std::string path = folder.file("nowhere/mine.txt");
    platform.saveAnswers.push_back(path);
    mnusave_Click(window);
    expectNothingLost(path);
    EXPECT_NE(platform.messages[0].second.find("does not exist"), std::string::npos);
}

TEST_F(FileCommandsFailedSave, OntoAFolder) {
    fs::create_directory(folder.file("taken.txt"));
    platform.saveAnswers.push_back(folder.file("taken.txt"));
    mnusave_Click(window);
    expectNothingLost(folder.file("taken.txt"));
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"mine.txt", "taken.txt"}));
}

TEST(AtomicFile, SavingOverALinkReplacesTheFileItPointsTo) {
    TempFolder folder;
    fs::create_directory(folder.path() / "real");
    const std::string real = folder.file("real/data.txt");
    writeBytes(real, "old");
    fs::create_symlink(real, folder.file("link.txt"));
    EXPECT_EQ(writeFileAtomically(folder.file("link.txt"), "new"), "");
    EXPECT_TRUE(fs::is_symlink(folder.file("link.txt")));
    EXPECT_EQ(readBytes(real), "new");
}

#if defined(__unix__)
// The system refuses writes beyond a file size limit, for every user including root: the
// save then fails part-way through writing.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }

  private:
    rlimit m_saved{};
    void (*m_handler)(int) = nullptr;
};

TEST_F(FileCommandsFailedSave, WhenWritingFailsPartWay) {
    const std::string path = folder.file("mine.txt");
    platform.saveAnswers.push_back(path);
    {
        FileSizeLimit limit(100);
        mnusave_Click(window);
    }
    expectNothingLost(path);
    EXPECT_NE(platform.messages[0].second.find("writing failed"), std::string::npos);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"mine.txt"});
}

TEST(AtomicFile, ReplacesWholeOrNotAtAll) {
    TempFolder folder;
    const std::string path = folder.file("data.txt");
    EXPECT_EQ(writeFileAtomically(path, "first"), "");
    EXPECT_EQ(readBytes(path), "first");
    EXPECT_EQ(writeFileAtomically(path, "second, longer"), "");
    EXPECT_EQ(readBytes(path), "second, longer");
    {
        FileSizeLimit limit(4);
        EXPECT_NE(writeFileAtomically(path, "third, much longer than four bytes"), "");
    }
    EXPECT_EQ(readBytes(path), "second, longer");
    EXPECT_EQ(folder.names(), std::vector<std::string>{"data.txt"});
}
#endif

TEST_F(FileCommandsFailedSave, RefusesANameWithADoubleQuote) {
    window.MSFlexXImpact().setText(0, 2, "Say \"cheese\"");
    before = std::make_unique<WindowState>(window);
    const std::string path = folder.file("mine.txt");
    platform.saveAnswers.push_back(path);
    mnusave_Click(window);
    expectNothingLost(path);
    EXPECT_NE(platform.messages[0].second.find("Trend Matrix cell in row 0, column 2"),
              std::string::npos);
}

TEST_F(FileCommands, PrintingChangesNothingAndReportsAFailure) {
    const WindowState before(window);
    platform.printAnswers.push_back({PrintOutcome::Printed, ""});
    platform.printAnswers.push_back({PrintOutcome::Cancelled, ""});
    mnuPrint_Click(window);
    mnuPrint_Click(window);
    EXPECT_TRUE(platform.messages.empty());

    platform.printAnswers.push_back({PrintOutcome::Failed, "no printer is installed"});
    mnuPrint_Click(window);
    EXPECT_EQ(platform.printRequests, 3);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].second,
              "The window could not be printed: no printer is installed.");
    EXPECT_TRUE(WindowState(window) == before);
}

}  // namespace
}  // namespace vorn
