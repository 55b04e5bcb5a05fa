// The Edit menu, typing into the real cells of the real window, and closing it.

#include <QAction>
#include <QLineEdit>
#include <QMenuBar>
#include <QtTest>

#include "support/window_fixture.h"

class EditMenuTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<vorn::testing::WindowFixture<>> m;

    QLineEdit* editor(vorn::GridView* view) const {
        return view->findChild<QLineEdit*>(QStringLiteral("CellEditor"));
    }

  private slots:
    void init() {
        m = std::make_unique<vorn::testing::WindowFixture<>>(2);
        QVERIFY(m->start(true));
    }
    void cleanup() { m.reset(); }

    void editMenuSitsAfterFileAndNamesTheStepItWouldTake() {
        QStringList menus;
        for (QAction* menu : m->window.menuBar()->actions()) {
            menus << menu->text();
        }
        QVERIFY2(menus.indexOf("&File") + 1 == menus.indexOf("&Edit") &&
                     menus.indexOf("&Edit") < menus.indexOf("&Help"),
                 qPrintable(menus.join(' ')));
        auto* undo = m->find<QAction>("mnuUndo");
        auto* redo = m->find<QAction>("mnuRedo");
        QCOMPARE(undo->text(), QString("&Undo"));
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());
        QCOMPARE(undo->shortcut(), QKeySequence("Ctrl+Z"));
        QCOMPARE(redo->shortcuts(),
                 QList<QKeySequence>({QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")}));

        auto* trend = m->grid("MSFlexXImpact");
        m->click("MSFlexXImpact", 0, 0, Qt::RightButton);  // removes item 8
        QCOMPARE(trend->model()->columnCount(), 8);
        QCOMPARE(undo->text(), QString("&Undo Remove Item"));
        QTest::keyClick(&m->window, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(trend->model()->columnCount(), 9);
        QCOMPARE(m->cell("MSFlexXImpact", 0, 8), QString("Item  8"));
        QVERIFY(!undo->isEnabled());
        QCOMPARE(redo->text(), QString("&Redo Remove Item"));
        QTest::keyClick(&m->window, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(trend->model()->columnCount(), 8);
    }

    void typedNumbersAreCommittedByEnterCancelledByEscapeOrRefused() {
        auto* trend = m->grid("MSFlexXImpact");
        m->click("MSFlexXImpact", 2, 3);
        QTest::keyClicks(trend, "3.7");
        QVERIFY(editor(trend) != nullptr);
        QCOMPARE(editor(trend)->text(), QString("3.7"));
        QTest::keyClick(editor(trend), Qt::Key_Return);
        QCOMPARE(m->cell("MSFlexXImpact", 2, 3), QString("3.7"));
        QCOMPARE(m->cell("MSFlexTotals", 1, 3), QString("3.7"));
        QTRY_VERIFY(editor(trend) == nullptr);

        auto* totals = m->grid("MSFlexTotals");
        m->click("MSFlexTotals", 3, 2);
        QTest::keyClicks(totals, "-2");
        QTest::keyClick(editor(totals), Qt::Key_Enter);
        QCOMPARE(m->platform.messages.size(), qsizetype(1));  // a lag cannot be negative
        QVERIFY(editor(totals) != nullptr);
        QTest::keyClick(editor(totals), Qt::Key_Escape);
        QTRY_VERIFY(editor(totals) == nullptr);
        QCOMPARE(m->cell("MSFlexTotals", 3, 2), QString("1"));

        // An entry left open is committed before the next click does anything.
        m->click("MSFlexXImpact", 5, 5);
        QTest::keyClicks(trend, "2");
        m->click("MSFlexXImpact", 1, 1);
        QCOMPARE(m->cell("MSFlexXImpact", 5, 5), QString("2"));
        QCOMPARE(m->trends.MSFlexXImpact().currentRow(), 1);
        QCOMPARE(m->find<QAction>("mnuUndo")->text(), QString("&Undo Typed Entry"));
    }

    // Keys the cell editor leaves alone climb to the grid, which must not hand them back.
    void noKeyInAnOpenEditorEndsTheProgram() {
        const QList<QKeyCombination> keys = {Qt::Key_Up,
                                             Qt::Key_Down,
                                             Qt::Key_PageUp,
                                             Qt::Key_PageDown,
                                             Qt::ControlModifier | Qt::Key_A,
                                             Qt::ControlModifier | Qt::Key_C,
                                             Qt::ControlModifier | Qt::Key_V,
                                             Qt::ControlModifier | Qt::Key_Z,
                                             Qt::ShiftModifier | Qt::Key_Home,
                                             Qt::ShiftModifier | Qt::Key_End,
                                             Qt::ShiftModifier | Qt::Key_Left,
                                             Qt::Key_Home,
                                             Qt::Key_End,
                                             Qt::Key_Insert};
        for (const char* name : {"MSFlexXImpact", "MSFlexTotals", "MSFlexPolicy"}) {
            auto* grid = m->grid(name);
            m->click(name, 2, 2);
            QTest::keyClicks(grid, "1");
            QVERIFY2(editor(grid) != nullptr, name);
            for (const QKeyCombination key : keys) {
                if (editor(grid) != nullptr) {
                    QTest::keyClick(editor(grid), key.key(), key.keyboardModifiers());
                }
                QTest::keyClick(grid, key.key(), key.keyboardModifiers());
            }
            if (editor(grid) != nullptr) {
                QTest::keyClick(editor(grid), Qt::Key_Escape);
            }
        }
    }

    void f2OnAHeaderProposesTheNameAndOnAValueOffersTheNumber() {
        auto* trend = m->grid("MSFlexXImpact");
        m->click("MSFlexXImpact", 0, 3);  // the click asks for a name: cancelled
        m->platform.inputAnswers = {"Water"};
        QTest::keyClick(trend, Qt::Key_F2);
        QCOMPARE(m->platform.inputRequests.size(), std::size_t(2));
        QCOMPARE(m->platform.inputRequests[1].defaultText, std::string("Item  3"));
        QCOMPARE(m->cell("MSFlexPolicy", 3, 0), QString("Water"));

        auto* totals = m->grid("MSFlexTotals");
        m->click("MSFlexTotals", 3, 4);
        QTest::keyClick(totals, Qt::Key_F2);
        QCOMPARE(editor(totals)->text(), QString("1"));
    }

    void closingWithChangesAsksAndCancelKeepsTheWindow() {
        auto* trend = m->grid("MSFlexXImpact");
        QVERIFY(m->window.close());  // nothing changed
        m->window.show();
        m->click("MSFlexXImpact", 0, 0);
        m->trigger("Exit");  // answered Cancel
        QVERIFY(m->window.isVisible());
        QCOMPARE(m->platform.closeQuestions.size(), std::size_t(1));
        QCOMPARE(trend->model()->columnCount(), 10);
        m->platform.closeAnswers = {vorn::CloseAnswer::Discard};
        QVERIFY(m->window.close());
    }
};

QTEST_MAIN(EditMenuTest)
#include "edit_menu_test.moc"
