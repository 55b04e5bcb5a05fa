#pragma once

#include <string>
#include <variant>
#include <vector>

namespace vorn {

/// One cell of a chart's data: empty (no point), a text (a label) or a number.
using ChartCell = std::variant<std::monostate, std::string, double>;

/// The data a chart draws: row 0 labels the columns (the points along the horizontal axis),
/// each row below it is one series, and a text in column 0 names that series.
class ChartTable {
  public:
    ChartTable(int rows = 0, int columns = 0)
        : m_rows(rows),
          m_columns(columns),
          m_cells(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns)) {}

    int rows() const { return m_rows; }
    int columns() const { return m_columns; }

    const ChartCell& at(int row, int column) const {
        return m_cells[static_cast<std::size_t>(row * m_columns + column)];
    }
    void set(int row, int column, ChartCell value) {
        m_cells[static_cast<std::size_t>(row * m_columns + column)] = std::move(value);
    }

    bool isEmpty(int row, int column) const {
        return std::holds_alternative<std::monostate>(at(row, column));
    }
    /// The number in a cell; nullptr for an empty or text cell.
    const double* number(int row, int column) const {
        return std::get_if<double>(&at(row, column));
    }
    /// The text in a cell; the empty text for an empty or number cell.
    const std::string& text(int row, int column) const;

    friend bool operator==(const ChartTable&, const ChartTable&) = default;

  private:
    int m_rows;
    int m_columns;
    std::vector<ChartCell> m_cells;
};

}  // namespace vorn
