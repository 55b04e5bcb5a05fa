#include "qt/window/announcer.h"

namespace vorn {

Announcer::Announcer(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Announcer"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 1, 1);
    hide();
}

void Announcer::announce(const QString& text) {
    if (text.isEmpty()) {
        return;
    }
    setAccessibleName(text);
    hide();
    show();
    emit announced(text);
}

}  // namespace vorn
