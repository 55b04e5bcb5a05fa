#include "scenario_files/file_commands.h"

#include <filesystem>
#include <system_error>

#include "scenario_files/atomic_file.h"
#include "scenario_files/default_folders.h"
#include "scenario_files/scenario_file.h"
#include "shell/trends.h"

namespace vorn {
namespace {

namespace fs = std::filesystem;

void showMessage(Trends& window, const std::string& text) {
    window.platform().showMessage(std::string(kWindowTitle), text);
}

}  // namespace

void mnuOpen_Click(Trends& window) {
    const std::string previousCaption = window.text(Control::MatrixFile);
    window.setText(Control::MatrixFile, "Select Matrix File");
    FileDialogRequest request;
    request.proposedName = "Example1";
    request.initialFolder = defaultOpenFolder();
    request.title = "open text file";
    request.filters = {{"text file", "*.txt"}, {"prn file", "*.prn"}};
    request.selectedFilter = 1;
    const std::optional<std::string> path = window.platform().openFileName(request);
    // The label names the file the window reflects; until a load succeeds that is still
    // the previous one.
    window.setText(Control::MatrixFile, previousCaption);
    if (!path || path->empty()) {
        return;
    }
    if (loadscenario(window, *path)) {
        window.setText(Control::MatrixFile, "Initial Scenario " + *path);
    }
}

bool mnusave_Click(Trends& window) {
    FileDialogRequest request;
    request.proposedName = "Revised";
    request.initialFolder = defaultSaveFolder();
    request.title = "save text file";
    request.filters = {{"text file", "*.txt"}, {"document file", "*.doc"}};
    request.selectedFilter = 1;
    std::optional<std::string> path = window.platform().saveFileName(request);
    if (!path || path->empty()) {
        return false;
    }
    if (fs::path(*path).extension().empty() && !fs::path(*path).filename().empty()) {
        *path += ".txt";
    }
    if (!savescenario(window, *path)) {
        return false;
    }
    window.setText(Control::MatrixFile, "Saved Scenario " + *path);
    return true;
}

bool Form_QueryUnload(Trends& window) {
    if (!window.isModified()) {
        return true;
    }
    switch (window.platform().askSaveChanges(kSaveChangesQuestion)) {
        case CloseAnswer::Save:
            return mnusave_Click(window);
        case CloseAnswer::Discard:
            return true;
        case CloseAnswer::Cancel:
            break;
    }
    return false;
}

void mnuPrint_Click(Trends& window) {
    PrintSelection(window);
}

void PrintSelection(Trends& window) {
    const PrintResult result = window.platform().printWindow();
    if (result.outcome == PrintOutcome::Failed) {
        showMessage(window,
                    "The window could not be printed" +
                        (result.message.empty() ? std::string(".") : ": " + result.message + "."));
    }
}

bool loadscenario(Trends& window, const std::string& path) {
    ScenarioReadResult result = readScenarioFile(path);
    if (!result.data) {
        showMessage(window, result.error + " The scenario in the window is unchanged.");
        return false;
    }
    window.recordStep(kOpenStep, [&] {
        applyScenario(window.tables, *result.data);
        window.cats = ItemCount::fromText(result.data->countText, result.data->items);
        window.YearbyYear(window.cats);
    });
    window.markClean();
    return true;
}

bool savescenario(Trends& window, const std::string& path) {
    const ItemCount cats = window.cats;
    if (const std::string problem = scenarioWriteProblem(window.tables, cats); !problem.empty()) {
        showMessage(window, "The scenario could not be saved to \"" + path + "\": " + problem +
                                ", which a scenario file cannot hold. Please change that text "
                                "and save again.");
        return false;
    }
    if (const std::string error = writeFileAtomically(path, formatScenario(window.tables, cats));
        !error.empty()) {
        showMessage(window, "The scenario could not be saved to \"" + path + "\": " + error +
                                ". Any earlier file of that name is unchanged.");
        return false;
    }
    window.markClean();
    return true;
}

}  // namespace vorn
