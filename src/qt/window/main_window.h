#pragma once

#include <QMainWindow>

namespace vorn {

class AnalysisMenu;
class Trends;
class TrendsView;
class ViewMenu;

/// The window "Halvorine (VORN) Model": the File, Edit, View, Analysis and Help menus around the
/// client area TrendsView, which shows and forwards everything else. The client area scrolls when
/// the window is smaller than it. Closing the window with unsaved changes asks first.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(Trends& trends, QWidget* parent = nullptr);

    TrendsView* view() const { return m_view; }
    ViewMenu* viewMenu() const { return m_viewMenu; }
    AnalysisMenu* analysisMenu() const { return m_analysisMenu; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildMenus();
    QAction* addCommand(QMenu* menu, const QString& text, const QString& name,
                        const std::function<void()>& handler);

    Trends& m_trends;
    TrendsView* m_view;
    ViewMenu* m_viewMenu = nullptr;
    AnalysisMenu* m_analysisMenu = nullptr;
};

}  // namespace vorn
