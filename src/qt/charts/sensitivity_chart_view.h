#pragma once

#include <QList>
#include <QStringList>

#include "qt/charts/chart_view.h"

namespace vorn {

/// A ranked horizontal bar chart: one bar per entry, the first on top, each named along the
/// left edge, its length the signed value along the axis below it, coloured by its sign.
/// Names too long for a share of the chart's width are shortened in the middle; hovering a
/// name or a bar shows it whole with its value.
class SensitivityChartView : public ChartView {
    Q_OBJECT
  public:
    static constexpr int kMaxBars = 10;

    explicit SensitivityChartView(QWidget* parent = nullptr);

    /// Shows `values` named `names`, top first (at most kMaxBars; values that are not finite
    /// draw no bar). `signNames` names the positive and the negative bars in the legend,
    /// `valueTitle` the value axis.
    void setBars(const QStringList& names, const QList<double>& values,
                 const QStringList& signNames, const QString& valueTitle);

    /// The whole names of the bars, top first.
    const QStringList& barNames() const { return m_names; }
    /// The values of the bars as drawn, top first.
    QList<double> barValues() const;
    /// The names as the axis shows them, by rank (1 on top).
    QMap<double, QString> shownBarLabels() const;
    /// The colour of bar `rank` (1 on top).
    QColor barColor(int rank) const;

  protected:
    QString plotHoverText(const QPointF& position) const override;
    QString labelHoverText(const QPointF& position) const override;
    void fitHorizontalLabels() override;

  private:
    QString barText(int rank) const;
    int rankAt(double y) const;

    QCPBars* m_raising;
    QCPBars* m_lowering;
    QStringList m_names;
    QList<double> m_values;
    QString m_valueTitle;
    QSharedPointer<QCPAxisTickerText> m_labels;
};

}  // namespace vorn
