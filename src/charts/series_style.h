#pragma once

#include <string>
#include <vector>

#include "tables/rgb.h"

namespace vorn {

/// How a line is drawn between its points.
enum class LineDash { Solid, Dashed, Dotted };

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

/// Names of the lines of the Spread chart: "Run 1" to "Run `runs`".
std::vector<std::string> runNames(int runs);

}  // namespace vorn
