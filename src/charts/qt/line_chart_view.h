#pragma once

#include <QList>
#include <QPointF>
#include <QStringList>
#include <string>
#include <vector>

#include "charts/chart_table.h"
#include "charts/qt/chart_view.h"

namespace vorn {

/// A two-dimensional line chart of a chart table: row 0 labels the points along the
/// horizontal axis (years), every row below it is one line. Rows without a number draw
/// nothing and have no legend entry. The lines are made once; new data only replaces their
/// points.
///
/// The lines are drawn on the "main" layer; shaded bands behind them (for instance
/// percentiles as a channel fill between two graphs) belong on a layer below it and take
/// legend entries of their own through setLegendEntries.
class LineChartView : public ChartView {
    Q_OBJECT
  public:
    static constexpr int kMaxSeries = 20;

    explicit LineChartView(QWidget* parent = nullptr);

    /// Draws `table`. Row r (1..) is named `seriesNames[r - 1]` when given and not empty,
    /// else by the text in its column 0, else by its number.
    void setTable(const ChartTable& table, const std::vector<std::string>& seriesNames = {});

    /// Names of the lines that are drawn, top row first.
    QStringList visibleSeriesNames() const;
    /// The points of line `row` (1..20) as drawn: x is the column, y the value.
    QList<QPointF> seriesPoints(int row) const;
    /// The labels along the horizontal axis, one per point, as the table gives them.
    const QStringList& pointLabels() const { return m_pointLabels; }
    /// The labels the horizontal axis shows (every point's, or every 2nd, 4th... when
    /// crowded), by column.
    QMap<double, QString> shownPointLabels() const;

  protected:
    QString plotHoverText(const QPointF& position) const override;
    void fitHorizontalLabels() override;
    void restyle() override;

  private:
    QList<QCPGraph*> m_lines;
    QStringList m_names;  // whole name of every line, empty when it is not drawn
    QStringList m_pointLabels;
    QSharedPointer<QCPAxisTickerText> m_years;
};

}  // namespace vorn
