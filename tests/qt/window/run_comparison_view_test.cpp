// The View entries that compare runs, as a user works them: held draws with Ctrl+R, a
// reference drawn behind the live lines, and the trends without the policies.

#include <QAction>
#include <QMenu>
#include <QtTest>

#include "qt/charts/line_chart_view.h"
#include "support/window_fixture.h"

using vorn::ComparisonKind;
using vorn::Control;

class RunComparisonViewTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<vorn::testing::WindowFixture<>> m;

    vorn::LineChartView* levels() const { return m->view()->lineChart(Control::mscTrends); }
    QAction* action(const char* name) const { return m->find<QAction>(name); }
    void openExample(const char* name) {
        m->platform.openAnswers = {std::string(VORN_SOURCE_EXAMPLES_DIR) + "/" + name};
        m->trigger("mnuOpen");
    }
    /// Series `row` and its comparison line of `kind` hold the same numbers.
    bool liesUnder(ComparisonKind kind, int row) const {
        return !levels()->comparisonPoints(kind, row).isEmpty() &&
               levels()->comparisonPoints(kind, row) == levels()->seriesPoints(row);
    }
    /// The legend's whole names that start with `text`.
    QStringList legendEntries(const QString& text) const {
        QStringList found;
        for (const QString& name : levels()->legendNames()) {
            if (name.startsWith(text)) {
                found << name;
            }
        }
        return found;
    }
    QString hoverAt(int row, int column) const {
        const QPointF point = levels()->seriesPoints(row).at(column);
        const QPoint pixel(qRound(levels()->xAxis->coordToPixel(point.x())),
                           qRound(levels()->yAxis->coordToPixel(point.y())));
        return levels()->hoverText(pixel);
    }

  private slots:
    void init() {
        m = std::make_unique<vorn::testing::WindowFixture<>>(8);
        QVERIFY(m->start(true));
        openExample("Example1.txt");
    }
    void cleanup() { m.reset(); }

    void theEntriesHaveNamesKeysAndFollowTheState() {
        QAction* hold = action("mnuHoldRandomDraws");
        QVERIFY(hold->isCheckable() && !hold->isChecked());
        QCOMPARE(hold->text(), QString("&Hold Random Draws"));
        QCOMPARE(action("mnuNewRandomDraws")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));
        QVERIFY(!action("mnuClearReference")->isEnabled());
        QVERIFY(action("mnuTrendsWithoutPolicies")->isCheckable());
        QCOMPARE(action("mnuTrendsWithoutPolicies")->text(),
                 QString("Show Trends &Without Policies"));

        QTest::keyClick(&m->window, Qt::Key_R, Qt::ControlModifier);
        QVERIFY(hold->isChecked());
        const QString seed = QString::number(*m->trends.comparison().heldSeed());
        QCOMPARE(hold->text(), "&Hold Random Draws (Seed " + seed + ")");
        QVERIFY(hold->toolTip().contains("vorn-run --seed " + seed));
        const QList<QPointF> held = levels()->seriesPoints(4);
        m->click("MSFlexXImpact", 2, 5);  // a selection: the held curves stay
        QCOMPARE(levels()->seriesPoints(4), held);
        hold->trigger();
        QVERIFY(!hold->isChecked());
        QCOMPARE(hold->text(), QString("&Hold Random Draws"));
    }

    void theReferenceIsDrawnDashedBehindAndSurvivesClearAndOpen() {
        action("mnuHoldRandomDraws")->trigger();
        m->trigger("mnuSetReference");
        QVERIFY(action("mnuClearReference")->isEnabled());
        for (int row = 1; row <= 8; ++row) {
            QVERIFY2(liesUnder(ComparisonKind::Reference, row), qPrintable(QString::number(row)));
        }
        QCOMPARE(legendEntries("Reference"), QStringList({"Reference: Example1.txt"}));
        const QPen pen = levels()->comparisonPen(ComparisonKind::Reference, 2);
        QCOMPARE(pen.style(), Qt::CustomDashLine);
        QVERIFY(pen.widthF() >= 2);
        QVERIFY(pen.color() != levels()->graph(1)->pen().color());  // lighter than Food's
        QVERIFY(levels()->accessibleDescription().contains("Behind the lines, long dashes"));

        // Population feeds Food more: Food leaves its reference, which stays where it was.
        const QList<QPointF> kept = levels()->comparisonPoints(ComparisonKind::Reference, 2);
        m->click("MSFlexXImpact", 1, 2);
        m->click("MSFlexXImpact", 1, 2);
        QVERIFY(!liesUnder(ComparisonKind::Reference, 2));
        QCOMPARE(levels()->comparisonPoints(ComparisonKind::Reference, 2), kept);
        QVERIFY2(hoverAt(2, 19).contains("Reference: "), qPrintable(hoverAt(2, 19)));
        QVERIFY(hoverAt(2, 19).contains(", difference +"));

        m->trigger("mnuClear");  // the blank items match no name: the legend says so
        QVERIFY(levels()->comparisonPoints(ComparisonKind::Reference, 2).isEmpty());
        QCOMPARE(legendEntries("Reference").size(), 1);
        QVERIFY(legendEntries("Reference")[0].contains("not matched: Item  1"));
        openExample("Example1.txt");
        QCOMPARE(levels()->comparisonPoints(ComparisonKind::Reference, 2), kept);
        QVERIFY(liesUnder(ComparisonKind::Reference, 2));

        m->trigger("mnuClearReference");
        QVERIFY(legendEntries("Reference").isEmpty());
        QVERIFY(levels()->comparisonPoints(ComparisonKind::Reference, 2).isEmpty());
        QVERIFY(!action("mnuClearReference")->isEnabled());
    }

    void theTrendsWithoutPoliciesAreDrawnWhileThePoliciesApply() {
        QAction* without = action("mnuTrendsWithoutPolicies");
        without->trigger();
        QVERIFY(without->isChecked());
        QVERIFY(legendEntries("Without Policies").isEmpty());  // the Trend Matrix was clicked

        m->click("MSFlexPolicy", 0, 0);  // brings the Policy Matrix forward
        m->click("MSFlexPolicy", 4, 5);
        QCOMPARE(legendEntries("Without Policies"), QStringList({"Without Policies"}));
        QCOMPARE(levels()->comparisonPen(ComparisonKind::WithoutPolicies, 5).style(),
                 Qt::DashDotLine);
        QVERIFY(!liesUnder(ComparisonKind::WithoutPolicies, 5));  // Energy feeds Pollution less
        QVERIFY2(hoverAt(5, 19).contains("Without Policies: "), qPrintable(hoverAt(5, 19)));

        m->trigger("mnuClear");  // the policy switch stays: forwards, the policies still apply
        QVERIFY(without->isChecked());
        QVERIFY(liesUnder(ComparisonKind::WithoutPolicies, 5));  // a blank Policy Matrix
        openExample("Example1.txt");
        QVERIFY(!levels()->comparisonPoints(ComparisonKind::WithoutPolicies, 5).isEmpty());
        QVERIFY(!liesUnder(ComparisonKind::WithoutPolicies, 5));

        without->trigger();
        QVERIFY(legendEntries("Without Policies").isEmpty());
        QVERIFY(levels()->comparisonPoints(ComparisonKind::WithoutPolicies, 5).isEmpty());
    }
};

QTEST_MAIN(RunComparisonViewTest)
#include "run_comparison_view_test.moc"
