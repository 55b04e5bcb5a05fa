#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <optional>
#include <string>
#include <vector>

#include "tables/cell_table.h"

namespace vorn {

/// Shows a core CellTable to a Qt view: cell texts and cell colours, the grid's own
/// background where a cell has no colour. For assistive technology the item names in row 0
/// and column 0 are also the column and row headers, and a cell reads as spokenCellText
/// gives it. It holds no logic and never writes the table.
class CellTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    CellTableModel(const CellTable& table, QColor background, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    /// Catches up with the table: rows and columns inserted or removed as the table's shape
    /// changed, then dataChanged for the cells whose text or colour changed. Returns false,
    /// doing nothing, when the table has not changed since the last call.
    bool refresh();

    /// The texts of the top row's cells broken onto lines, by column (a text without a line
    /// break, or none, shows the cell's text as it is); empty: every cell as it is.
    void setTopRowLines(const QStringList& lines);

  private:
    struct Shown {
        std::string text;
        std::optional<Rgb> color;
    };

    void reportChangedCells();

    const CellTable& m_table;
    QColor m_background;
    unsigned long m_revision = 0;
    bool m_synced = false;
    int m_rows = 0;
    int m_columns = 0;
    std::vector<Shown> m_shown;  // what the view was last told, row by row
    QStringList m_topRowLines;
};

}  // namespace vorn
