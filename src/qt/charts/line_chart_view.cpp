#include "qt/charts/line_chart_view.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>
#include <limits>

#include "qt/charts/chart_style.h"
#include "qt/charts/hover.h"

namespace vorn {
namespace {

// Band indexes, as in PercentileBands.
constexpr int kP5 = 0;
constexpr int kP25 = 1;
constexpr int kMedian = 2;
constexpr int kP75 = 3;
constexpr int kP95 = 4;

const QColor kOuterBand(70, 110, 160, 90);
const QColor kInnerBand(70, 110, 160, 170);
const QColor kMedianLine(25, 25, 25);
// Opacity of the lines drawn over bands.
constexpr int kFadedAlpha = 90;
// Size of the markers at the points, in line widths.
constexpr double kMarkerSize = 5;

/// The pieces of the polyline through `points` that the dashes of `pattern` (lengths in pixels,
/// dash and gap by turns) cover, the pattern running on across the corners.
QVector<QLineF> dashedSegments(const QVector<QPointF>& points, const QVector<qreal>& pattern) {
    QVector<QLineF> dashes;
    qreal total = 0;
    for (qreal length : pattern) {
        total += length;
    }
    if (pattern.isEmpty() || !(total > 0)) {
        return dashes;
    }
    int part = 0;             // the pattern's dash or gap in progress
    qreal left = pattern[0];  // what is left of it
    for (qsizetype i = 1; i < points.size(); ++i) {
        QPointF from = points[i - 1];
        const QPointF to = points[i];
        qreal length = QLineF(from, to).length();
        while (length > 0) {
            const qreal step = std::min(left, length);
            const QPointF at = from + (to - from) * (step / length);
            if (part % 2 == 0) {
                dashes.append(QLineF(from, at));
            }
            from = at;
            length -= step;
            left -= step;
            if (left <= 0) {
                part = (part + 1) % static_cast<int>(pattern.size());
                left = pattern[part];
            }
        }
    }
    return dashes;
}

/// A line of a series. Wider than a pixel it is drawn as separate straight pieces, its dashes
/// cut out here: the painter outlines a wide polyline with its joins and dashes before filling
/// it, which at twenty lines on a chart of a whole screen costs more than a frame, while it
/// draws straight pieces of a solid pen directly.
class SeriesLine : public QCPGraph {
  public:
    using QCPGraph::QCPGraph;

  protected:
    void drawLinePlot(QCPPainter* painter, const QVector<QPointF>& lines) const override {
        const QPen pen = painter->pen();
        if (pen.widthF() <= 1 || pen.style() == Qt::NoPen ||
            painter->modes().testFlag(QCPPainter::pmVectorized) || lines.size() < 2) {
            QCPGraph::drawLinePlot(painter, lines);
            return;
        }
        QPen straight = pen;
        straight.setStyle(Qt::SolidLine);
        QVector<QLineF> pieces;
        if (pen.style() == Qt::SolidLine) {
            straight.setCapStyle(Qt::SquareCap);  // covers the corners
            for (qsizetype i = 1; i < lines.size(); ++i) {
                pieces.append(QLineF(lines[i - 1], lines[i]));
            }
        } else {
            straight.setCapStyle(Qt::FlatCap);
            QVector<qreal> pattern = pen.dashPattern();
            for (qreal& length : pattern) {
                length *= pen.widthF();
            }
            pieces = dashedSegments(lines, pattern);
        }
        applyDefaultAntialiasingHint(painter);
        painter->setPen(straight);
        painter->drawLines(pieces);
        painter->setPen(pen);
    }
};

/// The upper edge of a shaded band: its legend entry shows the shade as a whole box.
class BandEdge : public QCPGraph {
  public:
    using QCPGraph::QCPGraph;

  protected:
    void drawLegendIcon(QCPPainter* painter, const QRectF& rect) const override {
        painter->fillRect(rect, brush());
    }
};

/// The legend entry of a kind of comparison line: its dash drawn to the width of the key, so
/// that even a short key shows it: two long dashes, or a dash, a dot and a dash.
class ComparisonKey : public QCPGraph {
  public:
    ComparisonKey(ComparisonKind kind, QCPAxis* keyAxis, QCPAxis* valueAxis)
        : QCPGraph(keyAxis, valueAxis), m_kind(kind) {}

  protected:
    void drawLegendIcon(QCPPainter* painter, const QRectF& rect) const override {
        QPen key = pen();
        key.setStyle(Qt::SolidLine);
        key.setCapStyle(Qt::FlatCap);
        painter->setPen(key);
        static constexpr std::array<std::pair<double, double>, 2> kLongDashes = {
            {{0, 0.42}, {0.58, 1}}};
        static constexpr std::array<std::pair<double, double>, 3> kDashDot = {
            {{0, 0.36}, {0.5, 0.62}, {0.76, 1}}};
        const auto draw = [&](const auto& parts) {
            for (const auto& [from, to] : parts) {
                painter->drawLine(QLineF(rect.left() + from * rect.width(), rect.center().y(),
                                         rect.left() + to * rect.width(), rect.center().y()));
            }
        };
        if (m_kind == ComparisonKind::Reference) {
            draw(kLongDashes);
        } else {
            draw(kDashDot);
        }
    }

  private:
    ComparisonKind m_kind;
};

constexpr std::array<ComparisonKind, 2> kComparisonKinds = {ComparisonKind::Reference,
                                                            ComparisonKind::WithoutPolicies};

std::size_t kindSlot(ComparisonKind kind) {
    return kind == ComparisonKind::Reference ? 0 : 1;
}

}  // namespace

LineChartView::LineChartView(QWidget* parent) : ChartView(parent) {
    m_years = QSharedPointer<QCPAxisTickerText>::create();
    xAxis->setTicker(m_years);
    xAxis->setLabel(QStringLiteral("Year"));
    setValueAxisTitle(QStringLiteral("Level (2000 = 1)"));
    for (int i = 0; i < kMaxSeries; ++i) {
        QCPGraph* line = new SeriesLine(xAxis, yAxis);
        line->setVisible(false);
        m_lines.append(line);
        m_names.append(QString());
    }
    // The bands behind the lines, the outer one first; the median over the lines.
    QCPLayer* behind = addDataLayer(QStringLiteral("bands"));
    for (int band : {kP5, kP95, kP25, kP75, kMedian}) {
        QCPGraph* edge =
            band == kP95 || band == kP75 ? new BandEdge(xAxis, yAxis) : new QCPGraph(xAxis, yAxis);
        edge->setLayer(band == kMedian ? layer(QStringLiteral("main")) : behind);
        edge->setPen(Qt::NoPen);
        edge->setVisible(false);
        m_bands[static_cast<std::size_t>(band)] = edge;
    }
    m_bands[kP95]->setChannelFillGraph(m_bands[kP5]);
    m_bands[kP95]->setBrush(kOuterBand);
    m_bands[kP75]->setChannelFillGraph(m_bands[kP25]);
    m_bands[kP75]->setBrush(kInnerBand);
    // The comparison lines between the bands and the lines.
    QCPLayer* comparisons = addDataLayer(QStringLiteral("comparisons"));
    for (ComparisonKind kind : kComparisonKinds) {
        for (int i = 0; i < kMaxSeries; ++i) {
            auto* line = new QCPGraph(xAxis, yAxis);
            line->setLayer(comparisons);
            // Wide smoothed dashes cost several times as much to draw: at twenty items the
            // forty lines added 7 ms to a redraw smoothed, 2 ms as they are.
            line->setAntialiased(false);
            line->setVisible(false);
            m_comparisonLines[kindSlot(kind)].append(line);
        }
        auto* key = new ComparisonKey(kind, xAxis, yAxis);
        key->setLayer(comparisons);
        m_comparisonKeys[kindSlot(kind)] = key;
    }
    restyle();
    relayout();
}

void LineChartView::setTable(const ChartTable& table, const std::vector<std::string>& seriesNames,
                             const ChartBands& bands,
                             const std::vector<ComparisonLines>& comparisons) {
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
    showBands(bands, &low, &high, &shown, &shownNames);
    // Over the bands the lines let them show through.
    const bool faded = m_bands[kP95]->visible() || m_bands[kP75]->visible();
    if (faded != m_fadedLines) {
        m_fadedLines = faded;
        restyle();
    }
    // Without bands their layer needs no drawing buffer of its own, which every paint would
    // lay over the others.
    QCPLayer* behind = layer(QStringLiteral("bands"));
    const QCPLayer::LayerMode mode = faded ? QCPLayer::lmBuffered : QCPLayer::lmLogical;
    bool buffersChanged = false;
    if (behind->mode() != mode) {
        behind->setMode(mode);
        buffersChanged = true;
    }
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
    showComparisons(comparisons, &low, &high, &shown, &shownNames);
    // Nor do the comparison lines when there are none.
    QCPLayer* compared = layer(QStringLiteral("comparisons"));
    const QCPLayer::LayerMode comparedMode =
        comparisons.empty() ? QCPLayer::lmLogical : QCPLayer::lmBuffered;
    if (compared->mode() != comparedMode) {
        compared->setMode(comparedMode);
        buffersChanged = true;
    }
    bool axesChanged = showValueRange(low, high) || buffersChanged;
    const QCPRange columns(0, std::max<double>(table.columns() - 1, 1));
    if (xAxis->range() != columns) {
        xAxis->setRange(columns);
        axesChanged = true;
    }
    m_legendSeries.clear();
    for (QCPAbstractPlottable* entry : shown) {
        m_legendSeries.append(static_cast<int>(m_lines.indexOf(static_cast<QCPGraph*>(entry))));
    }
    const bool legendChanged = setLegendEntries(shown, shownNames);
    fadeLegendNames(fadedEntries());
    showData(labelsChanged || legendChanged, axesChanged);
}

int LineChartView::legendSeries(int entry) const {
    return m_legendSeries.value(entry, -1);
}

SeriesEmphasis LineChartView::emphasis(int row) const {
    const auto series = static_cast<std::size_t>(row - 1);
    return row >= 1 && series < m_emphasis.size() ? m_emphasis[series] : SeriesEmphasis::Normal;
}

QPen LineChartView::linePen(int row) const {
    return row >= 1 && row <= kMaxSeries ? m_lines[row - 1]->pen() : QPen();
}

QList<bool> LineChartView::fadedEntries() const {
    QList<bool> faded;
    for (int series : m_legendSeries) {
        faded.append(series >= 0 && emphasis(series + 1) == SeriesEmphasis::Faded);
    }
    return faded;
}

void LineChartView::setEmphasis(const std::vector<SeriesEmphasis>& emphasis) {
    if (emphasis == m_emphasis) {
        return;
    }
    m_emphasis = emphasis;
    restyle();
    fadeLegendNames(fadedEntries());
    replot(rpQueuedRefresh);
}

void LineChartView::showBands(const ChartBands& bands, double* low, double* high,
                              QList<QCPAbstractPlottable*>* entries, QStringList* names) {
    const UncertaintyBands* shown =
        bands.bands != nullptr && !bands.bands->empty() ? bands.bands : nullptr;
    // A band, or the median line, takes the points where all its edges are finite.
    const auto fill = [&](std::initializer_list<int> edges) {
        QList<QVector<double>> values(static_cast<qsizetype>(edges.size()));
        QVector<double> keys;
        const std::size_t points = shown != nullptr ? shown->median().size() : 0;
        for (std::size_t p = 0; p < points; ++p) {
            QList<double> at;
            for (int edge : edges) {
                double y = 0;
                const auto& band = shown->percent.bands[static_cast<std::size_t>(edge)];
                if (p < band.size() && charts::drawableValue(band[p], &y)) {
                    at.append(y);
                }
            }
            if (at.size() != values.size()) {
                continue;
            }
            keys.append(static_cast<double>(p));
            for (qsizetype e = 0; e < at.size(); ++e) {
                values[e].append(at[e]);
                *low = std::min(*low, at[e]);
                *high = std::max(*high, at[e]);
            }
        }
        qsizetype e = 0;
        for (int edge : edges) {
            QCPGraph* graph = m_bands[static_cast<std::size_t>(edge)];
            graph->setData(keys, values[e++], true);
            graph->setVisible(!keys.isEmpty());
        }
        return !keys.isEmpty();
    };
    m_bandNames.clear();
    for (const std::string& name : bands.names) {
        m_bandNames.append(charts::fromTableText(name));
    }
    if (fill({kP5, kP95})) {
        entries->append(m_bands[kP95]);
        names->append(m_bandNames[0]);
    }
    if (fill({kP25, kP75})) {
        entries->append(m_bands[kP75]);
        names->append(m_bandNames[1]);
    }
    if (fill({kMedian})) {
        entries->append(m_bands[kMedian]);
        names->append(m_bandNames[2]);
    }
}

void LineChartView::showComparisons(const std::vector<ComparisonLines>& comparisons, double* low,
                                    double* high, QList<QCPAbstractPlottable*>* entries,
                                    QStringList* names) {
    m_comparisons = comparisons;
    for (ComparisonKind kind : kComparisonKinds) {
        const auto given =
            std::find_if(comparisons.begin(), comparisons.end(),
                         [kind](const ComparisonLines& c) { return c.kind == kind; });
        for (int r = 1; r <= kMaxSeries; ++r) {
            QCPGraph* graph = m_comparisonLines[kindSlot(kind)][r - 1];
            const ComparisonLine* line = given != comparisons.end() ? given->lineOf(r) : nullptr;
            QVector<double> keys;
            QVector<double> values;
            for (std::size_t p = 0; line != nullptr && p < line->columns.size(); ++p) {
                double y = 0;
                if (p < line->values.size() && charts::drawableValue(line->values[p], &y)) {
                    keys.append(line->columns[p]);
                    values.append(y);
                    *low = std::min(*low, y);
                    *high = std::max(*high, y);
                }
            }
            graph->setData(keys, values, true);
            graph->setVisible(!keys.isEmpty());
        }
        if (given != comparisons.end()) {
            entries->append(m_comparisonKeys[kindSlot(kind)]);
            names->append(charts::fromTableText(given->name));
        }
    }
}

QList<QPointF> LineChartView::comparisonPoints(ComparisonKind kind, int row) const {
    QList<QPointF> points;
    if (row < 1 || row > kMaxSeries) {
        return points;
    }
    const QCPGraph* graph = m_comparisonLines[kindSlot(kind)][row - 1];
    if (!graph->visible()) {
        return points;
    }
    const auto data = graph->data();
    for (auto point = data->constBegin(); point != data->constEnd(); ++point) {
        points.append(QPointF(point->key, point->value));
    }
    return points;
}

QPen LineChartView::comparisonPen(ComparisonKind kind, int row) const {
    return row >= 1 && row <= kMaxSeries ? m_comparisonLines[kindSlot(kind)][row - 1]->pen()
                                         : QPen();
}

QList<QPointF> LineChartView::bandPoints(int band) const {
    QList<QPointF> points;
    if (band < 0 || band >= static_cast<int>(m_bands.size()) ||
        !m_bands[static_cast<std::size_t>(band)]->visible()) {
        return points;
    }
    const auto data = m_bands[static_cast<std::size_t>(band)]->data();
    for (auto point = data->constBegin(); point != data->constEnd(); ++point) {
        points.append(QPointF(point->key, point->value));
    }
    return points;
}

void LineChartView::restyle() {
    const double width = lineWidth();
    for (int i = 0; i < m_lines.size(); ++i) {
        const SeriesEmphasis shown = emphasis(i + 1);
        QPen pen = charts::seriesPen(i, shown == SeriesEmphasis::Highlighted ? 2 * width : width);
        QColor color = pen.color();
        color.setAlpha(m_fadedLines ? kFadedAlpha : 255);
        color = emphasized(color, shown);
        pen.setColor(color);
        if (m_lines[i]->pen() != pen) {
            m_lines[i]->setPen(pen);
            QCPScatterStyle marker = charts::seriesMarker(i, kMarkerSize * width);
            // Outlined one pixel wide, whatever the line: a wider outline is stroked and filled
            // point by point, which costs more than all the lines.
            marker.setPen(QPen(color, 1));
            m_lines[i]->setScatterStyle(marker);
        }
    }
    // The median stands out from the runs: darker, twice as wide, dashed.
    if (m_bands[kMedian] == nullptr) {
        return;
    }
    m_bands[kMedian]->setPen(QPen(kMedianLine, 2 * width, Qt::DashLine));
    for (ComparisonKind kind : kComparisonKinds) {
        if (m_comparisonKeys[kindSlot(kind)] == nullptr) {
            return;  // not made yet
        }
        const QList<QCPGraph*>& lines = m_comparisonLines[kindSlot(kind)];
        for (int i = 0; i < lines.size(); ++i) {
            QPen pen = charts::stylePen(comparisonStyle(i, kind), kComparisonWidth * width);
            // A faded item's comparison lines fade with it.
            pen.setColor(emphasized(pen.color(), emphasis(i + 1) == SeriesEmphasis::Faded
                                                     ? SeriesEmphasis::Faded
                                                     : SeriesEmphasis::Normal));
            if (lines[i]->pen() != pen) {
                lines[i]->setPen(pen);
            }
        }
        m_comparisonKeys[kindSlot(kind)]->setPen(
            charts::stylePen(comparisonLegendStyle(kind), kComparisonWidth * width));
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
    // The nearest line (a series, a comparison line or the median) within a few pixels, at its
    // nearest point.
    struct Candidate {
        const QCPGraph* graph;
        QString name;
        int row;  // 1..20 for a series or a comparison line, else 0
    };
    QList<Candidate> lines;
    for (int r = 0; r < kMaxSeries; ++r) {
        if (!m_names[r].isEmpty()) {
            lines.append({m_lines[r], m_names[r], r + 1});
        }
    }
    for (const ComparisonLines& comparison : m_comparisons) {
        for (int r = 1; r <= kMaxSeries; ++r) {
            const QCPGraph* graph = m_comparisonLines[kindSlot(comparison.kind)][r - 1];
            if (graph->visible()) {
                const QString name = QStringLiteral("%1 (%2)").arg(
                    m_names[r - 1], charts::fromTableText(comparison.shortName));
                lines.append({graph, name, r});
            }
        }
    }
    if (m_bands[kMedian]->visible()) {
        lines.append({m_bands[kMedian], m_bandNames.value(kMedian), 0});
    }
    const double tolerance = std::max(3, QFontMetrics(font()).height() / 3);
    const Candidate* nearestLine = nullptr;
    double nearestDistance = tolerance;
    for (const Candidate& line : lines) {
        const auto data = line.graph->data();
        QPointF previous;
        bool first = true;
        for (auto point = data->constBegin(); point != data->constEnd(); ++point) {
            const QPointF pixel(xAxis->coordToPixel(point->key), yAxis->coordToPixel(point->value));
            const double distance =
                first ? std::hypot(position.x() - pixel.x(), position.y() - pixel.y())
                      : charts::distanceToSegment(position, previous, pixel);
            if (distance <= nearestDistance) {
                nearestDistance = distance;
                nearestLine = &line;
            }
            previous = pixel;
            first = false;
        }
    }
    if (nearestLine == nullptr) {
        return bandHoverText(position);
    }
    const auto data = nearestLine->graph->data();
    const double column = xAxis->pixelToCoord(position.x());
    auto nearest = data->constBegin();
    for (auto point = data->constBegin(); point != data->constEnd(); ++point) {
        if (std::fabs(point->key - column) < std::fabs(nearest->key - column)) {
            nearest = point;
        }
    }
    const bool onPoint = nearest->key == std::floor(nearest->key);
    const auto index = static_cast<qsizetype>(nearest->key);
    const QString year =
        onPoint && index < m_pointLabels.size() ? m_pointLabels[index].trimmed() : QString();
    // A point of a series, or of a comparison line where its series has one too: the series'
    // value and what it is compared with.
    if (nearestLine->row > 0 && onPoint) {
        const auto seriesData = m_lines[nearestLine->row - 1]->data();
        const auto live = seriesData->findBegin(nearest->key, false);
        if (live != seriesData->constEnd() && live->key == nearest->key) {
            QString text =
                QStringLiteral("%1\n%2: %3")
                    .arg(m_names[nearestLine->row - 1], year, QString::number(live->value, 'g', 4));
            for (const std::string& line : comparisonHoverLines(
                     m_comparisons, nearestLine->row, static_cast<int>(index), live->value)) {
                text += QStringLiteral("\n") + charts::fromTableText(line);
            }
            return text;
        }
    }
    const QString value = QString::number(nearest->value, 'g', 4);
    return year.isEmpty() ? QStringLiteral("%1: %2").arg(nearestLine->name, value)
                          : QStringLiteral("%1\n%2: %3").arg(nearestLine->name, year, value);
}

QString LineChartView::bandHoverText(const QPointF& position) const {
    // Inside the outer band: the bands at the nearest point.
    if (!m_bands[kP95]->visible()) {
        return {};
    }
    const auto column = static_cast<double>(std::lround(xAxis->pixelToCoord(position.x())));
    const auto valueAt = [column](const QCPGraph* graph, double* value) {
        const auto data = graph->data();
        const auto point = data->findBegin(column, false);
        if (point == data->constEnd() || point->key != column) {
            return false;
        }
        *value = point->value;
        return true;
    };
    double p5 = 0, p25 = 0, median = 0, p75 = 0, p95 = 0;
    const double value = yAxis->pixelToCoord(position.y());
    if (!valueAt(m_bands[kP5], &p5) || !valueAt(m_bands[kP95], &p95) || value < p5 || value > p95) {
        return {};
    }
    const auto index = static_cast<qsizetype>(column);
    QString text = index < m_pointLabels.size() ? m_pointLabels[index].trimmed() : QString();
    const auto number = [](double v) { return QString::number(v, 'g', 4); };
    text += QStringLiteral("\n%1: %2 to %3").arg(m_bandNames.value(0), number(p5), number(p95));
    if (valueAt(m_bands[kP25], &p25) && valueAt(m_bands[kP75], &p75)) {
        text +=
            QStringLiteral("\n%1: %2 to %3").arg(m_bandNames.value(1), number(p25), number(p75));
    }
    if (valueAt(m_bands[kMedian], &median)) {
        text += QStringLiteral("\n%1: %2").arg(m_bandNames.value(2), number(median));
    }
    return text;
}

}  // namespace vorn
