#include "shell/qt/grid_view.h"

#include <QHeaderView>
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

}  // namespace

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
    }
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
