#pragma once

#include <QString>
#include <QWidget>

#include "tables/text_table.h"

class QTabWidget;
class QTableWidget;

namespace vorn {

/// Escape and Ctrl+W close `window`, a window of its own.
void addCloseKeys(QWidget* window);

/// A window of its own that shows texts in tables, one table per tab (the tabs hide while there
/// is one): read-only, with column headers and any row headers, so that a screen reader reads
/// each cell with its headers; long texts wrap. Escape and Ctrl+W close it.
class ReadingWindow : public QWidget {
    Q_OBJECT
  public:
    ReadingWindow(const QString& name, const QString& title, QWidget* parent = nullptr);

    /// Shows `table` on page `page` (0..), named `title`; a new page is added after the last.
    void setPage(int page, const QString& title, const TextTable& table);
    /// Brings page `page` to the front.
    void showPage(int page);
    int shownPage() const;
    QTableWidget* table(int page) const;
    /// The text of cell (row, column) of page `page`, headers aside; empty outside the table.
    QString cellText(int page, int row, int column) const;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QTabWidget* m_pages;
};

}  // namespace vorn
