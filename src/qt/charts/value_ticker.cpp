#include "qt/charts/value_ticker.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

namespace vorn {

ValueTicker::ValueTicker(const QCPAxis* axis) : m_axis(axis) {
    setScaleStrategy(QCPAxisTickerFixed::ssNone);
}

void ValueTicker::generate(const QCPRange& range, const QLocale& locale, QChar formatChar,
                           int precision, QVector<double>& ticks, QVector<double>* subTicks,
                           QVector<QString>* tickLabels) {
    QCPAxisTickerFixed::generate(range, locale, formatChar, precision, ticks, subTicks,
                                 tickLabels);
    const double step = tickStep();
    const QCPAxisRect* rect = m_axis->axisRect();
    if (tickLabels == nullptr || !(step > 0) || !(range.size() > 0) || rect == nullptr) {
        return;
    }
    const QFontMetrics metrics(m_axis->tickLabelFont());
    int widest = 1;
    for (const QString& label : *tickLabels) {
        widest = std::max(widest, metrics.horizontalAdvance(label));
    }
    const double stepPixels = rect->width() * step / range.size();
    int stride = 1;
    for (int candidate : {1, 2, 5, 10}) {
        stride = candidate;
        if (stepPixels * stride >= widest + 2 * metrics.averageCharWidth()) {
            break;
        }
    }
    if (stride == 1) {
        return;
    }
    for (qsizetype i = 0; i < ticks.size() && i < tickLabels->size(); ++i) {
        if (std::llround(ticks[i] / step) % stride != 0) {
            (*tickLabels)[i].clear();
        }
    }
}

}  // namespace vorn
