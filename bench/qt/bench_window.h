#pragma once

#include <QApplication>

#include "qt/window/main_window.h"
#include "qt/window/trends_view.h"
#include "scenario_fill.h"
#include "shell/trends.h"
#include "silent_platform.h"

namespace vorn::bench {

/// The window showing the benchmarks' scenario of `items` items, recalculated with `runs`
/// runs and painted once.
struct BenchWindow {
    BenchWindow(int items, int runs) : trends(platform, RandomSource(5)), window(trends) {
        trends.Form_Load();
        trends.tables = denseTables(items);
        trends.cats = ItemCount::number(items);
        trends.iter = runs;
        trends.lastc2 = 1;
        trends.YearbyYear(trends.cats);
        window.view()->refresh();
        window.show();
        QApplication::processEvents();
    }
    SilentPlatform platform;
    Trends trends;
    MainWindow window;
};

}  // namespace vorn::bench
