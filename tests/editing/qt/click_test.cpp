// Clicks real cells and charts of the real window and checks what the tables, captions and
// charts show afterwards. The item name input box is the real dialog, answered by a timer.

#include <QApplication>
#include <QInputDialog>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "shell/qt/main_window.h"
#include "shell/qt/qt_platform.h"
#include "shell/qt/trends_view.h"
#include "shell/trends.h"

class ClickTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<vorn::QtPlatform> m_platform;
    std::unique_ptr<vorn::Trends> m_trends;
    std::unique_ptr<vorn::MainWindow> m_window;
    QTableView* m_trend = nullptr;
    QTableView* m_totals = nullptr;
    QTableView* m_policy = nullptr;

    static void clickCell(QTableView* view, int row, int column,
                          Qt::MouseButton button = Qt::LeftButton) {
        const QRect cell = view->visualRect(view->model()->index(row, column));
        QVERIFY2(!cell.isEmpty(), "the cell is not shown");
        QTest::mouseClick(view->viewport(), button, {}, cell.center());
    }
    static QString text(QTableView* view, int row, int column) {
        return view->model()->index(row, column).data().toString();
    }
    QString boxText(const char* name) const {
        return m_window->findChild<QPlainTextEdit*>(name)->toPlainText();
    }

  private slots:
    void init() {
        m_platform = std::make_unique<vorn::QtPlatform>();
        m_trends = std::make_unique<vorn::Trends>(*m_platform, vorn::RandomSource(3));
        m_window = std::make_unique<vorn::MainWindow>(*m_trends);
        m_platform->setWindow(m_window.get());
        m_trends->Form_Load();
        m_window->view()->refresh();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        m_trend = m_window->findChild<QTableView*>("MSFlexXImpact");
        m_totals = m_window->findChild<QTableView*>("MSFlexTotals");
        m_policy = m_window->findChild<QTableView*>("MSFlexPolicy");
        QVERIFY(m_trend != nullptr && m_totals != nullptr && m_policy != nullptr);
    }

    void cleanup() {
        m_window.reset();
        m_trends.reset();
        m_platform.reset();
    }

    void aClickSelectsFurtherClicksStepTheValue() {
        clickCell(m_trend, 2, 3);
        QVERIFY(
            boxText("Hints").startsWith("This is the contribution of Item  2 to the annual "
                                        "net growth of Item  3."));
        QCOMPARE(text(m_trend, 2, 3), QString("%   "));
        clickCell(m_trend, 2, 3);
        QCOMPARE(text(m_trend, 2, 3), QString("0.5"));
        clickCell(m_trend, 2, 3, Qt::RightButton);
        QCOMPARE(text(m_trend, 2, 3), QString("0"));
        QCOMPARE(text(m_totals, 1, 3), QString("0"));
    }

    void headerCellsAddRemoveAndRenameItems() {
        clickCell(m_trend, 0, 0);
        QCOMPARE(m_trend->model()->rowCount(), 10);
        QCOMPARE(text(m_trend, 9, 0), QString("New Item"));
        QCOMPARE(text(m_totals, 0, 9), QString("New Item"));
        clickCell(m_trend, 0, 0, Qt::RightButton);
        QCOMPARE(m_trend->model()->columnCount(), 9);
        QCOMPARE(m_totals->model()->columnCount(), 9);

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
        clickCell(m_trend, 3, 0);
        QCOMPARE(label, QString("Halvorine (VORN) Model: New Item Name"));
        QCOMPARE(text(m_trend, 0, 3), QString("Water"));
        QCOMPARE(text(m_policy, 3, 0), QString("Water"));
    }

    void policiesAndTheSpreadChart() {
        clickCell(m_policy, 1, 1);
        QCOMPARE(boxText("TextAnnual"),
                 QString("Scenario Trends- Forecast to  2040 (with Policies)"));

        auto* chart = m_window->findChild<QWidget*>("MscVary");
        QTest::mouseClick(chart, Qt::LeftButton, {}, chart->rect().center());
        QCOMPARE(m_trends->lastProjection().runs, 20);
        QCOMPARE(boxText("TextVary"), QString("Spread in Annual Levels for Item  1"));
        clickCell(m_totals, 2, 4);
        QCOMPARE(m_trends->lastProjection().runs, 1);
    }
};

QTEST_MAIN(ClickTest)
#include "click_test.moc"
