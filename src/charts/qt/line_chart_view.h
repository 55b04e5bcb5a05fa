#pragma once

#include <QChartView>
#include <QList>
#include <QStringList>
#include <string>
#include <vector>

#include "charts/chart_table.h"

class QCategoryAxis;
class QLineSeries;
class QValueAxis;

namespace vorn {

/// A two-dimensional line chart of a chart table: row 0 labels the points along the
/// horizontal axis, every row below it is one line. Rows without a number draw nothing and
/// have no legend entry. The series, axes and legend are made once; new data only replaces
/// the points, which keeps redrawing cheap and leaks nothing.
class LineChartView : public QChartView {
    Q_OBJECT
  public:
    static constexpr int kMaxSeries = 20;

    explicit LineChartView(QWidget* parent = nullptr);

    /// Draws `table`. Row r (1..) is named `seriesNames[r - 1]` when given and not empty,
    /// else by the text in its column 0, else by its number.
    void setTable(const ChartTable& table, const std::vector<std::string>& seriesNames = {});

    /// Names of the lines that are drawn, top row first.
    QStringList visibleSeriesNames() const;
    /// The points of line `row` (1..20) as drawn.
    QList<QPointF> seriesPoints(int row) const;
    /// The labels along the horizontal axis, one per point.
    const QStringList& pointLabels() const { return m_pointLabels; }

    /// Draws the chart as it is shown into `target`: in vector form on a vector device (PDF,
    /// SVG, printer). Printing and export draw the charts through this.
    void drawInto(QPainter& painter, const QRectF& target);

  signals:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void showPointTip(const QLineSeries* series, const QPointF& point, bool entered);
    void updateAxisLabels();

    QList<QLineSeries*> m_series;
    QCategoryAxis* m_axisX = nullptr;
    QValueAxis* m_axisY = nullptr;
    QStringList m_pointLabels;
    QStringList m_shownLabels;
    int m_shownStride = 0;
};

}  // namespace vorn
