#include "qt/window/reading_window.h"

#include <QHeaderView>
#include <QShortcut>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "qt/charts/chart_style.h"

namespace vorn {
namespace {

QString text(const std::string& value) {
    return charts::fromTableText(value);
}

QStringList texts(const std::vector<std::string>& values) {
    QStringList list;
    for (const std::string& value : values) {
        list.append(text(value));
    }
    return list;
}

}  // namespace

void addCloseKeys(QWidget* window) {
    for (const QKeySequence& key :
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        auto* shortcut = new QShortcut(key, window);
        shortcut->setContext(Qt::WindowShortcut);
        QObject::connect(shortcut, &QShortcut::activated, window, &QWidget::close);
    }
}

ReadingWindow::ReadingWindow(const QString& name, const QString& title, QWidget* parent)
    : QWidget(parent, Qt::Window), m_pages(new QTabWidget(this)) {
    setObjectName(name);
    setWindowTitle(title);
    m_pages->setTabBarAutoHide(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_pages);
    addCloseKeys(this);
    resize(860, 520);
}

void ReadingWindow::setPage(int page, const QString& title, const TextTable& content) {
    QTableWidget* shown = table(page);
    if (shown == nullptr) {
        shown = new QTableWidget(m_pages);
        shown->setEditTriggers(QAbstractItemView::NoEditTriggers);
        shown->setSelectionMode(QAbstractItemView::SingleSelection);
        shown->setTabKeyNavigation(false);
        shown->setCornerButtonEnabled(false);
        // Long texts wrap in columns of a readable width, whole.
        shown->setTextElideMode(Qt::ElideNone);
        shown->horizontalHeader()->setMaximumSectionSize(40 *
                                                         shown->fontMetrics().averageCharWidth());
        shown->horizontalHeader()->setStretchLastSection(true);
        connect(shown->horizontalHeader(), &QHeaderView::sectionResized, shown,
                &QTableView::resizeRowsToContents);
        m_pages->addTab(shown, title);
        page = m_pages->count() - 1;
    }
    m_pages->setTabText(page, title);
    shown->setAccessibleName(title);
    const auto rows = static_cast<int>(content.cells.size());
    const auto columns = static_cast<int>(content.columnHeaders.size());
    if (shown->rowCount() != rows || shown->columnCount() != columns) {
        shown->setRowCount(rows);
        shown->setColumnCount(columns);
    }
    shown->setHorizontalHeaderLabels(texts(content.columnHeaders));
    shown->verticalHeader()->setVisible(!content.rowHeaders.empty());
    shown->setVerticalHeaderLabels(texts(content.rowHeaders));
    for (int r = 0; r < rows; ++r) {
        const auto& cells = content.cells[static_cast<std::size_t>(r)];
        for (int c = 0; c < columns; ++c) {
            const QString value = static_cast<std::size_t>(c) < cells.size()
                                      ? text(cells[static_cast<std::size_t>(c)])
                                      : QString();
            QTableWidgetItem* item = shown->item(r, c);
            if (item == nullptr) {
                shown->setItem(r, c, new QTableWidgetItem(value));
            } else if (item->text() != value) {
                item->setText(value);
            }
        }
    }
    shown->setAccessibleDescription(text(content.cornerText));
    shown->resizeColumnsToContents();
    shown->resizeRowsToContents();
    if (!shown->currentIndex().isValid() && rows > 0 && columns > 0) {
        shown->setCurrentCell(0, 0);
    }
}

void ReadingWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The wrapped texts' heights once the columns have their shown widths.
    for (int page = 0; page < m_pages->count(); ++page) {
        table(page)->resizeRowsToContents();
    }
}

void ReadingWindow::showPage(int page) {
    if (page >= 0 && page < m_pages->count()) {
        m_pages->setCurrentIndex(page);
    }
}

int ReadingWindow::shownPage() const {
    return m_pages->currentIndex();
}

QTableWidget* ReadingWindow::table(int page) const {
    return page >= 0 && page < m_pages->count() ? static_cast<QTableWidget*>(m_pages->widget(page))
                                                : nullptr;
}

QString ReadingWindow::cellText(int page, int row, int column) const {
    const QTableWidget* shown = table(page);
    const QTableWidgetItem* item = shown != nullptr ? shown->item(row, column) : nullptr;
    return item != nullptr ? item->text() : QString();
}

}  // namespace vorn
