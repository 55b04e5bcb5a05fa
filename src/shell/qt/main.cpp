#include <QApplication>
#include <QLabel>

#include "shell/controls.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("The window is being built."));
    label.setWindowTitle(QString::fromUtf8(vorn::kWindowTitle.data(), vorn::kWindowTitle.size()));
    label.show();
    return app.exec();
}
