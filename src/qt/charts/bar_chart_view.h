#pragma once

#include <QList>
#include <QStringList>

#include "charts/chart_table.h"
#include "qt/charts/chart_view.h"

namespace vorn {

/// A two-dimensional bar chart of a chart table: row 0 names the categories along the
/// horizontal axis (columns 1..), every row below it is one set of bars, named by its
/// column 0, with one bar in each category. The bar sets are made once; new data replaces
/// their values.
///
/// Crowded category names stand on end, abbreviated when long; hovering one shows it whole.
class BarChartView : public ChartView {
    Q_OBJECT
  public:
    static constexpr int kMaxSets = 21;

    explicit BarChartView(QWidget* parent = nullptr);

    void setTable(const ChartTable& table);

    /// Names of the bar sets shown, in order.
    QStringList setNames() const;
    /// Values of bar set `row` (1..), as drawn, one per category.
    QList<qreal> setValues(int row) const;
    /// The whole names of the categories.
    QStringList categories() const { return m_categories; }
    /// The category labels as the axis shows them, by position (category 1 at 1).
    QMap<double, QString> shownCategoryLabels() const;

  protected:
    QString plotHoverText(const QPointF& position) const override;
    QString labelHoverText(const QPointF& position) const override;
    void fitHorizontalLabels() override;

  private:
    /// Position of set `set`'s bar in category `category`.
    double barKey(int set, int category) const;
    double barWidth() const;

    QList<QCPBars*> m_bars;
    int m_shown = 0;
    QStringList m_setNames;
    QStringList m_categories;
    QSharedPointer<QCPAxisTickerText> m_labels;
};

}  // namespace vorn
