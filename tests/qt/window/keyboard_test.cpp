// The keyboard in the real window: keys in an open cell editor, moves over every cell, Space and
// Shift+Space on each kind of cell, the context menu, focus that brings a table forward, F6, the
// charts, and the windows of their own that Escape closes.

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTableWidget>
#include <QtTest>

#include "charts/chart_description.h"
#include "qt/charts/bar_chart_view.h"
#include "qt/charts/line_chart_view.h"
#include "qt/window/analysis_menu.h"
#include "qt/window/analysis_window.h"
#include "qt/window/chart_data_window.h"
#include "support/window_fixture.h"

using vorn::Control;

class KeyboardTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<vorn::testing::WindowFixture<>> m;

    QLineEdit* editor(vorn::GridView* view) const {
        return view->findChild<QLineEdit*>(QStringLiteral("CellEditor"));
    }
    std::pair<int, int> current(const char* grid) const {
        const QString name(grid);
        const Control id = name == "MSFlexTotals"   ? Control::MSFlexTotals
                           : name == "MSFlexPolicy" ? Control::MSFlexPolicy
                                                    : Control::MSFlexXImpact;
        const vorn::CellTable& table = m->trends.gridTable(id);
        return {table.currentRow(), table.currentColumn()};
    }
    void key(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(target, key, modifiers);
    }
    QMenu* openMenu() const { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }
    QStringList entries(QMenu* menu) const {
        QStringList names;
        for (QAction* action : menu->actions()) {
            names << action->text();
        }
        return names;
    }

  private slots:
    void init() {
        m = std::make_unique<vorn::testing::WindowFixture<>>(4);
        QVERIFY(m->start(true));
    }
    void cleanup() { m.reset(); }

    // Up, Down, Page Up and Page Down commit and move; the line editor's own keys edit the text
    // and leave the scenario's Undo alone.
    void editorKeysCommitAndMoveOrEditTheText() {
        for (const char* name : {"MSFlexXImpact", "MSFlexTotals", "MSFlexPolicy"}) {
            auto* grid = m->grid(name);
            m->click(name, 2, 2);
            QTest::keyClicks(grid, "1.5");
            const QString hint = m->boxText("Hints");
            key(editor(grid), Qt::Key_Up);
            QTRY_VERIFY(editor(grid) == nullptr);
            QCOMPARE(m->cell(name, 2, 2), QString("1.5"));
            QCOMPARE(current(name), std::make_pair(1, 2));
            QVERIFY2(m->boxText("Hints") != hint, name);  // arrived: a first click

            QTest::keyClicks(grid, "25");
            QLineEdit* typing = editor(grid);
            key(typing, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(typing, "3");
            key(typing, Qt::Key_Home);
            QTest::keyClicks(typing, "-");
            key(typing, Qt::Key_End, Qt::ShiftModifier);
            key(typing, Qt::Key_C, Qt::ControlModifier);
            key(typing, Qt::Key_End);
            key(typing, Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(typing->text(), QString("-33"));
            key(typing, Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(typing->text(), QString("-3"));
            QCOMPARE(m->cell(name, 2, 2), QString("1.5"));  // not the scenario's Undo
            key(typing, Qt::Key_Left, Qt::ShiftModifier);
            QTest::keyClicks(typing, "4");
            QCOMPARE(typing->text(), QString("-4"));
            key(typing, Qt::Key_PageDown);
            QTRY_VERIFY(editor(grid) == nullptr);
            QCOMPARE(m->cell(name, 1, 2), QString("-4"));
            QVERIFY(current(name).first > 1);
        }
        // A refused entry stays open where it was.
        auto* trend = m->grid("MSFlexXImpact");
        m->click("MSFlexXImpact", 3, 3);
        QTest::keyClicks(trend, "1..");
        key(editor(trend), Qt::Key_Down);
        QCOMPARE(m->platform.messages.size(), qsizetype(1));
        QVERIFY(editor(trend) != nullptr);
        QCOMPARE(current("MSFlexXImpact"), std::make_pair(3, 3));
        key(editor(trend), Qt::Key_Escape);
    }

    void f2OffersTheOldNumberSelected() {
        auto* trend = m->grid("MSFlexXImpact");
        m->click("MSFlexXImpact", 2, 4);
        m->click("MSFlexXImpact", 2, 4);  // 0.5
        key(trend, Qt::Key_F2);
        QCOMPARE(editor(trend)->selectedText(), QString("0.5"));
        QTest::keyClicks(editor(trend), "0.3");
        key(editor(trend), Qt::Key_Return);
        QCOMPARE(m->cell("MSFlexXImpact", 2, 4), QString("0.3"));
    }

    void arrowsReachEveryCellAndArrivingIsAFirstClick() {
        auto* trend = m->grid("MSFlexXImpact");
        m->click("MSFlexXImpact", 2, 2);
        key(trend, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(current("MSFlexXImpact"), std::make_pair(0, 0));
        QCOMPARE(trend->model()->columnCount(), 9);  // arriving at the corner adds nothing
        key(trend, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(current("MSFlexXImpact"), std::make_pair(8, 8));
        QVERIFY(m->boxText("Hints").startsWith("What is the Intrinsic"));
        key(trend, Qt::Key_Home);
        QCOMPARE(current("MSFlexXImpact"), std::make_pair(8, 0));
        key(trend, Qt::Key_PageUp);
        QVERIFY(current("MSFlexXImpact").first < 8);
        key(trend, Qt::Key_End);
        key(trend, Qt::Key_Left);
        key(trend, Qt::Key_Up);
        key(trend, Qt::Key_Right);
        key(trend, Qt::Key_Down);
        const auto [row, column] = current("MSFlexXImpact");
        QCOMPARE(m->trends.lastr1, row);
        QCOMPARE(m->trends.lastc1, column);
        QCOMPARE(m->cell("MSFlexXImpact", row, column), QString("%   "));
        QCOMPARE(m->platform.inputRequests.size(), std::size_t(0));
    }

    void spaceAndShiftSpaceAreFurtherLeftAndRightClicks() {
        auto* trend = m->grid("MSFlexXImpact");
        m->click("MSFlexXImpact", 3, 4);
        key(trend, Qt::Key_Space);
        QCOMPARE(m->cell("MSFlexXImpact", 3, 4), QString("0.5"));
        key(trend, Qt::Key_Space, Qt::ShiftModifier);
        key(trend, Qt::Key_Space, Qt::ShiftModifier);
        QCOMPARE(m->cell("MSFlexXImpact", 3, 4), QString("-0.5"));

        key(trend, Qt::Key_Home, Qt::ControlModifier);  // the corner
        key(trend, Qt::Key_Space);
        QCOMPARE(trend->model()->columnCount(), 10);
        key(trend, Qt::Key_Space, Qt::ShiftModifier);
        QCOMPARE(trend->model()->columnCount(), 9);
        m->platform.inputAnswers = {"Water"};
        key(trend, Qt::Key_Right);
        key(trend, Qt::Key_Space);  // a header: renames
        QCOMPARE(m->cell("MSFlexPolicy", 1, 0), QString("Water"));

        auto* totals = m->grid("MSFlexTotals");
        m->click("MSFlexTotals", 3, 5);
        key(totals, Qt::Key_Up);
        key(totals, Qt::Key_Up);
        key(totals, Qt::Key_Up);  // Item 5's name: arriving runs nothing
        QCOMPARE(m->trends.lastProjection().runs, 1);
        key(totals, Qt::Key_Space);
        QCOMPARE(m->trends.lastProjection().runs, 20);
        QCOMPARE(m->boxText("TextVary"), QString("Uncertainty in Future Item  5 Trends"));
        key(totals, Qt::Key_Down);
        key(totals, Qt::Key_Down);
        key(totals, Qt::Key_Down);
        key(totals, Qt::Key_Space);  // a lag
        QCOMPARE(m->cell("MSFlexTotals", 3, 5), QString("2"));

        auto* policy = m->grid("MSFlexPolicy");
        policy->setFocus(Qt::TabFocusReason);
        key(policy, Qt::Key_Home, Qt::ControlModifier);
        key(policy, Qt::Key_Down);
        key(policy, Qt::Key_Right);
        key(policy, Qt::Key_Space);
        QCOMPARE(m->cell("MSFlexPolicy", 1, 1), QString("0.5"));
        QCOMPARE(m->boxText("TextAnnual"),
                 QString("Scenario Trends- Forecast to  2040 (with Policies)"));
    }

    void theContextMenuNamesAndTakesTheClicksOfTheCell() {
        auto* trend = m->grid("MSFlexXImpact");
        m->click("MSFlexXImpact", 2, 3);
        key(trend, Qt::Key_Menu);
        QMenu* menu = openMenu();
        QVERIFY(menu != nullptr);
        QCOMPARE(entries(menu), QStringList({"Step Up", "Step Down"}));
        menu->actions().at(0)->trigger();
        menu->close();
        QCOMPARE(m->cell("MSFlexXImpact", 2, 3), QString("0.5"));

        key(trend, Qt::Key_Home, Qt::ControlModifier);
        key(trend, Qt::Key_F10, Qt::ShiftModifier);
        menu = openMenu();
        QVERIFY(menu != nullptr);
        QCOMPARE(entries(menu), QStringList({"Add Item", "Remove Last Item"}));
        menu->actions().at(1)->trigger();
        menu->close();
        QCOMPARE(trend->model()->columnCount(), 8);
        key(trend, Qt::Key_Down);
        key(trend, Qt::Key_Menu);
        QCOMPARE(entries(openMenu()), QStringList({"Rename Item..."}));
        openMenu()->close();

        auto* totals = m->grid("MSFlexTotals");
        m->click("MSFlexTotals", 0, 2);  // the runs, already
        key(totals, Qt::Key_Menu);
        QCOMPARE(entries(openMenu()), QStringList({"Twenty Runs"}));
        openMenu()->close();
        // The right mouse button keeps its meaning: it steps down.
        m->click("MSFlexXImpact", 2, 3);
        m->click("MSFlexXImpact", 2, 3, Qt::RightButton);
        QVERIFY(openMenu() == nullptr);
        QCOMPARE(m->cell("MSFlexXImpact", 2, 3), QString("0"));
    }

    void tabBringsAHiddenTableForwardAndF6JumpsBetweenRegions() {
        auto* policy = m->grid("MSFlexPolicy");
        QVERIFY(m->trends.isAbove(Control::MSFlexXImpact, Control::MSFlexPolicy));
        m->view()->grid(Control::MSFlexXImpact)->setFocus(Qt::OtherFocusReason);
        for (int i = 0; i < 3; ++i) {  // the Trend Matrix, two sliders, the Policy Matrix
            key(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(QApplication::focusWidget(), policy);
        QVERIFY(m->trends.isAbove(Control::MSFlexPolicy, Control::MSFlexXImpact));
        QCOMPARE(m->trends.Policy, 1);

        QStringList visited;
        for (int i = 0; i < 4; ++i) {
            key(QApplication::focusWidget(), Qt::Key_F6);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, QStringList({"Hints", "HScrollTime", "mscTrends", "MSFlexPolicy"}));
        key(QApplication::focusWidget(), Qt::Key_F6, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("mscTrends"));
    }

    void chartsTakeFocusAndSpaceOrEnterClicksThem() {
        auto* spread = m->view()->lineChart(Control::MscVary);
        QCOMPARE(spread->focusPolicy(), Qt::NoFocus);  // wholly behind the Scenario Trends chart
        auto* trends = m->view()->lineChart(Control::mscTrends);
        trends->setFocus(Qt::TabFocusReason);
        key(trends, Qt::Key_Space);
        QCOMPARE(m->trends.lastProjection().runs, 1);
        m->click("MSFlexTotals", 0, 3);
        QCOMPARE(spread->focusPolicy(), Qt::TabFocus);
        spread->setFocus(Qt::TabFocusReason);
        key(spread, Qt::Key_Return);
        QCOMPARE(m->trends.lastProjection().runs, 20);
        QCOMPARE(m->boxText("TextVary"), QString("Spread in Annual Levels for Item  3"));
        auto* contributions = m->view()->barChart();
        contributions->setFocus(Qt::TabFocusReason);
        key(contributions, Qt::Key_Enter);
        QCOMPARE(m->trends.lastProjection().runs, 1);
        // A click leaves the keyboard where it was.
        m->click("MSFlexXImpact", 1, 1);
        QTest::mouseClick(trends, Qt::LeftButton, {}, trends->rect().center());
        QCOMPARE(QApplication::focusWidget(), m->grid("MSFlexXImpact"));
    }

    void chartDataFollowsRecalculationsAndEscapeClosesItsWindow() {
        m->trigger("mnuChartData");
        vorn::ChartDataWindow* data = m->window.chartDataWindow();
        QVERIFY(QTest::qWaitForWindowActive(data));
        QTRY_COMPARE(QApplication::focusWidget(), data->table(0));
        QCOMPARE(data->shownPage(), vorn::ChartDataWindow::pageOf(Control::mscTrends));
        QCOMPARE(data->table(0)->verticalHeaderItem(2)->text(), QString("Item  3"));
        QCOMPARE(data->table(0)->horizontalHeaderItem(20)->text(), QString("2040"));
        QCOMPARE(data->cellText(0, 2, 20), QString("1"));
        m->click("MSFlexXImpact", 3, 3);
        m->click("MSFlexXImpact", 3, 3);
        QCOMPARE(
            data->cellText(0, 2, 20),
            QString::fromStdString(vorn::chartNumberText(m->trends.lastProjection().level(2, 20))));
        QVERIFY(data->cellText(0, 2, 20) != QString("1"));
        QCOMPARE(data->table(1)->verticalHeaderItem(8)->text(), QString("Uncertainty"));
        key(data->table(0), Qt::Key_Escape);
        QTRY_VERIFY(!data->isVisible());

        m->click("MSFlexTotals", 0, 1);
        m->trigger("mnuChartData");
        QVERIFY(QTest::qWaitForWindowActive(data));
        QTRY_COMPARE(QApplication::focusWidget(), data->table(2));
        QCOMPARE(data->shownPage(), vorn::ChartDataWindow::pageOf(Control::MscVary));
        QCOMPARE(data->table(2)->rowCount(), 20);
        key(data->table(2), Qt::Key_W, Qt::ControlModifier);
        QTRY_VERIFY(!data->isVisible());
    }

    void helpKeyboardAndTheAnalysisWindowsCloseWithEscape() {
        m->trigger("HelpKeyboard");
        vorn::ReadingWindow* keys = m->window.keyboardWindow();
        QVERIFY(keys != nullptr);
        QVERIFY(QTest::qWaitForWindowActive(keys));
        QTRY_COMPARE(QApplication::focusWidget(), keys->table(0));
        QStringList listed;
        for (int r = 0; r < keys->table(0)->rowCount(); ++r) {
            listed << keys->cellText(0, r, 0);
        }
        QVERIFY(listed.contains("Space (in a table)"));
        QVERIFY(listed.contains("F6, Shift+F6"));
        key(keys->table(0), Qt::Key_Escape);
        QTRY_VERIFY(!keys->isVisible());

        m->trigger("mnuSensitivity");
        vorn::AnalysisWindow* sensitivity =
            m->window.analysisMenu()->window(vorn::AnalysisView::Sensitivity);
        QVERIFY(QTest::qWaitForWindowActive(sensitivity));
        QCOMPARE(QApplication::focusWidget(), sensitivity->chart());
        key(sensitivity->chart(), Qt::Key_W, Qt::ControlModifier);
        QTRY_VERIFY(!sensitivity->isVisible());
        QVERIFY(!m->trends.analyses().shown(vorn::AnalysisView::Sensitivity));
    }
};

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
