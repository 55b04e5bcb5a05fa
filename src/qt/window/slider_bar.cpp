#include "qt/window/slider_bar.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QToolTip>

namespace vorn {

SliderBar::SliderBar(std::function<QString(int)> valueText, QWidget* parent)
    : QScrollBar(Qt::Horizontal, parent), m_valueText(std::move(valueText)) {
    // A scroll bar inverts its keys, so that Up scrolls a vertical one back; on a slider
    // that made Right and Up lower the value.
    setInvertedControls(false);
    setFocusPolicy(Qt::StrongFocus);
    // Dragging changes the position only; keys, arrows and the trough change the value.
    connect(this, &QAbstractSlider::sliderMoved, this, [this] { showPositionTip(); });
    connect(this, &QAbstractSlider::valueChanged, this, [this] { showPositionTip(); });
}

bool SliderBar::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), positionText(), this);
        return true;
    }
    return QScrollBar::event(event);
}

void SliderBar::showPositionTip() {
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect thumb =
        style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
    QToolTip::showText(mapToGlobal(QPoint(thumb.center().x(), height())), positionText(), this);
}

void SliderBar::setThumbColor(const QColor& color) {
    m_thumb = color;
    update();
}

void SliderBar::paintEvent(QPaintEvent* event) {
    QScrollBar::paintEvent(event);
    QPainter painter(this);
    if (m_thumb.isValid()) {
        QStyleOptionSlider option;
        initStyleOption(&option);
        const QRect thumb = style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                                    QStyle::SC_ScrollBarSlider, this);
        painter.fillRect(thumb.adjusted(1, 1, -1, -1), m_thumb);
    }
    if (!hasFocus()) {
        return;
    }
    QPen ring(palette().color(QPalette::Active, QPalette::Highlight));
    ring.setWidth(2);
    ring.setJoinStyle(Qt::MiterJoin);
    painter.setPen(ring);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}

void SliderBar::focusInEvent(QFocusEvent* event) {
    QScrollBar::focusInEvent(event);
    update();
}

void SliderBar::focusOutEvent(QFocusEvent* event) {
    QScrollBar::focusOutEvent(event);
    update();
}

}  // namespace vorn
