#include "shell/analysis_views.h"

#include <algorithm>

namespace vorn {
namespace {

std::size_t slot(AnalysisView view) {
    return static_cast<std::size_t>(view);
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
        compute(view, input);
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
            compute(AnalysisView::Bands, input);
        } else {
            m_bands = {};  // nothing of an earlier recalculation is kept
            m_bandsPending = true;
        }
    }
    for (AnalysisView view : {AnalysisView::Sensitivity, AnalysisView::InfluenceMap}) {
        if (shown(view)) {
            compute(view, input);
        }
    }
}

void AnalysisViews::workOutPendingBands(const ProjectionInput& input) {
    if (m_bandsPending && shown(AnalysisView::Bands)) {
        compute(AnalysisView::Bands, input);
    }
}

void AnalysisViews::compute(AnalysisView view, const ProjectionInput& input) {
    switch (view) {
        case AnalysisView::Bands:
            m_bands = computeBands(input, m_bandRuns, m_bandRandom);
            m_bandsPending = false;
            break;
        case AnalysisView::Sensitivity:
            m_sensitivity = computeSensitivity(input);
            m_sensitivityWithPolicies = policiesApply(input);
            break;
        case AnalysisView::InfluenceMap:
            m_influence = computeInfluenceMap(input);
            break;
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
