#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tables/rgb.h"

namespace vorn {

/// The cells behind one grid: texts, background colours, column widths and the current
/// cell. Rows and columns count from 0; row 0 and column 0 are ordinary cells.
/// Reading outside the table gives the empty text; writing outside it does nothing.
class CellTable {
  public:
    static constexpr int kDefaultColumnWidth = 960;

    CellTable(int rows = 0, int columns = 0);

    int rows() const { return m_rows; }
    int columns() const { return m_columns; }
    /// Resizing keeps the cells that remain; new cells are empty and have no colour.
    void setRows(int rows);
    void setColumns(int columns);
    void resize(int rows, int columns);

    const std::string& text(int row, int column) const;
    void setText(int row, int column, std::string text);

    /// The background colour of a cell, or nothing when the grid's own background shows.
    std::optional<Rgb> color(int row, int column) const;
    /// Nothing gives the cell the grid's own background again.
    void setColor(int row, int column, std::optional<Rgb> color);

    int currentRow() const { return m_currentRow; }
    int currentColumn() const { return m_currentColumn; }
    /// Makes (row, column) current; a position outside the table is clamped into it.
    void setCurrent(int row, int column);
    const std::string& currentText() const { return text(m_currentRow, m_currentColumn); }
    void setCurrentText(std::string text) {
        setText(m_currentRow, m_currentColumn, std::move(text));
    }
    void setCurrentColor(Rgb color) { setColor(m_currentRow, m_currentColumn, color); }

    /// Width of a column in twips.
    int columnWidth(int column) const;
    void setColumnWidth(int column, int twips);

    bool contains(int row, int column) const {
        return row >= 0 && column >= 0 && row < m_rows && column < m_columns;
    }

    /// Counts every change of shape, text, colour, width or current cell; lets a view
    /// skip redrawing a table that has not changed.
    unsigned long revision() const { return m_revision; }

  private:
    struct Cell {
        std::string text;
        std::optional<Rgb> color;
    };

    void reshape(int rows, int columns);
    void clampCurrent();
    Cell& cell(int row, int column) {
        return m_cells[static_cast<std::size_t>(row * m_columns + column)];
    }
    const Cell& cell(int row, int column) const {
        return m_cells[static_cast<std::size_t>(row * m_columns + column)];
    }

    int m_rows = 0;
    int m_columns = 0;
    std::vector<Cell> m_cells;
    std::vector<int> m_widths;
    int m_currentRow = 0;
    int m_currentColumn = 0;
    unsigned long m_revision = 0;
};

}  // namespace vorn
