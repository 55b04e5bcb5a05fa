#pragma once

#include <QMenu>

namespace vorn {

class Trends;
class TrendsView;

/// The Edit menu: Undo (Ctrl+Z) and Redo (Ctrl+Shift+Z, Ctrl+Y), each named after the step
/// it would take ("&Undo Remove Item") and greyed out when there is none.
class EditMenu : public QMenu {
    Q_OBJECT
  public:
    EditMenu(Trends& trends, TrendsView* view, QWidget* parent = nullptr);

    QAction* undoAction() const { return m_undo; }
    QAction* redoAction() const { return m_redo; }

  private:
    /// Follows the history after every change the view shows.
    void updateActions();

    Trends& m_trends;
    QAction* m_undo;
    QAction* m_redo;
};

}  // namespace vorn
