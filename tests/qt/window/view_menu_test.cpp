// The View menu: zooming scales the whole design and nothing else, Fit to Window follows
// the window, and the window opens whole on a small screen.

#include <QAction>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

#include "qt/window/view_menu.h"
#include "support/window_fixture.h"

using vorn::Control;
using vorn::Zoom;

class ViewMenuTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<vorn::testing::WindowFixture<>> m;

    vorn::TrendsView* view() const { return m->view(); }
    QScrollArea* area() const { return m->find<QScrollArea>("ClientArea"); }

    /// Everything a user could read or edit, and the recalculations so far.
    QStringList contents() const {
        QStringList all;
        for (const vorn::CellTable* table :
             {&m->trends.MSFlexXImpact(), &m->trends.MSFlexTotals(), &m->trends.MSFlexPolicy()}) {
            all << QString::number(table->revision());
        }
        for (vorn::TextBox* box : m->window.findChildren<vorn::TextBox*>()) {
            all << box->toPlainText();
        }
        all << QString::number(m->trends.projectionCount());
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
        auto* trend = m->grid("MSFlexXImpact");
        QCOMPARE(trend->columnWidth(1), zoom.pixels(944));
        QCOMPARE(trend->rowHeight(1),
                 std::max(zoom.pixels(240), trend->fontMetrics().height() + 2));
    }

  private slots:
    void init() {
        m = std::make_unique<vorn::testing::WindowFixture<>>(4);
        m->startUp();
    }
    void cleanup() { m.reset(); }

    void zoomScalesTheWholeDesignAndNothingElse() {
        QVERIFY(m->show(true));
        const QStringList before = contents();
        const QStringList menus = [this] {
            QStringList titles;
            for (QAction* menu : m->window.menuBar()->actions()) {
                titles << menu->text();
            }
            return titles;
        }();
        QCOMPARE(menus, QStringList({"&File", "&Edit", "&View", "&Analysis", "&Help"}));
        expectDesignAt(100);

        QTest::keyClick(&m->window, Qt::Key_Equal, Qt::ControlModifier);
        expectDesignAt(110);
        QTest::keyClick(&m->window, Qt::Key_Minus, Qt::ControlModifier);
        QTest::keyClick(&m->window, Qt::Key_Minus, Qt::ControlModifier);
        expectDesignAt(90);
        QTest::keyClick(&m->window, Qt::Key_0, Qt::ControlModifier);
        expectDesignAt(100);
        m->trigger("mnuZoomIn");
        expectDesignAt(110);
        QCOMPARE(contents(), before);

        m->window.viewMenu()->setZoom(Zoom(200));
        expectDesignAt(200);
        QVERIFY(!m->find<QAction>("mnuZoomIn")->isEnabled());
        m->trigger("mnuZoomOut");
        expectDesignAt(175);
        QVERIFY(m->find<QAction>("mnuZoomIn")->isEnabled());
        QCOMPARE(contents(), before);
    }

    void fitToWindowFollowsTheWindowSize() {
        QVERIFY(m->show(true));
        m->trigger("mnuFitToWindow");
        for (const QSize size : {QSize(700, 500), QSize(1200, 500), QSize(1500, 1200)}) {
            m->window.resize(size);
            QTRY_COMPARE(m->window.size(), size);
            const QSize room = area()->maximumViewportSize();
            const Zoom fitted = Zoom::toFit({room.width(), room.height()}, {});
            QTRY_COMPARE(view()->zoom().percent(), fitted.percent());
            expectDesignAt(fitted.percent());
            QVERIFY(view()->width() <= room.width() && view()->height() <= room.height());
        }
        QVERIFY(view()->zoom().percent() > 100);  // a large window shows a large design
        m->trigger("mnuZoomOut");
        QVERIFY(!m->find<QAction>("mnuFitToWindow")->isChecked());
        const int zoomed = view()->zoom().percent();
        m->window.resize(600, 400);
        QTRY_COMPARE(m->window.size(), QSize(600, 400));
        QCOMPARE(view()->zoom().percent(), zoomed);
    }

    // The offscreen screen is 800 x 600: smaller than the design.
    void opensWholeOnASmallScreenAndScrollsWhenShrunk() {
        const QRect available = m->window.screen()->availableGeometry();
        QVERIFY(available.height() < vorn::TrendsView::designSize().height() + 100);
        m->window.viewMenu()->fitToScreen();
        QVERIFY(m->show(true));
        QVERIFY(view()->zoom().percent() < 100);
        QVERIFY(available.contains(m->window.frameGeometry()));
        QVERIFY(area()->viewport()->width() >= view()->width());
        QVERIFY(area()->viewport()->height() >= view()->height());

        // The design no longer sets the window's minimum size; the client area scrolls.
        QVERIFY(m->window.minimumSizeHint().width() < view()->width());
        m->window.resize(400, 300);
        QTRY_COMPARE(m->window.size(), QSize(400, 300));
        QVERIFY(area()->horizontalScrollBar()->maximum() > 0);
        QVERIFY(area()->verticalScrollBar()->maximum() > 0);
    }
};

QTEST_MAIN(ViewMenuTest)
#include "view_menu_test.moc"
