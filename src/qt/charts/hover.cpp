#include "qt/charts/hover.h"

#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace vorn::charts {

double distanceToSegment(const QPointF& point, const QPointF& a, const QPointF& b) {
    const QPointF along = b - a;
    const double length = QPointF::dotProduct(along, along);
    const double t =
        length > 0 ? std::clamp(QPointF::dotProduct(point - a, along) / length, 0.0, 1.0) : 0.0;
    const QPointF nearest = a + t * along;
    return std::hypot(point.x() - nearest.x(), point.y() - nearest.y());
}

void answerToolTip(QWidget* widget, QHelpEvent* help, const QString& text) {
    if (text.isEmpty()) {
        QToolTip::hideText();
        help->ignore();
    } else {
        QToolTip::showText(help->globalPos(), text, widget);
    }
}

}  // namespace vorn::charts
