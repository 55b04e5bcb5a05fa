#pragma once

#include <memory>
#include <string>
#include <vector>

#include "projection/projection.h"

class QApplication;

namespace vorn {

/// Draws the three charts of a projection as the window draws them, for a program without a
/// window. The Qt application they need is created at the first drawing,
/// on the offscreen platform unless QT_QPA_PLATFORM names another, and lives as long as
/// this object.
class OffscreenCharts {
  public:
    OffscreenCharts();
    ~OffscreenCharts();

    /// Draws the charts as the bytes of a file of `type` ("png", "svg" or "pdf").
    bool draw(const std::string& type, const ProjectionResult& projection,
              const std::vector<std::string>& itemNames, const std::string& spreadCaption,
              std::string* bytes, std::string* error);

  private:
    int m_argc = 1;
    char m_name[9] = "vorn-run";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_application;
};

}  // namespace vorn
