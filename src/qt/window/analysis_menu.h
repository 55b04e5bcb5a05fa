#pragma once

#include <QMenu>
#include <QPointer>
#include <array>

#include "shell/analysis_views.h"

namespace vorn {

class AnalysisWindow;
class Trends;
class TrendsView;

/// The Analysis menu: "Sensitivity", "Influence Map" and "Loop Diagram" each open a window of
/// their own beside the main window; one of each, raised when it is already open.
class AnalysisMenu : public QMenu {
    Q_OBJECT
  public:
    AnalysisMenu(Trends& trends, TrendsView* view, QWidget* parent = nullptr);

    /// The window of `view` once it has been opened, else null.
    AnalysisWindow* window(AnalysisView view) const;

  private:
    void open(AnalysisView view);

    Trends& m_trends;
    TrendsView* m_view;
    std::array<QPointer<AnalysisWindow>, 3> m_windows;
};

}  // namespace vorn
