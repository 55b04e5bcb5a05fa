#include "projection/sensitivity.h"

#include <algorithm>
#include <cmath>

#include "charts/captions.h"

namespace vorn {
namespace {

// True when `a` ranks before `b`: finite before non-finite, then the larger absolute effect,
// then the lower row and column.
bool ranksBefore(const SensitivityEntry& a, const SensitivityEntry& b) {
    const bool finiteA = std::isfinite(a.effect);
    const bool finiteB = std::isfinite(b.effect);
    if (finiteA != finiteB) {
        return finiteA;
    }
    if (finiteA && std::abs(a.effect) != std::abs(b.effect)) {
        return std::abs(a.effect) > std::abs(b.effect);
    }
    return a.row != b.row ? a.row < b.row : a.column < b.column;
}

// The tracked item's level in the horizon year, from one run without fluctuations.
double horizonLevel(const ProjectionInput& input, RandomSource& random, int* tracked) {
    const ProjectionNumbers numbers = projectNumbers(input, random);
    *tracked = numbers.tracked;
    const int point = input.horizon < 0 ? 0 : kSteps;
    return numbers.level(numbers.tracked - 1, point);
}

}  // namespace

std::string Sensitivity::name(const SensitivityEntry& entry) const {
    return names[static_cast<std::size_t>(entry.row)] + " -> " +
           names[static_cast<std::size_t>(entry.column)];
}

std::vector<SensitivityEntry> Sensitivity::ranked() const {
    std::vector<SensitivityEntry> out = entries;
    std::sort(out.begin(), out.end(), ranksBefore);
    return out;
}

std::vector<SensitivityEntry> Sensitivity::top(int count) const {
    std::vector<SensitivityEntry> out = ranked();
    const auto finiteEnd = std::find_if(
        out.begin(), out.end(), [](const SensitivityEntry& e) { return !std::isfinite(e.effect); });
    const auto shown = std::min(std::distance(out.begin(), finiteEnd),
                                static_cast<std::ptrdiff_t>(std::max(count, 0)));
    out.resize(static_cast<std::size_t>(shown));
    return out;
}

Sensitivity computeSensitivity(const ProjectionInput& input) {
    Sensitivity result;
    result.horizonYear = horizonYear(input.horizon);
    const int n = input.items;
    if (n <= 0) {
        return result;
    }
    result.names = input.names;

    // Without fluctuations every draw is multiplied by zero; an uncertainty entry that is
    // not finite would still turn it into not-a-number, so the entries go to zero as well.
    ProjectionInput quiet = input;
    quiet.runs = 1;
    quiet.uncertaintyLevel = 0;
    std::fill(quiet.uncertainty.begin(), quiet.uncertainty.end(), 0.0);
    RandomSource random(0);
    result.baseline = horizonLevel(quiet, random, &result.tracked);

    result.entries.reserve(static_cast<std::size_t>(n) * static_cast<std::size_t>(n));
    int tracked = 0;
    for (int row = 0; row < n; ++row) {
        for (int column = 0; column < n; ++column) {
            double& entry = quiet.trend[static_cast<std::size_t>(row * n + column)];
            const double original = entry;
            entry = original + kSensitivityStep;
            const double raised = horizonLevel(quiet, random, &tracked);
            entry = original;
            result.entries.push_back({row, column, raised - result.baseline});
        }
    }
    return result;
}

}  // namespace vorn
