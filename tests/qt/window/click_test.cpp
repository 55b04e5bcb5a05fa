// Clicks real cells and charts of the real window and checks what the tables, captions and
// charts show afterwards. The item name input box is the real dialog, answered by a timer.

#include <QApplication>
#include <QInputDialog>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTimer>
#include <QtTest>

#include "qt/window/qt_platform.h"
#include "support/window_fixture.h"

class ClickTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<vorn::testing::WindowFixture<vorn::QtPlatform>> m;

  private slots:
    void init() {
        m = std::make_unique<vorn::testing::WindowFixture<vorn::QtPlatform>>(3);
        QVERIFY(m->start());
    }
    void cleanup() { m.reset(); }

    void aClickSelectsFurtherClicksStepTheValue() {
        m->click("MSFlexXImpact", 2, 3);
        QVERIFY(
            m->boxText("Hints").startsWith("This is the contribution of Item  2 to the annual "
                                           "net growth of Item  3."));
        QCOMPARE(m->cell("MSFlexXImpact", 2, 3), QString("%   "));
        m->click("MSFlexXImpact", 2, 3);
        QCOMPARE(m->cell("MSFlexXImpact", 2, 3), QString("0.5"));
        m->click("MSFlexXImpact", 2, 3, Qt::RightButton);
        QCOMPARE(m->cell("MSFlexXImpact", 2, 3), QString("0"));
        QCOMPARE(m->cell("MSFlexTotals", 1, 3), QString("0"));
        m->click("MSFlexXImpact", 2, 3, Qt::MiddleButton);  // lowers, as the right button does
        QCOMPARE(m->cell("MSFlexXImpact", 2, 3), QString("-0.5"));

        // Three steps up from 0.8 and three back come home: 2.3, not 2.29, on the way.
        m->view()->run([this] { m->trends.MSFlexXImpact().setText(4, 5, "0.8"); });
        m->click("MSFlexXImpact", 4, 5);
        QStringList shown;
        for (const Qt::MouseButton button : {Qt::LeftButton, Qt::LeftButton, Qt::LeftButton,
                                             Qt::RightButton, Qt::RightButton, Qt::RightButton}) {
            m->click("MSFlexXImpact", 4, 5, button);
            shown.append(m->cell("MSFlexXImpact", 4, 5));
        }
        QCOMPARE(shown, QStringList({"1.3", "1.8", "2.3", "1.8", "1.3", "0.8"}));
    }

    void headerCellsAddRemoveAndRenameItems() {
        m->click("MSFlexXImpact", 0, 0);
        QCOMPARE(m->grid("MSFlexXImpact")->model()->rowCount(), 10);
        QCOMPARE(m->cell("MSFlexXImpact", 9, 0), QString("New Item"));
        QCOMPARE(m->cell("MSFlexTotals", 0, 9), QString("New Item"));
        m->click("MSFlexXImpact", 0, 0, Qt::RightButton);
        QCOMPARE(m->grid("MSFlexXImpact")->model()->columnCount(), 9);
        QCOMPARE(m->grid("MSFlexTotals")->model()->columnCount(), 9);

        QString label;
        QTimer poll;  // answers the modal input box once it shows
        connect(&poll, &QTimer::timeout, this, [&label, &poll] {
            if (auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget())) {
                poll.stop();
                label = dialog->windowTitle() + ": " + dialog->labelText();
                dialog->setTextValue("Water");
                dialog->accept();
            }
        });
        poll.start(10);
        m->click("MSFlexXImpact", 3, 0);
        QCOMPARE(label, QString("Halvorine (VORN) Model: New Item Name"));
        QCOMPARE(m->cell("MSFlexXImpact", 0, 3), QString("Water"));
        QCOMPARE(m->cell("MSFlexPolicy", 3, 0), QString("Water"));
    }

    void policiesAndTheSpreadChart() {
        m->click("MSFlexPolicy", 1, 2);
        QCOMPARE(m->boxText("TextAnnual"),
                 QString("Scenario Trends- Forecast to  2040 (with Policies)"));
        m->click("MSFlexPolicy", 1, 2);
        QCOMPARE(m->cell("MSFlexPolicy", 1, 2) + m->cell("MSFlexPolicy", 2, 1), QString("0.5%   "));

        auto* chart = m->window.findChild<QWidget*>("MscVary");
        QTest::mouseClick(chart, Qt::LeftButton, {}, chart->rect().center());
        QCOMPARE(m->trends.lastProjection().runs, 20);
        QCOMPARE(m->boxText("TextVary"), QString("Spread in Annual Levels for Item  1"));
        m->click("MSFlexTotals", 2, 4);
        QCOMPARE(m->trends.lastProjection().runs, 1);
        m->click("MSFlexTotals", 2, 4, Qt::RightButton);
        QCOMPARE(m->cell("MSFlexTotals", 2, 4), QString("-0.5"));
    }
};

QTEST_MAIN(ClickTest)
#include "click_test.moc"
