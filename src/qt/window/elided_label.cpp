#include "qt/window/elided_label.h"

#include <QPainter>
#include <QStyle>
#include <algorithm>

namespace vorn {

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) {}

void ElidedLabel::setWrapped(bool wrapped) {
    setWordWrap(wrapped);
}

bool ElidedLabel::isElided() const {
    if (wordWrap()) {
        return false;
    }
    return fontMetrics().horizontalAdvance(text()) > contentsRect().width();
}

QString ElidedLabel::shownText() const {
    const QString whole = text();
    if (wordWrap()) {
        return whole;
    }
    const int room = contentsRect().width();
    const QFontMetrics metrics = fontMetrics();
    if (metrics.horizontalAdvance(whole) <= room) {
        return whole;
    }
    // The file name stays whole where it can; the text before it is shortened.
    const qsizetype cut = std::max(whole.lastIndexOf(QChar('/')), whole.lastIndexOf(QChar('\\')));
    const QString name = cut >= 0 ? whole.mid(cut) : QString();
    const int headRoom = room - metrics.horizontalAdvance(name);
    if (cut > 0 && headRoom >= room / 4) {
        return metrics.elidedText(whole.left(cut), Qt::ElideRight, headRoom) + name;
    }
    return metrics.elidedText(whole, Qt::ElideMiddle, room);
}

void ElidedLabel::paintEvent(QPaintEvent* event) {
    if (wordWrap()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    style()->drawItemText(&painter, contentsRect(), static_cast<int>(alignment()), palette(),
                          isEnabled(), shownText(), foregroundRole());
}

}  // namespace vorn
