#include "qt/charts/offscreen_charts.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "qt/charts/chart_export.h"

namespace vorn {
namespace {

// Qt's notes about the headless platform (no runtime folder, no window sizes) would mix
// into the program's own messages; only its errors are passed on.
void passOnErrorsOnly(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "vorn-run: %s\n", message.toLocal8Bit().constData());
    }
}

}  // namespace

OffscreenCharts::OffscreenCharts() = default;
OffscreenCharts::~OffscreenCharts() = default;

bool OffscreenCharts::draw(const std::string& type, const ProjectionResult& projection,
                           const std::vector<std::string>& itemNames,
                           const std::string& spreadCaption, std::string* bytes,
                           std::string* error) {
    if (QApplication::instance() == nullptr) {
        // Charts are drawn into files, never on screen: the offscreen platform needs no
        // display, and a display that is named but out of reach would end the program.
        const char* platform = std::getenv("QT_QPA_PLATFORM");
        if (platform == nullptr || *platform == '\0') {
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
        }
        qInstallMessageHandler(passOnErrorsOnly);
        m_application = std::make_unique<QApplication>(m_argc, m_argv);
    }
    return drawChartFile(type, projection.levelTable, projection.contribTable,
                         projection.spreadTable, itemNames, projection.trendsCaption,
                         projection.contributionsCaption, spreadCaption, bytes, error);
}

}  // namespace vorn
