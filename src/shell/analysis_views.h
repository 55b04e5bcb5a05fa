#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "projection/feedback_loops.h"
#include "projection/influence_map.h"
#include "projection/projection.h"
#include "projection/random_source.h"
#include "projection/sensitivity.h"
#include "projection/uncertainty_bands.h"

namespace vorn {

/// The analyses the window can show beside its three charts.
enum class AnalysisView {
    Bands,         // View > Uncertainty Bands, in the Spread chart
    Sensitivity,   // Analysis > Sensitivity, a window of its own
    InfluenceMap,  // Analysis > Influence Map, a window of its own
    LoopDiagram,   // Analysis > Loop Diagram, a window of its own
};

/// What an analysis shows when there is nothing to show.
inline constexpr std::string_view kNoItemsText = "No items";

/// The analyses of the window and when each is worked out: only while it is shown, at once
/// when it is turned on or opened and then after every recalculation, from the numbers and
/// settings that recalculation read. The bands, the costliest, wait while the Spread chart
/// is behind the Scenario Trends chart, until they are drawn or exported.
/// They come from runs of their own with a random source of their own, so the window's runs
/// and everything they leave stay as they are; while the window holds its draws, the bands'
/// runs draw as the window's runs of the same numbers do.
class AnalysisViews {
  public:
    /// `bandRandom` draws the fluctuations of the bands' `bandRuns` runs.
    explicit AnalysisViews(RandomSource bandRandom, int bandRuns = kBandRuns);

    bool shown(AnalysisView view) const;
    /// Held draws: while `seed` is given, the bands draw counter-based from it, as the
    /// window's runs do, else from their own source. Takes effect at the next working out.
    void holdDraws(std::optional<std::uint64_t> seed) { m_heldSeed = seed; }
    /// Shows or hides `view`; shown, it is worked out from `input` at once.
    void setShown(AnalysisView view, bool shown, const ProjectionInput& input);
    /// After every recalculation: works out again, from `input`, what is shown; the bands
    /// only when `bandsInSight` (the Spread chart is in front), else they are left pending.
    void recalculated(const ProjectionInput& input, bool bandsInSight);
    /// Works out pending bands from `input`, the last recalculation's.
    void workOutPendingBands(const ProjectionInput& input);
    /// True while the bands are on but not yet worked out for the last recalculation.
    bool bandsPending() const { return m_bandsPending; }
    /// Counts the changes of what `view` shows; lets a view skip redrawing.
    unsigned long revision(AnalysisView view) const;

    /// The bands of the tracked item (`lastc2`, else item 1); empty while off, pending or
    /// without items.
    const UncertaintyBands& bands() const { return m_bands; }
    /// The legend entries of the outer band, the inner band and the median:
    /// "5-95 % of 1000 runs", "25-75 %", "Median".
    std::array<std::string, 3> bandNames() const;

    /// The effect of every Trend Matrix entry on the tracked item's horizon level; empty
    /// while the window is closed.
    const Sensitivity& sensitivity() const { return m_sensitivity; }
    /// The bars of the Sensitivity window: the ten entries of largest finite effect, largest
    /// first, leaving out those without effect.
    std::vector<SensitivityEntry> sensitivityBars() const;
    /// "Sensitivity of the level of Food in 2040", with " (with Policies)" when they apply.
    std::string sensitivityTitle() const;
    /// What the bars show, or why there are none: "No items" and so on.
    std::string sensitivityNote() const;
    /// "Change of the level of Food in 2040 (2000 = 1)".
    std::string sensitivityAxisTitle() const;
    /// Legend entries of the bars by sign: raising the entry raises, or lowers, the level.
    std::array<std::string, 2> sensitivitySignNames() const;

    /// Influence and dependence of every item; empty while the window is closed.
    const InfluenceMap& influence() const { return m_influence; }
    std::string influenceTitle() const;
    /// Why there are no points, or which items are left out: "No items" and so on.
    std::string influenceNote() const;
    std::string influenceAxisTitle() const;   // horizontal: influence
    std::string dependenceAxisTitle() const;  // vertical: dependence
    /// Whether the Influence Map shows the totals through chains ("Indirect") rather than
    /// the direct ones ("Direct"); the window's choice, kept while the program runs.
    bool indirectInfluence() const { return m_indirectInfluence; }
    void setIndirectInfluence(bool indirect);
    /// The choice's two names: "Direct", "Indirect".
    std::array<std::string, 2> influenceModeNames() const;
    /// The totals the Influence Map shows of `item`: direct or indirect, as chosen.
    double shownInfluence(const InfluenceItem& item) const;
    double shownDependence(const InfluenceItem& item) const;
    /// Whether the map marks `item`: shown indirectly, it ranks otherwise than directly.
    bool influenceMarked(const InfluenceItem& item) const;
    /// What hovering `item` adds to its totals while shown indirectly: its ranks, directly
    /// and through chains; empty while shown directly.
    std::string influenceRankText(const InfluenceItem& item) const;

    /// The arrows of the Trend Matrix (with the Policy Matrix while it applies) and their
    /// feedback loops; empty while the window is closed.
    const LoopDiagram& loops() const { return m_loops; }
    /// "Loop Diagram: the feedback loops of the Trend Matrix", with " (with Policies)".
    std::string loopTitle() const;
    /// "No items", or how complete the list of loops is.
    std::string loopNote() const;
    /// The own growth that node `item` (from 0) shows, to three significant digits with its
    /// sign ("+2", "-0.25"); empty when it is 0.
    std::string loopNodeMark(int item) const;
    /// The key of the arrows by sign: raising and lowering.
    std::array<std::string, 2> loopSignNames() const;
    /// The heads of the list's columns: "Loop", "Kind", "Length", "Strength", "Items".
    std::array<std::string, 5> loopColumnNames() const;
    /// The texts of loop `index` in the list, by those columns.
    std::array<std::string, 5> loopRow(int index) const;
    /// The loop selected in the list, as an index into loops().search.loops; -1 for none. A
    /// selected loop stays selected through recalculations while it is a listed loop.
    int selectedLoop() const;
    /// Selects loop `index`; any other index selects none.
    void selectLoop(int index);

  private:
    /// Works `view` out; `shownNow` when it has just been shown, else after a recalculation.
    void compute(AnalysisView view, const ProjectionInput& input, bool shownNow);
    std::string trackedName() const;

    RandomSource m_bandRandom;
    std::optional<std::uint64_t> m_heldSeed;
    int m_bandRuns;
    bool m_bandsPending = false;
    std::array<bool, 4> m_shown{};
    std::array<unsigned long, 4> m_revisions{};
    UncertaintyBands m_bands;
    Sensitivity m_sensitivity;
    bool m_sensitivityWithPolicies = false;
    InfluenceMap m_influence;
    bool m_indirectInfluence = false;
    LoopDiagram m_loops;
    std::vector<int> m_selectedLoop;  // the items of the selected loop; empty: none
};

}  // namespace vorn
