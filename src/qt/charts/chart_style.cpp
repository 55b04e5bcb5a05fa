#include "qt/charts/chart_style.h"

#include <QStringDecoder>
#include <QtGlobal>
#include <algorithm>
#include <array>
#include <cmath>

namespace vorn::charts {

QColor seriesColor(int index) {
    const Rgb color = seriesStyle(index).color;
    return QColor(color.red, color.green, color.blue);
}

QPen seriesPen(int index, double width) {
    return stylePen(seriesStyle(index), width);
}

QPen stylePen(const SeriesStyle& style, double width) {
    QPen pen(QColor(style.color.red, style.color.green, style.color.blue), width);
    switch (style.dash) {
        case LineDash::Solid:
            break;
        case LineDash::Dashed:
            pen.setStyle(Qt::DashLine);
            break;
        case LineDash::Dotted:
            pen.setStyle(Qt::DotLine);
            break;
        case LineDash::LongDash:
            pen.setDashPattern({6, 3});  // in widths of the pen: twice Qt's dash, gaps alike
            break;
        case LineDash::DashDot:
            pen.setStyle(Qt::DashDotLine);
            break;
    }
    return pen;
}

QCPScatterStyle seriesMarker(int index, double size) {
    QCPScatterStyle::ScatterShape shape = QCPScatterStyle::ssNone;
    switch (seriesStyle(index).marker) {
        case SeriesMarker::None:
            break;
        case SeriesMarker::Circle:
            shape = QCPScatterStyle::ssCircle;
            break;
        case SeriesMarker::Square:
            shape = QCPScatterStyle::ssSquare;
            break;
        case SeriesMarker::Triangle:
            shape = QCPScatterStyle::ssTriangle;
            break;
        case SeriesMarker::Diamond:
            shape = QCPScatterStyle::ssDiamond;
            break;
        case SeriesMarker::Cross:
            shape = QCPScatterStyle::ssCross;
            break;
        case SeriesMarker::Plus:
            shape = QCPScatterStyle::ssPlus;
            break;
    }
    return QCPScatterStyle(shape, seriesColor(index), size);
}

bool drawableValue(double value, double* clamped) {
    if (!std::isfinite(value)) {
        return false;
    }
    *clamped = std::clamp(value, -kDrawLimit, kDrawLimit);
    return true;
}

AxisScale axisScale(double dataMin, double dataMax) {
    if (!(dataMin <= dataMax)) {
        return {};
    }
    double span = dataMax - dataMin;
    const double size = std::max(std::fabs(dataMin), std::fabs(dataMax));
    if (!(span > 1e-9 * size) || !(span > 1e-300)) {
        // A flat line: centre it in a band of its own size.
        const double half = std::max(size * 0.1, 0.5);
        dataMin -= half;
        dataMax += half;
        span = dataMax - dataMin;
    }
    const double rough = span / 4;
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    double step = magnitude;
    for (double factor : {1.0, 2.0, 5.0, 10.0}) {
        step = factor * magnitude;
        if (step >= rough) {
            break;
        }
    }
    AxisScale scale;
    scale.low = std::floor(dataMin / step) * step;
    scale.high = std::ceil(dataMax / step) * step;
    if (scale.high <= scale.low) {
        scale.high = scale.low + step;
    }
    scale.ticks =
        std::clamp(static_cast<int>(std::lround((scale.high - scale.low) / step)) + 1, 2, 11);
    scale.step = step;
    return scale;
}

AxisScale nextScale(const AxisScale& shown, const AxisScale& wanted) {
    const bool holds = shown.low <= wanted.low && wanted.high <= shown.high;
    const bool closeEnough = 2 * (wanted.high - wanted.low) >= shown.high - shown.low;
    return holds && closeEnough ? shown : wanted;
}

QString fromTableText(const std::string& text) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8.decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
    if (utf8.hasError()) {
        return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    }
    return decoded;
}

}  // namespace vorn::charts
