#pragma once

#include <functional>
#include <string_view>
#include <utility>
#include <vector>

namespace vorn {

/// The thinnest bar a bar chart draws, in pixels.
inline constexpr double kThinnestBar = 3;

/// How a bar chart puts its sets' bars in each category.
struct BarArrangement {
    /// One bar per category, the sets' values stacked on it (positive ones upwards, negative
    /// ones downwards); else each set's bar beside the others.
    bool stacked = false;
    /// The width of one bar as a share of a category's width.
    double barShare = 0.8;

    friend bool operator==(const BarArrangement&, const BarArrangement&) = default;
};

/// The bars side by side in 80 % of each category while every one is at least kThinnestBar
/// pixels wide on a plot `plotWidth` pixels wide; stacked otherwise, as many items make them.
BarArrangement barArrangement(double plotWidth, int categories, int sets);

/// How the names under a bar chart's categories stand.
enum class LabelPlacement {
    Level,           // side by side, each under its category
    Upright,         // on end, one line each
    UprightTwoLines  // on end, broken onto two lines
};

/// Where the names under the categories go, and whether they stand whole.
struct LabelFit {
    LabelPlacement placement = LabelPlacement::Level;
    bool whole = true;

    friend bool operator==(const LabelFit&, const LabelFit&) = default;
};

/// The placement of category names in one font: `oneLine` holds each name's width on one
/// line and `twoLines` the width of its longer line once broken in two, `lineHeight` the font's
/// line, `categoryWidth` a category's width and `room` the height the names may take on end.
/// Level when every name fits its category, else on end on one line or two, whichever is the
/// first in which every name stands whole; when none is, on end, one line, shortened.
LabelFit fitCategoryLabels(const std::vector<int>& oneLine, const std::vector<int>& twoLines,
                           int lineHeight, double categoryWidth, int room);

/// Gives the width of a text in pixels, in the font the text is shown in.
using TextMeasure = std::function<int(std::string_view)>;

/// A text on at most two lines: broken at the blank that makes the longer line shortest, when
/// that is narrower than the text on one line; else the text and an empty second line.
std::pair<std::string_view, std::string_view> twoLines(std::string_view text,
                                                       const TextMeasure& measure);

}  // namespace vorn
