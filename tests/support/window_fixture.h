#pragma once

// The real window for the window tests: its state, the window itself and the platform that
// answers its dialogs, made afresh for each test.

#include <QAction>
#include <QtTest>
#include <memory>

#include "qt/window/grid_view.h"
#include "qt/window/main_window.h"
#include "qt/window/text_box.h"
#include "qt/window/trends_view.h"
#include "shell/trends.h"
#include "support/scripted_platform.h"

namespace vorn::testing {

/// `PlatformType` answers the dialogs: the scripted double, or the real dialogs
/// (`QtPlatform`), which are then given the window as their parent.
template <typename PlatformType = ScriptedPlatform>
class WindowFixture {
  public:
    explicit WindowFixture(unsigned seed) : trends(platform, RandomSource(seed)), window(trends) {
        if constexpr (requires(PlatformType & p, QWidget * w) { p.setWindow(w); }) {
            platform.setWindow(&window);
        }
    }

    /// Start-up as the program runs it, the client area brought up to date; not shown yet.
    void startUp() {
        trends.Form_Load();
        window.view()->refresh();
    }
    /// Shows the window and waits until it is on screen; `active`: until it has the keyboard.
    [[nodiscard]] bool show(bool active = false) {
        window.show();
        if (!active) {
            return QTest::qWaitForWindowExposed(&window);
        }
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }
    [[nodiscard]] bool start(bool active = false) {
        startUp();
        return show(active);
    }

    /// The control or menu entry named `name`; a test without it cannot go on.
    template <typename T = QWidget>
    T* find(const char* name) const {
        T* found = window.findChild<T*>(QString::fromLatin1(name));
        if (found == nullptr) {
            qFatal("no control named %s", name);
        }
        return found;
    }
    TrendsView* view() const { return window.view(); }
    GridView* grid(const char* name) const { return find<GridView>(name); }
    QString cell(const char* grid, int row, int column, int role = Qt::DisplayRole) const {
        const QVariant data = find<GridView>(grid)->model()->index(row, column).data(role);
        return role == Qt::BackgroundRole ? data.value<QBrush>().color().name() : data.toString();
    }
    QString boxText(const char* name) const { return find<TextBox>(name)->toPlainText(); }

    /// A click on cell (row, column) of a grid, through the widget as a user makes it.
    void click(const char* grid, int row, int column, Qt::MouseButton button = Qt::LeftButton) {
        GridView* view = find<GridView>(grid);
        const QRect cell = view->cellRect(row, column);
        QVERIFY2(!cell.isEmpty(), "the cell is not shown");
        QTest::mouseClick(view->viewport(), button, {}, cell.center());
    }
    /// Adds `count` items with clicks on the Trend Matrix's top-left cell.
    void addItems(int count) {
        for (int i = 0; i < count; ++i) {
            click("MSFlexXImpact", 0, 0);
        }
    }
    void trigger(const char* action) { find<QAction>(action)->trigger(); }

    PlatformType platform;
    Trends trends;
    MainWindow window;
};

}  // namespace vorn::testing
