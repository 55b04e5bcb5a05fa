// The View menu: zooming scales the whole design and nothing else, Fit to Window follows
// the window, and the window opens whole on a small screen.

#include <QAction>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>
#include <memory>

#include "shell/qt/grid_view.h"
#include "shell/qt/main_window.h"
#include "shell/qt/text_box.h"
#include "shell/qt/trends_view.h"
#include "shell/qt/view_menu.h"
#include "shell/trends.h"
#include "support/scripted_platform.h"

using vorn::Control;
using vorn::Zoom;

class ViewMenuTest : public QObject {
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
    vorn::TrendsView* view() const { return m_window->view(); }
    QScrollArea* area() const { return find<QScrollArea>("ClientArea"); }

    void show() {
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    /// Everything a user could read or edit, and the recalculations so far.
    QStringList contents() const {
        QStringList all;
        for (const vorn::CellTable* table :
             {&m_trends->MSFlexXImpact(), &m_trends->MSFlexTotals(), &m_trends->MSFlexPolicy()}) {
            all << QString::number(table->revision());
        }
        for (vorn::TextBox* box : m_window->findChildren<vorn::TextBox*>()) {
            all << box->toPlainText();
        }
        all << QString::number(m_trends->projectionCount());
        return all;
    }
    void expectDesignAt(int percent) {
        const Zoom zoom(percent);
        QCOMPARE(view()->zoom().percent(), percent);
        for (Control control : {Control::MSFlexPolicy, Control::HScrollTime, Control::MscXImpacts,
                                Control::Overview, Control::MatrixFile}) {
            QCOMPARE(view()->widget(control)->geometry(),
                     vorn::TrendsView::designRect(control, zoom));
        }
        QCOMPARE(view()->size(), vorn::TrendsView::designSize(zoom));
        QCOMPARE(view()->font().pointSizeF(), vorn::TrendsView::designFont(zoom).pointSizeF());
        QCOMPARE(view()->widget(Control::mscTrends)->font(), view()->font());  // charts follow
        auto* trend = find<vorn::GridView>("MSFlexXImpact");
        QCOMPARE(trend->columnWidth(1), zoom.pixels(944));
        QCOMPARE(trend->rowHeight(1),
                 std::max(zoom.pixels(240), trend->fontMetrics().height() + 2));
    }

  private slots:
    void init() {
        m_platform = std::make_unique<vorn::testing::ScriptedPlatform>();
        m_trends = std::make_unique<vorn::Trends>(*m_platform, vorn::RandomSource(4));
        m_window = std::make_unique<vorn::MainWindow>(*m_trends);
        m_trends->Form_Load();
        view()->refresh();
    }
    void cleanup() {
        m_window.reset();
        m_trends.reset();
        m_platform.reset();
    }

    void zoomScalesTheWholeDesignAndNothingElse() {
        show();
        const QStringList before = contents();
        const QStringList menus = [this] {
            QStringList titles;
            for (QAction* menu : m_window->menuBar()->actions()) {
                titles << menu->text();
            }
            return titles;
        }();
        QCOMPARE(menus, QStringList({"&File", "&Edit", "&View", "&Analysis", "&Help"}));
        expectDesignAt(100);

        QTest::keyClick(m_window.get(), Qt::Key_Equal, Qt::ControlModifier);
        expectDesignAt(110);
        QTest::keyClick(m_window.get(), Qt::Key_Minus, Qt::ControlModifier);
        QTest::keyClick(m_window.get(), Qt::Key_Minus, Qt::ControlModifier);
        expectDesignAt(90);
        QTest::keyClick(m_window.get(), Qt::Key_0, Qt::ControlModifier);
        expectDesignAt(100);
        find<QAction>("mnuZoomIn")->trigger();
        expectDesignAt(110);
        QCOMPARE(contents(), before);

        m_window->viewMenu()->setZoom(Zoom(200));
        expectDesignAt(200);
        QVERIFY(!find<QAction>("mnuZoomIn")->isEnabled());
        find<QAction>("mnuZoomOut")->trigger();
        expectDesignAt(175);
        QVERIFY(find<QAction>("mnuZoomIn")->isEnabled());
        QCOMPARE(contents(), before);
    }

    void fitToWindowFollowsTheWindowSize() {
        show();
        find<QAction>("mnuFitToWindow")->trigger();
        for (const QSize size : {QSize(700, 500), QSize(1200, 500), QSize(1500, 1200)}) {
            m_window->resize(size);
            QTRY_COMPARE(m_window->size(), size);
            const QSize room = area()->maximumViewportSize();
            const Zoom fitted = Zoom::toFit({room.width(), room.height()}, {});
            QTRY_COMPARE(view()->zoom().percent(), fitted.percent());
            expectDesignAt(fitted.percent());
            QVERIFY(view()->width() <= room.width() && view()->height() <= room.height());
        }
        QVERIFY(view()->zoom().percent() > 100);  // a large window shows a large design
        find<QAction>("mnuZoomOut")->trigger();
        QVERIFY(!find<QAction>("mnuFitToWindow")->isChecked());
        const int zoomed = view()->zoom().percent();
        m_window->resize(600, 400);
        QTRY_COMPARE(m_window->size(), QSize(600, 400));
        QCOMPARE(view()->zoom().percent(), zoomed);
    }

    // The offscreen screen is 800 x 600: smaller than the design.
    void opensWholeOnASmallScreenAndScrollsWhenShrunk() {
        const QRect available = m_window->screen()->availableGeometry();
        QVERIFY(available.height() < vorn::TrendsView::designSize().height() + 100);
        m_window->viewMenu()->fitToScreen();
        show();
        QVERIFY(view()->zoom().percent() < 100);
        QVERIFY(available.contains(m_window->frameGeometry()));
        QVERIFY(area()->viewport()->width() >= view()->width());
        QVERIFY(area()->viewport()->height() >= view()->height());

        // The design no longer sets the window's minimum size; the client area scrolls.
        QVERIFY(m_window->minimumSizeHint().width() < view()->width());
        m_window->resize(400, 300);
        QTRY_COMPARE(m_window->size(), QSize(400, 300));
        QVERIFY(area()->horizontalScrollBar()->maximum() > 0);
        QVERIFY(area()->verticalScrollBar()->maximum() > 0);
    }
};

QTEST_MAIN(ViewMenuTest)
#include "view_menu_test.moc"
