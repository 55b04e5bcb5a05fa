#pragma once

#include <QColor>
#include <QTableView>

#include "tables/cell_table.h"

namespace vorn {

class CellTableModel;

/// How one grid looks: its background, the text colour of its selected cell and whether it
/// scrolls vertically as well as horizontally.
struct GridLook {
    QColor background;
    QColor selectedText;
    bool verticalScrollBar = true;
};

/// One of the window's three tables. It shows a core CellTable (row 0 and column 0 are
/// ordinary cells, Qt's own headers are hidden), follows the table's current cell and
/// reports mouse presses on cells; it never edits a cell itself.
class GridView : public QTableView {
    Q_OBJECT
  public:
    GridView(const CellTable& table, const GridLook& look, QWidget* parent = nullptr);

    /// Catches up with the table: texts, colours, shape, column widths and current cell.
    void refresh();
    /// Rectangle of cell (row, column) in viewport coordinates; empty when not shown.
    QRect cellRect(int row, int column) const;

  signals:
    /// A mouse button went down on a cell: button 1 left, 2 right, 4 middle.
    void cellPressed(int row, int column, int button);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

  private:
    void pressed(QMouseEvent* event);
    void applyColumnWidths();
    void followCurrentCell();

    const CellTable& m_table;
    CellTableModel* m_model;
};

}  // namespace vorn
