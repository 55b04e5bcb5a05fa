#pragma once

#include <QColor>
#include <QTableView>

#include "shell/zoom.h"
#include "tables/cell_table.h"

namespace vorn {

class CellTableModel;

/// How one grid looks: its background, the text colour of its selected cell (kept where it
/// can be read on the platform's highlight) and whether it scrolls vertically as well.
struct GridLook {
    QColor background;
    QColor selectedText;
    bool verticalScrollBar = true;
};

/// One of the window's three tables. It shows a core CellTable (row 0 and column 0 are
/// ordinary cells, Qt's own headers are hidden), follows the table's current cell and
/// reports mouse presses on cells and elsewhere on it; it never edits a cell itself. A
/// cell text too long for its column is shortened with an ellipsis and shown whole as a
/// tooltip; keyboard focus shows as a ring in the highlight colour.
class GridView : public QTableView {
    Q_OBJECT
  public:
    GridView(const CellTable& table, const GridLook& look, QWidget* parent = nullptr);

    /// Catches up with the table: texts, colours, shape, column widths and current cell.
    void refresh();
    /// Rectangle of cell (row, column) in viewport coordinates; empty when not shown.
    QRect cellRect(int row, int column) const;
    /// True when the text of cell (row, column) is too long for its column.
    bool cellTextElided(int row, int column) const;
    /// Scales the column widths and row heights; the font comes from the parent.
    void setZoom(const Zoom& zoom);

  signals:
    /// A mouse button went down on a cell: button 1 left, 2 right, 4 middle.
    void cellPressed(int row, int column, int button);
    /// A mouse button went down on the grid but not on a cell: beyond the last cell, on a
    /// scroll bar (which still scrolls) or on the frame.
    void backgroundPressed(int button);

  protected:
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

  private:
    void pressed(QMouseEvent* event);
    void applyColumnWidths();
    void applyRowHeight();
    void followCurrentCell();
    void paintFocusRing(QPainter& painter, const QRect& area, int width) const;

    const CellTable& m_table;
    CellTableModel* m_model;
    Zoom m_zoom;
};

}  // namespace vorn
