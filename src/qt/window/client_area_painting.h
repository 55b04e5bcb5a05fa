#pragma once

#include <QRectF>

class QPainter;

namespace vorn {

class TrendsView;

/// Draws the window's client area into `painter`, scaled to fit `target` with its aspect
/// ratio kept and centred: the background, then every shown control from back to front,
/// each only where no control in front of it covers it. The charts draw themselves
/// (drawInto), the other controls through QWidget::render, so that lines and texts stay
/// vector on a vector device. Nothing in the window changes.
void paintClientArea(TrendsView& view, QPainter& painter, const QRectF& target);

}  // namespace vorn
