#include "charts/qt/line_chart_view.h"

#include <QCategoryAxis>
#include <QChart>
#include <QCursor>
#include <QFontMetrics>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPen>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

#include "charts/qt/chart_style.h"

namespace vorn {

LineChartView::LineChartView(QWidget* parent) : QChartView(parent) {
    auto* chart = new QChart();
    charts::applyChartStyle(chart);
    m_axisX = new QCategoryAxis(chart);
    m_axisX->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    m_axisX->setStartValue(-1);
    m_axisX->setRange(0, 20);
    m_axisY = charts::addAxes(chart, m_axisX, 0, 2);
    for (int i = 0; i < kMaxSeries; ++i) {
        auto* series = new QLineSeries(chart);
        QPen pen(charts::seriesColor(i));
        pen.setWidthF(1.5);
        series->setPen(pen);
        chart->addSeries(series);
        series->attachAxis(m_axisX);
        series->attachAxis(m_axisY);
        series->setVisible(false);
        // The legend has room for a few names only: hovering a line names it.
        connect(series, &QLineSeries::hovered, this,
                [this, series](const QPointF& point, bool entered) {
                    showPointTip(series, point, entered);
                });
        m_series.append(series);
    }
    for (QLegendMarker* marker : chart->legend()->markers()) {
        marker->setVisible(false);
    }
    setChart(chart);
    setRenderHint(QPainter::Antialiasing, true);
}

void LineChartView::setTable(const ChartTable& table, const std::vector<std::string>& seriesNames) {
    m_pointLabels.clear();
    const int points = std::max(table.columns(), 1);
    for (int c = 0; c < table.columns(); ++c) {
        m_pointLabels.append(table.rows() > 0 ? charts::fromTableText(table.text(0, c))
                                              : QString());
    }

    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
    QLegend* legend = chart()->legend();
    for (int r = 1; r <= kMaxSeries; ++r) {
        QLineSeries* series = m_series[r - 1];
        QList<QPointF> line;
        if (r < table.rows()) {
            line.reserve(table.columns());
            for (int c = 0; c < table.columns(); ++c) {
                const double* value = table.number(r, c);
                double y = 0;
                if (value != nullptr && charts::drawableValue(*value, &y)) {
                    line.append(QPointF(c, y));
                    low = std::min(low, y);
                    high = std::max(high, y);
                }
            }
        }
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
        if (series->name() != name) {
            series->setName(name);
        }
        series->replace(line);
        const bool drawn = !line.isEmpty();
        if (series->isVisible() != drawn) {
            series->setVisible(drawn);
        }
        for (QLegendMarker* marker : legend->markers(series)) {
            if (marker->isVisible() != drawn) {
                marker->setVisible(drawn);
            }
        }
    }

    charts::rescaleAxis(m_axisY, low, high);
    m_axisX->setRange(0, points - 1 > 0 ? points - 1 : 1);
    updateAxisLabels();
}

QStringList LineChartView::visibleSeriesNames() const {
    QStringList names;
    for (const QLineSeries* series : m_series) {
        if (series->isVisible()) {
            names.append(series->name());
        }
    }
    return names;
}

QList<QPointF> LineChartView::seriesPoints(int row) const {
    if (row < 1 || row > kMaxSeries) {
        return {};
    }
    return m_series[row - 1]->points();
}

void LineChartView::updateAxisLabels() {
    // Label every point when there is room, else every 2nd, 4th, 5th, 10th or 20th.
    const int points = static_cast<int>(m_pointLabels.size());
    const QFontMetrics metrics(m_axisX->labelsFont());
    int widest = 1;
    for (const QString& label : m_pointLabels) {
        widest = std::max(widest, metrics.horizontalAdvance(label));
    }
    const qreal plotWidth = std::max<qreal>(chart()->plotArea().width(), width() * 0.6);
    int stride = 1;
    for (int candidate : {1, 2, 4, 5, 10, 20}) {
        stride = candidate;
        const int shown = points > 1 ? (points - 1) / candidate + 1 : 1;
        if (plotWidth / std::max(shown, 1) >= widest + 6) {
            break;
        }
    }
    QStringList shown;
    for (int c = 0; c < points; c += stride) {
        shown.append(m_pointLabels[c]);
    }
    shown = charts::uniqueLabels(shown);
    if (shown == m_shownLabels && stride == m_shownStride) {
        return;
    }
    for (const QString& label : m_axisX->categoriesLabels()) {
        m_axisX->remove(label);
    }
    for (int i = 0; i < shown.size(); ++i) {
        m_axisX->append(shown[i], i * stride);
    }
    m_shownLabels = shown;
    m_shownStride = stride;
}

void LineChartView::showPointTip(const QLineSeries* series, const QPointF& point, bool entered) {
    if (!entered) {
        QToolTip::hideText();
        return;
    }
    const qsizetype column = std::clamp<qsizetype>(
        std::llround(point.x()), 0, std::max<qsizetype>(m_pointLabels.size() - 1, 0));
    const QString year =
        column < m_pointLabels.size() ? m_pointLabels[column].trimmed() : QString();
    QString tip = series->name();
    for (const QPointF& drawn : series->points()) {
        if (std::llround(drawn.x()) == column) {
            tip += QStringLiteral("\n%1: %2").arg(year, QString::number(drawn.y(), 'g', 4));
            break;
        }
    }
    QToolTip::showText(QCursor::pos(), tip, this);
}

void LineChartView::mousePressEvent(QMouseEvent* event) {
    QChartView::mousePressEvent(event);
    emit clicked();
}

void LineChartView::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    updateAxisLabels();
}

void LineChartView::drawInto(QPainter& painter, const QRectF& target) {
    render(&painter, target, rect(), Qt::IgnoreAspectRatio);
}

}  // namespace vorn
