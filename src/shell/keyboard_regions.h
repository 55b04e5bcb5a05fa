#pragma once

#include <optional>

#include "shell/controls.h"

namespace vorn {

class Trends;

/// The parts of the window that F6 and Shift+F6 jump between, in this order.
enum class Region { Sliders, Charts, Tables, HelpPanes };

/// The region a control belongs to: the sliders with their captions, the charts with theirs,
/// the three tables, the help panes with the file labels.
Region regionOf(Control control);

/// The region after (`forward`) or before `region`, round the window.
Region nextRegion(Region region, bool forward);

/// Of the two charts that share the middle band, the one in front: the Spread chart while it
/// lies above the Scenario Trends chart, else the Scenario Trends chart.
Control chartInFront(const Trends& window);

/// The control that takes the keyboard in `region`: the first slider, the chart in front of the
/// middle band, the table in front of the two matrices, the Hints pane.
Control regionEntry(const Trends& window, Region region);

}  // namespace vorn
