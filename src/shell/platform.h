#pragma once

#include <optional>
#include <string>
#include <vector>

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
};

/// What a file dialog proposes when it opens.
struct FileDialogRequest {
    std::string proposedName;
    std::string initialFolder;
    std::string title;
    std::vector<FileFilter> filters;
    int selectedFilter = 1;  // 1 = the first filter
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
    /// Shows the print dialog and, when the user accepts, prints the window's image.
    virtual PrintResult printWindow() = 0;
    /// Shows a message box with one OK button.
    virtual void showMessage(const std::string& title, const std::string& text) = 0;
    /// Asks `question` with the buttons Save, Discard and Cancel; closing the box cancels.
    virtual CloseAnswer askSaveChanges(const std::string& question) = 0;
};

}  // namespace vorn
