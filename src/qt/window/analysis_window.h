#pragma once

#include <QWidget>

#include "shell/analysis_views.h"

namespace vorn {

class ChartView;
class ElidedLabel;
class InfluenceChartView;
class SensitivityChartView;
class Trends;
class TrendsView;

/// A window of its own for one analysis of the main window (the Sensitivity or the
/// Influence Map): a title, a note and the chart, drawn from the window state's analyses.
/// While open it follows the main window's recalculations and zoom; closing it (also with
/// Escape or Ctrl+W) tells the window state, which then stops working the analysis out. The
/// chart takes the keyboard and is named by the title.
class AnalysisWindow : public QWidget {
    Q_OBJECT
  public:
    /// `view` is AnalysisView::Sensitivity or AnalysisView::InfluenceMap.
    AnalysisWindow(AnalysisView view, Trends& trends, TrendsView* mainView,
                   QWidget* parent = nullptr);

    AnalysisView view() const { return m_view; }
    /// Draws the analysis when it changed since it was last drawn.
    void refresh();

    ChartView* chart() const;
    SensitivityChartView* sensitivityChart() const { return m_sensitivity; }
    InfluenceChartView* influenceChart() const { return m_influence; }
    /// The whole title and note, as the window shows them (shortened when too long).
    QString title() const;
    QString note() const;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void applyZoom();
    void drawSensitivity();
    void drawInfluence();

    AnalysisView m_view;
    Trends& m_trends;
    TrendsView* m_mainView;
    ElidedLabel* m_title;
    ElidedLabel* m_note;
    SensitivityChartView* m_sensitivity = nullptr;
    InfluenceChartView* m_influence = nullptr;
    unsigned long m_shownRevision = 0;
    bool m_drawn = false;
};

}  // namespace vorn
