#include "qt/charts/chart_style.h"

#include <QStringDecoder>
#include <QtGlobal>
#include <algorithm>
#include <array>
#include <cmath>

namespace vorn::charts {

QColor seriesColor(int index) {
    static const std::array<QRgb, 21> kColors = {
        0x1f77b4, 0xd62728, 0x2ca02c, 0xff7f0e, 0x9467bd, 0x8c564b, 0xe377c2,
        0x17becf, 0xbcbd22, 0x393b79, 0x7f7f7f, 0xad494a, 0x637939, 0x8c6d31,
        0x843c39, 0x7b4173, 0x3182bd, 0xe6550d, 0x31a354, 0x756bb1, 0x000000,
    };
    const auto slot = static_cast<std::size_t>(std::max(index, 0)) % kColors.size();
    return QColor::fromRgb(kColors[slot]);
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

std::vector<std::string> runNames(int runs) {
    std::vector<std::string> names;
    for (int run = 1; run <= runs; ++run) {
        names.push_back("Run " + std::to_string(run));
    }
    return names;
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
