#pragma once

// What a widget drew, read back from its pixels.

#include <QColor>
#include <QImage>
#include <QRect>
#include <QWidget>
#include <cstdlib>
#include <vector>

namespace vorn::testing {

/// What `widget` shows now, one image pixel per widget pixel.
inline QImage shownImage(QWidget& widget) {
    QImage image = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (image.size() != widget.size()) {
        image = image.scaled(widget.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    image.setDevicePixelRatio(1);
    return image;
}

/// The sum of the differences of the red, green and blue parts.
inline int colorDistance(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
           std::abs(a.blue() - b.blue());
}

/// How many pixels of `image` inside `area` lie within `tolerance` of `color`.
inline int pixelsNear(const QImage& image, const QRect& area, const QColor& color, int tolerance) {
    int count = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            count += colorDistance(image.pixelColor(x, y), color) <= tolerance ? 1 : 0;
        }
    }
    return count;
}

/// Of `colors`, the index of the one that most pixels inside `area` show (within a small
/// tolerance, for smoothing); -1 when none is shown.
inline int mostShown(const QImage& image, const QRect& area, const std::vector<QColor>& colors) {
    int best = -1;
    int bestCount = 0;
    for (std::size_t i = 0; i < colors.size(); ++i) {
        const int count = pixelsNear(image, area, colors[i], 6);
        if (count > bestCount) {
            best = static_cast<int>(i);
            bestCount = count;
        }
    }
    return best;
}

}  // namespace vorn::testing
