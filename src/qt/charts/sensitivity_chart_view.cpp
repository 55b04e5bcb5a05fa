#include "qt/charts/sensitivity_chart_view.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

#include "qt/charts/chart_style.h"
#include "qt/charts/value_ticker.h"

namespace vorn {
namespace {

// Share of a rank's height that its bar fills.
constexpr double kBarWidth = 0.6;
// The names along the left edge take at most this share of the chart's width.
constexpr double kNameShare = 0.4;

QString signedNumber(double value) {
    const QString number = QString::number(value, 'g', 4);
    return value > 0 ? QLatin1Char('+') + number : number;
}

QCPBars* makeBars(QCPAxis* keyAxis, QCPAxis* valueAxis, const QColor& color) {
    auto* bars = new QCPBars(keyAxis, valueAxis);
    bars->setWidthType(QCPBars::wtPlotCoords);
    bars->setWidth(kBarWidth);
    bars->setAntialiased(false);
    bars->setBrush(color);
    bars->setPen(QPen(color.darker(130), 0));
    bars->setVisible(false);
    return bars;
}

}  // namespace

SensitivityChartView::SensitivityChartView(QWidget* parent) : ChartView(parent) {
    // Ranks down the left edge, the first on top; the values along the bottom.
    m_labels = QSharedPointer<QCPAxisTickerText>::create();
    yAxis->setTicker(m_labels);
    yAxis->setRangeReversed(true);
    yAxis->grid()->setVisible(false);
    yAxis->setRange(0.5, 1.5);
    xAxis->setTicker(QSharedPointer<ValueTicker>::create(xAxis));
    xAxis->setNumberFormat(QStringLiteral("g"));
    xAxis->setNumberPrecision(4);
    xAxis->grid()->setZeroLinePen(QPen(QColor(120, 120, 120), 0));
    showAxisRange(xAxis, 0, 0);
    m_raising = makeBars(yAxis, xAxis, charts::seriesColor(0));
    m_lowering = makeBars(yAxis, xAxis, charts::seriesColor(1));
    relayout();
}

void SensitivityChartView::setBars(const QStringList& names, const QList<double>& values,
                                   const QStringList& signNames, const QString& valueTitle) {
    const qsizetype count = std::min({names.size(), values.size(), qsizetype{kMaxBars}});
    const QStringList shownNames = names.mid(0, count);
    const bool labelsChanged = shownNames != m_names || valueTitle != m_valueTitle;
    m_names = shownNames;
    m_values = values.mid(0, count);
    m_valueTitle = valueTitle;

    QVector<double> raisingKeys, raisingValues, loweringKeys, loweringValues;
    double low = 0;
    double high = 0;
    for (qsizetype i = 0; i < count; ++i) {
        double value = 0;
        if (!charts::drawableValue(m_values[i], &value)) {
            continue;
        }
        (value >= 0 ? raisingKeys : loweringKeys).append(static_cast<double>(i + 1));
        (value >= 0 ? raisingValues : loweringValues).append(value);
        low = std::min(low, value);
        high = std::max(high, value);
    }
    m_raising->setData(raisingKeys, raisingValues, true);
    m_raising->setVisible(!raisingKeys.isEmpty());
    m_lowering->setData(loweringKeys, loweringValues, true);
    m_lowering->setVisible(!loweringKeys.isEmpty());

    QList<QCPAbstractPlottable*> entries;
    QStringList entryNames;
    if (m_raising->visible()) {
        entries.append(m_raising);
        entryNames.append(signNames.value(0));
    }
    if (m_lowering->visible()) {
        entries.append(m_lowering);
        entryNames.append(signNames.value(1));
    }
    bool axesChanged = showAxisRange(xAxis, low, high);
    const QCPRange ranks(0.5, static_cast<double>(std::max<qsizetype>(count, 1)) + 0.5);
    if (yAxis->range() != ranks) {
        yAxis->setRange(ranks);
        axesChanged = true;
    }
    const bool legendChanged = setLegendEntries(entries, entryNames);
    showData(labelsChanged || legendChanged, axesChanged);
}

QList<double> SensitivityChartView::barValues() const {
    return m_values;
}

QMap<double, QString> SensitivityChartView::shownBarLabels() const {
    return m_labels->ticks();
}

QColor SensitivityChartView::barColor(int rank) const {
    for (const QCPBars* bars : {m_raising, m_lowering}) {
        const auto data = bars->data();
        const auto bar = data->findBegin(rank, false);
        if (bar != data->constEnd() && bar->key == rank) {
            return bars->brush().color();
        }
    }
    return {};
}

void SensitivityChartView::fitHorizontalLabels() {
    const QFontMetrics metrics(yAxis->tickLabelFont());
    const int room = std::max(metrics.horizontalAdvance(QStringLiteral("Mmmm\u2026")),
                              static_cast<int>(width() * kNameShare));
    QMap<double, QString> ticks;
    for (qsizetype i = 0; i < m_names.size(); ++i) {
        ticks.insert(static_cast<double>(i + 1),
                     metrics.elidedText(m_names[i], Qt::ElideMiddle, room));
    }
    if (ticks != m_labels->ticks()) {
        m_labels->setTicks(ticks);
    }
    const QString title = QFontMetrics(xAxis->labelFont())
                              .elidedText(m_valueTitle, Qt::ElideMiddle, bottomTitleRoom());
    if (xAxis->label() != title) {
        xAxis->setLabel(title);
    }
    // The last value stands centred on the plot's right edge: room for its right half.
    const QFontMetrics values(xAxis->tickLabelFont());
    setLabelOverhang(values.horizontalAdvance(QString::number(xAxis->range().upper, 'g', 4)) / 2 +
                     1);
}

int SensitivityChartView::rankAt(double y) const {
    const auto rank = static_cast<int>(std::lround(yAxis->pixelToCoord(y)));
    return rank >= 1 && rank <= m_names.size() ? rank : 0;
}

QString SensitivityChartView::barText(int rank) const {
    if (rank < 1) {
        return {};
    }
    return QStringLiteral("%1\n%2: %3")
        .arg(m_names[rank - 1], m_valueTitle, signedNumber(m_values[rank - 1]));
}

QString SensitivityChartView::plotHoverText(const QPointF& position) const {
    return barText(rankAt(position.y()));
}

QString SensitivityChartView::labelHoverText(const QPointF& position) const {
    if (position.x() < axisRect()->left()) {
        return barText(rankAt(position.y()));
    }
    return m_valueTitle;
}

}  // namespace vorn
