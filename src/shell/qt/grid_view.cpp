#include "shell/qt/grid_view.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProxyStyle>
#include <algorithm>

#include "shell/controls.h"
#include "shell/qt/cell_table_model.h"

namespace vorn {
namespace {

constexpr int kRowHeightTwips = 240;

/// The platform's style with the grid lines in the grids' own colour, which styles otherwise
/// derive from the window background.
class GridLineStyle : public QProxyStyle {
  public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == QStyle::SH_Table_GridLineColor) {
            return static_cast<int>(QColor(192, 192, 192).rgba());
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

int buttonNumber(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return 1;
        case Qt::RightButton:
            return 2;
        case Qt::MiddleButton:
            return 4;
        default:
            return 0;
    }
}

// A key that starts a typed number.
bool startsEntry(const QKeyEvent* event) {
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        return false;
    }
    const QString text = event->text();
    return text.size() == 1 && QStringLiteral("0123456789+-.").contains(text.front());
}

}  // namespace

/// The line editor over a cell: Enter commits, Escape cancels.
class CellEditor : public QLineEdit {
  public:
    CellEditor(QWidget* parent, std::function<void()> commit, std::function<void()> cancel)
        : QLineEdit(parent), m_commit(std::move(commit)), m_cancel(std::move(cancel)) {
        setObjectName(QStringLiteral("CellEditor"));
        setFrame(false);
    }

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        switch (event->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                event->accept();
                m_commit();
                return;
            case Qt::Key_Escape:
                event->accept();
                m_cancel();
                return;
            default:
                QLineEdit::keyPressEvent(event);
        }
    }

  private:
    std::function<void()> m_commit;
    std::function<void()> m_cancel;
};

GridView::GridView(const CellTable& table, const GridLook& look, QWidget* parent)
    : QTableView(parent),
      m_table(table),
      m_model(new CellTableModel(table, look.background, this)) {
    setModel(m_model);
    auto* style = new GridLineStyle();
    style->setParent(this);
    setStyle(style);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(
        std::max(kRowHeightTwips / kTwipsPerPixel, fontMetrics().height() + 2));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(false);
    setAutoScroll(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setCornerButtonEnabled(false);
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Plain);
    setLineWidth(1);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(look.verticalScrollBar ? Qt::ScrollBarAsNeeded
                                                      : Qt::ScrollBarAlwaysOff);

    QPalette colors = palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        colors.setColor(group, QPalette::Base, QColor(128, 128, 128));  // beyond the last cell
        colors.setColor(group, QPalette::Text, palette().color(QPalette::WindowText));
        colors.setColor(group, QPalette::Highlight,
                        palette().color(QPalette::Active, QPalette::Highlight));
        colors.setColor(group, QPalette::HighlightedText, look.selectedText);
    }
    setPalette(colors);
    setShowGrid(true);
    setGridStyle(Qt::SolidLine);
    refresh();
}

void GridView::refresh() {
    if (m_model->refresh()) {
        applyColumnWidths();
        followCurrentCell();
        placeEditor();
    }
}

void GridView::openEditor(int row, int column, const QString& text) {
    closeEditor();
    m_editorRow = row;
    m_editorColumn = column;
    m_editor = new CellEditor(
        viewport(), [this] { emit entryCommitted(); }, [this] { closeEditor(); });
    m_editor->setFont(font());
    // The grid's own palette paints the space beyond its cells grey and its selected text
    // in the table's colour; the editor looks like any line editor.
    const QPalette standard = QApplication::palette(m_editor);
    QPalette colors = m_editor->palette();
    for (QPalette::ColorRole role :
         {QPalette::Base, QPalette::Text, QPalette::Highlight, QPalette::HighlightedText}) {
        colors.setColor(role, standard.color(role));
    }
    m_editor->setPalette(colors);
    m_editor->setText(text);
    placeEditor();
    m_editor->show();
    m_editor->setFocus(Qt::OtherFocusReason);
}

void GridView::closeEditor() {
    if (m_editor.isNull()) {
        return;
    }
    const bool focused = m_editor->hasFocus();
    m_editor->hide();
    m_editor->deleteLater();
    m_editor.clear();
    if (focused) {
        setFocus(Qt::OtherFocusReason);
    }
}

QString GridView::editorText() const {
    return m_editor.isNull() ? QString() : m_editor->text();
}

void GridView::focusEditor() {
    if (!m_editor.isNull()) {
        m_editor->setFocus(Qt::OtherFocusReason);
        m_editor->selectAll();
    }
}

void GridView::placeEditor() {
    if (m_editor.isNull()) {
        return;
    }
    const QRect cell = cellRect(m_editorRow, m_editorColumn);
    if (cell.isEmpty()) {
        closeEditor();  // its cell is gone
        return;
    }
    m_editor->setGeometry(cell);
}

void GridView::scrollContentsBy(int dx, int dy) {
    QTableView::scrollContentsBy(dx, dy);
    placeEditor();
}

void GridView::keyPressEvent(QKeyEvent* event) {
    // Typing goes on in an entry left open while the focus was elsewhere.
    if (editorOpen()) {
        m_editor->setFocus(Qt::OtherFocusReason);
        QCoreApplication::sendEvent(m_editor, event);
        return;
    }
    const bool f2 = event->key() == Qt::Key_F2 && event->modifiers() == Qt::NoModifier;
    if (f2 || startsEntry(event)) {
        event->accept();
        emit entryKeyPressed(m_table.currentRow(), m_table.currentColumn(),
                             f2 ? QString() : event->text());
        return;
    }
    QTableView::keyPressEvent(event);
}

QRect GridView::cellRect(int row, int column) const {
    return visualRect(m_model->index(row, column));
}

void GridView::applyColumnWidths() {
    QHeaderView* header = horizontalHeader();
    for (int c = 0; c < m_model->columnCount(); ++c) {
        const int width = (m_table.columnWidth(c) + kTwipsPerPixel / 2) / kTwipsPerPixel;
        if (header->sectionSize(c) != width) {
            header->resizeSection(c, width);
        }
    }
}

void GridView::followCurrentCell() {
    const QModelIndex current = m_model->index(m_table.currentRow(), m_table.currentColumn());
    if (current.isValid() &&
        (current != currentIndex() || !selectionModel()->isSelected(current))) {
        selectionModel()->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect);
    }
}

void GridView::pressed(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    const int button = buttonNumber(event->button());
    event->accept();
    if (!index.isValid() || button == 0) {
        return;
    }
    setFocus(Qt::MouseFocusReason);
    emit cellPressed(index.row(), index.column(), button);
}

// A double click reaches the view as press, release, double click, release: the second
// press of it is a press like any other.
void GridView::mousePressEvent(QMouseEvent* event) {
    pressed(event);
}
void GridView::mouseDoubleClickEvent(QMouseEvent* event) {
    pressed(event);
}
void GridView::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
}
void GridView::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
}

// Cells are chosen by mouse only; the keyboard does not move the current cell.
QModelIndex GridView::moveCursor(CursorAction /*action*/, Qt::KeyboardModifiers /*modifiers*/) {
    return currentIndex();
}

}  // namespace vorn
