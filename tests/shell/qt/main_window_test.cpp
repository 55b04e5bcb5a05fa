#include <QFileDialog>
#include <QLabel>
#include <QPrinter>
#include <QScrollBar>
#include <QtTest>
#include <memory>

#include "charts/qt/chart_style.h"
#include "charts/qt/line_chart_view.h"
#include "shell/qt/grid_view.h"
#include "shell/qt/main_window.h"
#include "shell/qt/qt_platform.h"
#include "shell/qt/text_box.h"
#include "shell/qt/trends_view.h"
#include "shell/trends.h"
#include "support/scripted_platform.h"

using vorn::Control;

class MainWindowTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<vorn::testing::ScriptedPlatform> m_platform;
    std::unique_ptr<vorn::Trends> m_trends;
    std::unique_ptr<vorn::MainWindow> m_window;

    template <typename T = QWidget>
    T* find(const char* name) const {
        T* widget = m_window->findChild<T*>(QString::fromLatin1(name));
        if (widget == nullptr) {
            qFatal("no control named %s", name);
        }
        return widget;
    }
    QString cell(const char* grid, int row, int column, int role = Qt::DisplayRole) const {
        const QVariant data = find<vorn::GridView>(grid)->model()->index(row, column).data(role);
        return role == Qt::BackgroundRole ? data.value<QBrush>().color().name() : data.toString();
    }
    QString boxText(const char* name) const { return find<vorn::TextBox>(name)->toPlainText(); }

    /// The name of the control seen at a point given in twips of the client area.
    QString frontControlAt(int leftTwips, int topTwips) const {
        vorn::TrendsView* view = m_window->view();
        QWidget* widget =
            view->childAt(leftTwips / vorn::kTwipsPerPixel, topTwips / vorn::kTwipsPerPixel);
        while (widget != nullptr && widget->parentWidget() != view) {
            widget = widget->parentWidget();
        }
        return widget != nullptr ? widget->objectName() : QString();
    }

  private slots:
    void init() {
        m_platform = std::make_unique<vorn::testing::ScriptedPlatform>();
        m_trends = std::make_unique<vorn::Trends>(*m_platform, vorn::RandomSource(11));
        m_window = std::make_unique<vorn::MainWindow>(*m_trends);
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

    void opensWithTheBlankScenarioCaptionsAndSliders() {
        QCOMPARE(m_window->windowTitle(), QString("Halvorine (VORN) Model"));
        QCOMPARE(cell("MSFlexXImpact", 0, 3), QString("Item  3"));
        QCOMPARE(cell("MSFlexXImpact", 2, 2), QString("%   "));
        QCOMPARE(cell("MSFlexTotals", 3, 5), QString("1"));
        QCOMPARE(cell("MSFlexXImpact", 0, 0, Qt::BackgroundRole), QString("#ffff64"));
        QCOMPARE(cell("MSFlexXImpact", 4, 4, Qt::BackgroundRole), QString("#ffffc8"));
        QCOMPARE(cell("MSFlexPolicy", 1, 2, Qt::BackgroundRole), QString("#c8ffff"));
        QCOMPARE(cell("MSFlexTotals", 2, 2, Qt::BackgroundRole), QString("#ffc8ff"));
        QCOMPARE(find<vorn::GridView>("MSFlexXImpact")->columnWidth(1), 63);  // 944 twips
        QCOMPARE(boxText("TextAnnual"), QString("Scenario Trends- Forecast to  2040"));
        QCOMPARE(boxText("TextGrowth"), QString("Contributions to Change in  2040"));
        QCOMPARE(boxText("Hints"), QString("  Hints: (Click on cells for Help)"));
        QCOMPARE(boxText("TextVary"), QString("Spread in Annual Levels\n"));  // "\r\n" shows as \n
        QCOMPARE(find<QLabel>("MatrixFile")->text(), QString("Input File"));
        QCOMPARE(find<QScrollBar>("HScrollTime")->value(), 2);
        QCOMPARE(find<QScrollBar>("HScrollUncert")->value(), 1);
        QCOMPARE(find<QScrollBar>("HScrollLags")->value(), 10);
    }

    void frontControlsFollowTheStacking() {
        QCOMPARE(frontControlAt(600, 6000), QString("MSFlexPolicy"));   // the strip above
        QCOMPARE(frontControlAt(600, 7000), QString("MSFlexXImpact"));  // the overlap
        QCOMPARE(frontControlAt(3000, 4000), QString("mscTrends"));
        QCOMPARE(frontControlAt(5000, 1000), QString("MscXImpacts"));
        m_trends->setText(Control::TextVary, "Spread in Annual Levels for Item  1");
        m_window->view()->refresh();
        QCOMPARE(frontControlAt(3000, 4000), QString("MscVary"));
    }

    void timeSliderStepRedrawsTheChartsIncrementSliderDoesNot() {
        auto* levels = find<vorn::LineChartView>("mscTrends");
        QCOMPARE(levels->pointLabels().last(), QString(" 2040"));
        const unsigned long before = m_trends->projectionCount();
        find<QScrollBar>("HScrollLags")->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(m_trends->inc, 0.2);
        QCOMPARE(m_trends->projectionCount(), before);
        find<QScrollBar>("HScrollTime")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(m_trends->projectionCount(), before + 1);
        QCOMPARE(levels->pointLabels().last(), QString(" 2060"));
        QCOMPARE(boxText("TextAnnual"), QString("Scenario Trends- Forecast to  2060"));
    }

    void aDoubleClickStepsArrowKeysKeepTheCell() {
        auto* trend = find<vorn::GridView>("MSFlexXImpact");
        // Widgets receive a double click as press, release, double click, release.
        const QPointF centre = trend->cellRect(4, 5).center();
        QTest::mouseClick(trend->viewport(), Qt::LeftButton, {}, centre.toPoint());
        QMouseEvent doubleClick(QEvent::MouseButtonDblClick, centre,
                                trend->viewport()->mapToGlobal(centre), Qt::LeftButton,
                                Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(trend->viewport(), &doubleClick);
        QCOMPARE(cell("MSFlexXImpact", 4, 5), QString("0.5"));
        QTest::keyClick(trend, Qt::Key_Down);
        QCOMPARE(m_trends->MSFlexXImpact().currentRow(), 4);
        QCOMPARE(cell("MSFlexXImpact", 4, 5), QString("0.5"));
    }

    void typingIntoACaptionChangesOnlyTheStacking() {
        m_trends->bringToFront(Control::About);
        m_window->view()->refresh();
        const unsigned long projections = m_trends->projectionCount();
        auto* caption = find<vorn::TextBox>("TextAnnual");
        caption->setFocus();
        caption->moveCursor(QTextCursor::End);
        QTest::keyClicks(caption, "!");
        QCOMPARE(QString::fromStdString(m_trends->text(Control::TextAnnual)),
                 QString("Scenario Trends- Forecast to  2040!"));
        QCOMPARE(frontControlAt(5000, 1000), QString("MscXImpacts"));
        QCOMPARE(m_trends->projectionCount(), projections);
        QCOMPARE(caption->textCursor().position(), caption->toPlainText().size());
    }

    void clearRestoresTheBlankScenario() {
        find<QScrollBar>("HScrollLags")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        vorn::CellTable& trend = m_trends->MSFlexXImpact();
        trend.resize(13, 13);
        m_trends->MSFlexPolicy().resize(13, 13);
        m_trends->MSFlexTotals().resize(4, 13);
        trend.setText(2, 3, "4.5");
        trend.setText(0, 12, "Water");
        m_trends->YearbyYear(m_trends->cats);
        m_window->view()->refresh();
        QCOMPARE(cell("MSFlexTotals", 0, 12), QString("Water"));
        QCOMPARE(find<vorn::LineChartView>("mscTrends")->visibleSeriesNames().size(), 12);
        find<QAction>("mnuClear")->trigger();
        QCOMPARE(find<vorn::GridView>("MSFlexXImpact")->model()->columnCount(), 9);
        QCOMPARE(cell("MSFlexXImpact", 2, 3), QString("%   "));
        QCOMPARE(find<vorn::LineChartView>("mscTrends")->visibleSeriesNames().size(), 8);
        QCOMPARE(m_trends->inc, 0.5);
        QCOMPARE(find<QScrollBar>("HScrollLags")->value(), 11);
    }

    void windowImageShowsTheTrendLines() {
        m_trends->MSFlexXImpact().setText(1, 1, "5");  // item 1's line leaves the others
        m_trends->YearbyYear(m_trends->cats);
        m_window->view()->refresh();
        const QImage image = m_window->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QWidget* chart = find("mscTrends");
        const QRect area(chart->mapTo(m_window.get(), QPoint(0, 0)) * image.devicePixelRatio(),
                         chart->size() * image.devicePixelRatio());
        const QColor line = vorn::charts::seriesColor(0);
        int hits = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor pixel = image.pixelColor(x, y);
                const int distance = std::abs(pixel.red() - line.red()) +
                                     std::abs(pixel.green() - line.green()) +
                                     std::abs(pixel.blue() - line.blue());
                hits += distance < 40 ? 1 : 0;
            }
        }
        QVERIFY2(hits > 40, qPrintable(QString::number(hits)));
    }

    // ... and ask before replacing a file only where the chosen name is the file written.
    void fileDialogsAddTheExtensionOfTheSelectedFilter() {
        vorn::FileDialogRequest request;
        request.proposedName = "Example1";
        request.filters = {{"text file", "*.txt"}, {"all files", "*.*", false}};
        request.selectedFilter = 1;
        QFileDialog save;
        vorn::prepareFileDialog(save, request, true);
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
        QVERIFY(!vorn::printClientArea(*m_window->view(), printer, &error));
        QVERIFY(!error.isEmpty());
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
