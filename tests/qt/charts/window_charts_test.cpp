// The charts in the real window: what stays visible of a chart behind another, and a chart
// that was behind catching up when it comes to the front.
#include <QScrollBar>
#include <QtTest>

#include "qt/charts/chart_view.h"
#include "qt/charts/line_chart_view.h"
#include "support/window_fixture.h"

using vorn::Control;

class WindowChartsTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<vorn::testing::WindowFixture<>> m;

    QWidget* control(Control id) const { return m->view()->widget(id); }

  private slots:
    void init() {
        m = std::make_unique<vorn::testing::WindowFixture<>>(3);
        QVERIFY(m->start());
    }
    void cleanup() { m.reset(); }

    // A caption box lies over its chart's blank top, never over the plot or the legend.
    void captionsCoverNothingTheirChartsDraw() {
        for (const auto& [id, caption] : {std::pair(Control::MscXImpacts, Control::TextGrowth),
                                          std::pair(Control::MscVary, Control::TextVary)}) {
            const auto* chart = static_cast<vorn::ChartView*>(control(id));
            const int covered = control(caption)->geometry().bottom() - chart->y();
            const int halfLabel = QFontMetrics(chart->yAxis->tickLabelFont()).height() / 2;
            QVERIFY2(chart->axisRect()->top() - halfLabel > covered,
                     qPrintable(chart->objectName()));
            for (const QRect& entry : chart->legendEntryRects()) {
                QVERIFY(entry.top() > covered);
            }
        }
    }

    void trendsChartBehindTheSpreadChartShowsBlankEdgesAndCatchesUpInFront() {
        m->click("MSFlexTotals", 2, 1);  // item 1 gets an uncertainty: the runs part
        m->click("MSFlexTotals", 2, 1);
        m->click("MSFlexTotals", 0, 1);  // twenty runs of item 1, Spread chart in front
        QCOMPARE(m->trends.lastProjection().runs, 20);

        // Where the Scenario Trends chart shows beside the Spread chart, it shows nothing.
        const QImage image = m->view()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const qreal ratio = image.devicePixelRatio();
        const QRect trends = control(Control::mscTrends)->geometry();
        const QRect spread = control(Control::MscVary)->geometry();
        QVERIFY(spread.left() > trends.left() && spread.right() < trends.right());
        for (const QRect& edge : {QRect(QPoint(trends.left(), spread.top()),
                                        QPoint(spread.left() - 1, spread.bottom())),
                                  QRect(QPoint(spread.right() + 1, spread.top()),
                                        QPoint(trends.right(), spread.bottom()))}) {
            for (int y = edge.top(); y <= edge.bottom(); ++y) {
                for (int x = edge.left(); x <= edge.right(); ++x) {
                    QCOMPARE(image.pixelColor(QPoint(x, y) * ratio), QColor(Qt::white));
                }
            }
        }

        // A new horizon while the Scenario Trends chart is behind; a click on its edge brings
        // it to the front with the new years.
        auto* levels = m->view()->lineChart(Control::mscTrends);
        static_cast<QScrollBar*>(control(Control::HScrollTime))
            ->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QTest::mouseClick(levels, Qt::LeftButton, {}, QPoint(3, levels->height() / 2));
        QCOMPARE(m->view()->childAt(trends.center()), levels);
        QCOMPARE(levels->pointLabels().last(), QString(" 2060"));
        const vorn::ChartTable& data = m->trends.chartData(Control::mscTrends);
        QCOMPARE(levels->seriesPoints(1).last().y(), *data.number(1, 20));
    }
};

QTEST_MAIN(WindowChartsTest)
#include "window_charts_test.moc"
