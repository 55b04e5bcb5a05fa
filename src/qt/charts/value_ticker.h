#pragma once

#include <qcustomplot.h>

namespace vorn {

/// A fixed-step ticker for a horizontal value axis that bears a number at every tick only
/// where there is room for it: when the numbers would run into each other (a narrow chart,
/// large texts), only every 2nd, 5th or 10th tick, counted from zero, keeps its number. Every
/// tick keeps its grid line.
class ValueTicker : public QCPAxisTickerFixed {
  public:
    explicit ValueTicker(const QCPAxis* axis);

    void generate(const QCPRange& range, const QLocale& locale, QChar formatChar, int precision,
                  QVector<double>& ticks, QVector<double>* subTicks,
                  QVector<QString>* tickLabels) override;

  private:
    const QCPAxis* m_axis;
};

}  // namespace vorn
