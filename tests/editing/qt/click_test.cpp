// Clicks real cells and charts of the real window and checks what the tables, captions and
// charts show afterwards. The item name input box is the real dialog, answered by a timer.

#include <QApplication>
#include <QGraphicsView>
#include <QInputDialog>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>
#include <optional>

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
    // What the input box looked like when it was answered.
    QString m_dialogTitle;
    QString m_dialogLabel;

    template <typename T>
    T* find(const char* name) const {
        T* widget = m_window->findChild<T*>(QString::fromLatin1(name));
        if (widget == nullptr) {
            qFatal("no control named %s", name);
        }
        return widget;
    }

    QTableView* grid(const char* name) const { return find<QTableView>(name); }

    static void clickCell(QTableView* view, int row, int column,
                          Qt::MouseButton button = Qt::LeftButton) {
        const QRect cell = view->visualRect(view->model()->index(row, column));
        QVERIFY2(!cell.isEmpty(), "the cell is not shown");
        QTest::mouseClick(view->viewport(), button, {}, cell.center());
    }

    static QString cellText(QTableView* view, int row, int column) {
        return view->model()->index(row, column).data().toString();
    }

    static QColor cellColor(QTableView* view, int row, int column) {
        return view->model()->index(row, column).data(Qt::BackgroundRole).value<QBrush>().color();
    }

    QString boxText(const char* name) const { return find<QPlainTextEdit>(name)->toPlainText(); }

    void clickChart(const char* name) const {
        auto* chart = find<QGraphicsView>(name);
        QTest::mouseClick(chart->viewport(), Qt::LeftButton, {},
                          chart->viewport()->rect().center());
    }

    // Answers the next modal input box: sets its text and accepts it, or cancels it.
    void answerInputBox(const std::optional<QString>& answer) {
        auto* poll = new QTimer(this);
        poll->setInterval(10);
        connect(poll, &QTimer::timeout, this, [this, poll, answer] {
            auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) {
                return;
            }
            poll->stop();
            poll->deleteLater();
            m_dialogTitle = dialog->windowTitle();
            m_dialogLabel = dialog->labelText();
            if (answer) {
                dialog->setTextValue(*answer);
                dialog->accept();
            } else {
                dialog->reject();
            }
        });
        poll->start();
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
        m_dialogTitle.clear();
        m_dialogLabel.clear();
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
        QCOMPARE(cellColor(trend, 2, 3), QColor(255, 255, 255));
        QCOMPARE(cellText(grid("MSFlexTotals"), 1, 3), QString("0.5"));

        clickCell(trend, 2, 3, Qt::RightButton);
        QCOMPARE(cellText(trend, 2, 3), QString("0"));
        QCOMPARE(cellText(grid("MSFlexTotals"), 1, 3), QString("0"));
    }

    void theTopLeftCellAddsAndRemovesAnItem() {
        QTableView* trend = grid("MSFlexXImpact");
        clickCell(trend, 0, 0);
        QCOMPARE(trend->model()->rowCount(), 10);
        QCOMPARE(trend->model()->columnCount(), 10);
        QCOMPARE(cellText(trend, 0, 9), QString("New Item"));
        QCOMPARE(cellText(trend, 9, 0), QString("New Item"));
        QCOMPARE(grid("MSFlexTotals")->model()->columnCount(), 10);
        QCOMPARE(cellText(grid("MSFlexTotals"), 0, 9), QString("New Item"));
        QCOMPARE(cellText(grid("MSFlexPolicy"), 9, 0), QString("New Item"));

        clickCell(trend, 0, 0, Qt::RightButton);
        QCOMPARE(trend->model()->rowCount(), 9);
        QCOMPARE(grid("MSFlexTotals")->model()->columnCount(), 9);
        QCOMPARE(grid("MSFlexPolicy")->model()->columnCount(), 9);
        QCOMPARE(m_trends->cats.value, 8);
    }

    void aHeaderClickRenamesTheItemThroughTheInputBox() {
        QTableView* trend = grid("MSFlexXImpact");
        answerInputBox(QString("Water"));
        clickCell(trend, 3, 0);
        QCOMPARE(m_dialogTitle, QString("Halvorine (VORN) Model"));
        QCOMPARE(m_dialogLabel, QString("New Item Name"));
        QCOMPARE(cellText(trend, 3, 0), QString("Water"));
        QCOMPARE(cellText(trend, 0, 3), QString("Water"));
        QCOMPARE(cellText(grid("MSFlexTotals"), 0, 3), QString("Water"));
        QCOMPARE(cellText(grid("MSFlexPolicy"), 0, 3), QString("Water"));
        QCOMPARE(cellText(grid("MSFlexPolicy"), 3, 0), QString("Water"));
    }

    void cancellingTheInputBoxKeepsTheName() {
        QTableView* trend = grid("MSFlexXImpact");
        answerInputBox(std::nullopt);
        clickCell(trend, 0, 5);
        QCOMPARE(m_dialogLabel, QString("New Item Name"));
        QCOMPARE(cellText(trend, 0, 5), QString("Item  5"));
        QCOMPARE(cellText(trend, 5, 0), QString("Item  5"));
    }

    void aPolicyClickSwitchesPoliciesOn() {
        clickCell(grid("MSFlexPolicy"), 1, 1);
        QCOMPARE(boxText("TextAnnual"),
                 QString("Scenario Trends- Forecast to  2040 (with Policies)"));
        QVERIFY(boxText("Hints").startsWith("What policies can improve the projected trends? "));

        clickCell(grid("MSFlexXImpact"), 1, 1);
        QCOMPARE(boxText("TextAnnual"), QString("Scenario Trends- Forecast to  2040"));
    }

    void aSpreadChartClickShowsTwentyRuns() {
        clickChart("MscVary");
        QCOMPARE(m_trends->lastProjection().runs, 20);
        QCOMPARE(boxText("TextVary"), QString("Spread in Annual Levels for Item  1"));
        QVERIFY(m_trends->isAbove(vorn::Control::MscVary, vorn::Control::mscTrends));
        const QObjectList& siblings = find<QWidget>("MscVary")->parentWidget()->children();
        QVERIFY(siblings.indexOf(find<QWidget>("MscVary")) >
                siblings.indexOf(find<QWidget>("mscTrends")));

        clickCell(grid("MSFlexTotals"), 2, 4);
        QCOMPARE(m_trends->lastProjection().runs, 1);
    }

    void aTotalsNameClickRunsTheUncertaintyRuns() {
        clickCell(grid("MSFlexTotals"), 0, 6);
        QCOMPARE(boxText("TextVary"), QString("Uncertainty in Future Item  6 Trends"));
        QCOMPARE(m_trends->lastProjection().runs, 20);
        QCOMPARE(m_trends->lastProjection().tracked, 6);
        QCOMPARE(m_trends->iter, 1);
    }
};

QTEST_MAIN(ClickTest)
#include "click_test.moc"
