#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "shell/controls.h"
#include "shell/series_highlight.h"

namespace vorn {

class Trends;

/// What a screen reader is told about after a command: the parts of the window a user hears
/// change, taken before the command runs.
struct WindowGlance {
    struct Cell {
        int row = 0;
        int column = 0;
        std::string text;
    };

    std::vector<std::string> itemNames;
    std::array<Cell, 3> currentCells;     // Trend Matrix, Totals, Policy Matrix
    std::array<std::string, 3> captions;  // Scenario Trends, Contributions, Spread
    std::string hint;
    std::array<int, 3> sliders{};  // time horizon, uncertainty, click step
    std::optional<HighlightTarget> highlight;
};

WindowGlance glance(const Trends& window);

/// What to announce once a command has run, given how the window looked before it: a changed
/// item count ("New Item added. 9 items.") or an item's new name ("Item renamed: Water."); the
/// new text of a current cell that the command changed, with its item's new Net Growth ("Item  2
/// to Item  3: 0.5. Net Growth of Item  3: 0.5."); a moved slider's position in words ("3 years
/// per step, horizon 2060."); the new hint; every changed chart caption; a new highlight
/// ("Food highlighted.", "Highlight ended."). Empty when none of these changed.
std::string announcement(const WindowGlance& before, const Trends& after);

}  // namespace vorn
