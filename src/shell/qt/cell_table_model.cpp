#include "shell/qt/cell_table_model.h"

#include <QBrush>

#include "charts/qt/chart_style.h"

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
            return charts::fromTableText(m_table.text(index.row(), index.column()));
        case Qt::BackgroundRole: {
            const std::optional<Rgb> color = m_table.color(index.row(), index.column());
            return QBrush(color ? QColor(color->red, color->green, color->blue) : m_background);
        }
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        default:
            return {};
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
    if (m_rows > 0 && m_columns > 0) {
        emit dataChanged(index(0, 0), index(m_rows - 1, m_columns - 1),
                         {Qt::DisplayRole, Qt::BackgroundRole});
    }
    return true;
}

}  // namespace vorn
