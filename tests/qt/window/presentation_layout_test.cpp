// View > Presentation Layout on a 1920x1080 screen: the whole screen, the chart in front large,
// texts for a room, every legend entry whole, the help panes in a drawer and the analysis
// windows in side panels, the keyboard as in the design, and the design back as it was. Also the
// highlight of a legend entry in every chart, cut cells' tooltips and the Contributions chart at
// twenty items.

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QScreen>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <filesystem>

#include "qt/charts/bar_chart_view.h"
#include "qt/charts/line_chart_view.h"
#include "qt/window/analysis_menu.h"
#include "qt/window/analysis_window.h"
#include "qt/window/view_menu.h"
#include "support/window_fixture.h"

using vorn::AnalysisView;
using vorn::Control;
using vorn::SeriesEmphasis;

namespace {

std::string dataFile(const char* name) {
    return (std::filesystem::path(__FILE__).parent_path().parent_path() / "data" / name).string();
}

// What a user sees of a control in the design: its place and its font.
struct Seen {
    QRect place;
    QFont font;
    bool visible;
    qsizetype stacked;  // place among the controls, the last on top
};

}  // namespace

class PresentationLayoutTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<vorn::testing::WindowFixture<>> m;

    vorn::TrendsView* view() const { return m->view(); }
    QWidget* control(Control id) const { return view()->widget(id); }
    vorn::LineChartView* levels() const { return view()->lineChart(Control::mscTrends); }
    vorn::BarChartView* contributions() const { return view()->barChart(); }
    void open(const char* name) {
        m->platform.openAnswers = {dataFile(name)};
        m->trigger("mnuOpen");
        QVERIFY(m->platform.messages.empty());
    }
    void present(bool on) {
        QTest::keyClick(&m->window, Qt::Key_F11);
        QCOMPARE(view()->inPresentation(), on);
        QCOMPARE(m->find<QAction>("mnuPresentationLayout")->isChecked(), on);
        QTRY_COMPARE(m->window.isFullScreen(), on);
    }
    std::vector<Seen> seen() const {
        std::vector<Seen> all;
        for (const vorn::ControlLayout& layout : vorn::windowLayout()) {
            QWidget* shown = control(layout.id);
            all.push_back({shown->geometry(), shown->font(), shown->isVisible(), 0});
        }
        // The controls' order among themselves, whatever else lies between them.
        qsizetype rank = 0;
        for (const QObject* child : view()->children()) {
            for (std::size_t i = 0; i < vorn::windowLayout().size(); ++i) {
                if (control(vorn::windowLayout()[i].id) == child) {
                    all[i].stacked = rank++;
                }
            }
        }
        return all;
    }
    /// True when `id` is what a click in its middle reaches.
    bool onTop(Control id) const {
        QWidget* shown = control(id);
        QWidget* found = view()->childAt(shown->geometry().center());
        return found == shown || shown->isAncestorOf(found);
    }
    static double area(const QWidget* widget) {
        return static_cast<double>(widget->width()) * widget->height();
    }
    /// Clicks a chart where it draws its plot, away from its legend and caption.
    static void clickPlot(vorn::ChartView* chart) {
        QTest::mouseClick(chart, Qt::LeftButton, {},
                          QPoint(chart->width() / 3, chart->height() * 2 / 3));
    }

  private slots:
    void init() {
        m = std::make_unique<vorn::testing::WindowFixture<>>(8);
        m->startUp();
        QVERIFY(m->show(true));
    }
    void cleanup() { m.reset(); }

    void coversTheScreenWithTheFrontChartLargeAndTheDesignComesBack() {
        const QRect screen = m->window.screen()->geometry();
        QCOMPARE(screen.size(), QSize(1920, 1080));
        m->window.viewMenu()->setZoom(vorn::Zoom(125));
        open("twenty_long_names.txt");
        const std::vector<Seen> design = seen();

        present(true);
        QTRY_COMPARE(m->window.geometry(), screen);
        QTRY_COMPARE(view()->size(),
                     m->find<QWidget>("ClientArea")->size());  // no margins, no scrolling
        const double screenArea = static_cast<double>(screen.width()) * screen.height();
        QVERIFY(area(control(Control::mscTrends)) >= screenArea / 3);
        for (Control small : {Control::MscXImpacts, Control::MscVary}) {
            QVERIFY(area(control(small)) < area(control(Control::mscTrends)) / 2);
            QVERIFY(control(small)->isVisible());
        }
        for (const char* grid : {"MSFlexXImpact", "MSFlexPolicy", "MSFlexTotals"}) {
            QVERIFY2(QFontInfo(m->grid(grid)->font()).pixelSize() >= 18, grid);
            QVERIFY(m->grid(grid)->rowHeight(1) >= 18);
        }
        QVERIFY(QFontInfo(control(Control::Hints)->font()).pixelSize() >= 18);
        QVERIFY(QFontInfo(control(Control::TextAnnual)->font()).pixelSize() >= 18);
        // Every legend entry of the large chart whole, in its own place inside the chart.
        QCOMPARE(levels()->legendNames().size(), qsizetype(20));
        QVERIFY(levels()->legendWhole());
        QVERIFY(QFontInfo(levels()->legendFont()).pixelSize() >= 16);
        const QList<QRect> entries = levels()->legendEntryRects();
        QCOMPARE(entries.size(), qsizetype(20));
        for (const QRect& entry : entries) {
            QVERIFY(levels()->rect().contains(entry));
        }
        // The long names in the tables' top row: on two lines, not cut.
        auto* trend = m->grid("MSFlexXImpact");
        QVERIFY(m->cell("MSFlexXImpact", 0, 3).contains('\n'));
        QVERIFY(trend->rowHeight(0) > trend->rowHeight(1));
        for (int column = 1; column <= 20; ++column) {
            QVERIFY(!trend->cellTextElided(0, column));
        }
        QCOMPARE(trend->toolTipAt(2, 3), QString());  // nothing of it is cut
        // The sliders' positions in words beside them.
        QLabel* horizon = view()->sliderValueLabel(Control::HScrollTime);
        QVERIFY(horizon->isVisible());
        QCOMPARE(horizon->text(), QString("2 years per step, horizon 2040"));
        QVERIFY(!control(Control::Overview)->isVisible());

        // A click on a small chart brings it into the large place.
        clickPlot(contributions());
        QVERIFY(area(contributions()) >= screenArea / 3);
        QTRY_VERIFY(contributions()->legendWhole());
        QCOMPARE(contributions()->legendNames().size(), qsizetype(21));
        QVERIFY(contributions()->barPixels() >= 3);
        QVERIFY(contributions()->labelsWhole());
        clickPlot(view()->lineChart(Control::MscVary));
        QVERIFY(area(control(Control::MscVary)) >= screenArea / 3);
        QCOMPARE(m->trends.iter, 20);  // as a click on it does in the design
        clickPlot(levels());
        for (Control caption : {Control::TextAnnual, Control::TextGrowth, Control::TextVary}) {
            QVERIFY(onTop(caption));
        }

        present(false);
        QCOMPARE(view()->zoom().percent(), 125);
        const std::vector<Seen> back = seen();
        for (std::size_t i = 0; i < design.size(); ++i) {
            QCOMPARE(back[i].place, design[i].place);
            QCOMPARE(back[i].font, design[i].font);
            QCOMPARE(back[i].visible, design[i].visible);
        }
        // The controls stacked as the window state has them, the front one on top: no caption
        // the layout raised stays over a chart.
        const std::vector<Control>& stacking = m->trends.stacking();
        for (std::size_t i = 1; i < stacking.size(); ++i) {
            QVERIFY2(back[static_cast<std::size_t>(vorn::index(stacking[i - 1]))].stacked >
                         back[static_cast<std::size_t>(vorn::index(stacking[i]))].stacked,
                     vorn::layoutOf(stacking[i]).name.data());
        }
        QVERIFY(!horizon->isVisible());
        QVERIFY(m->find<QAction>("mnuZoomIn")->isEnabled());
    }

    void helpPanesOpenInADrawerAndAnalysisWindowsInSidePanels() {
        present(true);
        m->trigger("HelpOveview");
        QWidget* overview = control(Control::Overview);
        QVERIFY(overview->isVisible());
        QVERIFY(overview->hasFocus());
        QVERIFY(overview->geometry().intersects(control(Control::MscVary)->geometry()));
        m->trigger("HelpAbout");
        QVERIFY(!overview->isVisible());
        QVERIFY(control(Control::About)->isVisible());
        QTest::keyClick(control(Control::About), Qt::Key_Escape);
        QVERIFY(!control(Control::About)->isVisible());

        m->trigger("mnuSensitivity");
        vorn::AnalysisWindow* sensitivity =
            m->window.analysisMenu()->window(AnalysisView::Sensitivity);
        QVERIFY(sensitivity->docked());
        QVERIFY(!sensitivity->isWindow());
        QVERIFY(sensitivity->isVisible());
        const vorn::PresentationPlaces* places = view()->presentationPlaces();
        QCOMPARE(places->panels.size(), std::size_t(1));
        const QRect panel = sensitivity->geometry();
        for (const vorn::ControlLayout& layout : vorn::windowLayout()) {
            if (control(layout.id)->isVisible()) {
                QVERIFY2(!panel.intersects(control(layout.id)->geometry()), layout.name.data());
            }
        }
        m->trigger("mnuInfluenceMap");
        vorn::AnalysisWindow* influence =
            m->window.analysisMenu()->window(AnalysisView::InfluenceMap);
        QVERIFY(influence->docked());
        QCOMPARE(view()->presentationPlaces()->panels.size(), std::size_t(2));
        QVERIFY(!influence->geometry().intersects(sensitivity->geometry()));
        // Escape in the panel closes it, not the layout's drawer or highlight.
        influence->chart()->setFocus();
        QTest::keyClick(influence->chart(), Qt::Key_Escape);
        QVERIFY(!influence->isVisible());
        QVERIFY(!m->trends.analyses().shown(AnalysisView::InfluenceMap));
        QCOMPARE(view()->presentationPlaces()->panels.size(), std::size_t(1));
        m->trigger("mnuInfluenceMap");  // opened again: a panel again
        QVERIFY(influence->isVisible() && influence->docked());
        influence->findChild<QToolButton*>("AnalysisClose")->click();
        QVERIFY(!influence->isVisible());
        // The Loop Diagram, which has no chart, docks alike and its diagram takes the keys.
        m->trigger("mnuLoopDiagram");
        vorn::AnalysisWindow* loops = m->window.analysisMenu()->window(AnalysisView::LoopDiagram);
        QVERIFY(loops->docked() && loops->isVisible());
        QCOMPARE(view()->presentationPlaces()->panels.size(), std::size_t(2));
        QVERIFY(!loops->geometry().intersects(sensitivity->geometry()));
        QCOMPARE(QApplication::focusWidget(), loops->keyboardTarget());
        QTest::keyClick(loops->keyboardTarget(), Qt::Key_Escape);
        QVERIFY(!loops->isVisible());
        QVERIFY(!m->trends.analyses().shown(AnalysisView::LoopDiagram));

        present(false);
        QVERIFY(sensitivity->isWindow());
        QVERIFY(sensitivity->isVisible());
        // Opened in a panel, it becomes a window that lies whole on the screen.
        QVERIFY(m->window.screen()->availableGeometry().contains(sensitivity->geometry()));
        QVERIFY(!sensitivity->docked());
        QVERIFY(!influence->isVisible());
        QVERIFY(m->trends.analyses().shown(AnalysisView::Sensitivity));
    }

    void keyboardAndScreenReaderKeepTheirWay() {
        present(true);
        // F6 goes round the regions and enters the charts at the large one.
        control(Control::HScrollTime)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
        QCOMPARE(QApplication::focusWidget(), control(Control::mscTrends));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
        QCOMPARE(QApplication::focusWidget(), control(Control::MSFlexXImpact));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
        QCOMPARE(QApplication::focusWidget(), control(Control::Hints));
        clickPlot(contributions());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, Qt::ShiftModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), control(Control::MscXImpacts));
        // Tab keeps the design's order, skipping the panes that are put away.
        view()->focusFirstControl();
        QCOMPARE(QApplication::focusWidget(), control(Control::MSFlexTotals));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), control(Control::MSFlexXImpact));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), control(Control::HScrollTime));
        // Keys on a table work as in the design.
        auto* trend = m->grid("MSFlexXImpact");
        trend->setFocus(Qt::TabFocusReason);
        QTest::keyClick(trend, Qt::Key_Down);
        QTest::keyClick(trend, Qt::Key_Space);
        QVERIFY(!m->trends.MSFlexXImpact().currentText().empty());
        QCOMPARE(QAccessible::queryAccessibleInterface(control(Control::HScrollTime))
                     ->text(QAccessible::Name),
                 QString("Time Horizon"));
        QCOMPARE(QAccessible::queryAccessibleInterface(trend)->text(QAccessible::Name),
                 QString("Trend Matrix"));
    }

    // In the design as in the presentation layout.
    void aLegendClickHighlightsTheItemInEveryChart() {
        open("twenty_long_names.txt");
        const QList<QRect> entries = levels()->legendEntryRects();
        QVERIFY(entries.size() >= 3);
        const unsigned long projections = m->trends.projectionCount();
        QTest::mouseClick(levels(), Qt::LeftButton, {}, entries[2].center());
        QCOMPARE(m->trends.projectionCount(), projections);  // not a chart click
        QCOMPARE(levels()->emphasis(3), SeriesEmphasis::Highlighted);
        QCOMPARE(levels()->emphasis(1), SeriesEmphasis::Faded);
        QCOMPARE(contributions()->emphasis(3), SeriesEmphasis::Highlighted);
        QCOMPARE(contributions()->emphasis(21), SeriesEmphasis::Faded);
        QVERIFY(levels()->linePen(3).widthF() > levels()->linePen(1).widthF());
        QVERIFY(contributions()->setBrush(1).color().alpha() < 255);
        QVERIFY(view()->announcer() != nullptr);
        // Clicked again: no highlight; another entry: that one. The second press of a double
        // click counts as a click.
        QTest::mouseClick(levels(), Qt::LeftButton, {}, entries[2].center());
        QCOMPARE(levels()->emphasis(3), SeriesEmphasis::Normal);
        QSignalSpy entryClicks(levels(), &vorn::ChartView::legendEntryClicked);
        QTest::mouseDClick(m->window.windowHandle(), Qt::LeftButton, {},
                           levels()->mapTo(&m->window, entries[2].center()));
        QCOMPARE(entryClicks.size(), qsizetype(2));
        QCOMPARE(levels()->emphasis(3), SeriesEmphasis::Normal);
        QTest::mouseClick(levels(), Qt::LeftButton, {}, entries[0].center());
        QTest::mouseClick(levels(), Qt::LeftButton, {}, entries[1].center());
        QCOMPARE(contributions()->emphasis(2), SeriesEmphasis::Highlighted);
        QCOMPARE(contributions()->emphasis(1), SeriesEmphasis::Faded);
        // Escape ends it; the arrow keys on a chart step through its legend.
        QTest::keyClick(m->grid("MSFlexTotals"), Qt::Key_Escape);
        QCOMPARE(contributions()->emphasis(2), SeriesEmphasis::Normal);
        contributions()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(contributions(), Qt::Key_Down);
        QCOMPARE(levels()->emphasis(1), SeriesEmphasis::Highlighted);
        QTest::keyClick(contributions(), Qt::Key_Up);
        QTest::keyClick(contributions(), Qt::Key_Up);
        QCOMPARE(contributions()->emphasis(21), SeriesEmphasis::Highlighted);  // the fluctuations
        QCOMPARE(levels()->emphasis(1), SeriesEmphasis::Normal);
        QTest::keyClick(contributions(), Qt::Key_Escape);
        QCOMPARE(contributions()->emphasis(21), SeriesEmphasis::Normal);

        present(true);
        QTest::mouseClick(levels(), Qt::LeftButton, {}, levels()->legendEntryRects()[4].center());
        QCOMPARE(levels()->emphasis(5), SeriesEmphasis::Highlighted);
        QCOMPARE(contributions()->emphasis(5), SeriesEmphasis::Highlighted);
    }

    // The design at 100 % with twenty long names: the table headers are cut, and the values show
    // their items whole when hovered; the Contributions chart keeps its bars and names.
    void cutCellsShowTheirItemsAndTheContributionsChartStaysReadable() {
        m->window.viewMenu()->setZoom(vorn::Zoom(100));
        open("twenty_long_names.txt");
        auto* trend = m->grid("MSFlexXImpact");
        QVERIFY(trend->cellTextElided(0, 3));
        QCOMPARE(trend->toolTipAt(2, 3),
                 QString("Food production per capita -> Atmospheric CO2 concentration: ") +
                     QString::fromStdString(m->trends.MSFlexXImpact().text(2, 3)));
        QCOMPARE(trend->toolTipAt(0, 3), QString("Atmospheric CO2 concentration"));
        QVERIFY(contributions()->stacked());
        QVERIFY(contributions()->barPixels() >= 3);
        QCOMPARE(contributions()->setValues(3).size(), qsizetype(20));

        // Short names stand whole, on end.
        m->platform.openAnswers = {
            (std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() /
             "tools/data/twenty_items.txt")
                .string()};
        m->trigger("mnuOpen");
        QVERIFY(contributions()->barPixels() >= 3);
        QVERIFY(contributions()->labelsWhole());
        QCOMPARE(contributions()->shownCategoryLabels().size(), qsizetype(20));
        QVERIFY(trend->cellTextElided(0, 3));
        QVERIFY(trend->toolTipAt(2, 3).startsWith("Item  2 -> Item  3: "));
    }
};

// The offscreen platform's screen is 800x600 unless a configuration file names another.
int main(int argc, char** argv) {
    QTemporaryDir folder;
    const QString config = folder.filePath(QStringLiteral("screen.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(R"({"screens": [{"name": "projector", "x": 0, "y": 0, "width": 1920,
                       "height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})") < 0) {
        return 1;
    }
    file.close();
    if (qEnvironmentVariable("QT_QPA_PLATFORM") == QStringLiteral("offscreen")) {
        qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toLocal8Bit());
    }
    QApplication app(argc, argv);
    PresentationLayoutTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "presentation_layout_test.moc"
