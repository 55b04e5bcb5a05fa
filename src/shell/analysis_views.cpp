#include "shell/analysis_views.h"

#include <cmath>

namespace vorn {
namespace {

std::size_t slot(AnalysisView view) {
    return static_cast<std::size_t>(view);
}

// Whether two maps place the same items alike; not-a-number totals count as alike.
bool sameMap(const InfluenceMap& a, const InfluenceMap& b) {
    const auto same = [](double x, double y) { return x == y || (std::isnan(x) && std::isnan(y)); };
    if (a.items.size() != b.items.size() || !same(a.meanInfluence, b.meanInfluence) ||
        !same(a.meanDependence, b.meanDependence)) {
        return false;
    }
    for (std::size_t i = 0; i < a.items.size(); ++i) {
        const InfluenceItem& x = a.items[i];
        const InfluenceItem& y = b.items[i];
        if (x.name != y.name || !same(x.influence, y.influence) ||
            !same(x.dependence, y.dependence) || x.quadrant != y.quadrant) {
            return false;
        }
    }
    return true;
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
    for (AnalysisView view : {AnalysisView::Sensitivity, AnalysisView::InfluenceMap}) {
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
    return "Influence Map: how strongly each item drives the others and is driven by them";
}

std::string AnalysisViews::influenceNote() const {
    if (m_influence.items.empty()) {
        return std::string(kNoItemsText);
    }
    std::string unplaced;
    for (const InfluenceItem& item : m_influence.items) {
        if (item.quadrant == Quadrant::Unplaced) {
            unplaced += (unplaced.empty() ? "" : ", ") + item.name;
        }
    }
    if (!unplaced.empty()) {
        return "Left out, not a finite number: " + unplaced;
    }
    return "Sums of the Trend Matrix's absolute entries, own growth left out; dashed lines at "
           "the means";
}

std::string AnalysisViews::influenceAxisTitle() const {
    return "Total influence (sum over its row, % per year)";
}

std::string AnalysisViews::dependenceAxisTitle() const {
    return "Total dependence (sum over its column, % per year)";
}

}  // namespace vorn
