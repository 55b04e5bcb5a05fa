#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "charts/chart_table.h"
#include "projection/projection.h"
#include "projection/random_source.h"
#include "shell/analysis_views.h"
#include "shell/controls.h"
#include "shell/edit_history.h"
#include "shell/platform.h"
#include "shell/run_comparison.h"
#include "shell/series_highlight.h"
#include "tables/item_count.h"
#include "tables/scenario_tables.h"

namespace vorn {

/// The main window's state and its procedures, free of any toolkit: the three tables, the
/// window-level values, the texts of the text boxes and labels, the slider positions, the
/// chart data and the front-to-back order of the controls. A view draws this state and
/// forwards the user's events to the handlers; nothing it shows is decided elsewhere.
class Trends {
  public:
    explicit Trends(Platform& platform, RandomSource random = RandomSource());

    Trends(const Trends&) = delete;
    Trends& operator=(const Trends&) = delete;

    // --- The scenario tables -------------------------------------------------------------
    ScenarioTables tables;
    CellTable& MSFlexXImpact() { return tables.trend; }
    CellTable& MSFlexTotals() { return tables.totals; }
    CellTable& MSFlexPolicy() { return tables.policy; }
    const CellTable& MSFlexXImpact() const { return tables.trend; }
    const CellTable& MSFlexTotals() const { return tables.totals; }
    const CellTable& MSFlexPolicy() const { return tables.policy; }
    /// The table behind a grid control: MSFlexXImpact, MSFlexPolicy or MSFlexTotals (any
    /// other control gives the Totals table).
    CellTable& gridTable(Control grid);
    const CellTable& gridTable(Control grid) const;

    // --- Window-level values (an unset value reads as 0) ----------------------------------
    ItemCount cats = ItemCount::number(0);
    double inc = 0;
    int Policy = 0;
    int iter = 0;
    int lastr1 = 0, lastc1 = 0;
    int lastr2 = 0, lastc2 = 0;
    int lastr3 = 0, lastc3 = 0;
    double BaseColor = 0;
    double OtherColor = 0;
    double NewColor = 0;
    double ColorShift = 0;
    double Shade = 0;

    // --- Start-up, Clear, menus -----------------------------------------------------------
    /// Runs once before the window is first shown.
    void Form_Load();
    /// Builds the blank eight-item scenario and recalculates.
    void initialize();
    /// File > Clear: the blank scenario, as one undoable step.
    void mnuClear_Click();
    void HelpOveview_Click() { bringToFront(Control::Overview); }
    void HelpInstructions_Click() { bringToFront(Control::Instruction); }
    void HelpAbout_Click() { bringToFront(Control::About); }
    void Overviews();
    void Instructions();

    // --- Undo and redo ---------------------------------------------------------------------
    /// Runs `change` as one undoable step named `name`; a change that leaves the tables and
    /// `cats` as they were makes no step, and one that throws is rolled back. A step run
    /// inside another becomes part of it.
    void recordStep(std::string_view name, const std::function<void()>& change);
    /// Edit > Undo and Edit > Redo: the tables and `cats` as they were before (after) the
    /// step, then the recalculation; the values that steer clicks stay. With nothing to undo
    /// (redo) nothing happens.
    void mnuUndo_Click();
    void mnuRedo_Click();
    const EditHistory& history() const { return m_history; }
    /// True when the scenario differs from the one last opened, saved or started with.
    bool isModified() const { return !m_history.isClean(); }
    /// The scenario in the window now matches a file.
    void markClean() { m_history.setClean(); }

    // --- Sliders ---------------------------------------------------------------------------
    int sliderValue(Control slider) const;
    /// The sliders' change handlers; each first takes the slider's new position.
    void HScrollLags_Change(int position);
    void HScrollTime_Change(int position);
    void HScrollUncert_Change(int position);

    // --- Text boxes and labels -------------------------------------------------------------
    const std::string& text(Control control) const;
    /// Sets the text of a text box or label, by the program or the user, and runs the box's
    /// change handler.
    void setText(Control control, std::string text);
    int width(Control control) const;
    void setWidth(Control control, int twips);
    bool hintsBorder() const { return m_hintsBorder; }

    // --- Stacking --------------------------------------------------------------------------
    void bringToFront(Control control);
    /// Front-to-back order of every control.
    const std::vector<Control>& stacking() const { return m_stacking; }
    /// True when `a` lies above `b`.
    bool isAbove(Control a, Control b) const;
    /// The chart brought forward last by a click or a key on a chart or table, or by the
    /// twenty runs; the Scenario Trends chart before any. The Contributions chart that every
    /// recalculation brings forward with the Scenario Trends caption does not count.
    Control chartForward() const { return m_chartForward; }

    // --- The projection and the charts ----------------------------------------------------
    /// Recalculates everything from the tables and sliders and redraws the charts. The item
    /// count is taken from the Trend Matrix; `cats` is a copy and never changes the window's.
    void YearbyYear(ItemCount cats);
    const ChartTable& chartData(Control chart) const;
    /// The numbers behind the charts of the last recalculation.
    const ProjectionNumbers& lastProjection() const { return m_lastProjection; }
    /// The numbers and settings the last recalculation read from the tables and sliders; the
    /// analyses (bands, sensitivity, influence map) start from them.
    const ProjectionInput& lastInput() const { return m_lastInput; }
    /// Counts recalculations; lets a view skip redrawing unchanged charts.
    unsigned long projectionCount() const { return m_projectionCount; }

    // --- The analyses ----------------------------------------------------------------------
    /// View > Uncertainty Bands: turns the bands of the Spread chart on or off, worked out
    /// from the last recalculation without recalculating.
    void mnuUncertaintyBands_Click();
    /// Analysis > Sensitivity and Analysis > Influence Map: the window is shown (again).
    void mnuSensitivity_Click();
    void mnuInfluenceMap_Click();
    /// Analysis > Loop Diagram: the window is shown (again).
    void mnuLoopDiagram_Click();
    /// The Influence Map's choice of "Direct" or "Indirect" totals; nothing is recalculated.
    void influenceModeChosen(bool indirect) { m_analyses.setIndirectInfluence(indirect); }
    /// A loop selected in the Loop Diagram's list (-1: none), to be highlighted.
    void loopSelected(int index) { m_analyses.selectLoop(index); }
    /// The window of `view` was closed: it is no longer worked out.
    void analysisClosed(AnalysisView view);
    const AnalysisViews& analyses() const { return m_analyses; }
    /// Works out the bands left pending while the Spread chart was behind, as drawing or
    /// exporting them needs.
    void workOutPendingAnalyses() { m_analyses.workOutPendingBands(m_lastInput); }

    // --- Comparing runs ----------------------------------------------------------------------
    /// View > Hold Random Draws: holds the draws (those held before, else new ones) or lets
    /// them go, then recalculates.
    void mnuHoldRandomDraws_Click();
    /// View > New Random Draws: new draws, held from now on; recalculates.
    void mnuNewRandomDraws_Click();
    /// View > Set Reference: keeps the levels of the last recalculation as the reference.
    void mnuSetReference_Click();
    /// View > Clear Reference: drops the reference.
    void mnuClearReference_Click();
    /// View > Show Trends Without Policies: on, it recalculates, so that the projections with
    /// and without the policies draw alike; off, it only hides.
    void mnuTrendsWithoutPolicies_Click();
    const RunComparison& comparison() const { return m_comparison; }
    /// The comparison lines the Scenario Trends chart draws behind its lines now.
    std::vector<ComparisonLines> comparisonLines() const;
    // --- Highlighting a series ----------------------------------------------------------------
    /// A click on the legend entry of `series` (counted from 0 in the chart's rows) of `chart`:
    /// its item, the fluctuations or its run is highlighted in every chart, or no longer when
    /// it was. Changes nothing else.
    void legendEntry_Click(Control chart, int series);
    /// The arrow keys on a chart: the next or previous of its series is highlighted.
    void stepHighlight(Control chart, bool forward);
    void clearHighlight() { m_highlight.clear(); }
    const SeriesHighlight& highlight() const { return m_highlight; }
    /// How `chart` draws `series`: highlighted, faded behind the highlighted one, or as usual.
    SeriesEmphasis seriesEmphasis(Control chart, int series) const;
    /// How many series `chart` shows: its items, the items and the fluctuations, its runs.
    int seriesCount(Control chart) const;

    Platform& platform() { return m_platform; }
    RandomSource& random() { return m_random; }

    /// Paints a cell the way the blank scenario does: makes it current, then colours it.
    static void paint(CellTable& table, int row, int column, Rgb color);

  private:
    void runChangeHandler(Control control);
    /// Puts `control` above every other control.
    void stackOnTop(Control control);
    /// The items the last recalculation projected.
    int chartItems() const;

    Platform& m_platform;
    RandomSource m_random;
    AnalysisViews m_analyses;
    RunComparison m_comparison;
    std::array<std::string, kControlCount> m_texts;
    std::array<int, kControlCount> m_widths;
    std::array<int, 3> m_sliders;  // time, uncertainty, increment
    std::vector<Control> m_stacking;
    Control m_chartForward = Control::mscTrends;
    SeriesHighlight m_highlight;
    bool m_hintsBorder = false;
    ChartTable m_trendsData;
    ChartTable m_contribData;
    ChartTable m_spreadData;
    ProjectionNumbers m_lastProjection;
    ProjectionInput m_lastInput;
    unsigned long m_projectionCount = 0;
    EditHistory m_history;
    int m_openSteps = 0;
};

}  // namespace vorn
