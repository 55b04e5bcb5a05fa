#include "qt/window/grid_view.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleOptionViewItem>
#include <QToolTip>
#include <algorithm>
#include <optional>

#include "qt/charts/chart_style.h"
#include "qt/window/cell_table_model.h"
#include "shell/controls.h"
#include "tables/rgb.h"

namespace vorn {
namespace {

constexpr int kRowHeightTwips = 240;

/// A cell's text as drawn: trailing blanks (the "%   " of an unset value) show nothing and
/// must not make a text look too long for its column.
QString shownCellText(QString text) {
    while (!text.isEmpty() && text.back().isSpace()) {
        text.chop(1);
    }
    return text;
}

/// The platform's style with the grid lines in the grids' own colour, which styles otherwise
/// derive from the window background, narrow margins beside the cell texts, and cell texts
/// drawn without their trailing blanks.
class GridStyle : public QProxyStyle {
  public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == QStyle::SH_Table_GridLineColor) {
            return static_cast<int>(QColor(192, 192, 192).rgba());
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        // Item views keep this plus one pixel free on either side of a cell's text.
        return metric == PM_FocusFrameHMargin ? 1
                                              : QProxyStyle::pixelMetric(metric, option, widget);
    }
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        const auto* item = qstyleoption_cast<const QStyleOptionViewItem*>(option);
        if (element == CE_ItemViewItem && item != nullptr) {
            QStyleOptionViewItem trimmed(*item);
            trimmed.text = shownCellText(item->text);
            QProxyStyle::drawControl(element, &trimmed, painter, widget);
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
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

Rgb rgb(const QColor& color) {
    return Rgb{static_cast<std::uint8_t>(color.red()), static_cast<std::uint8_t>(color.green()),
               static_cast<std::uint8_t>(color.blue())};
}

// The design's selected-cell colour where it reads on the highlight, else the platform's
// highlighted text colour, else black or white.
QColor selectedTextColor(const QColor& wanted, const QPalette& palette) {
    const Rgb chosen =
        readableTextColor(rgb(wanted), rgb(palette.color(QPalette::Active, QPalette::Highlight)),
                          rgb(palette.color(QPalette::Active, QPalette::HighlightedText)));
    return QColor(chosen.red, chosen.green, chosen.blue);
}

// The move a key makes on the current cell, if it makes one.
std::optional<CellMove> cellMove(const QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool control = modifiers == Qt::ControlModifier;
    if (modifiers != Qt::NoModifier && !control) {
        return std::nullopt;
    }
    switch (event->key()) {
        case Qt::Key_Home:
            return control ? CellMove::TableStart : CellMove::RowStart;
        case Qt::Key_End:
            return control ? CellMove::TableEnd : CellMove::RowEnd;
        default:
            break;
    }
    if (control) {
        return std::nullopt;
    }
    switch (event->key()) {
        case Qt::Key_Left:
            return CellMove::Left;
        case Qt::Key_Right:
            return CellMove::Right;
        case Qt::Key_Up:
            return CellMove::Up;
        case Qt::Key_Down:
            return CellMove::Down;
        case Qt::Key_PageUp:
            return CellMove::PageUp;
        case Qt::Key_PageDown:
            return CellMove::PageDown;
        default:
            return std::nullopt;
    }
}

// The keys that leave an open editor for another row: the others edit its text.
std::optional<CellMove> editorLeavingMove(const QKeyEvent* event) {
    const std::optional<CellMove> move = cellMove(event);
    const bool leaves = move == CellMove::Up || move == CellMove::Down ||
                        move == CellMove::PageUp || move == CellMove::PageDown;
    return leaves ? move : std::nullopt;
}

}  // namespace

/// The line editor over a cell: Enter commits, Escape cancels, Up, Down, Page Up and Page Down
/// commit and move; every other key edits the text.
class CellEditor : public QLineEdit {
  public:
    CellEditor(QWidget* parent, std::function<void()> commit, std::function<void()> cancel,
               std::function<void(CellMove)> commitMoving)
        : QLineEdit(parent),
          m_commit(std::move(commit)),
          m_cancel(std::move(cancel)),
          m_commitMoving(std::move(commitMoving)) {
        setObjectName(QStringLiteral("CellEditor"));
        setFrame(false);
    }

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (const std::optional<CellMove> move = editorLeavingMove(event)) {
            event->accept();
            m_commitMoving(*move);
            return;
        }
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
                // A key the line editor leaves alone would climb to the grid, which hands
                // keys to an open editor: it ends here instead.
                QLineEdit::keyPressEvent(event);
                event->accept();
        }
    }

  private:
    std::function<void()> m_commit;
    std::function<void()> m_cancel;
    std::function<void(CellMove)> m_commitMoving;
};

GridView::GridView(const CellTable& table, const GridLook& look, QWidget* parent)
    : QTableView(parent),
      m_table(table),
      m_model(new CellTableModel(table, look.background, this)) {
    setModel(m_model);
    auto* style = new GridStyle();
    style->setParent(this);
    setStyle(style);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    applyRowHeight();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(false);
    setAutoScroll(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    setCornerButtonEnabled(false);
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Plain);
    setLineWidth(1);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(look.verticalScrollBar ? Qt::ScrollBarAsNeeded
                                                      : Qt::ScrollBarAlwaysOff);
    horizontalScrollBar()->installEventFilter(this);
    verticalScrollBar()->installEventFilter(this);

    QPalette colors = palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        colors.setColor(group, QPalette::Base, QColor(128, 128, 128));  // beyond the last cell
        colors.setColor(group, QPalette::Text, palette().color(QPalette::WindowText));
        colors.setColor(group, QPalette::Highlight,
                        palette().color(QPalette::Active, QPalette::Highlight));
        colors.setColor(group, QPalette::HighlightedText,
                        selectedTextColor(look.selectedText, palette()));
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

void GridView::openEditor(int row, int column, const QString& text, bool selected) {
    closeEditor();
    m_editorRow = row;
    m_editorColumn = column;
    m_editor = new CellEditor(
        viewport(), [this] { emit entryCommitted(); }, [this] { closeEditor(); },
        [this](CellMove move) { emit entryCommittedMoving(move); });
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
    if (selected) {
        m_editor->selectAll();
    }
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
    // Typing goes on in an entry left open while the focus was elsewhere. A key that climbs
    // back from the editor while it is being handed on is not handed to it again.
    if (editorOpen()) {
        if (!m_handingKeyToEditor) {
            m_handingKeyToEditor = true;
            m_editor->setFocus(Qt::OtherFocusReason);
            QCoreApplication::sendEvent(m_editor, event);
            m_handingKeyToEditor = false;
        }
        event->accept();
        return;
    }
    const bool f2 = event->key() == Qt::Key_F2 && event->modifiers() == Qt::NoModifier;
    if (f2 || startsEntry(event)) {
        event->accept();
        emit entryKeyPressed(m_table.currentRow(), m_table.currentColumn(),
                             f2 ? QString() : event->text());
        return;
    }
    if (const std::optional<CellMove> move = cellMove(event)) {
        event->accept();
        emit cellKeyMoved(*move);
        return;
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_Space &&
        (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier)) {
        event->accept();
        emit cellKeyClicked(modifiers == Qt::ShiftModifier ? 2 : 1);
        return;
    }
    if ((event->key() == Qt::Key_Menu && modifiers == Qt::NoModifier) ||
        (event->key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier)) {
        event->accept();
        emit cellMenuRequested();
        return;
    }
    // The view's own keys would move its current index behind the table's back (typing a
    // letter searches the cells): every other key goes on to the window.
    event->ignore();
}

int GridView::pageRows() const {
    const int row = std::max(1, verticalHeader()->defaultSectionSize());
    return std::max(1, viewport()->height() / row);
}

void GridView::showCurrentCell() {
    const QModelIndex current = m_model->index(m_table.currentRow(), m_table.currentColumn());
    if (current.isValid()) {
        scrollTo(current);
        placeEditor();
    }
}

QRect GridView::cellRect(int row, int column) const {
    return visualRect(m_model->index(row, column));
}

bool GridView::cellTextElided(int row, int column) const {
    const QModelIndex cell = m_model->index(row, column);
    const QRect shown = visualRect(cell);
    if (!cell.isValid() || shown.isEmpty()) {
        return false;
    }
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const QStringList lines = cell.data().toString().split('\n');
    return std::any_of(lines.begin(), lines.end(), [&](const QString& line) {
        return fontMetrics().horizontalAdvance(shownCellText(line)) > shown.width() - 2 * margin;
    });
}

void GridView::setToolTipText(std::function<QString(int, int)> text) {
    m_toolTipText = std::move(text);
}

QString GridView::toolTipAt(int row, int column) const {
    const QModelIndex cell = m_model->index(row, column);
    if (!cell.isValid()) {
        return {};
    }
    bool cut = cellTextElided(row, column);
    if (row > 0 && column > 0) {
        cut = cut || cellTextElided(row, 0) || cellTextElided(0, column);
    }
    if (!cut) {
        return {};
    }
    return m_toolTipText ? m_toolTipText(row, column)
                         : charts::fromTableText(m_table.text(row, column));
}

void GridView::setZoom(const Zoom& zoom) {
    m_zoom = zoom;
    m_presentation.reset();
    m_model->setTopRowLines({});
    applyColumnWidths();
    placeEditor();  // an entry being typed stays over its cell
}

void GridView::setPresentation(const PresentationMetrics& metrics) {
    m_presentation = metrics;
    applyColumnWidths();
    placeEditor();
}

void GridView::applyColumnWidths() {
    QHeaderView* header = horizontalHeader();
    std::vector<PresentationColumn> columns;
    if (m_presentation) {
        const QFontMetrics metrics = fontMetrics();
        columns = presentationColumns(
            m_table,
            [&metrics](std::string_view text) {
                return metrics.horizontalAdvance(charts::fromTableText(std::string(text)));
            },
            *m_presentation);
        QStringList lines;
        for (const PresentationColumn& column : columns) {
            lines.append(column.secondLine.empty()
                             ? QString()
                             : charts::fromTableText(column.firstLine) + '\n' +
                                   charts::fromTableText(column.secondLine));
        }
        m_model->setTopRowLines(lines);
    }
    for (int c = 0; c < m_model->columnCount(); ++c) {
        const auto column = static_cast<std::size_t>(c);
        const int width =
            column < columns.size() ? columns[column].width : m_zoom.pixels(m_table.columnWidth(c));
        if (header->sectionSize(c) != width) {
            header->resizeSection(c, width);
        }
    }
    applyRowHeight();
}

int GridView::topRowLines() const {
    for (int c = 0; m_presentation && c < m_model->columnCount(); ++c) {
        if (m_model->index(0, c).data().toString().contains('\n')) {
            return 2;
        }
    }
    return 1;
}

void GridView::applyRowHeight() {
    const int text = fontMetrics().height() + 2;
    const int height = m_presentation ? std::max(m_presentation->rowPixels, text)
                                      : std::max(m_zoom.pixels(kRowHeightTwips), text);
    QHeaderView* rows = verticalHeader();
    if (rows->defaultSectionSize() != height) {
        rows->setDefaultSectionSize(height);
    }
    // The top row holds the item names: two lines when one of them is broken.
    const int top = topRowLines() > 1 ? height + fontMetrics().lineSpacing() : height;
    if (m_model->rowCount() > 0 && rows->sectionSize(0) != top) {
        rows->resizeSection(0, top);
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
    if (button == 0) {
        return;
    }
    setFocus(Qt::MouseFocusReason);
    if (!index.isValid()) {
        emit backgroundPressed(button);
        return;
    }
    emit cellPressed(index.row(), index.column(), button);
}

// Presses on the grid's own area outside the viewport: its frame and the corner between
// the scroll bars.
bool GridView::event(QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        const int button = buttonNumber(static_cast<QMouseEvent*>(event)->button());
        if (button != 0) {
            setFocus(Qt::MouseFocusReason);
            emit backgroundPressed(button);
        }
        event->accept();
        return true;
    }
    const bool handled = QTableView::event(event);
    if (event->type() == QEvent::Paint && hasFocus()) {
        QPainter painter(this);
        paintFocusRing(painter, rect(), frameWidth());
    }
    return handled;
}

// A press on a scroll bar brings the grid forward; the scroll bar still gets the press.
bool GridView::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == horizontalScrollBar() || watched == verticalScrollBar()) &&
        event->type() == QEvent::MouseButtonPress) {
        const int button = buttonNumber(static_cast<QMouseEvent*>(event)->button());
        if (button != 0) {
            emit backgroundPressed(button);
        }
    }
    return QTableView::eventFilter(watched, event);
}

// A cell text that does not fit shows whole as a tooltip.
bool GridView::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip) {
        return QTableView::viewportEvent(event);
    }
    const auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex cell = indexAt(help->pos());
    const QString text = cell.isValid() ? toolTipAt(cell.row(), cell.column()) : QString();
    if (!text.isEmpty()) {
        QToolTip::showText(help->globalPos(), text, viewport(), visualRect(cell));
    } else {
        QToolTip::hideText();
    }
    return true;
}

void GridView::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    if (hasFocus()) {
        // Inside the viewport the ring covers the cells' edges: one pixel at the design size.
        QPainter painter(viewport());
        paintFocusRing(painter, viewport()->rect(), std::max(1, m_zoom.pixels(kTwipsPerPixel)));
    }
}

// The focus ring: `width` pixels along the inside of `area`.
void GridView::paintFocusRing(QPainter& painter, const QRect& area, int width) const {
    const QColor highlight = palette().color(QPalette::Active, QPalette::Highlight);
    for (int inset = 0; inset < width; ++inset) {
        painter.setPen(QPen(highlight, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(area.adjusted(inset, inset, -1 - inset, -1 - inset));
    }
}

void GridView::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    update();
    viewport()->update();
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
        reason == Qt::ShortcutFocusReason) {
        emit focusedByKeyboard();
    }
}

void GridView::focusOutEvent(QFocusEvent* event) {
    QTableView::focusOutEvent(event);
    update();
    viewport()->update();
}

void GridView::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        applyRowHeight();
    }
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

// The current cell is the table's: keys move it through cellKeyMoved, never the view itself.
QModelIndex GridView::moveCursor(CursorAction /*action*/, Qt::KeyboardModifiers /*modifiers*/) {
    return currentIndex();
}

}  // namespace vorn
