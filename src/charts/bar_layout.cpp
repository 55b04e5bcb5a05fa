#include "charts/bar_layout.h"

#include <algorithm>

#include "tables/number_text.h"

namespace vorn {
namespace {

// Share of a category's width that its bars fill together.
constexpr double kBarGroupShare = 0.8;

int widest(const std::vector<int>& widths) {
    return widths.empty() ? 0 : *std::max_element(widths.begin(), widths.end());
}

}  // namespace

BarArrangement barArrangement(double plotWidth, int categories, int sets) {
    const int bars = std::max(sets, 1);
    const double category = plotWidth / std::max(categories, 1);
    if (category * kBarGroupShare / bars >= kThinnestBar) {
        return {false, kBarGroupShare / bars};
    }
    return {true, kBarGroupShare};
}

LabelFit fitCategoryLabels(const std::vector<int>& oneLine, const std::vector<int>& twoLines,
                           int lineHeight, double categoryWidth, int room) {
    // A name side by side keeps a letter's room to the next.
    if (widest(oneLine) + lineHeight / 2 <= categoryWidth) {
        return {LabelPlacement::Level, true};
    }
    if (lineHeight <= categoryWidth && widest(oneLine) <= room) {
        return {LabelPlacement::Upright, true};
    }
    if (2 * lineHeight <= categoryWidth && widest(twoLines) <= room) {
        return {LabelPlacement::UprightTwoLines, true};
    }
    return {LabelPlacement::Upright, false};
}

std::pair<std::string_view, std::string_view> twoLines(std::string_view text,
                                                       const TextMeasure& measure) {
    std::pair<std::string_view, std::string_view> best{text, {}};
    int narrowest = measure(text);
    for (std::size_t blank = text.find(' '); blank != std::string_view::npos;
         blank = text.find(' ', blank + 1)) {
        const std::string_view first = trimBlanks(text.substr(0, blank));
        const std::string_view second = trimBlanks(text.substr(blank + 1));
        if (first.empty() || second.empty()) {
            continue;
        }
        const int wider = std::max(measure(first), measure(second));
        if (wider < narrowest) {
            narrowest = wider;
            best = {first, second};
        }
    }
    return best;
}

}  // namespace vorn
