#pragma once

#include <QList>
#include <QStringList>
#include <vector>

#include "charts/bar_layout.h"
#include "charts/chart_table.h"
#include "qt/charts/chart_view.h"

namespace vorn {

/// A two-dimensional bar chart of a chart table: row 0 names the categories along the
/// horizontal axis (columns 1..), every row below it is one set of bars, named by its
/// column 0, with one bar in each category. The bar sets are made once; new data replaces
/// their values.
///
/// The bars of a category stand side by side while each is at least three pixels wide; beyond
/// that (many items on a narrow chart) they are stacked on one bar, positive values upwards and
/// negative ones downwards. Category names stand level when they fit, else on end, on one line
/// or broken onto two, in a smaller font when needed; only when none of that shows them whole
/// are they abbreviated. Hovering a name shows it whole.
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
    /// The category labels as the axis shows them, by position (category 1 at 1); a name
    /// broken onto two lines holds a line break.
    QMap<double, QString> shownCategoryLabels() const;
    /// True when every category name is shown whole.
    bool labelsWhole() const { return m_labelsWhole; }
    /// Leaves the category names out where they could not stand whole, as on a chart too small
    /// for them; hovering still names them.
    void setWholeLabelsOnly(bool wholeOnly);
    /// True when the sets' bars are stacked, one bar per category.
    bool stacked() const { return m_arrangement.stacked; }
    /// The width of one bar as drawn, in pixels.
    double barPixels() const;

    void setEmphasis(const std::vector<SeriesEmphasis>& emphasis) override;
    /// How bar set `row` (1..) is drawn now.
    SeriesEmphasis emphasis(int row) const;
    QBrush setBrush(int row) const;

  protected:
    QString plotHoverText(const QPointF& position) const override;
    QString labelHoverText(const QPointF& position) const override;
    void fitHorizontalLabels() override;

  private:
    /// Position of set `set`'s bar in category `category`.
    double barKey(int set, int category) const;
    /// Puts the values into the bar sets as the arrangement places them.
    void placeBars();
    /// The value axis around what is drawn: each bar, or each stack.
    bool showValues();
    void applyColors();
    /// The lower and upper end of set `set`'s bar in category `category` (from 1).
    std::pair<double, double> barSpan(int set, int category) const;

    QList<QCPBars*> m_bars;
    QList<QVector<double>> m_values;  // by set, one per category
    int m_shown = 0;
    QStringList m_setNames;
    QStringList m_categories;
    QSharedPointer<QCPAxisTickerText> m_labels;
    BarArrangement m_arrangement;
    bool m_labelsWhole = true;
    bool m_wholeLabelsOnly = false;
    std::vector<SeriesEmphasis> m_emphasis;
};

}  // namespace vorn
