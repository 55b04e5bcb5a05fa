#include "qt/charts/influence_chart_view.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>
#include <limits>

#include "qt/charts/chart_style.h"
#include "qt/charts/value_ticker.h"

namespace vorn {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
// Room beyond the round ends of an axis, so that a point at an end is drawn whole.
constexpr double kEndRoom = 0.04;
// A label takes at most this share of the plot's width.
constexpr double kLabelShare = 0.3;
// Fonts of the labels, relative to the widget font: smaller where the points crowd.
constexpr double kLabelFactors[] = {0.9, 0.8, 0.7};
// Points closer than this, in pixels, share a label.
constexpr double kSamePlace = 2.0;

const QColor kCornerText(130, 130, 130);
const QColor kMeanLine(120, 120, 120);

// "Total influence (sum over its row)" -> "Total influence".
QString shortTitle(const QString& title) {
    const qsizetype bracket = title.indexOf(QStringLiteral(" ("));
    return bracket > 0 ? title.left(bracket) : title;
}

// Round numbers from `low` to `high` and a little room beyond them.
void fitAxis(QCPAxis* axis, double low, double high) {
    const charts::AxisScale scale = charts::axisScale(low, high);
    const double span = scale.high - scale.low;
    axis->setRange(scale.low - span * kEndRoom, scale.high + span * kEndRoom);
    axis->ticker().staticCast<QCPAxisTickerFixed>()->setTickStep(scale.step);
}

QRectF textRect(const QFontMetrics& metrics, const QString& text, int padding) {
    return QRectF(0, 0, metrics.horizontalAdvance(text) + 2 * padding,
                  metrics.height() + 2 * padding);
}

}  // namespace

InfluenceChartView::InfluenceChartView(QWidget* parent) : ChartView(parent) {
    xAxis->setTicker(QSharedPointer<ValueTicker>::create(xAxis));
    xAxis->setNumberFormat(QStringLiteral("g"));
    xAxis->setNumberPrecision(4);
    fitAxis(xAxis, 0, 0);
    fitAxis(yAxis, 0, 0);

    m_scatter = addGraph();
    m_scatter->setLineStyle(QCPGraph::lsNone);
    m_rings = addGraph();
    m_rings->setLineStyle(QCPGraph::lsNone);
    m_rings->setVisible(false);
    for (QCPItemStraightLine** line : {&m_meanX, &m_meanY}) {
        *line = new QCPItemStraightLine(this);
        (*line)->setPen(QPen(kMeanLine, 0, Qt::DashLine));
        (*line)->setVisible(false);
    }
    const std::array<std::pair<QPointF, Qt::Alignment>, 4> corners = {{
        {QPointF(0, 0), Qt::AlignLeft | Qt::AlignTop},
        {QPointF(1, 0), Qt::AlignRight | Qt::AlignTop},
        {QPointF(0, 1), Qt::AlignLeft | Qt::AlignBottom},
        {QPointF(1, 1), Qt::AlignRight | Qt::AlignBottom},
    }};
    for (std::size_t i = 0; i < corners.size(); ++i) {
        auto* text = new QCPItemText(this);
        text->position->setType(QCPItemPosition::ptAxisRectRatio);
        text->position->setCoords(corners[i].first);
        text->setPositionAlignment(corners[i].second);
        text->setColor(kCornerText);
        text->setPadding(QMargins(4, 2, 4, 2));
        text->setVisible(false);
        m_corners[i] = text;
    }
    for (int i = 0; i < kMaxPoints; ++i) {
        auto* label = new QCPItemText(this);
        label->position->setType(QCPItemPosition::ptAbsolute);
        label->setPositionAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setPadding(QMargins(1, 1, 1, 1));
        label->setVisible(false);
        m_labels.append(label);
    }
    // The labels are placed where the layout has put the plot, at every replot.
    connect(this, &QCustomPlot::afterLayout, this, &InfluenceChartView::placeLabels);
    restyle();
    relayout();
}

void InfluenceChartView::restyle() {
    const double width = lineWidth();
    m_scatter->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDisc, charts::seriesColor(0),
                                               charts::seriesColor(0), 6 * width));
    m_rings->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCircle,
                                             QPen(charts::seriesColor(3), 2 * width), Qt::NoBrush,
                                             12 * width));
    QFont italic = chartFont(0.9);
    italic.setItalic(true);
    for (QCPItemText* corner : m_corners) {
        corner->setFont(italic);
    }
}

void InfluenceChartView::setPoints(const QList<Point>& points, double meanX, double meanY,
                                   const Corners& corners, const QString& xTitle,
                                   const QString& yTitle) {
    m_points.clear();
    QVector<double> keys, values, ringKeys, ringValues;
    double highX = -kInfinity, highY = -kInfinity, lowX = kInfinity, lowY = kInfinity;
    for (const Point& point : points) {
        double x = 0, y = 0;
        if (m_points.size() == kMaxPoints || !charts::drawableValue(point.x, &x) ||
            !charts::drawableValue(point.y, &y)) {
            continue;
        }
        m_points.append({point.name, x, y, point.marked, point.detail});
        keys.append(x);
        values.append(y);
        if (point.marked) {
            ringKeys.append(x);
            ringValues.append(y);
        }
        lowX = std::min(lowX, x);
        lowY = std::min(lowY, y);
        highX = std::max(highX, x);
        highY = std::max(highY, y);
    }
    m_scatter->setData(keys, values);
    m_rings->setData(ringKeys, ringValues);
    const bool any = !m_points.isEmpty();
    m_scatter->setVisible(any);
    m_rings->setVisible(!ringKeys.isEmpty());
    // The axes span the points, not zero as well: crowded points spread over the plot.
    fitAxis(xAxis, any ? lowX : 0, any ? highX : 0);
    fitAxis(yAxis, any ? lowY : 0, any ? highY : 0);

    double x = 0, y = 0;
    m_meanX->setVisible(any && charts::drawableValue(meanX, &x));
    m_meanX->point1->setCoords(x, 0);
    m_meanX->point2->setCoords(x, 1);
    m_meanY->setVisible(any && charts::drawableValue(meanY, &y));
    m_meanY->point1->setCoords(0, y);
    m_meanY->point2->setCoords(1, y);
    for (std::size_t i = 0; i < m_corners.size(); ++i) {
        m_corners[i]->setText(corners[i]);
        m_corners[i]->setVisible(any);
    }
    m_xTitle = xTitle;
    setValueAxisTitle(yTitle);
    relayout();
}

void InfluenceChartView::fitHorizontalLabels() {
    const QString title =
        QFontMetrics(xAxis->labelFont()).elidedText(m_xTitle, Qt::ElideMiddle, bottomTitleRoom());
    if (xAxis->label() != title) {
        xAxis->setLabel(title);
    }
    const QFontMetrics values(xAxis->tickLabelFont());
    setLabelOverhang(values.horizontalAdvance(QString::number(xAxis->range().upper, 'g', 4)) / 2 +
                     1);
}

QPointF InfluenceChartView::pixelOf(const Point& point) const {
    return {xAxis->coordToPixel(point.x), yAxis->coordToPixel(point.y)};
}

QList<QRectF> InfluenceChartView::cornerRects() const {
    QList<QRectF> rects;
    for (const QCPItemText* corner : m_corners) {
        if (!corner->visible()) {
            continue;
        }
        QRectF rect = textRect(QFontMetrics(corner->font()), corner->text(), 0)
                          .marginsAdded(QMarginsF(corner->padding()));
        const QPointF at = corner->position->pixelPosition();
        const Qt::Alignment align = corner->positionAlignment();
        rect.moveTo(align & Qt::AlignRight ? at.x() - rect.width() : at.x(),
                    align & Qt::AlignBottom ? at.y() - rect.height() : at.y());
        rects.append(rect);
    }
    return rects;
}

QString InfluenceChartView::groupText(const QList<int>& group) const {
    QString text;
    for (int index : group) {
        const Point& point = m_points[index];
        text += (text.isEmpty() ? QString() : QStringLiteral("\n")) +
                QStringLiteral("%1\n  %2: %3, %4: %5")
                    .arg(point.name, shortTitle(m_xTitle), QString::number(point.x, 'g', 4),
                         shortTitle(yAxis->label().section(QLatin1Char('\n'), 0, 0)),
                         QString::number(point.y, 'g', 4));
        if (!point.detail.isEmpty()) {
            text += QStringLiteral("\n  ") + point.detail;
        }
    }
    return text;
}

void InfluenceChartView::placeLabels() {
    // Points at one place form a group with one label, in the order of the points.
    m_groups.clear();
    QList<QPointF> places;
    for (int i = 0; i < m_points.size(); ++i) {
        const QPointF pixel = pixelOf(m_points[i]);
        qsizetype group = 0;
        while (group < places.size() && std::hypot(places[group].x() - pixel.x(),
                                                   places[group].y() - pixel.y()) >= kSamePlace) {
            ++group;
        }
        if (group == places.size()) {
            places.append(pixel);
            m_groups.append(QList<int>());
        }
        m_groups[group].append(i);
    }

    // The largest font at which every label finds a free place.
    for (double factor : kLabelFactors) {
        if (layLabels(places, chartFont(factor)) == 0) {
            break;
        }
    }
}

int InfluenceChartView::layLabels(const QList<QPointF>& places, const QFont& font) {
    const QRectF plot = axisRect()->rect();
    // Marked points wear wider rings, which the labels keep clear of.
    const double radius = (m_rings->visible() ? m_rings : m_scatter)->scatterStyle().size() / 2;
    const QFontMetrics metrics(font);
    const int room = std::max(metrics.horizontalAdvance(QStringLiteral("Mmmm\u2026")),
                              static_cast<int>(plot.width() * kLabelShare));
    QList<QRectF> taken = cornerRects();
    for (const QPointF& place : places) {
        taken.append(QRectF(place.x() - radius, place.y() - radius, 2 * radius, 2 * radius));
    }
    int crowded = 0;
    for (qsizetype g = 0; g < m_labels.size(); ++g) {
        QCPItemText* label = m_labels[g];
        if (g >= m_groups.size()) {
            label->setVisible(false);
            continue;
        }
        QStringList names;
        for (int index : m_groups[g]) {
            names.append(m_points[index].name);
        }
        const QString text =
            metrics.elidedText(names.join(QStringLiteral(", ")), Qt::ElideRight, room);
        const QSizeF size = textRect(metrics, text, 1).size();
        const QPointF p = places[g];
        const double gap = radius + 2;
        const double w = size.width();
        const double h = size.height();
        // Beside the point, above or below it, at its corners, then further up and down.
        QList<QPointF> corners = {
            {p.x() + gap, p.y() - h / 2},       {p.x() - gap - w, p.y() - h / 2},
            {p.x() - w / 2, p.y() - gap - h},   {p.x() - w / 2, p.y() + gap},
            {p.x() + gap, p.y() - gap - h},     {p.x() + gap, p.y() + gap},
            {p.x() - gap - w, p.y() - gap - h}, {p.x() - gap - w, p.y() + gap},
        };
        for (int step = 1; step <= 6; ++step) {
            for (double x : {p.x() + gap, p.x() - gap - w}) {
                corners.append({x, p.y() - h / 2 + step * h});
                corners.append({x, p.y() - h / 2 - step * h});
            }
        }
        // The first free place inside the plot; else the first inside; else beside the point.
        QRectF chosen;
        QRectF inside;
        for (const QPointF& corner : corners) {
            const QRectF rect(corner, size);
            if (!plot.contains(rect)) {
                continue;
            }
            if (inside.isNull()) {
                inside = rect;
            }
            const bool free = std::none_of(taken.begin(), taken.end(), [&](const QRectF& other) {
                return other.intersects(rect);
            });
            if (free) {
                chosen = rect;
                break;
            }
        }
        if (chosen.isNull()) {
            ++crowded;
            chosen = inside.isNull() ? QRectF(corners.first(), size) : inside;
        }
        taken.append(chosen);
        label->setFont(font);
        label->position->setCoords(chosen.topLeft());
        label->setText(text);
        label->setVisible(true);
    }
    return crowded;
}

QStringList InfluenceChartView::shownLabels() const {
    QStringList texts;
    for (qsizetype g = 0; g < m_groups.size() && g < m_labels.size(); ++g) {
        texts.append(m_labels[g]->text());
    }
    return texts;
}

QList<QRectF> InfluenceChartView::labelRects() const {
    QList<QRectF> rects;
    for (qsizetype g = 0; g < m_groups.size() && g < m_labels.size(); ++g) {
        const QCPItemText* label = m_labels[g];
        rects.append(textRect(QFontMetrics(label->font()), label->text(), 1)
                         .translated(label->position->pixelPosition()));
    }
    return rects;
}

QString InfluenceChartView::plotHoverText(const QPointF& position) const {
    // The group of the nearest point within a few pixels, or of the label under the pointer.
    const double reach = m_scatter->scatterStyle().size() / 2 + 3;
    double nearest = reach;
    int found = -1;
    for (qsizetype g = 0; g < m_groups.size(); ++g) {
        const QPointF pixel = pixelOf(m_points[m_groups[g].first()]);
        const double distance = std::hypot(pixel.x() - position.x(), pixel.y() - position.y());
        if (distance <= nearest) {
            nearest = distance;
            found = static_cast<int>(g);
        }
    }
    if (found < 0) {
        const QList<QRectF> rects = labelRects();
        for (qsizetype g = 0; g < rects.size(); ++g) {
            if (rects[g].contains(position)) {
                found = static_cast<int>(g);
                break;
            }
        }
    }
    return found < 0 ? QString() : groupText(m_groups[found]);
}

}  // namespace vorn
