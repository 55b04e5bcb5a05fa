#pragma once

#include <string>
#include <vector>

#include "tables/rgb.h"

namespace vorn {

/// How a line is drawn between its points. The series take the first three; LongDash and
/// DashDot are kept for the comparison lines behind them.
enum class LineDash { Solid, Dashed, Dotted, LongDash, DashDot };

/// The mark drawn at every point of a line.
enum class SeriesMarker { None, Circle, Square, Triangle, Diamond, Cross, Plus };

/// How one series of a chart is drawn: its colour, at least 3:1 against white, and a dash
/// and marker that no other of the first kSeriesStyles series shares, so that the series can
/// be told apart without their colours.
struct SeriesStyle {
    Rgb color;
    LineDash dash = LineDash::Solid;
    SeriesMarker marker = SeriesMarker::None;

    friend bool operator==(const SeriesStyle&, const SeriesStyle&) = default;
};

/// Twenty items and the uncertainty.
inline constexpr int kSeriesStyles = 21;

/// The style of series `index` (0 for the first item, run or bar set). Every chart, on
/// screen and exported, draws its series in these; beyond kSeriesStyles they repeat.
SeriesStyle seriesStyle(int index);

/// What a comparison line drawn behind a series' line of the Scenario Trends chart shows.
enum class ComparisonKind {
    Reference,        // the levels kept by View > Set Reference
    WithoutPolicies,  // the same projection without the Policy Matrix
};

/// Width of a comparison line, in widths of a series' line.
inline constexpr double kComparisonWidth = 2;

/// How the comparison line behind series `index` is drawn: the series' colour lightened as
/// far as 3:1 against white allows, and at most half-way to white; a dash no series has
/// (LongDash for the reference, DashDot without the policies); no marker. With
/// kComparisonWidth it stands apart from the series' own line, whatever its dash.
SeriesStyle comparisonStyle(int index, ComparisonKind kind);

/// How the legend shows a kind of comparison line, for every series at once: dark grey in
/// the kind's dash.
SeriesStyle comparisonLegendStyle(ComparisonKind kind);

/// Names of the lines of the Spread chart: "Run 1" to "Run `runs`".
std::vector<std::string> runNames(int runs);

}  // namespace vorn
