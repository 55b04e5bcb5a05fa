#include "shell/run_comparison.h"

#include <filesystem>
#include <string_view>

namespace vorn {
namespace {

constexpr std::string_view kReferenceLabel = "Reference";
constexpr std::string_view kWithoutPoliciesName = "Without Policies";

// The captions File > Open and File > Save give the Input File label before the file's path.
constexpr std::string_view kFileCaptions[] = {"Initial Scenario ", "Saved Scenario "};

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        text += (text.empty() ? "" : ", ") + name;
    }
    return text;
}

}  // namespace

std::optional<std::uint64_t> RunComparison::heldSeed() const {
    return m_held ? m_seed : std::nullopt;
}

void RunComparison::setHeld(bool held, std::uint64_t freshSeed) {
    if (held && !m_seed) {
        m_seed = freshSeed;
    }
    m_held = held;
    ++m_revision;
}

void RunComparison::holdNewDraws(std::uint64_t seed) {
    m_seed = seed;
    m_held = true;
    ++m_revision;
}

std::string RunComparison::holdMenuText() const {
    std::string text = "Hold Random Draws";
    if (const std::optional<std::uint64_t> seed = heldSeed()) {
        text += " (Seed " + std::to_string(*seed) + ")";
    }
    return text;
}

std::string RunComparison::holdToolTip() const {
    if (const std::optional<std::uint64_t> seed = heldSeed()) {
        const std::string number = std::to_string(*seed);
        return "Every recalculation draws the same fluctuations, those of seed " + number +
               "; vorn-run --seed " + number + " draws them too";
    }
    return "Every recalculation draws new fluctuations; check to hold them";
}

std::optional<std::uint64_t> RunComparison::recalculationSeed(const ProjectionInput& input,
                                                              RandomSource& random) const {
    if (const std::optional<std::uint64_t> seed = heldSeed()) {
        return seed;
    }
    if (needsWithoutPolicies(input)) {
        return random.nextSeed(std::uint64_t{1} << 53);
    }
    return std::nullopt;
}

void RunComparison::setReference(ReferenceRun run) {
    m_reference = std::move(run);
    ++m_revision;
}

void RunComparison::clearReference() {
    if (m_reference) {
        m_reference.reset();
        ++m_revision;
    }
}

std::string RunComparison::referenceLabel(const std::string& fileLabel, bool modified) {
    for (std::string_view caption : kFileCaptions) {
        if (!modified && fileLabel.starts_with(caption) && fileLabel.size() > caption.size()) {
            const std::string name =
                std::filesystem::path(fileLabel.substr(caption.size())).filename().string();
            if (!name.empty()) {
                return name;
            }
        }
    }
    return std::string(kReferenceLabel);
}

void RunComparison::setWithoutPoliciesShown(bool shown) {
    m_withoutPoliciesShown = shown;
    if (!shown) {
        m_withoutPolicies.reset();
    }
    ++m_revision;
}

bool RunComparison::needsWithoutPolicies(const ProjectionInput& input) const {
    return m_withoutPoliciesShown && policiesApply(input);
}

void RunComparison::recalculated(const ProjectionInput& input, std::optional<std::uint64_t> seed) {
    if (!needsWithoutPolicies(input) || !seed) {
        m_withoutPolicies.reset();
        return;
    }
    // Only the last run is drawn: with counter-based draws it is worked out alone.
    ProjectionInput without = input;
    without.policyOn = false;
    without.runs = 1;
    RandomSource draws = RandomSource::counterBased(*seed);
    const ProjectionNumbers numbers = projectNumbers(without, draws, std::max(input.runs, 1) - 1);
    m_withoutPolicies = namedLevels(numbers, input.names);
}

std::string RunComparison::referenceName(const ItemMatch& match) const {
    const std::string& label = m_reference->label;
    std::string name =
        label == kReferenceLabel ? label : std::string(kReferenceLabel) + ": " + label;
    if (m_reference->policies) {
        name += ", with Policies";
    }
    if (const std::vector<std::string> unmatched = match.unmatched(); !unmatched.empty()) {
        name += " (not matched: " + joined(unmatched) + ")";
    }
    return name;
}

std::vector<ComparisonLines> RunComparison::chartLines(
    const ProjectionNumbers& live, const std::vector<std::string>& liveNames) const {
    std::vector<ComparisonLines> comparisons;
    std::vector<std::string> names = liveNames;
    names.resize(static_cast<std::size_t>(std::min(live.items, kPoints - 1)));
    // Each item's line takes the other run's points at their places on the live years.
    const auto addLines = [&](ComparisonLines& lines, const NamedLevels& other,
                              const std::vector<int>& partner) {
        const std::vector<std::optional<double>> places = positionsOnAxis(live.years, other.years);
        for (std::size_t i = 0; i < partner.size(); ++i) {
            if (partner[i] < 0) {
                continue;
            }
            ComparisonLine line;
            line.row = static_cast<int>(i) + 1;
            for (int p = 0; p < other.points(); ++p) {
                if (const std::optional<double> place = places[static_cast<std::size_t>(p)]) {
                    line.columns.push_back(*place);
                    line.values.push_back(other.at(partner[i], p));
                }
            }
            if (!line.columns.empty()) {
                lines.lines.push_back(std::move(line));
            }
        }
    };
    if (m_reference) {
        const ItemMatch match = matchItems(names, m_reference->levels.names);
        ComparisonLines& lines = comparisons.emplace_back();
        lines.kind = ComparisonKind::Reference;
        lines.name = referenceName(match);
        lines.shortName = kReferenceLabel;
        lines.leftOut = match.unmatched();
        addLines(lines, m_reference->levels, match.partner);
    }
    if (m_withoutPoliciesShown && m_withoutPolicies) {
        ComparisonLines& lines = comparisons.emplace_back();
        lines.kind = ComparisonKind::WithoutPolicies;
        lines.name = kWithoutPoliciesName;
        lines.shortName = kWithoutPoliciesName;
        std::vector<int> sameItem(names.size());
        for (std::size_t i = 0; i < sameItem.size(); ++i) {
            sameItem[i] =
                static_cast<int>(i) < m_withoutPolicies->items() ? static_cast<int>(i) : -1;
        }
        addLines(lines, *m_withoutPolicies, sameItem);
    }
    return comparisons;
}

}  // namespace vorn
