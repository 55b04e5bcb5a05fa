#pragma once

#include <QList>
#include <QPointF>
#include <QStringList>
#include <array>
#include <string>
#include <vector>

#include "charts/chart_table.h"
#include "charts/comparison_lines.h"
#include "projection/uncertainty_bands.h"
#include "qt/charts/chart_view.h"

namespace vorn {

/// Percentile bands to shade behind a line chart's lines, by the chart's points.
struct ChartBands {
    const UncertaintyBands* bands = nullptr;  // none: no bands
    /// Legend entries of the 5-95 band, the 25-75 band and the median.
    std::array<std::string, 3> names;
};

/// A two-dimensional line chart of a chart table: row 0 labels the points along the
/// horizontal axis (years), every row below it is one line. Rows without a number draw
/// nothing and have no legend entry. The lines are made once; new data only replaces their
/// points.
///
/// Percentile bands, when given, are shaded behind the lines on a layer of their own: the 5-95
/// and the 25-75 band, named first in the legend, then the median line, drawn over the lines,
/// which let the bands show through. A point where a band's edge is not a finite number is
/// left out of that band.
///
/// Comparison lines, when given, are drawn behind the lines on a layer of their own, each in
/// the lighter colour of the line it lies behind, wider, in its kind's dash and without
/// markers (comparisonStyle); one legend entry after the lines explains each kind. Hovering a
/// line then also shows the comparison values and the differences from them.
class LineChartView : public ChartView {
    Q_OBJECT
  public:
    static constexpr int kMaxSeries = 20;

    explicit LineChartView(QWidget* parent = nullptr);

    /// Draws `table`. Row r (1..) is named `seriesNames[r - 1]` when given and not empty,
    /// else by the text in its column 0, else by its number.
    void setTable(const ChartTable& table, const std::vector<std::string>& seriesNames = {},
                  const ChartBands& bands = {},
                  const std::vector<ComparisonLines>& comparisons = {});

    /// Names of the lines that are drawn, top row first.
    QStringList visibleSeriesNames() const;
    /// The points of line `row` (1..20) as drawn: x is the column, y the value.
    QList<QPointF> seriesPoints(int row) const;
    /// The points of the comparison line of `kind` behind line `row` (1..20) as drawn; empty
    /// when there is none.
    QList<QPointF> comparisonPoints(ComparisonKind kind, int row) const;
    /// The pen of that comparison line.
    QPen comparisonPen(ComparisonKind kind, int row) const;
    /// The points of the bands as drawn, x the column: 0 the 5th, 1 the 25th, 2 the 50th, 3
    /// the 75th, 4 the 95th percentile; empty without bands.
    QList<QPointF> bandPoints(int band) const;
    /// The labels along the horizontal axis, one per point, as the table gives them.
    const QStringList& pointLabels() const { return m_pointLabels; }
    /// The labels the horizontal axis shows (every point's, or every 2nd, 4th... when
    /// crowded), by column.
    QMap<double, QString> shownPointLabels() const;

    int legendSeries(int entry) const override;
    void setEmphasis(const std::vector<SeriesEmphasis>& emphasis) override;
    /// How line `row` (1..20) is drawn now.
    SeriesEmphasis emphasis(int row) const;
    QPen linePen(int row) const;

  protected:
    QString plotHoverText(const QPointF& position) const override;
    void fitHorizontalLabels() override;
    void restyle() override;

  private:
    /// Puts the bands' points into their graphs; the range of the values drawn widens
    /// `low`..`high`. Appends the plottables and names of the legend entries.
    void showBands(const ChartBands& bands, double* low, double* high,
                   QList<QCPAbstractPlottable*>* entries, QStringList* names);
    QString bandHoverText(const QPointF& position) const;
    /// Puts the comparison lines' points into their graphs, as showBands does.
    void showComparisons(const std::vector<ComparisonLines>& comparisons, double* low, double* high,
                         QList<QCPAbstractPlottable*>* entries, QStringList* names);
    /// By legend entry: true for a faded line.
    QList<bool> fadedEntries() const;

    QList<QCPGraph*> m_lines;
    // By kind: a line behind each series, and a line without points for the legend.
    std::array<QList<QCPGraph*>, 2> m_comparisonLines;
    std::array<QCPGraph*, 2> m_comparisonKeys{};
    std::vector<ComparisonLines> m_comparisons;
    std::array<QCPGraph*, 5> m_bands{};  // p5, p25, p50, p75, p95
    QStringList m_bandNames;
    bool m_fadedLines = false;
    QStringList m_names;        // whole name of every line, empty when it is not drawn
    QList<int> m_legendSeries;  // by legend entry: the line's row - 1, or -1 for a band
    std::vector<SeriesEmphasis> m_emphasis;
    QStringList m_pointLabels;
    QSharedPointer<QCPAxisTickerText> m_years;
};

}  // namespace vorn
