#include <QApplication>
#include <string>
#include <vector>

#include "qt/charts/chart_view.h"
#include "qt/window/main_window.h"
#include "qt/window/qt_platform.h"
#include "qt/window/trends_view.h"
#include "qt/window/view_menu.h"
#include "scenario_files/start_up_file.h"
#include "shell/trends.h"

namespace {

// The names on the command line once QApplication has taken its own options (-platform,
// -style...) out of argv: byte for byte as the file system spells them, whether or not they
// are text in the locale's encoding.
std::vector<std::string> fileArguments(int argc, char** argv) {
    return {argv + 1, argv + argc};
}

}  // namespace

int main(int argc, char** argv) {
    vorn::ChartView::reuseLargeBuffers();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vorn"));
    QApplication::setApplicationVersion(QStringLiteral(VORN_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("io.github.vorn.vorn"));

    vorn::QtPlatform platform;
    vorn::Trends trends(platform);
    vorn::MainWindow window(trends);
    platform.setWindow(&window);
    trends.Form_Load();
    window.view()->refresh();
    window.viewMenu()->fitToScreen();
    window.show();
    // Opened once the window is up, so that a message about a bad file stands in front of it.
    const std::vector<std::string> names = fileArguments(argc, argv);
    window.view()->run([&trends, &names] { vorn::openStartUpFile(trends, names); });
    return app.exec();
}
