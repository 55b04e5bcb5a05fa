#include <QApplication>
#include <QFile>
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

// The arguments QApplication left over once it took its own (-platform, -style...), as the
// file system spells the names.
std::vector<std::string> fileArguments() {
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    std::vector<std::string> names;
    for (const QString& argument : arguments) {
        names.push_back(QFile::encodeName(argument).toStdString());
    }
    return names;
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
    window.view()->run([&trends] { vorn::openStartUpFile(trends, fileArguments()); });
    return app.exec();
}
