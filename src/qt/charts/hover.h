#pragma once

#include <QPointF>
#include <QString>

class QHelpEvent;
class QWidget;

namespace vorn::charts {

/// Distance in pixels from `point` to the segment from `a` to `b`.
double distanceToSegment(const QPointF& point, const QPointF& a, const QPointF& b);

/// Answers the tooltip event `help` of `widget`: shows `text` where the pointer rests, or
/// hides the tooltip where `text` is empty.
void answerToolTip(QWidget* widget, QHelpEvent* help, const QString& text);

}  // namespace vorn::charts
