#include "qt/charts/bar_chart_view.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

#include "qt/charts/chart_style.h"

namespace vorn {
namespace {

// Fonts for category names, relative to the widget font, largest first.
constexpr double kLabelFactors[] = {0.9, 0.8, 0.75, 0.7};
// Category names on end take at most this share of the chart's height.
constexpr double kLabelHeightShare = 0.4;

}  // namespace

BarChartView::BarChartView(QWidget* parent) : ChartView(parent) {
    m_labels = QSharedPointer<QCPAxisTickerText>::create();
    xAxis->setTicker(m_labels);
    xAxis->grid()->setVisible(false);
    setValueAxisTitle(QStringLiteral("Contribution (% per year)"));
    for (int i = 0; i < kMaxSets; ++i) {
        auto* bars = new QCPBars(xAxis, yAxis);
        bars->setWidthType(QCPBars::wtPlotCoords);
        bars->setAntialiased(false);  // upright rectangles: sharp without, and cheaper
        bars->setVisible(false);
        m_bars.append(bars);
        m_values.append(QVector<double>());
    }
    applyColors();
    relayout();
}

double BarChartView::barKey(int set, int category) const {
    if (m_arrangement.stacked) {
        return category;
    }
    return category + (set - (m_shown - 1) / 2.0) * m_arrangement.barShare;
}

double BarChartView::barPixels() const {
    const auto count = std::max<qsizetype>(m_categories.size(), 1);
    return m_arrangement.barShare * axisRect()->width() / static_cast<double>(count);
}

void BarChartView::setTable(const ChartTable& table) {
    const int categories = std::max(table.columns() - 1, 0);
    QStringList names;
    for (int c = 1; c <= categories; ++c) {
        names.append(charts::fromTableText(table.text(0, c)));
    }
    const bool categoriesChanged = names != m_categories;
    m_categories = names;

    const int shownBefore = m_shown;
    m_shown = std::clamp(table.rows() - 1, 0, static_cast<int>(kMaxSets));
    QList<QCPAbstractPlottable*> shown;
    m_setNames.clear();
    for (int set = 0; set < m_shown; ++set) {
        const int row = set + 1;
        QVector<double>& values = m_values[set];
        values.clear();
        for (int c = 1; c <= categories; ++c) {
            const double* value = table.number(row, c);
            double y = 0;
            if (value == nullptr || !charts::drawableValue(*value, &y)) {
                y = 0;
            }
            values.append(y);
        }
        QString name = charts::fromTableText(table.text(row, 0));
        if (name.isEmpty()) {
            name = QString::number(row);
        }
        m_setNames.append(name);
        shown.append(m_bars[set]);
    }
    // Another count of sets or categories may call for the other arrangement: the layout
    // decides it once it knows the plot's width.
    const bool arrangementMayChange = categoriesChanged || m_shown != shownBefore;
    if (arrangementMayChange) {
        m_arrangement = barArrangement(axisRect()->width(), categories, m_shown);
    }
    placeBars();
    bool axesChanged = showValues();
    const QCPRange range(0.5, categories + 0.5);
    if (xAxis->range() != range) {
        xAxis->setRange(range);
        axesChanged = true;
    }
    const bool legendChanged = setLegendEntries(shown, m_setNames);
    applyColors();
    showData(categoriesChanged || legendChanged || arrangementMayChange, axesChanged);
}

void BarChartView::placeBars() {
    for (int set = 0; set < kMaxSets; ++set) {
        QCPBars* bars = m_bars[set];
        bars->moveAbove(nullptr);
        if (set >= m_shown) {
            bars->data()->clear();
            bars->setVisible(false);
            continue;
        }
        QVector<double> keys;
        for (int c = 1; c <= m_values[set].size(); ++c) {
            keys.append(barKey(set, c));
        }
        bars->setData(keys, m_values[set], true);
        bars->setWidth(m_arrangement.barShare);
        bars->setVisible(true);
    }
    if (m_arrangement.stacked) {
        for (int set = 1; set < m_shown; ++set) {
            m_bars[set]->moveAbove(m_bars[set - 1]);
        }
    }
}

std::pair<double, double> BarChartView::barSpan(int set, int category) const {
    const double value = m_values[set].value(category - 1);
    if (!m_arrangement.stacked) {
        return {std::min(value, 0.0), std::max(value, 0.0)};
    }
    // Stacked: on the sum of the values of the same sign below it.
    double base = 0;
    for (int below = 0; below < set; ++below) {
        const double other = m_values[below].value(category - 1);
        if ((other > 0 && value >= 0) || (other < 0 && value < 0)) {
            base += other;
        }
    }
    return {std::min(base, base + value), std::max(base, base + value)};
}

bool BarChartView::showValues() {
    double low = 0;
    double high = 0;
    for (int set = 0; set < m_shown; ++set) {
        for (int c = 1; c <= m_values[set].size(); ++c) {
            const auto [bottom, top] = barSpan(set, c);
            low = std::min(low, bottom);
            high = std::max(high, top);
        }
    }
    return showValueRange(low, high);
}

QStringList BarChartView::setNames() const {
    return m_setNames;
}

QList<qreal> BarChartView::setValues(int row) const {
    if (row < 1 || row > m_shown) {
        return {};
    }
    return m_values[row - 1];
}

QMap<double, QString> BarChartView::shownCategoryLabels() const {
    return m_labels->ticks();
}

SeriesEmphasis BarChartView::emphasis(int row) const {
    const auto set = static_cast<std::size_t>(row - 1);
    return row >= 1 && set < m_emphasis.size() ? m_emphasis[set] : SeriesEmphasis::Normal;
}

QBrush BarChartView::setBrush(int row) const {
    return row >= 1 && row <= kMaxSets ? m_bars[row - 1]->brush() : QBrush();
}

void BarChartView::applyColors() {
    QList<bool> faded;
    for (int set = 0; set < kMaxSets; ++set) {
        const SeriesEmphasis shown = emphasis(set + 1);
        const QColor color = emphasized(charts::seriesColor(set), shown);
        m_bars[set]->setBrush(color);
        m_bars[set]->setPen(shown == SeriesEmphasis::Highlighted
                                ? QPen(Qt::black, 2)
                                : QPen(emphasized(charts::seriesColor(set).darker(130), shown), 0));
        if (set < m_shown) {
            faded.append(shown == SeriesEmphasis::Faded);
        }
    }
    fadeLegendNames(faded);
}

void BarChartView::setEmphasis(const std::vector<SeriesEmphasis>& emphasis) {
    if (emphasis == m_emphasis) {
        return;
    }
    m_emphasis = emphasis;
    applyColors();
    replot(rpQueuedRefresh);
}

void BarChartView::setWholeLabelsOnly(bool wholeOnly) {
    if (m_wholeLabelsOnly != wholeOnly) {
        m_wholeLabelsOnly = wholeOnly;
        relayout();
    }
}

void BarChartView::fitHorizontalLabels() {
    const int count = static_cast<int>(m_categories.size());
    const double plotWidth = axisRect()->width();
    const BarArrangement arrangement = barArrangement(plotWidth, count, m_shown);
    if (!(arrangement == m_arrangement)) {
        m_arrangement = arrangement;
        placeBars();
        showValues();
    }
    // The names in the largest font in which they stand whole: level, on end, on two lines.
    const double categoryWidth = plotWidth / static_cast<double>(std::max(count, 1));
    const int room = static_cast<int>(height() * kLabelHeightShare);
    QFont font;
    LabelFit fit;
    QStringList twoLineNames;
    for (double factor : kLabelFactors) {
        font = chartFont(factor);
        const QFontMetrics metrics(font);
        const auto text = [](std::string_view part) {
            return QString::fromUtf8(part.data(), static_cast<qsizetype>(part.size()));
        };
        const auto measure = [&metrics, &text](std::string_view part) {
            return metrics.horizontalAdvance(text(part));
        };
        std::vector<int> oneLine;
        std::vector<int> twoLineWidths;
        twoLineNames.clear();
        for (const QString& name : m_categories) {
            const std::string utf8 = name.toStdString();
            const auto [first, second] = twoLines(utf8, measure);
            oneLine.push_back(metrics.horizontalAdvance(name));
            twoLineWidths.push_back(std::max(measure(first), measure(second)));
            twoLineNames.append(second.empty() ? name : text(first) + '\n' + text(second));
        }
        fit = fitCategoryLabels(oneLine, twoLineWidths, metrics.height(), categoryWidth, room);
        if (fit.whole) {
            break;
        }
    }
    m_labelsWhole = fit.whole;
    const QFontMetrics metrics(font);
    const bool upright = fit.placement != LabelPlacement::Level;
    // Shortened names only when nothing else lets them stand whole; every 2nd... only when even
    // the smallest font is thicker than a category is wide.
    const int longest = std::max(metrics.horizontalAdvance(QStringLiteral("Mmmm\u2026")), room);
    const int stride =
        fit.whole ? 1 : std::max(1, static_cast<int>(std::ceil(metrics.height() / categoryWidth)));
    QMap<double, QString> ticks;
    for (int c = 1; c <= count && (fit.whole || !m_wholeLabelsOnly); c += stride) {
        const QString& name = m_categories[c - 1];
        if (fit.placement == LabelPlacement::UprightTwoLines) {
            ticks.insert(c, twoLineNames[c - 1]);
        } else {
            ticks.insert(c, fit.whole ? name : metrics.elidedText(name, Qt::ElideRight, longest));
        }
    }
    xAxis->setTickLabelFont(font);
    const double rotation = upright ? -90 : 0;
    if (xAxis->tickLabelRotation() != rotation) {
        xAxis->setTickLabelRotation(rotation);
    }
    if (ticks != m_labels->ticks()) {
        m_labels->setTicks(ticks);
    }
}

QString BarChartView::labelHoverText(const QPointF& position) const {
    if (position.x() < axisRect()->left()) {
        return {};  // left of the plot: the value axis
    }
    const auto category = static_cast<int>(std::lround(xAxis->pixelToCoord(position.x())));
    if (category < 1 || category > m_categories.size()) {
        return {};
    }
    return m_categories[category - 1];
}

QString BarChartView::plotHoverText(const QPointF& position) const {
    // The bar under the pointer, or within a few pixels of it: a thin bar is hard to hit.
    const auto category = static_cast<int>(std::lround(xAxis->pixelToCoord(position.x())));
    if (category < 1 || category > m_categories.size()) {
        return {};
    }
    const double reach = 3;
    const double halfWidth = std::max(
        std::fabs(xAxis->coordToPixel(m_arrangement.barShare) - xAxis->coordToPixel(0)) / 2, reach);
    int nearestSet = -1;
    double nearestDistance = 0;
    for (int set = 0; set < m_shown; ++set) {
        const double centre = xAxis->coordToPixel(barKey(set, category));
        if (std::fabs(position.x() - centre) > halfWidth || category > m_values[set].size()) {
            continue;
        }
        const auto [bottom, top] = barSpan(set, category);
        const double upper = yAxis->coordToPixel(top);
        const double lower = yAxis->coordToPixel(bottom);
        if (position.y() < std::min(upper, lower) - reach ||
            position.y() > std::max(upper, lower) + reach) {
            continue;
        }
        // Stacked, the pointer's distance from the segment; side by side, from the bar.
        const double distance = m_arrangement.stacked
                                    ? std::max(0.0, std::max(std::min(upper, lower) - position.y(),
                                                             position.y() - std::max(upper, lower)))
                                    : std::fabs(position.x() - centre);
        if (nearestSet < 0 || distance < nearestDistance) {
            nearestSet = set;
            nearestDistance = distance;
        }
    }
    if (nearestSet < 0) {
        return {};
    }
    return QStringLiteral("%1 \u2192 %2: %3 % per year")
        .arg(m_setNames[nearestSet], m_categories[category - 1],
             QString::number(m_values[nearestSet].value(category - 1), 'g', 4));
}

}  // namespace vorn
