#include <QApplication>

#include "shell/qt/main_window.h"
#include "shell/qt/qt_platform.h"
#include "shell/qt/trends_view.h"
#include "shell/qt/view_menu.h"
#include "shell/trends.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vorn"));
    QApplication::setDesktopFileName(QStringLiteral("vorn"));

    vorn::QtPlatform platform;
    vorn::Trends trends(platform);
    vorn::MainWindow window(trends);
    platform.setWindow(&window);
    trends.Form_Load();
    window.view()->refresh();
    window.viewMenu()->fitToScreen();
    window.show();
    return app.exec();
}
