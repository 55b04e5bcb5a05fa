#include "shell/analysis_views.h"

#include <cmath>

#include "tables/number_text.h"

namespace vorn {
namespace {

std::size_t slot(AnalysisView view) {
    return static_cast<std::size_t>(view);
}

// Whether two maps place the same items alike; not-a-number totals count as alike.
bool sameMap(const InfluenceMap& a, const InfluenceMap& b) {
    const auto same = [](double x, double y) { return x == y || (std::isnan(x) && std::isnan(y)); };
    if (a.items.size() != b.items.size() || !same(a.meanInfluence, b.meanInfluence) ||
        !same(a.meanDependence, b.meanDependence) || a.indirectPower != b.indirectPower ||
        a.indirectPeriod != b.indirectPeriod || a.indirectSettled != b.indirectSettled) {
        return false;
    }
    for (std::size_t i = 0; i < a.items.size(); ++i) {
        const InfluenceItem& x = a.items[i];
        const InfluenceItem& y = b.items[i];
        if (x.name != y.name || !same(x.influence, y.influence) ||
            !same(x.dependence, y.dependence) || x.quadrant != y.quadrant ||
            !same(x.indirectInfluence, y.indirectInfluence) ||
            !same(x.indirectDependence, y.indirectDependence) ||
            x.indirectQuadrant != y.indirectQuadrant ||
            x.indirectInfluenceRank != y.indirectInfluenceRank ||
            x.indirectDependenceRank != y.indirectDependenceRank) {
            return false;
        }
    }
    return true;
}

// `value` rounded to `digits` significant digits, as a number text: 0.7071 for sqrt(0.5).
std::string significantText(double value, int digits) {
    if (value == 0 || !std::isfinite(value)) {
        return numberText(value);
    }
    const double scale =
        std::pow(10.0, digits - 1 - static_cast<int>(std::floor(std::log10(std::abs(value)))));
    const double rounded = std::round(value * scale) / scale;
    return numberText(std::isfinite(rounded) ? rounded : value);
}

// "1st".."20th".
std::string ordinal(int rank) {
    const int lastTwo = rank % 100;
    const int last = rank % 10;
    const char* suffix = (lastTwo >= 11 && lastTwo <= 13) ? "th"
                         : last == 1                      ? "st"
                         : last == 2                      ? "nd"
                         : last == 3                      ? "rd"
                                                          : "th";
    return std::to_string(rank) + suffix;
}

}  // namespace

AnalysisViews::AnalysisViews(RandomSource bandRandom, int bandRuns)
    : m_bandRandom(std::move(bandRandom)), m_bandRuns(bandRuns) {}

bool AnalysisViews::shown(AnalysisView view) const {
    return m_shown[slot(view)];
}

unsigned long AnalysisViews::revision(AnalysisView view) const {
    return m_revisions[slot(view)];
}

void AnalysisViews::setShown(AnalysisView view, bool shown, const ProjectionInput& input) {
    if (m_shown[slot(view)] == shown) {
        return;
    }
    m_shown[slot(view)] = shown;
    if (shown) {
        compute(view, input, true);
        return;
    }
    // Nothing of a hidden view is kept: it is worked out afresh when shown again.
    switch (view) {
        case AnalysisView::Bands:
            m_bands = {};
            m_bandsPending = false;
            break;
        case AnalysisView::Sensitivity:
            m_sensitivity = {};
            break;
        case AnalysisView::InfluenceMap:
            m_influence = {};
            break;
        case AnalysisView::LoopDiagram:
            m_loops = {};
            m_selectedLoop.clear();
            break;
    }
    ++m_revisions[slot(view)];
}

void AnalysisViews::recalculated(const ProjectionInput& input, bool bandsInSight) {
    if (shown(AnalysisView::Bands)) {
        if (bandsInSight) {
            compute(AnalysisView::Bands, input, false);
        } else {
            m_bands = {};  // nothing of an earlier recalculation is kept
            m_bandsPending = true;
        }
    }
    for (AnalysisView view :
         {AnalysisView::Sensitivity, AnalysisView::InfluenceMap, AnalysisView::LoopDiagram}) {
        if (shown(view)) {
            compute(view, input, false);
        }
    }
}

void AnalysisViews::workOutPendingBands(const ProjectionInput& input) {
    if (m_bandsPending && shown(AnalysisView::Bands)) {
        compute(AnalysisView::Bands, input, false);
    }
}

void AnalysisViews::compute(AnalysisView view, const ProjectionInput& input, bool shownNow) {
    switch (view) {
        case AnalysisView::Bands:
            if (m_heldSeed) {
                RandomSource held = RandomSource::counterBased(*m_heldSeed);
                m_bands = computeBands(input, m_bandRuns, held);
            } else {
                m_bands = computeBands(input, m_bandRuns, m_bandRandom);
            }
            m_bandsPending = false;
            break;
        case AnalysisView::Sensitivity:
            m_sensitivity = computeSensitivity(input);
            m_sensitivityWithPolicies = policiesApply(input);
            break;
        case AnalysisView::InfluenceMap: {
            // It reads the Trend Matrix alone: most recalculations leave it as it was, and
            // its window need not be drawn again.
            InfluenceMap map = computeInfluenceMap(input);
            if (!shownNow && sameMap(map, m_influence)) {
                return;
            }
            m_influence = std::move(map);
            break;
        }
        case AnalysisView::LoopDiagram: {
            // Likewise the arrows: only the matrices, the names and the policy switch matter.
            LoopDiagram diagram = computeLoopDiagram(input);
            if (!shownNow && diagram == m_loops) {
                return;
            }
            m_loops = std::move(diagram);
            if (selectedLoop() < 0) {
                m_selectedLoop.clear();  // the selected loop is gone
            }
            break;
        }
    }
    ++m_revisions[slot(view)];
}

std::array<std::string, 3> AnalysisViews::bandNames() const {
    const int runs = m_bands.empty() ? m_bandRuns : m_bands.runs;
    return {"5-95 % of " + std::to_string(runs) + " runs", "25-75 %", "Median"};
}

std::string AnalysisViews::trackedName() const {
    const int tracked = m_sensitivity.tracked;
    return tracked >= 1 && static_cast<std::size_t>(tracked) <= m_sensitivity.names.size()
               ? m_sensitivity.names[static_cast<std::size_t>(tracked - 1)]
               : std::string();
}

std::vector<SensitivityEntry> AnalysisViews::sensitivityBars() const {
    std::vector<SensitivityEntry> bars = m_sensitivity.top();
    std::erase_if(bars, [](const SensitivityEntry& entry) { return entry.effect == 0; });
    return bars;
}

std::string AnalysisViews::sensitivityTitle() const {
    if (m_sensitivity.tracked == 0) {
        return "Sensitivity";
    }
    return "Sensitivity of the level of " + trackedName() + " in " +
           std::to_string(m_sensitivity.horizonYear) +
           (m_sensitivityWithPolicies ? " (with Policies)" : "");
}

std::string AnalysisViews::sensitivityNote() const {
    if (m_sensitivity.tracked == 0) {
        return std::string(kNoItemsText);
    }
    if (sensitivityBars().empty()) {
        return "No Trend Matrix entry changes this level";
    }
    return "Largest effects of raising one Trend Matrix entry by 1 percentage point, without "
           "fluctuations";
}

std::string AnalysisViews::sensitivityAxisTitle() const {
    if (m_sensitivity.tracked == 0) {
        return "Change of the level (2000 = 1)";
    }
    return "Change of the level of " + trackedName() + " in " +
           std::to_string(m_sensitivity.horizonYear) + " (2000 = 1)";
}

std::array<std::string, 2> AnalysisViews::sensitivitySignNames() const {
    return {"Raises the level", "Lowers the level"};
}

std::string AnalysisViews::influenceTitle() const {
    if (m_indirectInfluence) {
        return "Influence through chains: how strongly each item drives the others and is "
               "driven by them";
    }
    return "Influence Map: how strongly each item drives the others and is driven by them";
}

std::string AnalysisViews::influenceNote() const {
    if (m_influence.items.empty()) {
        return std::string(kNoItemsText);
    }
    std::string unplaced;
    bool anyChanged = false;
    for (const InfluenceItem& item : m_influence.items) {
        if (item.quadrant == Quadrant::Unplaced) {
            unplaced += (unplaced.empty() ? "" : ", ") + item.name;
        } else if (item.rankChanged()) {
            anyChanged = true;
        }
    }
    if (!unplaced.empty()) {
        return "Left out, not a finite number: " + unplaced;
    }
    if (!m_indirectInfluence) {
        return "Sums of the Trend Matrix's absolute entries, own growth left out; dashed lines "
               "at the means";
    }
    const InfluenceMap& map = m_influence;
    const std::string links = std::to_string(map.indirectPower);
    std::string note;
    if (!map.indirectSettled) {
        note = "Chains of " + links + " links: the ranking has not settled";
    } else if (map.indirectPeriod > 1) {
        note = "Chains of " + std::to_string(map.indirectPower - map.indirectPeriod + 1) + " to " +
               links + " links averaged, as the ranking alternates";
    } else {
        note = "Chains of " + links + (map.indirectPower == 1 ? " link" : " links") +
               ", where the ranking settled";
    }
    return note + (!anyChanged ? "; every item ranks as directly"
                               : "; ringed items rank otherwise than directly");
}

std::string AnalysisViews::influenceAxisTitle() const {
    if (m_indirectInfluence) {
        return "Indirect influence (through chains, scaled to the direct total)";
    }
    return "Total influence (sum over its row, % per year)";
}

std::string AnalysisViews::dependenceAxisTitle() const {
    if (m_indirectInfluence) {
        return "Indirect dependence (through chains, scaled to the direct total)";
    }
    return "Total dependence (sum over its column, % per year)";
}

void AnalysisViews::setIndirectInfluence(bool indirect) {
    if (m_indirectInfluence != indirect) {
        m_indirectInfluence = indirect;
        ++m_revisions[slot(AnalysisView::InfluenceMap)];
    }
}

std::array<std::string, 2> AnalysisViews::influenceModeNames() const {
    return {"Direct", "Indirect"};
}

double AnalysisViews::shownInfluence(const InfluenceItem& item) const {
    return m_indirectInfluence ? item.indirectInfluence : item.influence;
}

double AnalysisViews::shownDependence(const InfluenceItem& item) const {
    return m_indirectInfluence ? item.indirectDependence : item.dependence;
}

bool AnalysisViews::influenceMarked(const InfluenceItem& item) const {
    return m_indirectInfluence && item.quadrant != Quadrant::Unplaced && item.rankChanged();
}

std::string AnalysisViews::influenceRankText(const InfluenceItem& item) const {
    if (!m_indirectInfluence || item.quadrant == Quadrant::Unplaced) {
        return {};
    }
    return "Ranks " + ordinal(item.indirectInfluenceRank) + " in influence (directly " +
           ordinal(item.influenceRank) + "), " + ordinal(item.indirectDependenceRank) +
           " in dependence (directly " + ordinal(item.dependenceRank) + ")";
}

std::string AnalysisViews::loopTitle() const {
    return std::string("Loop Diagram: the feedback loops of the Trend Matrix") +
           (m_loops.withPolicies ? " (with Policies)" : "");
}

std::string AnalysisViews::loopNote() const {
    if (m_loops.items == 0) {
        return std::string(kNoItemsText);
    }
    return m_loops.searchNote();
}

std::string AnalysisViews::loopNodeMark(int item) const {
    if (item < 0 || item >= m_loops.items || m_loops.link(item, item) == 0) {
        return {};
    }
    const double value = m_loops.link(item, item);
    return (value > 0 ? "+" : "") + significantText(value, 3);
}

std::array<std::string, 2> AnalysisViews::loopSignNames() const {
    return {"+ raises", "\u2212 lowers"};
}

std::array<std::string, 5> AnalysisViews::loopColumnNames() const {
    return {"Loop", "Kind", "Length", "Strength", "Items"};
}

std::array<std::string, 5> AnalysisViews::loopRow(int index) const {
    const std::vector<FeedbackLoop>& loops = m_loops.search.loops;
    if (index < 0 || static_cast<std::size_t>(index) >= loops.size()) {
        return {};
    }
    const FeedbackLoop& loop = loops[static_cast<std::size_t>(index)];
    return {loop.name, std::string(loopKindName(loop.kind)), std::to_string(loop.length()),
            significantText(loop.strength, 4), m_loops.loopText(loop)};
}

int AnalysisViews::selectedLoop() const {
    const std::vector<FeedbackLoop>& loops = m_loops.search.loops;
    if (m_selectedLoop.empty()) {
        return -1;
    }
    for (std::size_t k = 0; k < loops.size(); ++k) {
        if (loops[k].items == m_selectedLoop) {
            return static_cast<int>(k);
        }
    }
    return -1;
}

void AnalysisViews::selectLoop(int index) {
    const std::vector<FeedbackLoop>& loops = m_loops.search.loops;
    std::vector<int> items;
    if (index >= 0 && static_cast<std::size_t>(index) < loops.size()) {
        items = loops[static_cast<std::size_t>(index)].items;
    }
    if (items != m_selectedLoop) {
        m_selectedLoop = std::move(items);
        ++m_revisions[slot(AnalysisView::LoopDiagram)];
    }
}

}  // namespace vorn
