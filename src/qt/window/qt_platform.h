#pragma once

#include <QPointer>
#include <QString>
#include <functional>

#include "shell/platform.h"

class QFileDialog;
class QPrinter;
class QWidget;

namespace vorn {

class TrendsView;

/// Prints the window's client area on one page of `printer`: drawn afresh, not grabbed, so
/// that lines and texts reach the printer as vector output it renders at its own
/// resolution; scaled to fit the printable area and centred. False, with a message in
/// `error`, when the printer cannot be opened.
bool printClientArea(TrendsView& view, QPrinter& printer, QString* error);

/// Sets up a (non-native) file dialog as `request` asks: title, folder, proposed name,
/// filters shown as "text file (*.txt)" with the 1-based selected one, and for saving the
/// extension of the selected filter added to a name typed without one.
void prepareFileDialog(QFileDialog& dialog, const FileDialogRequest& request, bool save);

/// The window system's real dialogs, input box, messages and printing.
class QtPlatform : public Platform {
  public:
    /// The main window: parent of the dialogs, and the window whose client area is printed.
    void setWindow(QWidget* window) { m_window = window; }
    /// Runs before every dialog, input box and message opens, so that the window can show
    /// what the running handler has done so far ("Select Matrix File" while Open is up).
    void setBeforeDialog(std::function<void()> hook) { m_beforeDialog = std::move(hook); }

    std::optional<std::string> inputBox(const InputBoxRequest& request) override;
    std::optional<std::string> openFileName(const FileDialogRequest& request) override;
    std::optional<std::string> saveFileName(const FileDialogRequest& request) override;
    std::optional<SaveChoice> saveFileChoice(const FileDialogRequest& request) override;
    PrintResult printWindow() override;
    DrawnFile drawChartFile(const std::string& type, const ChartPicture& charts) override;
    void showMessage(const std::string& title, const std::string& text) override;
    CloseAnswer askSaveChanges(const std::string& question) override;
    bool askToReplace(const std::string& question) override;

    /// The client area that printing puts on paper; none without a window.
    TrendsView* clientArea() const;

  private:
    std::optional<SaveChoice> fileName(const FileDialogRequest& request, bool save);
    void beforeDialog() const;

    QPointer<QWidget> m_window;
    std::function<void()> m_beforeDialog;
};

}  // namespace vorn
