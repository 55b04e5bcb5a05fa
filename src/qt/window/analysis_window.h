#pragma once

#include <QWidget>

#include "shell/analysis_views.h"

class QRadioButton;
class QToolButton;
class QTreeWidget;
class QVBoxLayout;

namespace vorn {

class ChartView;
class ElidedLabel;
class InfluenceChartView;
class LoopDiagramView;
class SensitivityChartView;
class Trends;
class TrendsView;

/// A window of its own for one analysis of the main window (the Sensitivity, the Influence
/// Map with its choice of direct or indirect totals, or the Loop Diagram beside its list of
/// loops): a title, a note and the chart, drawn from the window state's analyses.
/// While open it follows the main window's recalculations and zoom; closing it (also with
/// Escape or Ctrl+W) tells the window state, which then stops working the analysis out. The
/// chart (or the diagram) takes the keyboard and is named by the title.
///
/// While the main window shows its presentation layout, an open analysis window stands in a
/// side panel of that layout instead of over it, with a button to close it; it becomes a window
/// of its own again, where it was, when the layout is turned off.
class AnalysisWindow : public QWidget {
    Q_OBJECT
  public:
    /// `view` is AnalysisView::Sensitivity, InfluenceMap or LoopDiagram.
    AnalysisWindow(AnalysisView view, Trends& trends, TrendsView* mainView,
                   QWidget* parent = nullptr);

    AnalysisView view() const { return m_view; }
    /// Draws the analysis when it changed since it was last drawn.
    void refresh();

    /// The chart of the Sensitivity or the Influence Map; null for the Loop Diagram.
    ChartView* chart() const;
    /// The widget that takes the keyboard and bears the window's name: the chart, or the
    /// Loop Diagram's diagram.
    QWidget* keyboardTarget() const;
    SensitivityChartView* sensitivityChart() const { return m_sensitivity; }
    InfluenceChartView* influenceChart() const { return m_influence; }
    LoopDiagramView* loopDiagram() const { return m_diagram; }
    QTreeWidget* loopList() const { return m_loopList; }
    /// The whole title and note, as the window shows them (shortened when too long).
    QString title() const;
    QString note() const;

    /// True while it stands in a side panel of the main window.
    bool docked() const { return m_docked; }

    void setVisible(bool visible) override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void applyZoom();
    /// Into a side panel of the main window, or back to a window of its own.
    void dock();
    void undock();
    void followPresentation(bool on);
    /// The Loop Diagram beside its list of loops, or above it; halves either way.
    void arrangeLoops(Qt::Orientation orientation);
    void setCloseKeysContext(Qt::ShortcutContext context);
    void drawSensitivity();
    void drawInfluence();
    void drawLoops();
    void buildInfluenceChoice(QVBoxLayout* layout);
    void buildLoops(QVBoxLayout* layout);
    void fillLoopList();
    void fitLoopColumns();
    /// A click on the diagram's arrow or node: that Trend Matrix cell, as a first click.
    void selectTrendCell(int row, int column);

    AnalysisView m_view;
    Trends& m_trends;
    TrendsView* m_mainView;
    ElidedLabel* m_title;
    ElidedLabel* m_note;
    SensitivityChartView* m_sensitivity = nullptr;
    InfluenceChartView* m_influence = nullptr;
    QRadioButton* m_direct = nullptr;
    QRadioButton* m_indirect = nullptr;
    LoopDiagramView* m_diagram = nullptr;
    QTreeWidget* m_loopList = nullptr;
    unsigned long m_shownRevision = 0;
    bool m_drawn = false;
    QToolButton* m_close;
    QWidget* m_windowParent;
    QRect m_windowGeometry;
    bool m_docked = false;
    bool m_placedAsWindow = false;  // shown as a window of its own at least once
};

}  // namespace vorn
