// What assistive technology reads from the real window through Qt's accessibility interfaces:
// names, roles, header texts, values and descriptions, and the announcements after a command.

#include <QAccessible>
#include <QAccessibleTableCellInterface>
#include <QAccessibleTableInterface>
#include <QAccessibleValueInterface>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include "qt/window/announcer.h"
#include "support/window_fixture.h"

using vorn::Control;

class AccessibilityTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<vorn::testing::WindowFixture<>> m;

    QAccessibleInterface* of(Control control) const {
        return QAccessible::queryAccessibleInterface(m->view()->widget(control));
    }
    static QString headerText(const QList<QAccessibleInterface*>& headers) {
        return headers.size() == 1 ? headers.front()->text(QAccessible::Name) : QString();
    }

  private slots:
    void init() {
        m = std::make_unique<vorn::testing::WindowFixture<>>(6);
        QVERIFY(m->start(true));
    }
    void cleanup() { m.reset(); }

    void tablesAreNamedByTheirCornerWithTheItemsAsHeaders() {
        const QList<std::pair<Control, QString>> names = {
            {Control::MSFlexXImpact, "Trend Matrix"},
            {Control::MSFlexPolicy, "Policy Matrix"},
            {Control::MSFlexTotals, "Totals/Uncertainty"}};
        for (const auto& [grid, name] : names) {
            QAccessibleInterface* table = of(grid);
            QCOMPARE(table->role(), QAccessible::Table);
            QCOMPARE(table->text(QAccessible::Name), name);
        }
        QAccessibleTableInterface* trend = of(Control::MSFlexXImpact)->tableInterface();
        QVERIFY(trend != nullptr);
        QCOMPARE(trend->rowCount(), 9);
        QCOMPARE(trend->columnDescription(3), QString("Item  3"));
        QCOMPARE(trend->rowDescription(2), QString("Item  2"));
        QAccessibleTableCellInterface* cell = trend->cellAt(2, 3)->tableCellInterface();
        QCOMPARE(headerText(cell->columnHeaderCells()), QString("Item  3"));
        QCOMPARE(headerText(cell->rowHeaderCells()), QString("Item  2"));
        QCOMPARE(trend->cellAt(2, 3)->text(QAccessible::Name), QString("not set"));

        QAccessibleTableInterface* totals = of(Control::MSFlexTotals)->tableInterface();
        QCOMPARE(totals->rowDescription(3), QString("Lags (Years)"));
        QCOMPARE(totals->cellAt(3, 4)->text(QAccessible::Name), QString("1"));
        m->platform.inputAnswers = {"Water"};
        m->click("MSFlexXImpact", 0, 4);
        QCOMPARE(totals->columnDescription(4), QString("Water"));
    }

    void slidersAreSlidersThatReadTheirTooltipWords() {
        const QList<std::tuple<Control, QString, QString>> sliders = {
            {Control::HScrollTime, "Time Horizon", "2 years per step, horizon 2040"},
            {Control::HScrollUncert, "Uncertainty", "Uncertainty level 1 of 10"},
            {Control::HScrollLags, "Change", "Click step 0.1 once set; clicks now step by 0.5"}};
        for (const auto& [slider, name, value] : sliders) {
            QAccessibleInterface* control = of(slider);
            QCOMPARE(control->role(), QAccessible::Slider);
            QCOMPARE(control->text(QAccessible::Name), name);
            QCOMPARE(control->text(QAccessible::Value), value);
        }
        QAccessibleValueInterface* time = of(Control::HScrollTime)->valueInterface();
        QVERIFY(time != nullptr);
        QCOMPARE(time->currentValue().toInt(), 2);
        QCOMPARE(time->minimumValue().toInt(), -20);
        time->setCurrentValue(3);
        QCOMPARE(m->trends.sliderValue(Control::HScrollTime), 3);
        QCOMPARE(of(Control::HScrollTime)->text(QAccessible::Value),
                 QString("3 years per step, horizon 2060"));
    }

    void chartsAreChartsNamedByTheirCaptionAndDescribedInWords() {
        QAccessibleInterface* trends = of(Control::mscTrends);
        QCOMPARE(trends->role(), QAccessible::Chart);
        QCOMPARE(trends->text(QAccessible::Name), QString("Scenario Trends- Forecast to  2040"));
        QCOMPARE(
            trends->text(QAccessible::Description),
            QString(
                "Levels of 8 items relative to 2000, from 2000 to 2040. In 2040 all are at 1."));
        QVERIFY(trends->state().focusable);
        QAccessibleInterface* contributions = of(Control::MscXImpacts);
        QCOMPARE(contributions->text(QAccessible::Name),
                 QString("Contributions to Change in  2040"));
        QVERIFY(
            contributions->text(QAccessible::Description).startsWith("Contributions of 8 items"));
        m->click("MSFlexTotals", 0, 2);
        QAccessibleInterface* spread = of(Control::MscVary);
        QCOMPARE(spread->text(QAccessible::Name), QString("Uncertainty in Future Item  2 Trends"));
        QVERIFY(spread->text(QAccessible::Description).startsWith("20 runs of Item  2"));
    }

    void textBoxesAndLabelsAreNamedByTheirRole() {
        const QList<std::pair<Control, QString>> names = {
            {Control::Hints, "Hints"},
            {Control::Overview, "Overview"},
            {Control::Instruction, "Instructions"},
            {Control::About, "About"},
            {Control::TextHorizon, "Time Horizon caption"},
            {Control::MatrixFile, "Input File"}};
        for (const auto& [control, name] : names) {
            QCOMPARE(of(control)->text(QAccessible::Name), name);
        }
        QCOMPARE(of(Control::Hints)->text(QAccessible::Value),
                 QString("  Hints: (Click on cells for Help)"));
    }

    // The announcer is a notification that shows anew with each text, which a screen reader
    // speaks as it appears.
    void afterEachCommandTheChangeIsAnnounced() {
        vorn::Announcer* announcer = m->view()->announcer();
        QCOMPARE(QAccessible::queryAccessibleInterface(announcer)->role(),
                 QAccessible::Notification);
        QSignalSpy spoken(announcer, &vorn::Announcer::announced);
        m->click("MSFlexXImpact", 2, 3);
        QVERIFY(announcer->lastAnnouncement().startsWith(
            "This is the contribution of Item  2 to the annual net growth of Item  3."));
        QVERIFY(announcer->isVisible());
        QCOMPARE(QAccessible::queryAccessibleInterface(announcer)->text(QAccessible::Name),
                 announcer->lastAnnouncement());
        m->click("MSFlexXImpact", 2, 3);
        QCOMPARE(announcer->lastAnnouncement(),
                 QString("Item  2 to Item  3: 0.5. Net Growth of Item  3: 0.5."));
        QCOMPARE(spoken.size(), 2);
        m->view()->run([] {});
        QCOMPARE(spoken.size(), 2);  // nothing changed: nothing said
        static_cast<QScrollBar*>(m->view()->widget(Control::HScrollTime))
            ->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(announcer->lastAnnouncement(),
                 QString("3 years per step, horizon 2060. Scenario Trends- Forecast to  2060. "
                         "Contributions to Change in  2060."));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
