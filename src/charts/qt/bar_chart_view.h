#pragma once

#include <QChartView>
#include <QList>
#include <QStringList>

#include "charts/chart_table.h"

class QBarCategoryAxis;
class QBarSeries;
class QBarSet;
class QValueAxis;

namespace vorn {

/// A two-dimensional bar chart of a chart table: row 0 names the categories along the
/// horizontal axis (columns 1..), every row below it is one bar set named by its column 0.
/// Bar sets are pooled: new data replaces their values instead of rebuilding the chart.
class BarChartView : public QChartView {
    Q_OBJECT
  public:
    static constexpr int kMaxSets = 21;

    explicit BarChartView(QWidget* parent = nullptr);
    ~BarChartView() override;

    void setTable(const ChartTable& table);

    /// Names of the bar sets shown, in order.
    QStringList setNames() const;
    /// Values of bar set `row` (1..), as drawn.
    QList<qreal> setValues(int row) const;
    QStringList categories() const;

    /// Draws the chart as it is shown into `target`: in vector form on a vector device (PDF,
    /// SVG, printer). Printing and export draw the charts through this.
    void drawInto(QPainter& painter, const QRectF& target);

  signals:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void showSets(int count);
    void showBarTip(const QBarSet* set, bool entered, int index);

    QBarSeries* m_series = nullptr;
    QList<QBarSet*> m_pool;  // every set ever made; the first m_shown are in the series
    int m_shown = 0;
    QBarCategoryAxis* m_axisX = nullptr;
    QValueAxis* m_axisY = nullptr;
    QStringList m_categories;
};

}  // namespace vorn
