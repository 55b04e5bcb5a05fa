#include "charts/qt/line_chart_view.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>
#include <limits>

#include "charts/qt/chart_style.h"

namespace vorn {
namespace {

/// Distance in pixels from `point` to the segment from `a` to `b`.
double distanceToSegment(const QPointF& point, const QPointF& a, const QPointF& b) {
    const QPointF along = b - a;
    const double length = QPointF::dotProduct(along, along);
    const double t =
        length > 0 ? std::clamp(QPointF::dotProduct(point - a, along) / length, 0.0, 1.0) : 0.0;
    const QPointF nearest = a + t * along;
    return std::hypot(point.x() - nearest.x(), point.y() - nearest.y());
}

}  // namespace

LineChartView::LineChartView(QWidget* parent) : ChartView(parent) {
    m_years = QSharedPointer<QCPAxisTickerText>::create();
    xAxis->setTicker(m_years);
    xAxis->setLabel(QStringLiteral("Year"));
    setValueAxisTitle(QStringLiteral("Level (2000 = 1)"));
    for (int i = 0; i < kMaxSeries; ++i) {
        QCPGraph* line = addGraph();
        line->setPen(QPen(charts::seriesColor(i), lineWidth()));
        line->setVisible(false);
        m_lines.append(line);
        m_names.append(QString());
    }
    relayout();
}

void LineChartView::setTable(const ChartTable& table, const std::vector<std::string>& seriesNames) {
    QStringList labels;
    for (int c = 0; c < table.columns(); ++c) {
        labels.append(table.rows() > 0 ? charts::fromTableText(table.text(0, c)) : QString());
    }
    const bool labelsChanged = labels != m_pointLabels;
    m_pointLabels = labels;

    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
    QList<QCPAbstractPlottable*> shown;
    QStringList shownNames;
    for (int r = 1; r <= kMaxSeries; ++r) {
        QCPGraph* line = m_lines[r - 1];
        QVector<double> keys;
        QVector<double> values;
        for (int c = 0; r < table.rows() && c < table.columns(); ++c) {
            const double* value = table.number(r, c);
            double y = 0;
            if (value != nullptr && charts::drawableValue(*value, &y)) {
                keys.append(c);
                values.append(y);
                low = std::min(low, y);
                high = std::max(high, y);
            }
        }
        line->setData(keys, values, true);
        const bool drawn = !keys.isEmpty();
        line->setVisible(drawn);
        QString name;
        if (static_cast<std::size_t>(r - 1) < seriesNames.size()) {
            name = charts::fromTableText(seriesNames[static_cast<std::size_t>(r - 1)]);
        }
        if (name.isEmpty() && r < table.rows()) {
            name = charts::fromTableText(table.text(r, 0));
        }
        if (name.isEmpty()) {
            name = QString::number(r);
        }
        m_names[r - 1] = drawn ? name : QString();
        if (drawn) {
            shown.append(line);
            shownNames.append(name);
        }
    }
    bool axesChanged = showValueRange(low, high);
    const QCPRange columns(0, std::max<double>(table.columns() - 1, 1));
    if (xAxis->range() != columns) {
        xAxis->setRange(columns);
        axesChanged = true;
    }
    const bool legendChanged = setLegendEntries(shown, shownNames);
    showData(labelsChanged || legendChanged, axesChanged);
}

void LineChartView::restyle() {
    const double width = lineWidth();
    for (int i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i]->pen().widthF() != width) {
            m_lines[i]->setPen(QPen(charts::seriesColor(i), width));
        }
    }
}

QStringList LineChartView::visibleSeriesNames() const {
    QStringList names;
    for (const QString& name : m_names) {
        if (!name.isEmpty()) {
            names.append(name);
        }
    }
    return names;
}

QList<QPointF> LineChartView::seriesPoints(int row) const {
    QList<QPointF> points;
    if (row < 1 || row > kMaxSeries) {
        return points;
    }
    const auto data = m_lines[row - 1]->data();
    for (auto point = data->constBegin(); point != data->constEnd(); ++point) {
        points.append(QPointF(point->key, point->value));
    }
    return points;
}

QMap<double, QString> LineChartView::shownPointLabels() const {
    return m_years->ticks();
}

void LineChartView::fitHorizontalLabels() {
    // Every year when there is room, else every 2nd, 4th, 5th, 10th or 20th.
    const QFontMetrics metrics(xAxis->tickLabelFont());
    int widest = 1;
    for (const QString& label : m_pointLabels) {
        widest = std::max(widest, metrics.horizontalAdvance(label.trimmed()));
    }
    const int points = static_cast<int>(m_pointLabels.size());
    const double plotWidth = axisRect()->width();
    int stride = 1;
    for (int candidate : {1, 2, 4, 5, 10, 20}) {
        stride = candidate;
        const int gaps = std::max((points - 1) / candidate, 1);
        if (plotWidth / gaps >= widest + 2 * metrics.averageCharWidth()) {
            break;
        }
    }
    QMap<double, QString> ticks;
    for (int c = 0; c < points; c += stride) {
        ticks.insert(c, m_pointLabels[c].trimmed());
    }
    // The last year stands centred on the plot's right edge: room for its right half, so
    // that it does not run into the legend.
    setLabelOverhang(ticks.isEmpty() ? 0 : metrics.horizontalAdvance(ticks.last()) / 2 + 1);
    if (ticks != m_years->ticks()) {
        m_years->setTicks(ticks);
    }
}

QString LineChartView::plotHoverText(const QPointF& position) const {
    // The nearest line within a few pixels, at its nearest point.
    const double tolerance = std::max(3, QFontMetrics(font()).height() / 3);
    int nearestRow = -1;
    double nearestDistance = tolerance;
    for (int r = 0; r < kMaxSeries; ++r) {
        if (m_names[r].isEmpty()) {
            continue;
        }
        const auto data = m_lines[r]->data();
        QPointF previous;
        bool first = true;
        for (auto point = data->constBegin(); point != data->constEnd(); ++point) {
            const QPointF pixel(xAxis->coordToPixel(point->key), yAxis->coordToPixel(point->value));
            const double distance =
                first ? std::hypot(position.x() - pixel.x(), position.y() - pixel.y())
                      : distanceToSegment(position, previous, pixel);
            if (distance <= nearestDistance) {
                nearestDistance = distance;
                nearestRow = r;
            }
            previous = pixel;
            first = false;
        }
    }
    if (nearestRow < 0) {
        return {};
    }
    const auto data = m_lines[nearestRow]->data();
    const double column = xAxis->pixelToCoord(position.x());
    auto nearest = data->constBegin();
    for (auto point = data->constBegin(); point != data->constEnd(); ++point) {
        if (std::fabs(point->key - column) < std::fabs(nearest->key - column)) {
            nearest = point;
        }
    }
    const auto index = static_cast<qsizetype>(nearest->key);
    const QString year = index < m_pointLabels.size() ? m_pointLabels[index].trimmed() : QString();
    return QStringLiteral("%1\n%2: %3")
        .arg(m_names[nearestRow], year, QString::number(nearest->value, 'g', 4));
}

}  // namespace vorn
