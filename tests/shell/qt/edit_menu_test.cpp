// The Edit menu, typing into the real cells of the real window, and closing it.

#include <QAction>
#include <QLineEdit>
#include <QMenuBar>
#include <QtTest>
#include <memory>

#include "shell/qt/grid_view.h"
#include "shell/qt/main_window.h"
#include "shell/qt/trends_view.h"
#include "shell/trends.h"
#include "support/scripted_platform.h"

class EditMenuTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<vorn::testing::ScriptedPlatform> m_platform;
    std::unique_ptr<vorn::Trends> m_trends;
    std::unique_ptr<vorn::MainWindow> m_window;

    template <typename T>
    T* find(const char* name) const {
        return m_window->findChild<T*>(QString::fromLatin1(name));
    }
    vorn::GridView* grid(const char* name) const { return find<vorn::GridView>(name); }
    static QString text(vorn::GridView* view, int row, int column) {
        return view->model()->index(row, column).data().toString();
    }
    static void click(vorn::GridView* view, int row, int column,
                      Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(view->viewport(), button, {}, view->cellRect(row, column).center());
    }
    QLineEdit* editor(vorn::GridView* view) const {
        return view->findChild<QLineEdit*>(QStringLiteral("CellEditor"));
    }

  private slots:
    void init() {
        m_platform = std::make_unique<vorn::testing::ScriptedPlatform>();
        m_trends = std::make_unique<vorn::Trends>(*m_platform, vorn::RandomSource(2));
        m_window = std::make_unique<vorn::MainWindow>(*m_trends);
        m_trends->Form_Load();
        m_window->view()->refresh();
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    void cleanup() {
        m_window.reset();
        m_trends.reset();
        m_platform.reset();
    }

    void editMenuSitsAfterFileAndNamesTheStepItWouldTake() {
        QStringList menus;
        for (QAction* menu : m_window->menuBar()->actions()) {
            menus << menu->text();
        }
        QVERIFY2(menus.indexOf("&File") + 1 == menus.indexOf("&Edit") &&
                     menus.indexOf("&Edit") < menus.indexOf("&Help"),
                 qPrintable(menus.join(' ')));
        auto* undo = find<QAction>("mnuUndo");
        auto* redo = find<QAction>("mnuRedo");
        QCOMPARE(undo->text(), QString("&Undo"));
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());
        QCOMPARE(undo->shortcut(), QKeySequence("Ctrl+Z"));
        QCOMPARE(redo->shortcuts(),
                 QList<QKeySequence>({QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")}));

        auto* trend = grid("MSFlexXImpact");
        click(trend, 0, 0, Qt::RightButton);  // removes item 8
        QCOMPARE(trend->model()->columnCount(), 8);
        QCOMPARE(undo->text(), QString("&Undo Remove Item"));
        QTest::keyClick(m_window.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(trend->model()->columnCount(), 9);
        QCOMPARE(text(trend, 0, 8), QString("Item  8"));
        QVERIFY(!undo->isEnabled());
        QCOMPARE(redo->text(), QString("&Redo Remove Item"));
        QTest::keyClick(m_window.get(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(trend->model()->columnCount(), 8);
    }

    void typedNumbersAreCommittedByEnterCancelledByEscapeOrRefused() {
        auto* trend = grid("MSFlexXImpact");
        click(trend, 2, 3);
        QTest::keyClicks(trend, "3.7");
        QVERIFY(editor(trend) != nullptr);
        QCOMPARE(editor(trend)->text(), QString("3.7"));
        QTest::keyClick(editor(trend), Qt::Key_Return);
        QCOMPARE(text(trend, 2, 3), QString("3.7"));
        QCOMPARE(text(grid("MSFlexTotals"), 1, 3), QString("3.7"));
        QTRY_VERIFY(editor(trend) == nullptr);

        auto* totals = grid("MSFlexTotals");
        click(totals, 3, 2);
        QTest::keyClicks(totals, "-2");
        QTest::keyClick(editor(totals), Qt::Key_Enter);
        QCOMPARE(m_platform->messages.size(), qsizetype(1));  // a lag cannot be negative
        QVERIFY(editor(totals) != nullptr);
        QTest::keyClick(editor(totals), Qt::Key_Escape);
        QTRY_VERIFY(editor(totals) == nullptr);
        QCOMPARE(text(totals, 3, 2), QString("1"));

        // An entry left open is committed before the next click does anything.
        click(trend, 5, 5);
        QTest::keyClicks(trend, "2");
        click(trend, 1, 1);
        QCOMPARE(text(trend, 5, 5), QString("2"));
        QCOMPARE(m_trends->MSFlexXImpact().currentRow(), 1);
        QCOMPARE(find<QAction>("mnuUndo")->text(), QString("&Undo Typed Entry"));
    }

    void f2OnAHeaderProposesTheNameAndOnAValueOffersTheNumber() {
        auto* trend = grid("MSFlexXImpact");
        click(trend, 0, 3);  // the click asks for a name: cancelled
        m_platform->inputAnswers = {"Water"};
        QTest::keyClick(trend, Qt::Key_F2);
        QCOMPARE(m_platform->inputRequests.size(), std::size_t(2));
        QCOMPARE(m_platform->inputRequests[1].defaultText, std::string("Item  3"));
        QCOMPARE(text(grid("MSFlexPolicy"), 3, 0), QString("Water"));

        auto* totals = grid("MSFlexTotals");
        click(totals, 3, 4);
        QTest::keyClick(totals, Qt::Key_F2);
        QCOMPARE(editor(totals)->text(), QString("1"));
    }

    void closingWithChangesAsksAndCancelKeepsTheWindow() {
        auto* trend = grid("MSFlexXImpact");
        QVERIFY(m_window->close());  // nothing changed
        m_window->show();
        click(trend, 0, 0);
        find<QAction>("Exit")->trigger();  // answered Cancel
        QVERIFY(m_window->isVisible());
        QCOMPARE(m_platform->closeQuestions.size(), std::size_t(1));
        QCOMPARE(trend->model()->columnCount(), 10);
        m_platform->closeAnswers = {vorn::CloseAnswer::Discard};
        QVERIFY(m_window->close());
    }
};

QTEST_MAIN(EditMenuTest)
#include "edit_menu_test.moc"
