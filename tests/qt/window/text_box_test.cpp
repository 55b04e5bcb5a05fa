// The window's text boxes under the mouse and the keyboard. On X11 a middle click pastes the
// primary selection and Ctrl+V the clipboard, and Qt's paste into a text box ends the program
// when no program owns them: the boxes paste text only. The test runs on the offscreen
// platform and, where xvfb-run is installed, once more on a fresh X server, where nothing
// owns the selection or the clipboard.

#include <QClipboard>
#include <QGuiApplication>
#include <QtTest>

#include "support/window_fixture.h"

class TextBoxTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<vorn::testing::WindowFixture<>> m;

  private slots:
    void init() {
        m = std::make_unique<vorn::testing::WindowFixture<>>(5);
        QVERIFY(m->start());
    }
    void cleanup() { m.reset(); }

    void pastesWithoutAnOwnerChangeNothing() {
        QClipboard* clipboard = QGuiApplication::clipboard();
        for (const QClipboard::Mode mode : {QClipboard::Clipboard, QClipboard::Selection}) {
            clipboard->clear(mode);  // no owner, not even this program
        }
        QVERIFY(!clipboard->ownsClipboard() && !clipboard->ownsSelection());
        for (vorn::TextBox* box : m->window.findChildren<vorn::TextBox*>()) {
            if (!box->isVisible()) {
                continue;
            }
            const QString before = box->toPlainText();
            QTest::mouseClick(box->viewport(), Qt::MiddleButton, {}, QPoint(4, 4));
            QTest::keyClick(box->viewport(), Qt::Key_V, Qt::ControlModifier);
            QTest::keyClick(box->viewport(), Qt::Key_Insert, Qt::ShiftModifier);
            QCOMPARE(box->toPlainText(), before);
        }
    }

    // The boxes keep their text behaviour: typing edits, and text is pasted where there is
    // some, by the middle button from the selection where the platform has one.
    void typingAndPastingTextStillEdit() {
        auto* hints = m->find<vorn::TextBox>("Hints");
        QTest::mouseClick(hints->viewport(), Qt::LeftButton, {}, QPoint(4, 4));
        QTest::keyClicks(hints->viewport(), "Why? ");
        QGuiApplication::clipboard()->setText(QStringLiteral("Because. "));
        QTest::keyClick(hints->viewport(), Qt::Key_V, Qt::ControlModifier);
        QVERIFY2(hints->toPlainText().contains("Why? Because. "), qPrintable(hints->toPlainText()));
        if (QGuiApplication::clipboard()->supportsSelection()) {
            QGuiApplication::clipboard()->setText(QStringLiteral("Selected. "),
                                                  QClipboard::Selection);
            QTest::mouseClick(hints->viewport(), Qt::MiddleButton, {}, QPoint(4, 4));
            QVERIFY2(hints->toPlainText().contains("Selected. "), qPrintable(hints->toPlainText()));
        }
    }
};

QTEST_MAIN(TextBoxTest)
#include "text_box_test.moc"
