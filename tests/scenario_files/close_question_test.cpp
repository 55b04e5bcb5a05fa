// Closing the window with changes that were never saved.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "editing/typed_entry.h"
#include "scenario_files/scenario_file.h"
#include "shell/trends.h"
#include "support/started_window.h"
#include "support/temp_folder.h"

namespace vorn {
namespace {

namespace fs = std::filesystem;

class Closing : public testing::StartedWindow {
  protected:
    Closing() : StartedWindow(3) {}

    void change() { commitEntry(window, Control::MSFlexXImpact, 2, 3, "1.5"); }
    bool closes(CloseAnswer answer) {
        platform.closeAnswers = {answer};
        return Form_QueryUnload(window);
    }

    testing::TempFolder folder;
};

TEST_F(Closing, UnchangedScenariosCloseWithoutAQuestion) {
    EXPECT_TRUE(Form_QueryUnload(window));  // as started
    change();
    window.mnuUndo_Click();
    EXPECT_TRUE(Form_QueryUnload(window));  // undone back to the start
    openExample("FirmGrowth.txt");
    EXPECT_TRUE(Form_QueryUnload(window));  // as opened
    EXPECT_TRUE(platform.closeQuestions.empty());
}

TEST_F(Closing, DiscardClosesCancelKeepsEverything) {
    change();
    const std::string before = formatScenario(window.tables, window.cats);
    EXPECT_FALSE(closes(CloseAnswer::Cancel));
    EXPECT_EQ(formatScenario(window.tables, window.cats), before);
    EXPECT_TRUE(window.isModified());
    EXPECT_TRUE(closes(CloseAnswer::Discard));
    ASSERT_EQ(platform.closeQuestions.size(), 2u);
    EXPECT_EQ(platform.closeQuestions[0], "Save changes to the scenario before closing?");
    EXPECT_TRUE(platform.saveRequests.empty());
}

TEST_F(Closing, SaveClosesOnlyWhenTheScenarioWasSaved) {
    change();
    EXPECT_FALSE(closes(CloseAnswer::Save));  // the Save dialog is cancelled
    platform.saveAnswers = {folder.path("missing-folder/mine.txt")};
    EXPECT_FALSE(closes(CloseAnswer::Save));  // the file cannot be written
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(window.isModified());

    const std::string path = folder.path("mine.txt");
    platform.saveAnswers = {path};
    EXPECT_TRUE(closes(CloseAnswer::Save));
    EXPECT_TRUE(fs::exists(path));
    EXPECT_FALSE(window.isModified());
}

// The saved state is a place in the history: undoing away from it and redoing back to it
// makes the scenario modified and then unmodified again, until a new change branches off.
TEST_F(Closing, ModifiedFollowsTheHistoryToAndFromTheSavedState) {
    change();
    platform.saveAnswers = {folder.path("a.txt")};
    ASSERT_TRUE(mnusave_Click(window));
    window.mnuUndo_Click();
    EXPECT_TRUE(window.isModified());
    window.mnuRedo_Click();
    EXPECT_FALSE(window.isModified());
    window.mnuClear_Click();  // Clear asks nothing and is a change
    EXPECT_TRUE(platform.closeQuestions.empty());
    EXPECT_TRUE(window.isModified());
    window.mnuUndo_Click();
    EXPECT_FALSE(window.isModified());
    window.mnuUndo_Click();
    commitEntry(window, Control::MSFlexXImpact, 4, 4, "2");  // the saved state is cut off
    EXPECT_TRUE(window.isModified());
    window.mnuUndo_Click();
    EXPECT_TRUE(window.isModified());
}

}  // namespace
}  // namespace vorn
