#include "qt/window/cell_table_model.h"

#include <QBrush>
#include <algorithm>

#include "editing/screen_reader.h"
#include "qt/charts/chart_style.h"

namespace vorn {

CellTableModel::CellTableModel(const CellTable& table, QColor background, QObject* parent)
    : QAbstractTableModel(parent), m_table(table), m_background(background) {}

int CellTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int CellTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_columns;
}

QVariant CellTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
            if (index.row() == 0 && index.column() < m_topRowLines.size() &&
                m_topRowLines[index.column()].contains('\n')) {
                return m_topRowLines[index.column()];
            }
            return charts::fromTableText(m_table.text(index.row(), index.column()));
        case Qt::BackgroundRole: {
            const std::optional<Rgb> color = m_table.color(index.row(), index.column());
            return QBrush(color ? QColor(color->red, color->green, color->blue) : m_background);
        }
        case Qt::TextAlignmentRole:
            // A top row of two lines: its texts at the top, where the edge of a matrix behind
            // the other shows them.
            if (index.row() == 0 && !m_topRowLines.isEmpty()) {
                return QVariant::fromValue(Qt::AlignLeft | Qt::AlignTop);
            }
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        case Qt::AccessibleTextRole:
            return charts::fromTableText(spokenCellText(m_table.text(index.row(), index.column())));
        default:
            return {};
    }
}

QVariant CellTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || section < 0) {
        return {};
    }
    const bool columns = orientation == Qt::Horizontal;
    if (section >= (columns ? m_columns : m_rows)) {
        return {};
    }
    return charts::fromTableText(columns ? m_table.text(0, section) : m_table.text(section, 0));
}

void CellTableModel::setTopRowLines(const QStringList& lines) {
    if (lines == m_topRowLines) {
        return;
    }
    m_topRowLines = lines;
    if (m_rows > 0 && m_columns > 0) {
        emit dataChanged(index(0, 0), index(0, m_columns - 1));
    }
}

Qt::ItemFlags CellTableModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

bool CellTableModel::refresh() {
    if (m_synced && m_table.revision() == m_revision) {
        return false;
    }
    m_synced = true;
    m_revision = m_table.revision();
    const int rows = m_table.rows();
    const int columns = m_table.columns();
    if (rows != m_rows || columns != m_columns) {
        m_shown.clear();
    }
    if (rows < m_rows) {
        beginRemoveRows(QModelIndex(), rows, m_rows - 1);
        m_rows = rows;
        endRemoveRows();
    } else if (rows > m_rows) {
        beginInsertRows(QModelIndex(), m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    }
    if (columns < m_columns) {
        beginRemoveColumns(QModelIndex(), columns, m_columns - 1);
        m_columns = columns;
        endRemoveColumns();
    } else if (columns > m_columns) {
        beginInsertColumns(QModelIndex(), m_columns, columns - 1);
        m_columns = columns;
        endInsertColumns();
    }
    reportChangedCells();
    return true;
}

void CellTableModel::reportChangedCells() {
    // A view repaints a single changed cell by itself but the whole table for a range, so
    // a few changed cells are reported one by one.
    constexpr std::size_t kSingleReports = 64;
    const std::size_t count =
        static_cast<std::size_t>(m_rows) * static_cast<std::size_t>(m_columns);
    const bool reshaped = m_shown.size() != count;  // cleared when the shape changed
    m_shown.resize(count);
    std::vector<QModelIndex> changed;
    for (int row = 0; row < m_rows; ++row) {
        for (int column = 0; column < m_columns; ++column) {
            Shown& shown = m_shown[static_cast<std::size_t>(row * m_columns + column)];
            const std::string& text = m_table.text(row, column);
            const std::optional<Rgb> color = m_table.color(row, column);
            if (reshaped || shown.text != text || shown.color != color) {
                shown.text = text;
                shown.color = color;
                changed.push_back(index(row, column));
            }
        }
    }
    const bool namesChanged =
        std::any_of(changed.begin(), changed.end(),
                    [](const QModelIndex& cell) { return cell.row() == 0 || cell.column() == 0; });
    if (changed.size() > kSingleReports) {
        emit dataChanged(index(0, 0), index(m_rows - 1, m_columns - 1));
    } else {
        for (const QModelIndex& cell : changed) {
            emit dataChanged(cell, cell);
        }
    }
    if (namesChanged && m_rows > 0 && m_columns > 0) {
        emit headerDataChanged(Qt::Horizontal, 0, m_columns - 1);
        emit headerDataChanged(Qt::Vertical, 0, m_rows - 1);
    }
}

}  // namespace vorn
