#include "qt/window/text_box.h"

#include <QKeyEvent>
#include <QMimeData>
#include <cmath>

#include "qt/charts/chart_style.h"

namespace vorn {
namespace {

QString fromWindowText(const std::string& text) {
    QString shown = charts::fromTableText(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QChar('\r'), QChar('\n'));
    return shown;
}

}  // namespace

TextBox::TextBox(bool multiLine, bool verticalScrollBar, QWidget* parent)
    : QPlainTextEdit(parent), m_multiLine(multiLine) {
    setFrameShape(QFrame::NoFrame);
    setFrameShadow(QFrame::Plain);
    setLineWidth(1);
    setContentsMargins(0, 0, 0, 0);
    setViewportMargins(0, 0, 0, 0);
    document()->setDocumentMargin(1);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(verticalScrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setLineWrapMode(multiLine ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, [this] { emit edited(text()); });
}

void TextBox::showText(const std::string& text) {
    const QString shown = fromWindowText(text);
    if (shown == toPlainText()) {
        return;
    }
    const QSignalBlocker blocker(this);
    setPlainText(shown);
}

std::string TextBox::text() const {
    QString typed = toPlainText();
    typed.replace(QChar('\n'), QStringLiteral("\r\n"));
    return typed.toStdString();
}

void TextBox::setBorder(bool border) {
    setFrameShape(border ? QFrame::Box : QFrame::NoFrame);
}

QSize TextBox::lineRoom(QSize boxSize) const {
    const int margin = static_cast<int>(std::ceil(document()->documentMargin()));
    const int inset = 2 * frameWidth() + 2 * margin;
    return {boxSize.width() - inset - cursorWidth(), boxSize.height() - inset};
}

void TextBox::keyPressEvent(QKeyEvent* event) {
    const bool lineBreak = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (lineBreak && !m_multiLine) {
        event->ignore();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TextBox::insertFromMimeData(const QMimeData* source) {
    if (source != nullptr && source->hasText()) {
        QPlainTextEdit::insertFromMimeData(source);
    }
}

}  // namespace vorn
