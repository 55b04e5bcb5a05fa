#pragma once

#include <QMainWindow>

namespace vorn {

class Trends;
class TrendsView;

/// The window "Halvorine (VORN) Model": the File, Edit and Help menus around the client area
/// TrendsView, which shows and forwards everything else. Closing it with unsaved changes
/// asks first.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(Trends& trends, QWidget* parent = nullptr);

    TrendsView* view() const { return m_view; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildMenus();
    QAction* addCommand(QMenu* menu, const QString& text, const QString& name,
                        const std::function<void()>& handler);

    Trends& m_trends;
    TrendsView* m_view;
};

}  // namespace vorn
