// Clicks real cells and charts of the real window and checks what the tables, captions and
// charts show afterwards. The item name input box is the real dialog, answered by a timer.

#include <QApplication>
#include <QGraphicsView>
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

    template <typename T>
    T* find(const char* name) const {
        T* widget = m_window->findChild<T*>(QString::fromLatin1(name));
        if (widget == nullptr) {
            qFatal("no control named %s", name);
        }
        return widget;
    }
    QTableView* grid(const char* name) const { return find<QTableView>(name); }
    QString boxText(const char* name) const { return find<QPlainTextEdit>(name)->toPlainText(); }

    static void clickCell(QTableView* view, int row, int column,
                          Qt::MouseButton button = Qt::LeftButton) {
        const QRect cell = view->visualRect(view->model()->index(row, column));
        QVERIFY2(!cell.isEmpty(), "the cell is not shown");
        QTest::mouseClick(view->viewport(), button, {}, cell.center());
    }
    static QString cellText(QTableView* view, int row, int column) {
        return view->model()->index(row, column).data().toString();
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
    }

    void cleanup() {
        m_window.reset();
        m_trends.reset();
        m_platform.reset();
    }

    void aClickSelectsFurtherClicksStepTheValue() {
        QTableView* trend = grid("MSFlexXImpact");
        clickCell(trend, 2, 3);
        QVERIFY(
            boxText("Hints").startsWith("This is the contribution of Item  2 to the annual "
                                        "net growth of Item  3."));
        QCOMPARE(cellText(trend, 2, 3), QString("%   "));
        clickCell(trend, 2, 3);
        QCOMPARE(cellText(trend, 2, 3), QString("0.5"));
        QCOMPARE(trend->model()->index(2, 3).data(Qt::BackgroundRole).value<QBrush>().color(),
                 QColor(255, 255, 255));
        QCOMPARE(cellText(grid("MSFlexTotals"), 1, 3), QString("0.5"));
        clickCell(trend, 2, 3, Qt::RightButton);
        QCOMPARE(cellText(trend, 2, 3), QString("0"));
        QCOMPARE(cellText(grid("MSFlexTotals"), 1, 3), QString("0"));
    }

    void theTopLeftCellAddsAndRemovesAnItem() {
        QTableView* trend = grid("MSFlexXImpact");
        clickCell(trend, 0, 0);
        QCOMPARE(trend->model()->rowCount(), 10);
        QCOMPARE(cellText(trend, 9, 0), QString("New Item"));
        QCOMPARE(cellText(grid("MSFlexTotals"), 0, 9), QString("New Item"));
        QCOMPARE(cellText(grid("MSFlexPolicy"), 9, 0), QString("New Item"));
        clickCell(trend, 0, 0, Qt::RightButton);
        QCOMPARE(trend->model()->columnCount(), 9);
        QCOMPARE(grid("MSFlexTotals")->model()->columnCount(), 9);
        QCOMPARE(grid("MSFlexPolicy")->model()->rowCount(), 9);
    }

    void aHeaderClickRenamesTheItemThroughTheInputBox() {
        QString title;
        QString label;
        auto* poll = new QTimer(this);  // answers the modal input box once it shows
        connect(poll, &QTimer::timeout, this, [&title, &label, poll] {
            if (auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget())) {
                poll->stop();
                title = dialog->windowTitle();
                label = dialog->labelText();
                dialog->setTextValue("Water");
                dialog->accept();
            }
        });
        poll->start(10);
        clickCell(grid("MSFlexXImpact"), 3, 0);
        delete poll;
        QCOMPARE(title, QString("Halvorine (VORN) Model"));
        QCOMPARE(label, QString("New Item Name"));
        QCOMPARE(cellText(grid("MSFlexXImpact"), 0, 3), QString("Water"));
        QCOMPARE(cellText(grid("MSFlexTotals"), 0, 3), QString("Water"));
        QCOMPARE(cellText(grid("MSFlexPolicy"), 3, 0), QString("Water"));
    }

    void aPolicyClickSwitchesPoliciesOn() {
        clickCell(grid("MSFlexPolicy"), 1, 1);
        QCOMPARE(boxText("TextAnnual"),
                 QString("Scenario Trends- Forecast to  2040 (with Policies)"));
        clickCell(grid("MSFlexXImpact"), 1, 1);
        QCOMPARE(boxText("TextAnnual"), QString("Scenario Trends- Forecast to  2040"));
    }

    void aSpreadChartClickShowsTwentyRuns() {
        auto* chart = find<QGraphicsView>("MscVary");
        QTest::mouseClick(chart->viewport(), Qt::LeftButton, {},
                          chart->viewport()->rect().center());
        QCOMPARE(m_trends->lastProjection().runs, 20);
        QCOMPARE(boxText("TextVary"), QString("Spread in Annual Levels for Item  1"));
        const QObjectList& siblings = chart->parentWidget()->children();
        QVERIFY(siblings.indexOf(chart) > siblings.indexOf(find<QWidget>("mscTrends")));
        clickCell(grid("MSFlexTotals"), 2, 4);
        QCOMPARE(m_trends->lastProjection().runs, 1);
    }
};

QTEST_MAIN(ClickTest)
#include "click_test.moc"
