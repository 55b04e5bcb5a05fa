#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPrinter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "charts/qt/bar_chart_view.h"
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

    vorn::TrendsView* view() const { return m_window->view(); }

    template <typename T>
    T* find(const char* name) const {
        T* widget = m_window->findChild<T*>(QString::fromLatin1(name));
        if (widget == nullptr) {
            qFatal("no control named %s", name);
        }
        return widget;
    }

    /// The name of the control seen at a point given in twips of the client area.
    QString frontControlAt(int leftTwips, int topTwips) const {
        const QPoint point(leftTwips / vorn::kTwipsPerPixel, topTwips / vorn::kTwipsPerPixel);
        QWidget* widget = view()->childAt(point);
        while (widget != nullptr && widget->parentWidget() != view()) {
            widget = widget->parentWidget();
        }
        return widget != nullptr ? widget->objectName() : QString();
    }

    QAction* action(const char* name) const { return find<QAction>(name); }

    static void pressCell(vorn::GridView* grid, int row, int column,
                          Qt::MouseButton button = Qt::LeftButton) {
        const QRect cell = grid->cellRect(row, column);
        QVERIFY(!cell.isEmpty());
        QTest::mouseClick(grid->viewport(), button, {}, cell.center());
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

    void opensWithTitleAndRoomForTheRightColumn() {
        QCOMPARE(m_window->windowTitle(), QString("Halvorine (VORN) Model"));
        QVERIFY(view()->width() >= (12240 + 2535) / 15);
        QCOMPARE(find<QWidget>("Label2")->geometry(), QRect(816, 656, 169, 25));
        for (const vorn::ControlLayout& layout : vorn::windowLayout()) {
            QWidget* widget = view()->widget(layout.id);
            QCOMPARE(widget->objectName().toStdString(), std::string(layout.name));
            QVERIFY(widget->isVisible());
        }
    }

    void gridsShowTheBlankScenarioInItsColours() {
        auto* trend = find<vorn::GridView>("MSFlexXImpact");
        auto* totals = find<vorn::GridView>("MSFlexTotals");
        auto* policy = find<vorn::GridView>("MSFlexPolicy");
        QCOMPARE(trend->model()->rowCount(), 9);
        QCOMPARE(trend->model()->index(0, 3).data().toString(), QString("Item  3"));
        QCOMPARE(trend->model()->index(2, 2).data().toString(), QString("%   "));
        QCOMPARE(totals->model()->index(3, 5).data().toString(), QString("1"));
        QCOMPARE(totals->model()->index(1, 0).data().toString(), QString("Net Growth"));
        QCOMPARE(trend->model()->index(0, 0).data(Qt::BackgroundRole).value<QBrush>().color(),
                 QColor(255, 255, 100));
        QCOMPARE(trend->model()->index(4, 4).data(Qt::BackgroundRole).value<QBrush>().color(),
                 QColor(255, 255, 200));
        QCOMPARE(policy->model()->index(1, 2).data(Qt::BackgroundRole).value<QBrush>().color(),
                 QColor(200, 255, 255));
        QCOMPARE(totals->model()->index(2, 2).data(Qt::BackgroundRole).value<QBrush>().color(),
                 QColor(255, 200, 255));
        QCOMPARE(trend->columnWidth(0), 67);
        QCOMPARE(trend->columnWidth(1), 63);
        QCOMPARE(trend->currentIndex(),
                 trend->model()->index(m_trends->MSFlexXImpact().currentRow(),
                                       m_trends->MSFlexXImpact().currentColumn()));
        QVERIFY(totals->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOff);
        QCOMPARE(trend->palette().color(QPalette::HighlightedText), QColor(128, 255, 255));
        QCOMPARE(policy->palette().color(QPalette::HighlightedText), QColor(255, 0, 0));

        const QImage cells = trend->viewport()->grab().toImage();
        const qreal ratio = cells.devicePixelRatio();
        const QRect cell = trend->cellRect(2, 1);
        QCOMPARE(cells.pixelColor(QPoint(cell.right() + 1, cell.center().y()) * ratio),
                 QColor(192, 192, 192));  // grid line
        QCOMPARE(cells.pixelColor(QPoint(cell.center().x(), cell.center().y()) * ratio),
                 QColor(255, 255, 200));  // value cell
        const QRect last = trend->cellRect(8, 8);
        QCOMPARE(cells.pixelColor(QPoint(last.right() + 5, last.center().y()) * ratio),
                 QColor(128, 128, 128));  // beyond the last cell
    }

    void captionsSlidersAndLabels() {
        QCOMPARE(find<vorn::TextBox>("TextAnnual")->toPlainText(),
                 QString("Scenario Trends- Forecast to  2040"));
        QCOMPARE(find<vorn::TextBox>("TextAnnual")->width(), 333);
        QCOMPARE(find<vorn::TextBox>("TextGrowth")->toPlainText(),
                 QString("Contributions to Change in  2040"));
        QCOMPARE(find<vorn::TextBox>("Hints")->toPlainText(),
                 QString("  Hints: (Click on cells for Help)"));
        QCOMPARE(find<vorn::TextBox>("Hints")->frameShape(), QFrame::Box);
        QCOMPARE(find<vorn::TextBox>("Overview")->frameShape(), QFrame::NoFrame);
        // "\r\n" line breaks show as line breaks.
        QCOMPARE(find<vorn::TextBox>("TextVary")->toPlainText(),
                 QString("Spread in Annual Levels\n"));
        QCOMPARE(find<QLabel>("MatrixFile")->text(), QString("Input File"));
        auto* time = find<QScrollBar>("HScrollTime");
        QCOMPARE(time->value(), 2);
        QCOMPARE(time->minimum(), -20);
        QCOMPARE(time->maximum(), 20);
        QCOMPARE(time->pageStep(), 5);
        QCOMPARE(find<QScrollBar>("HScrollUncert")->value(), 1);
        QCOMPARE(find<QScrollBar>("HScrollLags")->value(), 10);
        QVERIFY(!time->hasTracking());
    }

    void frontControlsFollowTheStacking() {
        QCOMPARE(frontControlAt(600, 6000), QString("MSFlexPolicy"));   // the strip above
        QCOMPARE(frontControlAt(600, 7000), QString("MSFlexXImpact"));  // the overlap
        QCOMPARE(frontControlAt(3000, 4000), QString("mscTrends"));
        QCOMPARE(frontControlAt(2000, 100), QString("TextGrowth"));
        QCOMPARE(frontControlAt(5000, 1000), QString("MscXImpacts"));

        m_trends->setText(Control::TextVary, "Spread in Annual Levels for Item  1");
        view()->refresh();
        QCOMPARE(frontControlAt(3000, 4000), QString("MscVary"));
        QCOMPARE(frontControlAt(3600, 3100), QString("MscVary"));  // TextVary lies behind
    }

    void pressOnAGridCellMakesItCurrentAndRunsItsHandler() {
        auto* policy = find<vorn::GridView>("MSFlexPolicy");
        pressCell(policy, 0, 2);
        QCOMPARE(m_trends->MSFlexPolicy().currentRow(), 0);
        QCOMPARE(m_trends->MSFlexPolicy().currentColumn(), 2);
        QCOMPARE(m_trends->Policy, 1);
        QCOMPARE(policy->currentIndex(), policy->model()->index(0, 2));
        QCOMPARE(frontControlAt(600, 7000), QString("MSFlexPolicy"));

        auto* trend = find<vorn::GridView>("MSFlexXImpact");
        m_trends->bringToFront(Control::MSFlexXImpact);
        view()->refresh();
        pressCell(trend, 3, 4, Qt::RightButton);
        QCOMPARE(m_trends->MSFlexXImpact().currentRow(), 3);
        QCOMPARE(m_trends->MSFlexXImpact().currentColumn(), 4);
        QCOMPARE(m_trends->Policy, 0);
        QCOMPARE(trend->currentIndex(), trend->model()->index(3, 4));
    }

    void secondPressOnACellStepsItsValue() {
        auto* trend = find<vorn::GridView>("MSFlexXImpact");
        pressCell(trend, 2, 3);
        QCOMPARE(trend->model()->index(2, 3).data().toString(), QString("%   "));
        pressCell(trend, 2, 3);
        QCOMPARE(trend->model()->index(2, 3).data().toString(), QString("0.5"));
        QCOMPARE(find<vorn::GridView>("MSFlexTotals")->model()->index(1, 3).data().toString(),
                 QString("0.5"));
        pressCell(trend, 2, 3, Qt::RightButton);
        QCOMPARE(trend->model()->index(2, 3).data().toString(), QString("0"));
        QVERIFY(find<vorn::TextBox>("Hints")->toPlainText().contains("Item  2"));
    }

    void aQuickDoubleClickCountsAsTwoPresses() {
        // Widgets receive a double click as press, release, double click, release.
        auto* trend = find<vorn::GridView>("MSFlexXImpact");
        const QPointF centre = trend->cellRect(4, 5).center();
        pressCell(trend, 4, 5);
        QMouseEvent doubleClick(QEvent::MouseButtonDblClick, centre,
                                trend->viewport()->mapToGlobal(centre), Qt::LeftButton,
                                Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(trend->viewport(), &doubleClick);
        QCOMPARE(trend->model()->index(4, 5).data().toString(), QString("0.5"));
    }

    void pressesOnHeadersAddAndRenameItems() {
        auto* trend = find<vorn::GridView>("MSFlexXImpact");
        pressCell(trend, 0, 0);
        QCOMPARE(trend->model()->columnCount(), 10);
        QCOMPARE(find<vorn::GridView>("MSFlexPolicy")->model()->rowCount(), 10);
        QCOMPARE(find<vorn::GridView>("MSFlexTotals")->model()->columnCount(), 10);
        QCOMPARE(find<vorn::LineChartView>("mscTrends")->visibleSeriesNames().size(), 9);
        QCOMPARE(find<vorn::BarChartView>("MscXImpacts")->categories().size(), 9);

        m_platform->inputAnswers.push_back(std::string("Water"));
        pressCell(trend, 0, 2);
        QCOMPARE(m_platform->inputRequests.size(), std::size_t(1));
        QCOMPARE(trend->model()->index(0, 2).data().toString(), QString("Water"));
        QCOMPARE(find<vorn::GridView>("MSFlexTotals")->model()->index(0, 2).data().toString(),
                 QString("Water"));
        QCOMPARE(find<vorn::LineChartView>("mscTrends")->visibleSeriesNames().at(1),
                 QString("Water"));
    }

    void keyboardNeitherEditsNorMovesTheCurrentCell() {
        auto* trend = find<vorn::GridView>("MSFlexXImpact");
        pressCell(trend, 2, 2);
        QTest::keyClick(trend, Qt::Key_Down);
        QTest::keyClicks(trend, "7");
        QCOMPARE(m_trends->MSFlexXImpact().currentRow(), 2);
        QCOMPARE(trend->currentIndex(), trend->model()->index(2, 2));
        QCOMPARE(QString::fromStdString(m_trends->MSFlexXImpact().text(2, 2)), QString("%   "));
    }

    void timeSliderStepRedrawsTheCharts() {
        auto* levels = find<vorn::LineChartView>("mscTrends");
        QCOMPARE(levels->pointLabels().last(), QString(" 2040"));
        const unsigned long before = m_trends->projectionCount();
        find<QScrollBar>("HScrollTime")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(m_trends->sliderValue(Control::HScrollTime), 3);
        QCOMPARE(m_trends->projectionCount(), before + 1);
        QCOMPARE(levels->pointLabels().last(), QString(" 2060"));
        QCOMPARE(find<vorn::TextBox>("TextAnnual")->toPlainText(),
                 QString("Scenario Trends- Forecast to  2060"));
        QCOMPARE(find<vorn::BarChartView>("MscXImpacts")->setNames().last(),
                 QString("Uncertainty"));
    }

    void clickOnTheSpreadChartStartsTwentyRuns() {
        m_trends->setText(Control::TextVary, "Spread");
        view()->refresh();
        auto* spread = find<vorn::LineChartView>("MscVary");
        QTest::mouseClick(spread->viewport(), Qt::LeftButton, {}, QPoint(200, 80));
        QCOMPARE(m_trends->iter, 20);
        QCOMPARE(spread->visibleSeriesNames().size(), 20);
        QCOMPARE(spread->visibleSeriesNames().last(), QString("Run 20"));
        QVERIFY(
            find<vorn::TextBox>("TextVary")->toPlainText().startsWith("Spread in Annual Levels"));
        QCOMPARE(frontControlAt(3000, 4500), QString("MscVary"));

        // The edge of the trends chart stays visible; a click there recalculates once more
        // with twenty runs, which keeps the spread chart in front, and then goes back to one.
        auto* levels = find<vorn::LineChartView>("mscTrends");
        QTest::mouseClick(levels->viewport(), Qt::LeftButton, {}, QPoint(3, 100));
        QCOMPARE(m_trends->iter, 1);
        QCOMPARE(frontControlAt(3000, 4500), QString("MscVary"));
        QTest::mouseClick(levels->viewport(), Qt::LeftButton, {}, QPoint(3, 100));
        QCOMPARE(frontControlAt(3000, 4500), QString("mscTrends"));
    }

    void tabFollowsTheTabIndexes() {
        // The next control in the focus chain, skipping the controls' inner widgets.
        auto nextControl = [this](QWidget* from) {
            QWidget* next = from->nextInFocusChain();
            while (next->parentWidget() != view()) {
                next = next->nextInFocusChain();
            }
            return next->objectName();
        };
        QCOMPARE(nextControl(find<QWidget>("MSFlexTotals")), QString("MSFlexXImpact"));
        QCOMPARE(nextControl(find<QWidget>("MSFlexXImpact")), QString("HScrollTime"));
        QCOMPARE(nextControl(find<QWidget>("HScrollTime")), QString("HScrollUncert"));
        QCOMPARE(nextControl(find<QWidget>("HScrollUncert")), QString("MSFlexPolicy"));
    }

    void incrementSliderChangesNoChart() {
        const unsigned long before = m_trends->projectionCount();
        find<QScrollBar>("HScrollLags")->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(m_trends->sliderValue(Control::HScrollLags), 20);
        QCOMPARE(m_trends->inc, 0.2);
        QCOMPARE(m_trends->projectionCount(), before);
    }

    void draggingTheThumbWaitsForTheRelease() {
        auto* time = find<QScrollBar>("HScrollTime");
        const unsigned long before = m_trends->projectionCount();
        time->setSliderDown(true);
        time->setSliderPosition(10);
        QCOMPARE(m_trends->projectionCount(), before);
        time->setSliderDown(false);
        QCOMPARE(m_trends->sliderValue(Control::HScrollTime), 10);
        QCOMPARE(m_trends->projectionCount(), before + 1);
    }

    void typingIntoACaptionChangesOnlyTheStacking() {
        m_trends->bringToFront(Control::About);
        m_trends->bringToFront(Control::mscTrends);
        view()->refresh();
        const unsigned long projections = m_trends->projectionCount();
        const unsigned long trendRevision = m_trends->MSFlexXImpact().revision();
        auto* caption = find<vorn::TextBox>("TextAnnual");
        caption->setFocus();
        caption->moveCursor(QTextCursor::End);
        QTest::keyClicks(caption, "!");
        QCOMPARE(QString::fromStdString(m_trends->text(Control::TextAnnual)),
                 QString("Scenario Trends- Forecast to  2040!"));
        QCOMPARE(m_trends->stacking().front(), Control::TextGrowth);
        QCOMPARE(frontControlAt(5000, 1000), QString("MscXImpacts"));
        QCOMPARE(m_trends->projectionCount(), projections);
        QCOMPARE(m_trends->MSFlexXImpact().revision(), trendRevision);
        QCOMPARE(caption->textCursor().position(), caption->toPlainText().size());
    }

    void helpMenuBringsPanesForward() {
        action("HelpOveview")->trigger();
        QCOMPARE(m_trends->stacking().front(), Control::Overview);
        action("HelpInstructions")->trigger();
        QCOMPARE(m_trends->stacking().front(), Control::Instruction);
        action("HelpAbout")->trigger();
        QCOMPARE(m_trends->stacking().front(), Control::About);
        QCOMPARE(action("mnuClear")->text(), QString("&Clear"));
        QCOMPARE(find<QMenu>("File")->title(), QString("&File"));
        QCOMPARE(find<QMenu>("Help")->title(), QString("&Help"));
    }

    void clearRestoresTheBlankScenario() {
        find<QScrollBar>("HScrollLags")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        m_trends->MSFlexXImpact().setText(2, 3, "4.5");
        m_trends->MSFlexXImpact().setText(0, 1, "Water");
        view()->refresh();
        auto* trend = find<vorn::GridView>("MSFlexXImpact");
        QCOMPARE(trend->model()->index(2, 3).data().toString(), QString("4.5"));
        action("mnuClear")->trigger();
        QCOMPARE(trend->model()->index(2, 3).data().toString(), QString("%   "));
        QCOMPARE(trend->model()->index(0, 1).data().toString(), QString("Item  1"));
        QCOMPARE(m_trends->inc, 0.5);
        QCOMPARE(find<QScrollBar>("HScrollLags")->value(), 11);
    }

    void openingAScenarioFillsGridsChartsAndFileLabel() {
        const std::string path = std::string(VORN_SOURCE_EXAMPLES_DIR) + "/Example1.txt";
        m_platform->openAnswers.push_back(path);
        const unsigned long before = m_trends->projectionCount();
        action("mnuOpen")->trigger();
        QVERIFY2(m_platform->messages.empty(),
                 m_platform->messages.empty() ? "" : m_platform->messages.front().second.c_str());
        QCOMPARE(m_trends->projectionCount(), before + 1);
        auto* trend = find<vorn::GridView>("MSFlexXImpact");
        const vorn::CellTable& table = m_trends->MSFlexXImpact();
        QCOMPARE(trend->model()->columnCount(), table.columns());
        for (int c = 0; c < table.columns(); ++c) {
            QCOMPARE(trend->model()->index(0, c).data().toString(),
                     QString::fromStdString(table.text(0, c)));
            QCOMPARE(trend->model()->index(1, c).data().toString(),
                     QString::fromStdString(table.text(1, c)));
        }
        QVERIFY(find<QLabel>("MatrixFile")->text().endsWith("Example1.txt"));
        QCOMPARE(find<vorn::LineChartView>("mscTrends")->visibleSeriesNames().size(),
                 table.columns() - 1);
    }

    void gridsFollowAChangeOfShape() {
        vorn::CellTable& trend = m_trends->MSFlexXImpact();
        trend.resize(13, 13);
        m_trends->MSFlexPolicy().resize(13, 13);
        m_trends->MSFlexTotals().resize(4, 13);
        for (int k = 9; k <= 12; ++k) {
            trend.setText(0, k, "New " + std::to_string(k));
        }
        m_trends->YearbyYear(m_trends->cats);
        view()->refresh();
        auto* grid = find<vorn::GridView>("MSFlexXImpact");
        QCOMPARE(grid->model()->columnCount(), 13);
        QCOMPARE(grid->model()->index(12, 0).data().toString(), QString("New 12"));
        QCOMPARE(find<vorn::GridView>("MSFlexTotals")->model()->index(0, 12).data().toString(),
                 QString("New 12"));
        QCOMPARE(find<vorn::LineChartView>("mscTrends")->visibleSeriesNames().size(), 12);
        action("mnuClear")->trigger();
        QCOMPARE(grid->model()->columnCount(), 9);
        QCOMPARE(find<vorn::LineChartView>("mscTrends")->visibleSeriesNames().size(), 8);
    }

    void windowImageShowsTheTrendLines() {
        // Give item 1 some growth so that its line leaves the others.
        m_trends->MSFlexXImpact().setText(1, 1, "5");
        m_trends->YearbyYear(m_trends->cats);
        view()->refresh();
        QTemporaryDir dir;
        const QString path = dir.filePath("window.png");
        QVERIFY(m_window->grab().save(path));
        const QImage image = QImage(path).convertToFormat(QImage::Format_RGB32);
        QWidget* chart = find<QWidget>("mscTrends");
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

    void saveDialogAddsTheExtensionOfTheSelectedFilter() {
        vorn::FileDialogRequest request;
        request.title = "Save Scenario";
        request.proposedName = "Revised";
        request.filters = {{"text file", "*.txt"}, {"all files", "*.*"}};
        request.selectedFilter = 1;
        QFileDialog dialog;
        vorn::prepareFileDialog(dialog, request, true);
        QCOMPARE(dialog.windowTitle(), QString("Save Scenario"));
        QCOMPARE(dialog.nameFilters(), QStringList({"text file (*.txt)", "all files (*.*)"}));
        QCOMPARE(dialog.selectedNameFilter(), QString("text file (*.txt)"));
        QCOMPARE(dialog.defaultSuffix(), QString("txt"));
        QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptSave);
        emit dialog.filterSelected("all files (*.*)");
        QCOMPARE(dialog.defaultSuffix(), QString());
        emit dialog.filterSelected("text file (*.txt)");
        QCOMPARE(dialog.defaultSuffix(), QString("txt"));

        request.selectedFilter = 2;
        QFileDialog open;
        vorn::prepareFileDialog(open, request, false);
        QCOMPARE(open.selectedNameFilter(), QString("all files (*.*)"));
        QCOMPARE(open.fileMode(), QFileDialog::ExistingFile);
        QCOMPARE(open.defaultSuffix(), QString());
    }

    void hiddenSpreadChartIsDrawnWhenItComesForward() {
        // At start-up the trends chart covers the spread chart, which is not drawn yet.
        auto* spread = find<vorn::LineChartView>("MscVary");
        QVERIFY(m_trends->isAbove(Control::mscTrends, Control::MscVary));
        QVERIFY(spread->pointLabels().isEmpty());
        find<QScrollBar>("HScrollTime")->triggerAction(QAbstractSlider::SliderSingleStepSub);
        QVERIFY(spread->pointLabels().isEmpty());
        m_trends->setText(Control::TextVary, "Spread");
        view()->refresh();
        QCOMPARE(spread->pointLabels().size(), 21);
        QCOMPARE(spread->pointLabels().last(), QString(" 2020"));
        QCOMPARE(spread->visibleSeriesNames(), QStringList({"Run 1"}));
    }

    void printImageWritesAPdfPage() {
        vorn::QtPlatform platform;
        platform.setWindow(m_window.get());
        const QImage image = platform.windowImage();
        QCOMPARE(image.size() / image.devicePixelRatio(), view()->size());
        QTemporaryDir dir;
        const QString path = dir.filePath("window.pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        QString error;
        QVERIFY2(vorn::printImage(image, printer, &error), qPrintable(error));
        QFile pdf(path);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.size() > 10000);
        QCOMPARE(pdf.read(4), QByteArray("%PDF"));
    }

    void printImageReportsAPrinterThatCannotOpen() {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName("/nonexistent-folder/x/window.pdf");
        QString error;
        QVERIFY(!vorn::printImage(QImage(100, 100, QImage::Format_RGB32), printer, &error));
        QVERIFY(!error.isEmpty());
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
