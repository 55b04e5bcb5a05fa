// The analyses in the real window: View > Uncertainty Bands in the Spread chart, and the
// Sensitivity, Influence Map and Loop Diagram windows of the Analysis menu, each following
// the window's recalculations and showing an empty chart without items.
#include <QAction>
#include <QRadioButton>
#include <QScrollBar>
#include <QTreeWidget>
#include <QtTest>
#include <set>

#include "qt/charts/chart_style.h"
#include "qt/charts/influence_chart_view.h"
#include "qt/charts/line_chart_view.h"
#include "qt/charts/loop_diagram_view.h"
#include "qt/charts/sensitivity_chart_view.h"
#include "qt/window/analysis_menu.h"
#include "qt/window/analysis_window.h"
#include "qt/window/view_menu.h"
#include "support/pixels.h"
#include "support/window_fixture.h"

using vorn::AnalysisView;
using vorn::Control;

class AnalysisWindowsTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<vorn::testing::WindowFixture<>> m;

    vorn::TrendsView* view() const { return m->view(); }
    const vorn::AnalysisViews& analyses() const { return m->trends.analyses(); }
    vorn::AnalysisWindow* open(AnalysisView analysis, const char* entry) {
        m->trigger(entry);
        return m->window.analysisMenu()->window(analysis);
    }
    void stepHorizon() {
        static_cast<QScrollBar*>(view()->widget(Control::HScrollTime))
            ->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    }
    /// Removes every item, as right clicks on the Trend Matrix's top-left cell do.
    void removeAllItems() {
        view()->run([this] {
            vorn::resizeForItems(m->trends.tables, 0);
            m->trends.cats = vorn::ItemCount::number(0);
            m->trends.YearbyYear(m->trends.cats);
        });
    }

  private slots:
    // Grass (item 1) feeds Hares (item 2); both fluctuate.
    void init() {
        m = std::make_unique<vorn::testing::WindowFixture<>>(5);
        m->startUp();
        vorn::CellTable& trend = m->trends.MSFlexXImpact();
        for (const auto& [item, name] : {std::pair(1, "Grass"), std::pair(2, "Hares")}) {
            trend.setText(0, item, name);
            trend.setText(item, 0, name);
            m->trends.MSFlexTotals().setText(vorn::kUncertaintyRow, item, "4");
        }
        trend.setText(1, 1, "3");
        trend.setText(1, 2, "6");
        trend.setText(2, 1, "-2");
        view()->run([this] { m->trends.YearbyYear(m->trends.cats); });
        QVERIFY(m->show());
    }
    void cleanup() { m.reset(); }

    void uncertaintyBandsAreShadedBehindTheRunsWhileChecked() {
        QAction* bands = m->find<QAction>("mnuUncertaintyBands");
        const QList<QAction*> entries = m->window.viewMenu()->actions();
        QVERIFY(entries.indexOf(bands) > 0);
        QVERIFY(entries[entries.indexOf(bands) - 1]->isSeparator());
        QVERIFY(bands->isCheckable() && !bands->isChecked());

        m->click("MSFlexTotals", 0, 2);  // twenty runs of the hares, in front
        auto* spread = view()->lineChart(Control::MscVary);
        const vorn::ChartTable runs = m->trends.chartData(Control::MscVary);
        const unsigned long projections = m->trends.projectionCount();
        bands->trigger();
        QVERIFY(bands->isChecked());
        QCOMPARE(m->trends.projectionCount(), projections);
        QVERIFY(m->trends.chartData(Control::MscVary) == runs);
        QCOMPARE(analyses().bands().tracked, 2);
        QStringList legend = {"5-95 % of 1000 runs", "25-75 %", "Median"};
        for (int run = 1; run <= 20; ++run) {
            legend << QString("Run %1").arg(run);
        }
        QCOMPARE(spread->legendNames(), legend);
        QCOMPARE(spread->seriesPoints(20).last().y(), *runs.number(20, 20));

        // After a recalculation, the bands of the new horizon.
        const auto expectCoreMedian = [&] {
            const std::vector<double>& median = analyses().bands().median();
            const QList<QPointF> drawn = spread->bandPoints(2);
            QCOMPARE(drawn.size(), 21);
            for (int p = 0; p < 21; ++p) {
                QCOMPARE(drawn[p].y(), median[static_cast<std::size_t>(p)]);
            }
        };
        stepHorizon();
        QCOMPARE(spread->pointLabels().last(), QString(" 2060"));
        expectCoreMedian();

        // Behind the Scenario Trends chart the bands wait; seen again, they are drawn.
        m->click("MSFlexXImpact", 2, 2);
        QVERIFY(analyses().bandsPending());
        view()->run([this] { m->trends.setText(Control::TextVary, "Spread of the hares"); });
        QVERIFY(!analyses().bandsPending());
        expectCoreMedian();

        removeAllItems();
        QCOMPARE(spread->note(), QString("No items"));
        QVERIFY(spread->bandPoints(2).isEmpty());

        m->window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&m->window));
        QTest::keyClick(&m->window, Qt::Key_B, Qt::ControlModifier);  // off again
        QVERIFY(!bands->isChecked());
        QVERIFY(!analyses().shown(AnalysisView::Bands));
        QCOMPARE(spread->note(), QString());
    }

    void sensitivityWindowRanksTheEntriesAndFollowsTheTrackedItem() {
        vorn::AnalysisWindow* window = open(AnalysisView::Sensitivity, "mnuSensitivity");
        QVERIFY(window != nullptr && window->isVisible());
        QCOMPARE(window->windowTitle(), QString("Sensitivity"));
        QCOMPARE(window->title(), QString("Sensitivity of the level of Grass in 2040"));
        const auto expectCoreBars = [&] {
            const vorn::Sensitivity& sensitivity = analyses().sensitivity();
            QStringList names;
            QList<double> effects;
            for (const vorn::SensitivityEntry& entry : analyses().sensitivityBars()) {
                names << QString::fromStdString(sensitivity.name(entry));
                effects << entry.effect;
            }
            QCOMPARE(window->sensitivityChart()->barNames(), names);
            QCOMPARE(window->sensitivityChart()->barValues(), effects);
        };
        expectCoreBars();
        // Sixteen entries move the grass: those of its column and, through the hares, of theirs.
        const QStringList names = window->sensitivityChart()->barNames();
        QCOMPARE(names.size(), 10);
        QVERIFY(names.contains("Grass -> Grass"));
        QCOMPARE(window->sensitivityChart()->legendNames().first(), QString("Raises the level"));

        // One window: opened again, it is raised, not doubled.
        QCOMPARE(open(AnalysisView::Sensitivity, "mnuSensitivity"), window);
        QCOMPARE(m->window.findChildren<vorn::AnalysisWindow*>().size(), 1);

        m->click("MSFlexTotals", 0, 2);  // the hares become the tracked item
        QCOMPARE(window->title(), QString("Sensitivity of the level of Hares in 2040"));
        expectCoreBars();
        QVERIFY(window->sensitivityChart()->barNames() != names);

        removeAllItems();
        QCOMPARE(window->sensitivityChart()->note(), QString("No items"));
        QVERIFY(window->sensitivityChart()->barNames().isEmpty());

        window->close();
        QVERIFY(!analyses().shown(AnalysisView::Sensitivity));
        QVERIFY(open(AnalysisView::Sensitivity, "mnuSensitivity")->isVisible());
        QVERIFY(analyses().shown(AnalysisView::Sensitivity));
    }

    // Every item is drawn where its totals put it, on the side of the drawn mean lines that
    // its quadrant says, and the corner on that side bears the quadrant's name. The axes span
    // the items: influences 0 to 8, dependences 0 to 6.
    void influenceMapPlacesEveryItemAndFollowsEdits() {
        m->trends.MSFlexXImpact().setText(2, 3, "6");  // the hares feed item 3, which feeds 4
        m->trends.MSFlexXImpact().setText(3, 4, "4");
        view()->run([this] { m->trends.YearbyYear(m->trends.cats); });
        vorn::AnalysisWindow* window = open(AnalysisView::InfluenceMap, "mnuInfluenceMap");
        QVERIFY(window != nullptr && window->isVisible());
        vorn::InfluenceChartView* chart = window->influenceChart();
        const QImage image = vorn::testing::shownImage(*chart);
        const QRectF plot = chart->axisRect()->rect();
        QPointF means;  // where the mean lines are drawn
        QMap<QString, QPointF> corners;
        for (int i = 0; i < chart->itemCount(); ++i) {
            if (auto* line = qobject_cast<QCPItemStraightLine*>(chart->item(i))) {
                const QPointF a = line->point1->pixelPosition();
                if (a.x() == line->point2->pixelPosition().x()) {
                    means.setX(a.x());
                } else {
                    means.setY(a.y());
                }
            } else if (auto* text = qobject_cast<QCPItemText*>(chart->item(i))) {
                corners.insert(
                    text->text(),
                    (text->topLeft->pixelPosition() + text->bottomRight->pixelPosition()) / 2);
            }
        }
        const vorn::InfluenceMap& map = analyses().influence();
        QCOMPARE(means.x(), chart->xAxis->coordToPixel(map.meanInfluence));
        QCOMPARE(means.y(), chart->yAxis->coordToPixel(map.meanDependence));
        std::set<vorn::Quadrant> quadrants;
        QRectF spanned;
        for (const vorn::InfluenceItem& item : map.items) {
            const QPointF at(chart->xAxis->coordToPixel(item.influence),
                             chart->yAxis->coordToPixel(item.dependence));
            spanned |= QRectF(at, QSizeF(0.001, 0.001));
            const QString name = QString::fromStdString(item.name);
            QVERIFY2(plot.contains(at) &&
                         vorn::testing::pixelsNear(image,
                                                   QRect(at.toPoint() - QPoint(1, 1), QSize(3, 3)),
                                                   vorn::charts::seriesColor(0), 12) >= 3,
                     qPrintable(name + " is not drawn where its totals put it"));
            const std::string_view quadrant = vorn::quadrantName(item.quadrant);
            const QPointF corner = corners.value(
                QString::fromUtf8(quadrant.data(), static_cast<qsizetype>(quadrant.size())));
            QVERIFY2(plot.contains(corner), qPrintable(name));
            QVERIFY2((at.x() > means.x()) == (corner.x() > plot.center().x()) &&
                         (at.y() < means.y()) == (corner.y() < plot.center().y()),
                     qPrintable(name + " lies away from its quadrant's name"));
            quadrants.insert(item.quadrant);
        }
        QCOMPARE(quadrants.size(), 4u);
        const QMarginsF room =
            QMarginsF(plot.width(), plot.height(), plot.width(), plot.height()) / 8;
        QVERIFY2(spanned.marginsAdded(room).contains(plot), "the axes do not span the items");

        QCOMPARE(window->windowTitle(), QString("Influence Map"));
        QCOMPARE(window->title(), QString("Influence Map: how strongly each item drives the "
                                          "others and is driven by them"));
        QVERIFY(open(AnalysisView::Sensitivity, "mnuSensitivity") != window);

        const auto grass = [chart] { return chart->points().at(0); };
        QCOMPARE(chart->points().size(), 8);
        QCOMPARE(grass().name, QString("Grass"));
        QCOMPARE(grass().x, 6.0);  // |T(Grass, Hares)|
        QCOMPARE(grass().y, 2.0);  // |T(Hares, Grass)|
        QCOMPARE(chart->shownLabels().first(), QString("Grass"));
        QCOMPARE(chart->xAxis->label(), QString("Total influence (sum over its row, % per year)"));

        m->click("MSFlexXImpact", 1, 3);  // selects T(Grass, Item 3), then raises it
        m->click("MSFlexXImpact", 1, 3);
        QCOMPARE(grass().x, 6.5);

        // Through chains: Item 3's dependence on nothing stays 0, the grass and the hares
        // keep their ranks, and no point is ringed; the choice redraws the chart at once.
        auto* indirect = window->findChild<QRadioButton*>("InfluenceIndirect");
        QVERIFY(window->findChild<QRadioButton*>("InfluenceDirect")->isChecked());
        QTest::mouseClick(indirect, Qt::LeftButton);
        QVERIFY(indirect->isChecked());
        QVERIFY(analyses().indirectInfluence());
        QCOMPARE(grass().x, analyses().influence().items[0].indirectInfluence);
        QVERIFY(chart->xAxis->label().startsWith("Indirect influence"));
        QVERIFY(window->note().startsWith("Chains of "));

        removeAllItems();
        QVERIFY(chart->points().isEmpty());
        QCOMPARE(chart->note(), QString("No items"));
    }

    // Grass -> Hares (6) and Hares -> Grass (-2): one balancing loop. Clicking its arrow
    // selects that Trend Matrix cell as a first click would; selecting the loop in the list
    // highlights it; the diagram follows the window's edits.
    void loopDiagramListsTheLoopsAndLeadsIntoTheTrendMatrix() {
        vorn::AnalysisWindow* window = open(AnalysisView::LoopDiagram, "mnuLoopDiagram");
        QVERIFY(window != nullptr && window->isVisible());
        QCOMPARE(window->windowTitle(), QString("Loop Diagram"));
        vorn::LoopDiagramView* diagram = window->loopDiagram();
        QTreeWidget* list = window->loopList();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(diagram->nodes().size(), 8);
        QCOMPARE(diagram->nodes()[0].mark, QString("+3"));
        QCOMPARE(diagram->arrows().size(), 2);
        QCOMPARE(list->topLevelItemCount(), 1);
        QCOMPARE(list->topLevelItem(0)->text(0), QString("B1"));
        QCOMPARE(list->topLevelItem(0)->text(4), QString("Grass -> Hares -> Grass"));
        QCOMPARE(window->note(), QString("1 loop, strongest first"));

        int grassToHares = 0;
        while (diagram->arrows()[grassToHares].from != 0) {
            ++grassToHares;
        }
        const QPoint onArrow = diagram->pointOnArrow(grassToHares).toPoint();
        QCOMPARE(diagram->hoverText(onArrow), QString("Grass -> Hares: +6"));
        m->click("MSFlexPolicy", 1, 1);  // another cell and table first
        QTest::mouseClick(diagram, Qt::LeftButton, {}, onArrow);
        vorn::GridView* trend = m->grid("MSFlexXImpact");
        QCOMPARE(trend->currentIndex().row() * 10 + trend->currentIndex().column(), 12);
        QVERIFY(m->boxText("Hints").startsWith("This is the contribution of Grass"));
        QVERIFY(m->trends.isAbove(Control::MSFlexXImpact, Control::MSFlexPolicy));
        QCOMPARE(m->cell("MSFlexXImpact", 1, 2), QString("6"));
        QTest::mouseClick(diagram, Qt::LeftButton, {}, onArrow);  // again: still a first click
        QCOMPARE(m->cell("MSFlexXImpact", 1, 2), QString("6"));

        // The same with the keyboard: the arrow keys reach an arrow, Enter clicks it.
        m->click("MSFlexXImpact", 3, 3);
        QTest::keyClick(diagram, Qt::Key_Right);
        while (diagram->currentArrow() != grassToHares) {
            QTest::keyClick(diagram, Qt::Key_Right);
        }
        QCOMPARE(diagram->accessibleDescription(), QString("Grass -> Hares: +6"));
        QTest::keyClick(diagram, Qt::Key_Return);
        QCOMPARE(trend->currentIndex().row() * 10 + trend->currentIndex().column(), 12);

        list->setCurrentItem(list->topLevelItem(0));
        QCOMPARE(diagram->highlight(), (QList<int>{0, 1}));
        QCOMPARE(analyses().selectedLoop(), 0);

        // The hares' grazing stepped down to 0 by clicks on the table: the loop is gone.
        m->click("MSFlexXImpact", 2, 1);
        for (int click = 0; click < 4; ++click) {
            m->click("MSFlexXImpact", 2, 1);
        }
        QCOMPARE(m->cell("MSFlexXImpact", 2, 1), QString("0"));
        QCOMPARE(list->topLevelItemCount(), 0);
        QCOMPARE(diagram->arrows().size(), 1);
        QVERIFY(diagram->highlight().isEmpty());

        // Zoomed, the diagram takes the main window's font.
        const int before = QFontInfo(diagram->font()).pixelSize();
        m->trigger("mnuZoomIn");
        QVERIFY(QFontInfo(diagram->font()).pixelSize() > before);

        removeAllItems();
        QCOMPARE(diagram->note(), QString("No items"));
        QVERIFY(diagram->nodes().isEmpty());
        window->close();
        QVERIFY(!analyses().shown(AnalysisView::LoopDiagram));
    }

    // Twenty items with long names around the circle: names shrink and shorten, but none
    // covers another, and each stays inside the diagram.
    void loopDiagramNamesNeverCoverEachOther() {
        m->addItems(12);
        vorn::CellTable& trend = m->trends.MSFlexXImpact();
        view()->run([this, &trend] {
            for (int item = 1; item <= 20; ++item) {
                const std::string name = "A rather long item name " + std::to_string(item);
                trend.setText(0, item, name);
                trend.setText(item, 0, name);
                for (int other = 1; other <= 20; ++other) {
                    trend.setText(item, other, (item + other) % 3 == 0 ? "-0.5" : "0.25");
                }
            }
            m->trends.YearbyYear(m->trends.cats);
        });
        vorn::AnalysisWindow* window = open(AnalysisView::LoopDiagram, "mnuLoopDiagram");
        QVERIFY(QTest::qWaitForWindowExposed(window));
        vorn::LoopDiagramView* diagram = window->loopDiagram();
        // Squeezed further, a name that finds no room is left to its tooltip.
        for (const QSize size : {QSize(900, 600), QSize(640, 480), QSize(420, 360)}) {
            window->resize(size);
            QTRY_COMPARE(diagram->nodes().size(), 20);
            const QList<QRectF> rects = diagram->nameRects();
            const QStringList names = diagram->shownNames();
            QCOMPARE(rects.size(), 20);
            int shown = 0;
            for (qsizetype i = 0; i < rects.size(); ++i) {
                shown += names[i].isEmpty() ? 0 : 1;
                QVERIFY(rects[i].isEmpty() || QRectF(diagram->rect()).contains(rects[i]));
                for (qsizetype j = 0; j < i; ++j) {
                    QVERIFY2(!rects[i].intersects(rects[j]),
                             qPrintable(names[i] + " covers " + names[j]));
                }
            }
            QVERIFY2(shown == 20 || size.width() < 640, qPrintable(QString::number(shown)));
        }
        QCOMPARE(window->loopList()->topLevelItemCount(), vorn::kLoopLimit);
        QVERIFY(window->note().startsWith("50 strongest of at least "));
    }
};

QTEST_MAIN(AnalysisWindowsTest)
#include "analysis_windows_test.moc"
