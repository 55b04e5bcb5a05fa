#pragma once

#include <QColor>
#include <QPointer>
#include <QTableView>
#include <functional>
#include <optional>

#include "editing/cell_keys.h"
#include "shell/presentation_layout.h"
#include "shell/zoom.h"
#include "tables/cell_table.h"

namespace vorn {

class CellTableModel;
class CellEditor;

/// How one grid looks: its background, the text colour of its selected cell (kept where it
/// can be read on the platform's highlight) and whether it scrolls vertically as well.
struct GridLook {
    QColor background;
    QColor selectedText;
    bool verticalScrollBar = true;
};

/// One of the window's three tables. It shows a core CellTable (row 0 and column 0 are
/// ordinary cells, Qt's own headers are hidden), follows the table's current cell and
/// reports mouse presses on cells and elsewhere on it, and the keys that move the current cell,
/// click it (Space), ask for its context menu or start an entry. It never edits a cell itself:
/// an editor it opens over a cell only holds the typed text until it is committed. A cell text
/// too long for its column is shortened with an ellipsis and shown whole as a tooltip, and so is
/// a value whose item names are cut, with its names; keyboard focus shows as a ring in the
/// highlight colour.
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
    /// Scales the column widths and row heights of the design; the font comes from the parent.
    void setZoom(const Zoom& zoom);
    /// Sizes the columns and rows for the presentation layout: every column as wide as its
    /// values and its item's name, a long name on two lines, rows of `metrics.rowPixels`.
    void setPresentation(const PresentationMetrics& metrics);
    bool inPresentation() const { return m_presentation.has_value(); }
    /// Lines of the top row: two where a name is broken onto two lines.
    int topRowLines() const;
    /// Gives the tooltip of a value cell whose text or item names are cut.
    void setToolTipText(std::function<QString(int row, int column)> text);
    /// The tooltip that hovering cell (row, column) shows; empty when its text and names are
    /// whole.
    QString toolTipAt(int row, int column) const;

    /// Opens the cell editor over (row, column) holding `text`: selected when `selected`, so that
    /// typing replaces it, else with the cursor at its end.
    void openEditor(int row, int column, const QString& text, bool selected = false);
    /// Closes the editor, dropping its text.
    void closeEditor();
    bool editorOpen() const { return !m_editor.isNull(); }
    int editorRow() const { return m_editorRow; }
    int editorColumn() const { return m_editorColumn; }
    QString editorText() const;
    /// Gives the open editor the keyboard focus, its text selected.
    void focusEditor();
    /// Rows a page holds: those shown whole, at least one.
    int pageRows() const;
    /// Scrolls the current cell into view.
    void showCurrentCell();

  signals:
    /// A mouse button went down on a cell: button 1 left, 2 right, 4 middle.
    void cellPressed(int row, int column, int button);
    /// A digit, sign or period was typed (`text`), or F2 pressed (`text` empty), on the
    /// current cell.
    void entryKeyPressed(int row, int column, const QString& text);
    /// Enter in the open editor.
    void entryCommitted();
    /// Up, Down, Page Up or Page Down in the open editor: commit, then move.
    void entryCommittedMoving(CellMove move);
    /// A key that moves the current cell.
    void cellKeyMoved(CellMove move);
    /// Space (button 1) or Shift+Space (button 2) on the current cell.
    void cellKeyClicked(int button);
    /// The Menu key or Shift+F10: the current cell's context menu.
    void cellMenuRequested();
    /// Tab, Shift+Tab or a shortcut gave the grid the keyboard focus.
    void focusedByKeyboard();
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
    void keyPressEvent(QKeyEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

  private:
    void pressed(QMouseEvent* event);
    void applyColumnWidths();
    void applyRowHeight();
    void followCurrentCell();
    void placeEditor();
    void paintFocusRing(QPainter& painter, const QRect& area, int width) const;

    const CellTable& m_table;
    CellTableModel* m_model;
    QPointer<CellEditor> m_editor;
    int m_editorRow = 0;
    int m_editorColumn = 0;
    bool m_handingKeyToEditor = false;
    Zoom m_zoom;
    std::optional<PresentationMetrics> m_presentation;
    std::function<QString(int, int)> m_toolTipText;
};

}  // namespace vorn
