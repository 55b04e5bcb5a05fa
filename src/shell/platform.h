#pragma once

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "charts/chart_table.h"
#include "charts/comparison_lines.h"
#include "projection/uncertainty_bands.h"

namespace vorn {

/// The modal input box of the window system.
struct InputBoxRequest {
    std::string prompt;
    std::string title;  // empty: the application's title
    std::string defaultText;
    int leftTwips = 0;  // from the left edge of the screen
    int topTwips = 0;   // from the top edge of the screen
};

struct FileFilter {
    std::string description;  // "text file"
    std::string pattern;      // "*.txt"
    /// Whether a Save dialog asks before a file of the chosen name is replaced; not when
    /// the name only leads the names of the files written.
    bool confirmReplace = true;
};

/// What a file dialog proposes when it opens.
struct FileDialogRequest {
    std::string proposedName;
    std::string initialFolder;
    std::string title;
    std::vector<FileFilter> filters;
    int selectedFilter = 1;  // 1 = the first filter
};

/// The file chosen in a Save dialog and the filter selected when it was chosen.
struct SaveChoice {
    std::string path;
    int filter = 1;  // 1 = the first filter
};

/// The three charts as the window shows them, with their captions, to be drawn into a file.
struct ChartPicture {
    ChartTable levels;
    ChartTable contributions;
    ChartTable spread;
    std::vector<std::string> itemNames;  // the lines of the Scenario Trends chart
    std::string trendsCaption;
    std::string contributionsCaption;
    std::string spreadCaption;
    /// The percentile bands behind the Spread chart's runs while the window shows them;
    /// empty otherwise. `bandNames` names the 5-95 band, the 25-75 band and the median.
    UncertaintyBands bands;
    std::array<std::string, 3> bandNames;
    /// The reference and the projection without the policies, drawn behind the Scenario
    /// Trends chart's lines while the window shows them.
    std::vector<ComparisonLines> comparisons;
};

/// A drawing as the bytes of a file, or why it could not be drawn.
struct DrawnFile {
    std::string bytes;
    std::string error;  // empty when drawn
};

enum class PrintOutcome { Printed, Cancelled, Failed };

struct PrintResult {
    PrintOutcome outcome = PrintOutcome::Cancelled;
    std::string message;  // why printing failed
};

/// The answers to the question asked before unsaved changes would be lost.
enum class CloseAnswer { Save, Discard, Cancel };

/// The services of the window system that the program's logic asks for: dialogs, the input
/// box, printing and messages. The window gives the real ones; tests give a double that
/// returns scripted answers.
class Platform {
  public:
    virtual ~Platform() = default;

    /// Shows the input box; nothing when the user cancels.
    virtual std::optional<std::string> inputBox(const InputBoxRequest& request) = 0;
    /// Shows the Open dialog; the chosen path, or nothing when the user cancels.
    virtual std::optional<std::string> openFileName(const FileDialogRequest& request) = 0;
    /// Shows the Save dialog; the chosen path, or nothing when the user cancels.
    virtual std::optional<std::string> saveFileName(const FileDialogRequest& request) = 0;
    /// Shows the Save dialog; the chosen path and the filter selected, or nothing when the
    /// user cancels. A dialog that cannot tell the filter reports the proposed one.
    virtual std::optional<SaveChoice> saveFileChoice(const FileDialogRequest& request) {
        std::optional<std::string> path = saveFileName(request);
        if (!path) {
            return std::nullopt;
        }
        return SaveChoice{std::move(*path), request.selectedFilter};
    }
    /// Shows the print dialog and, when the user accepts, prints the window's image.
    virtual PrintResult printWindow() = 0;
    /// Draws `charts` as the bytes of a file of `type`: "png", "svg" or "pdf". The bytes are
    /// written by the program's own file writer, which checks every step.
    virtual DrawnFile drawChartFile(const std::string& type, const ChartPicture& charts) = 0;
    /// Shows a message box with one OK button.
    virtual void showMessage(const std::string& title, const std::string& text) = 0;
    /// Asks `question` with the buttons Save, Discard and Cancel; closing the box cancels.
    virtual CloseAnswer askSaveChanges(const std::string& question) = 0;
    /// Asks `question` with the buttons Yes and No; closing the box answers No. True for Yes.
    virtual bool askToReplace(const std::string& question) = 0;
};

}  // namespace vorn
