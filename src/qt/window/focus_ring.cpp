#include "qt/window/focus_ring.h"

#include <QEvent>
#include <QPainter>

namespace vorn {

FocusRing::FocusRing(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FocusRing"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void FocusRing::follow(QWidget* target) {
    if (m_target == target) {
        return;
    }
    if (m_target != nullptr) {
        m_target->removeEventFilter(this);
    }
    m_target = target;
    if (m_target == nullptr) {
        hide();
        return;
    }
    m_target->installEventFilter(this);
    place();
    show();
    raise();
}

void FocusRing::place() {
    if (m_target != nullptr) {
        setGeometry(m_target->geometry());
    }
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_target) {
        switch (event->type()) {
            case QEvent::Move:
            case QEvent::Resize:
                place();
                break;
            case QEvent::ZOrderChange:
                raise();
                break;
            default:
                break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FocusRing::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    QPen ring(palette().color(QPalette::Active, QPalette::Highlight), 2);
    ring.setJoinStyle(Qt::MiterJoin);
    painter.setPen(ring);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}

}  // namespace vorn
