#include "qt/window/client_area_painting.h"

#include <QPainter>
#include <QPicture>
#include <QRegion>
#include <algorithm>
#include <vector>

#include "qt/charts/bar_chart_view.h"
#include "qt/charts/line_chart_view.h"
#include "qt/window/trends_view.h"

namespace vorn {
namespace {

// The view's shown controls from back to front: Qt keeps a widget's children in their
// stacking order, which the view sets from the window state.
std::vector<QWidget*> controlsBackToFront(const TrendsView& view) {
    std::vector<QWidget*> controls;
    for (QObject* child : view.children()) {
        auto* control = qobject_cast<QWidget*>(child);
        if (control != nullptr && !control->isWindow() && control->isVisibleTo(&view)) {
            controls.push_back(control);
        }
    }
    return controls;
}

void paintControl(QWidget& control, QPainter& painter, const QRegion& visible) {
    painter.save();
    painter.setClipRegion(visible, Qt::IntersectClip);
    const QRectF place(control.geometry());
    if (auto* line = qobject_cast<LineChartView*>(&control)) {
        line->drawInto(painter, place);
    } else if (auto* bars = qobject_cast<BarChartView*>(&control)) {
        bars->drawInto(painter, place);
    } else {
        // QWidget::render turns a widget into a pixmap when it paints on a printer; recorded
        // as a picture first, it reaches the printer as lines and text.
        QPicture picture;
        QPainter recorder(&picture);
        control.render(&recorder, QPoint(), visible.translated(-control.pos()),
                       QWidget::DrawWindowBackground | QWidget::DrawChildren);
        recorder.end();
        painter.drawPicture(control.pos(), picture);
    }
    painter.restore();
}

}  // namespace

void paintClientArea(TrendsView& view, QPainter& painter, const QRectF& target) {
    const QSizeF source = view.size();
    if (source.isEmpty() || target.isEmpty()) {
        return;
    }
    const double scale =
        std::min(target.width() / source.width(), target.height() / source.height());
    const QSizeF drawn = source * scale;
    painter.save();
    painter.translate(target.center() - QPointF(drawn.width() / 2, drawn.height() / 2));
    painter.scale(scale, scale);
    const QRect area(QPoint(0, 0), view.size());
    painter.setClipRect(area, Qt::IntersectClip);
    painter.fillRect(area, view.palette().color(view.backgroundRole()));

    const std::vector<QWidget*> controls = controlsBackToFront(view);
    for (std::size_t k = 0; k < controls.size(); ++k) {
        QRegion visible = QRegion(controls[k]->geometry()) & area;
        for (std::size_t above = k + 1; above < controls.size() && !visible.isEmpty(); ++above) {
            visible -= controls[above]->geometry();
        }
        if (!visible.isEmpty()) {
            paintControl(*controls[k], painter, visible);
        }
    }
    painter.restore();
}

}  // namespace vorn
