#pragma once

#include "qt/window/reading_window.h"
#include "shell/controls.h"

namespace vorn {

class Trends;
class TrendsView;

/// View > Chart Data: the numbers behind the three charts, one tab each ("Scenario Trends",
/// "Contributions", "Spread"), as tables a screen reader reads. It opens on the chart in front
/// and follows every recalculation while it is shown.
class ChartDataWindow : public ReadingWindow {
    Q_OBJECT
  public:
    ChartDataWindow(Trends& trends, TrendsView* view, QWidget* parent = nullptr);

    /// Shows the window (again) on the page of the chart in front.
    void open();
    /// The page that shows `chart`.
    static int pageOf(Control chart);

  private:
    void refresh();

    Trends& m_trends;
    unsigned long m_shownProjection = 0;
    unsigned long m_shownComparison = 0;
    bool m_filled = false;
};

}  // namespace vorn
