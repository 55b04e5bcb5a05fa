#include <QFileDialog>
#include <QLabel>
#include <QPrinter>
#include <QScrollBar>
#include <QtTest>

#include "qt/charts/line_chart_view.h"
#include "qt/window/qt_platform.h"
#include "support/window_fixture.h"

using vorn::Control;

class MainWindowTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<vorn::testing::WindowFixture<>> m;

    /// The name of the control seen at a point given in twips of the client area.
    QString frontControlAt(int leftTwips, int topTwips) const {
        vorn::TrendsView* view = m->view();
        QWidget* widget =
            view->childAt(leftTwips / vorn::kTwipsPerPixel, topTwips / vorn::kTwipsPerPixel);
        while (widget != nullptr && widget->parentWidget() != view) {
            widget = widget->parentWidget();
        }
        return widget != nullptr ? widget->objectName() : QString();
    }

  private slots:
    void init() {
        m = std::make_unique<vorn::testing::WindowFixture<>>(11);
        QVERIFY(m->start());
    }
    void cleanup() { m.reset(); }

    void opensWithTheBlankScenarioCaptionsAndSliders() {
        QCOMPARE(m->window.windowTitle(), QString("Halvorine (VORN) Model"));
        QCOMPARE(m->cell("MSFlexXImpact", 0, 3), QString("Item  3"));
        QCOMPARE(m->cell("MSFlexXImpact", 2, 2), QString("%   "));
        QCOMPARE(m->cell("MSFlexTotals", 3, 5), QString("1"));
        QCOMPARE(m->cell("MSFlexXImpact", 0, 0, Qt::BackgroundRole), QString("#ffff64"));
        QCOMPARE(m->cell("MSFlexXImpact", 4, 4, Qt::BackgroundRole), QString("#ffffc8"));
        QCOMPARE(m->cell("MSFlexPolicy", 1, 2, Qt::BackgroundRole), QString("#c8ffff"));
        QCOMPARE(m->cell("MSFlexTotals", 2, 2, Qt::BackgroundRole), QString("#ffc8ff"));
        QCOMPARE(m->grid("MSFlexXImpact")->columnWidth(1), 63);  // 944 twips
        QCOMPARE(m->boxText("TextAnnual"), QString("Scenario Trends- Forecast to  2040"));
        QCOMPARE(m->boxText("TextGrowth"), QString("Contributions to Change in  2040"));
        QCOMPARE(m->boxText("Hints"), QString("  Hints: (Click on cells for Help)"));
        QCOMPARE(m->boxText("TextVary"),
                 QString("Spread in Annual Levels\n"));  // "\r\n" shows as \n
        QCOMPARE(m->find<QLabel>("MatrixFile")->text(), QString("Input File"));
        QCOMPARE(m->find<QScrollBar>("HScrollTime")->value(), 2);
        QCOMPARE(m->find<QScrollBar>("HScrollUncert")->value(), 1);
        QCOMPARE(m->find<QScrollBar>("HScrollLags")->value(), 10);
    }

    void frontControlsFollowTheStacking() {
        QCOMPARE(frontControlAt(600, 6000), QString("MSFlexPolicy"));   // the strip above
        QCOMPARE(frontControlAt(600, 7000), QString("MSFlexXImpact"));  // the overlap
        QCOMPARE(frontControlAt(3000, 4000), QString("mscTrends"));
        QCOMPARE(frontControlAt(5000, 1000), QString("MscXImpacts"));
        m->trends.setText(Control::TextVary, "Spread in Annual Levels for Item  1");
        m->view()->refresh();
        QCOMPARE(frontControlAt(3000, 4000), QString("MscVary"));
    }

    void timeSliderStepRedrawsTheChartsIncrementSliderDoesNot() {
        auto* levels = m->find<vorn::LineChartView>("mscTrends");
        QCOMPARE(levels->pointLabels().last(), QString(" 2040"));
        const unsigned long before = m->trends.projectionCount();
        m->find<QScrollBar>("HScrollLags")->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(m->trends.inc, 0.2);
        QCOMPARE(m->trends.projectionCount(), before);
        m->find<QScrollBar>("HScrollTime")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(m->trends.projectionCount(), before + 1);
        QCOMPARE(levels->pointLabels().last(), QString(" 2060"));
        QCOMPARE(m->boxText("TextAnnual"), QString("Scenario Trends- Forecast to  2060"));
    }

    void aDoubleClickStepsAndAnArrowKeyOnlySelects() {
        auto* trend = m->grid("MSFlexXImpact");
        // Widgets receive a double click as press, release, double click, release.
        const QPointF centre = trend->cellRect(4, 5).center();
        QTest::mouseClick(trend->viewport(), Qt::LeftButton, {}, centre.toPoint());
        QMouseEvent doubleClick(QEvent::MouseButtonDblClick, centre,
                                trend->viewport()->mapToGlobal(centre), Qt::LeftButton,
                                Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(trend->viewport(), &doubleClick);
        QCOMPARE(m->cell("MSFlexXImpact", 4, 5), QString("0.5"));
        QTest::keyClick(trend, Qt::Key_Down);
        QCOMPARE(m->trends.MSFlexXImpact().currentRow(), 5);
        QCOMPARE(m->cell("MSFlexXImpact", 4, 5), QString("0.5"));
        QCOMPARE(m->cell("MSFlexXImpact", 5, 5), QString("%   "));
    }

    void typingIntoACaptionChangesOnlyTheStacking() {
        m->trends.bringToFront(Control::About);
        m->view()->refresh();
        const unsigned long projections = m->trends.projectionCount();
        auto* caption = m->find<vorn::TextBox>("TextAnnual");
        caption->setFocus();
        caption->moveCursor(QTextCursor::End);
        QTest::keyClicks(caption, "!");
        QTest::keyClick(caption, Qt::Key_Return);
        QCOMPARE(QString::fromStdString(m->trends.text(Control::TextAnnual)),
                 QString("Scenario Trends- Forecast to  2040!\r\n"));
        auto* oneLine = m->find<vorn::TextBox>("TextHorizon");
        QTest::keyClick(oneLine, Qt::Key_Return);  // takes no line break
        QCOMPARE(m->boxText("TextHorizon"), QString("<--Time Horizon-->"));
        QCOMPARE(frontControlAt(5000, 1000), QString("MscXImpacts"));
        QCOMPARE(m->trends.projectionCount(), projections);
        QCOMPARE(caption->textCursor().position(), caption->toPlainText().size());
    }

    void clearRestoresTheBlankScenario() {
        m->find<QScrollBar>("HScrollLags")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        vorn::CellTable& trend = m->trends.MSFlexXImpact();
        trend.resize(13, 13);
        m->trends.MSFlexPolicy().resize(13, 13);
        m->trends.MSFlexTotals().resize(4, 13);
        trend.setText(2, 3, "4.5");
        trend.setText(0, 12, "Water");
        m->trends.YearbyYear(m->trends.cats);
        m->view()->refresh();
        QCOMPARE(m->cell("MSFlexTotals", 0, 12), QString("Water"));
        QCOMPARE(m->find<vorn::LineChartView>("mscTrends")->visibleSeriesNames().size(), 12);
        m->trigger("mnuClear");
        QCOMPARE(m->grid("MSFlexXImpact")->model()->columnCount(), 9);
        QCOMPARE(m->cell("MSFlexXImpact", 2, 3), QString("%   "));
        QCOMPARE(m->find<vorn::LineChartView>("mscTrends")->visibleSeriesNames().size(), 8);
        QCOMPARE(m->trends.inc, 0.5);
        QCOMPARE(m->find<QScrollBar>("HScrollLags")->value(), 11);
    }

    // ... and ask before replacing a file only where the chosen name is the file written.
    void fileDialogsAddTheExtensionOfTheSelectedFilter() {
        vorn::FileDialogRequest request;
        request.proposedName = "Example1";
        request.filters = {{"text file", "*.txt"}, {"all files", "*.*", false}};
        request.selectedFilter = 1;
        request.initialFolder = VORN_SOURCE_EXAMPLES_DIR;
        QFileDialog save;
        vorn::prepareFileDialog(save, request, true);
        QCOMPARE(save.directory(), QDir(VORN_SOURCE_EXAMPLES_DIR));  // the folder proposed
        QCOMPARE(save.selectedNameFilter(), QString("text file (*.txt)"));
        QCOMPARE(save.defaultSuffix(), QString("txt"));
        QVERIFY(!save.testOption(QFileDialog::DontConfirmOverwrite));
        emit save.filterSelected("all files (*.*)");
        QCOMPARE(save.defaultSuffix(), QString());
        QVERIFY(save.testOption(QFileDialog::DontConfirmOverwrite));
        QFileDialog open;
        vorn::prepareFileDialog(open, request, false);
        QCOMPARE(open.defaultSuffix(), QString("txt"));  // "Example1" opens Example1.txt
        request.selectedFilter = 2;
        QFileDialog openAll;
        vorn::prepareFileDialog(openAll, request, false);
        QCOMPARE(openAll.defaultSuffix(), QString());
    }

    void printingReportsAPrinterThatCannotOpen() {
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName("/nonexistent-folder/x/window.pdf");
        QString error;
        QVERIFY(!vorn::printClientArea(*m->view(), printer, &error));
        QVERIFY(!error.isEmpty());
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
