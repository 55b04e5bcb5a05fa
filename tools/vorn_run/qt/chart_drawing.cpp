#include "vorn_run/qt/chart_drawing.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "charts/qt/chart_export.h"

namespace vorn::batch {
namespace {

// Qt's notes about the headless platform (no runtime folder, no window sizes) would mix
// into the program's own messages; only its errors are passed on.
void passOnErrorsOnly(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "vorn-run: %s\n", message.toLocal8Bit().constData());
    }
}

}  // namespace

ChartDrawing::ChartDrawing() = default;
ChartDrawing::~ChartDrawing() = default;

bool ChartDrawing::draw(const std::string& path, const BatchResult& result, std::string* error) {
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
    const ProjectionResult& projection = result.projection;
    return exportCharts(path, projection.levelTable, projection.contribTable,
                        projection.spreadTable, result.itemNames, projection.trendsCaption,
                        projection.contributionsCaption, result.spreadCaption, error);
}

}  // namespace vorn::batch
