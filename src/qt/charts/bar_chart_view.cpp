#include "qt/charts/bar_chart_view.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

#include "qt/charts/chart_style.h"

namespace vorn {
namespace {

// Share of a category's width that its bars fill together.
constexpr double kBarGroupWidth = 0.8;
// Fonts for category names on end, relative to the widget font, largest first.
constexpr double kUprightLabelFactors[] = {0.9, 0.8, 0.75, 0.7};
// Rotated category names take at most this share of the chart's height.
constexpr double kLabelHeightShare = 0.28;

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
        bars->setBrush(charts::seriesColor(i));
        bars->setPen(QPen(charts::seriesColor(i).darker(130), 0));
        bars->setVisible(false);
        m_bars.append(bars);
    }
    relayout();
}

double BarChartView::barWidth() const {
    return kBarGroupWidth / std::max(m_shown, 1);
}

double BarChartView::barKey(int set, int category) const {
    return category + (set - (m_shown - 1) / 2.0) * barWidth();
}

void BarChartView::setTable(const ChartTable& table) {
    const int categories = std::max(table.columns() - 1, 0);
    QStringList names;
    for (int c = 1; c <= categories; ++c) {
        names.append(charts::fromTableText(table.text(0, c)));
    }
    const bool categoriesChanged = names != m_categories;
    m_categories = names;

    m_shown = std::clamp(table.rows() - 1, 0, static_cast<int>(kMaxSets));
    double low = 0;
    double high = 0;
    QList<QCPAbstractPlottable*> shown;
    m_setNames.clear();
    for (int set = 0; set < kMaxSets; ++set) {
        QCPBars* bars = m_bars[set];
        if (set >= m_shown) {
            bars->data()->clear();
            bars->setVisible(false);
            continue;
        }
        const int row = set + 1;
        QVector<double> keys;
        QVector<double> values;
        for (int c = 1; c <= categories; ++c) {
            const double* value = table.number(row, c);
            double y = 0;
            if (value == nullptr || !charts::drawableValue(*value, &y)) {
                y = 0;
            }
            keys.append(barKey(set, c));
            values.append(y);
            low = std::min(low, y);
            high = std::max(high, y);
        }
        bars->setData(keys, values, true);
        bars->setWidth(barWidth());
        bars->setVisible(true);
        QString name = charts::fromTableText(table.text(row, 0));
        if (name.isEmpty()) {
            name = QString::number(row);
        }
        m_setNames.append(name);
        shown.append(bars);
    }
    bool axesChanged = showValueRange(low, high);
    const QCPRange range(0.5, categories + 0.5);
    if (xAxis->range() != range) {
        xAxis->setRange(range);
        axesChanged = true;
    }
    const bool legendChanged = setLegendEntries(shown, m_setNames);
    showData(categoriesChanged || legendChanged, axesChanged);
}

QStringList BarChartView::setNames() const {
    return m_setNames;
}

QList<qreal> BarChartView::setValues(int row) const {
    QList<qreal> values;
    if (row < 1 || row > m_shown) {
        return values;
    }
    const auto data = m_bars[row - 1]->data();
    for (auto bar = data->constBegin(); bar != data->constEnd(); ++bar) {
        values.append(bar->value);
    }
    return values;
}

QMap<double, QString> BarChartView::shownCategoryLabels() const {
    return m_labels->ticks();
}

void BarChartView::fitHorizontalLabels() {
    // Names side by side when they fit their categories; else on end, in a smaller font when
    // needed, abbreviated to a share of the chart's height, and every 2nd... only when even
    // the smallest font is thicker than a category is wide.
    const int count = static_cast<int>(m_categories.size());
    const double categoryWidth = axisRect()->width() / static_cast<double>(std::max(count, 1));
    QFont font = xAxis->tickLabelFont();
    int widest = 0;
    for (const QString& name : m_categories) {
        widest = std::max(widest, QFontMetrics(font).horizontalAdvance(name));
    }
    const bool upright = widest + QFontMetrics(font).averageCharWidth() > categoryWidth;
    for (double factor : kUprightLabelFactors) {
        font = chartFont(factor);
        if (!upright || QFontMetrics(font).height() <= categoryWidth) {
            break;
        }
    }
    const QFontMetrics metrics(font);
    const int longest = std::max(metrics.horizontalAdvance(QStringLiteral("Mmmm\u2026")),
                                 static_cast<int>(height() * kLabelHeightShare));
    const int stride =
        upright ? std::max(1, static_cast<int>(std::ceil(metrics.height() / categoryWidth))) : 1;
    QMap<double, QString> ticks;
    for (int c = 1; c <= count; c += stride) {
        const QString& name = m_categories[c - 1];
        ticks.insert(c, upright ? metrics.elidedText(name, Qt::ElideRight, longest) : name);
    }
    if (upright) {
        xAxis->setTickLabelFont(font);
    }
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
    // The bar under the pointer, or within a few pixels of it: at twenty items a bar may be
    // thinner than a pixel.
    const auto category = static_cast<int>(std::lround(xAxis->pixelToCoord(position.x())));
    if (category < 1 || category > m_categories.size()) {
        return {};
    }
    const double reach = 3;
    int nearestSet = -1;
    double nearestDistance = 0;
    double nearestValue = 0;
    for (int set = 0; set < m_shown; ++set) {
        const double centre = xAxis->coordToPixel(barKey(set, category));
        const double halfWidth = std::max(
            std::fabs(xAxis->coordToPixel(barWidth()) - xAxis->coordToPixel(0)) / 2, reach);
        const auto data = m_bars[set]->data();
        if (std::fabs(position.x() - centre) > halfWidth || category > data->size()) {
            continue;
        }
        const double value = data->at(category - 1)->value;
        const double top = yAxis->coordToPixel(value);
        const double base = yAxis->coordToPixel(0);
        if (position.y() < std::min(top, base) - reach ||
            position.y() > std::max(top, base) + reach) {
            continue;
        }
        const double distance = std::fabs(position.x() - centre);
        if (nearestSet < 0 || distance < nearestDistance) {
            nearestSet = set;
            nearestDistance = distance;
            nearestValue = value;
        }
    }
    if (nearestSet < 0) {
        return {};
    }
    return QStringLiteral("%1 \u2192 %2: %3 % per year")
        .arg(m_setNames[nearestSet], m_categories[category - 1],
             QString::number(nearestValue, 'g', 4));
}

}  // namespace vorn
