#include "tables/cell_table.h"

#include <algorithm>

namespace vorn {
namespace {
const std::string kEmpty;
}

CellTable::CellTable(int rows, int columns) {
    reshape(rows, columns);
}

void CellTable::setRows(int rows) {
    reshape(rows, m_columns);
}
void CellTable::setColumns(int columns) {
    reshape(m_rows, columns);
}
void CellTable::resize(int rows, int columns) {
    reshape(rows, columns);
}

void CellTable::reshape(int rows, int columns) {
    rows = std::max(rows, 0);
    columns = std::max(columns, 0);
    ++m_revision;
    if (rows == m_rows && columns == m_columns) {
        return;
    }
    std::vector<Cell> cells(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns));
    const int keepRows = std::min(rows, m_rows);
    const int keepColumns = std::min(columns, m_columns);
    for (int r = 0; r < keepRows; ++r) {
        for (int c = 0; c < keepColumns; ++c) {
            cells[static_cast<std::size_t>(r * columns + c)] = std::move(cell(r, c));
        }
    }
    m_cells = std::move(cells);
    m_rows = rows;
    m_columns = columns;
    m_widths.resize(static_cast<std::size_t>(columns), kDefaultColumnWidth);
    clampCurrent();
}

void CellTable::clampCurrent() {
    m_currentRow = std::clamp(m_currentRow, 0, std::max(m_rows - 1, 0));
    m_currentColumn = std::clamp(m_currentColumn, 0, std::max(m_columns - 1, 0));
}

const std::string& CellTable::text(int row, int column) const {
    return contains(row, column) ? cell(row, column).text : kEmpty;
}

void CellTable::setText(int row, int column, std::string text) {
    if (!contains(row, column)) {
        return;
    }
    Cell& target = cell(row, column);
    if (target.text != text) {
        target.text = std::move(text);
        ++m_revision;
    }
}

std::optional<Rgb> CellTable::color(int row, int column) const {
    return contains(row, column) ? cell(row, column).color : std::nullopt;
}

void CellTable::setColor(int row, int column, std::optional<Rgb> color) {
    if (!contains(row, column)) {
        return;
    }
    cell(row, column).color = color;
    ++m_revision;
}

void CellTable::setCurrent(int row, int column) {
    m_currentRow = row;
    m_currentColumn = column;
    clampCurrent();
    ++m_revision;
}

int CellTable::columnWidth(int column) const {
    return column >= 0 && column < m_columns ? m_widths[static_cast<std::size_t>(column)]
                                             : kDefaultColumnWidth;
}

void CellTable::setColumnWidth(int column, int twips) {
    if (column < 0 || column >= m_columns) {
        return;
    }
    int& width = m_widths[static_cast<std::size_t>(column)];
    if (width != twips) {
        width = twips;
        ++m_revision;
    }
}

}  // namespace vorn
