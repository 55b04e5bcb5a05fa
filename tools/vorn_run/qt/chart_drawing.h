#pragma once

#include <memory>
#include <string>

#include "vorn_run/batch_run.h"

class QApplication;

namespace vorn::batch {

/// Draws the three charts of a result into image files as the window draws them. The Qt
/// application they need is created at the first drawing, on the offscreen platform unless
/// QT_QPA_PLATFORM names another, and lives as long as this object.
class ChartDrawing {
  public:
    ChartDrawing();
    ~ChartDrawing();

    bool draw(const std::string& path, const BatchResult& result, std::string* error);

  private:
    int m_argc = 1;
    char m_name[9] = "vorn-run";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_application;
};

}  // namespace vorn::batch
