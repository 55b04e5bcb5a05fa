#pragma once

#include <QMainWindow>

namespace vorn {

class AnalysisMenu;
class ChartDataWindow;
class ReadingWindow;
class Trends;
class TrendsView;
class ViewMenu;

/// The window "Halvorine (VORN) Model": the File, Edit, View, Analysis and Help menus around the
/// client area TrendsView, which shows and forwards everything else. The client area scrolls when
/// the window is smaller than it. Closing the window with unsaved changes asks first. View > Chart
/// Data and Help > Keyboard open windows of their own for reading.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(Trends& trends, QWidget* parent = nullptr);

    TrendsView* view() const { return m_view; }
    ViewMenu* viewMenu() const { return m_viewMenu; }
    AnalysisMenu* analysisMenu() const { return m_analysisMenu; }
    ChartDataWindow* chartDataWindow() const { return m_chartData; }
    /// Help > Keyboard's window, once it was opened.
    ReadingWindow* keyboardWindow() const { return m_keyboard; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildMenus();
    /// View > Hold Random Draws, New Random Draws, Set Reference, Clear Reference and Show
    /// Trends Without Policies, their checks, texts and greying following the window state.
    void addComparisonEntries(QMenu* menu);
    QAction* addCommand(QMenu* menu, const QString& text, const QString& name,
                        const std::function<void()>& handler);

    Trends& m_trends;
    TrendsView* m_view;
    ViewMenu* m_viewMenu = nullptr;
    AnalysisMenu* m_analysisMenu = nullptr;
    ChartDataWindow* m_chartData = nullptr;
    ReadingWindow* m_keyboard = nullptr;
};

}  // namespace vorn
