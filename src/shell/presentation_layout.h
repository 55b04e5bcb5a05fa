#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "charts/bar_layout.h"
#include "shell/controls.h"
#include "shell/keyboard_regions.h"
#include "shell/zoom.h"
#include "tables/cell_table.h"

namespace vorn {

class Trends;

/// A rectangle in logical pixels; right() and bottom() lie just outside it.
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool isEmpty() const { return width <= 0 || height <= 0; }
    long long area() const { return isEmpty() ? 0 : static_cast<long long>(width) * height; }
    bool contains(const PixelRect& other) const {
        return other.left >= left && other.top >= top && other.right() <= right() &&
               other.bottom() <= bottom();
    }
    bool intersects(const PixelRect& other) const {
        return !isEmpty() && !other.isEmpty() && other.left < right() && left < other.right() &&
               other.top < bottom() && top < other.bottom();
    }

    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

/// The sizes the presentation layout builds on, for a screen of a given size.
struct PresentationMetrics {
    int textPixels = 18;  // the pixel size of every text
    int rowPixels = 24;   // a line of text in a box, a table row, a slider
    int gap = 6;          // between controls and at the edges
    int scrollBar = 16;   // the platform's scroll bar, across

    friend bool operator==(const PresentationMetrics&, const PresentationMetrics&) = default;
};

/// Texts of 18 pixels on a 1920x1080 screen and in proportion on others, never smaller than
/// the design's 11 pixels; the rows, slider and gaps in proportion to the text. `scrollBar` is
/// the platform's.
PresentationMetrics presentationMetrics(PixelSize screen, int scrollBar);

/// What the presentation layout follows of the window: the chart in the large place, the
/// help pane its drawer shows, how many analysis windows stand in its side panels, and the rows
/// the tables would show whole (0: more than there is room for).
struct PresentationInput {
    Control largeChart = Control::mscTrends;
    std::optional<Control> drawer;
    int panels = 0;
    int matrixRows = 0;  // the Trend Matrix's rows, its top row counted by its lines
    int totalsRows = 5;  // the same for the Totals table

    friend bool operator==(const PresentationInput&, const PresentationInput&) = default;
};

/// Where the presentation layout places everything, in the client area's pixels.
struct PresentationPlaces {
    PixelSize area;
    PresentationMetrics metrics;
    Control largeChart = Control::mscTrends;
    /// Every control's place; an empty place: the control is not shown (the Overview,
    /// Instructions and About panes while the drawer shows none of them, and the "Output
    /// File" label, which never changes).
    std::array<PixelRect, kControlCount> controls{};
    /// The position of each slider in words, beside it: time horizon, uncertainty, click step.
    std::array<PixelRect, 3> sliderValues{};
    /// The analysis windows open as side panels, top to bottom, in the order they opened.
    std::vector<PixelRect> panels;

    const PixelRect& place(Control control) const {
        return controls[static_cast<std::size_t>(index(control))];
    }
    bool shown(Control control) const { return !place(control).isEmpty(); }

    friend bool operator==(const PresentationPlaces&, const PresentationPlaces&) = default;
};

/// The presentation layout of a client area of `area`: the sliders in a row across the top
/// with their captions and their positions in words, the file name at the top right; the
/// chart in the large place below them, with its caption over its top edge, on at least a
/// third of the area and more where the tables need less than the rest, and the other two
/// charts smaller beside it, one above the other; the
/// tables across the whole width below the charts, the matrix in front with an edge of the
/// other above it as in the design, the Totals table under them; the Hints pane as a strip
/// along the bottom. Side panels for analysis windows take a column at the right of the charts
/// and tables; the drawer lies over the right side, over the small charts and panels.
PresentationPlaces presentationLayout(PixelSize area, const PresentationMetrics& metrics,
                                      const PresentationInput& input);

/// The chart in the large place: the chart brought forward last, as a click on it brings it.
/// `topRowLines` is the number of lines of the tables' top rows, where the item names stand.
PresentationInput presentationInput(const Trends& window, std::optional<Control> drawer, int panels,
                                    int topRowLines);

/// A column of a table in the presentation layout: its width, and the text of its top cell
/// (an item's name) on one line or two.
struct PresentationColumn {
    int width = 0;
    std::string firstLine;
    std::string secondLine;  // empty: the top cell's text stands on one line

    friend bool operator==(const PresentationColumn&, const PresentationColumn&) = default;
};

/// The columns of `table` in the presentation layout: each as wide as its widest value and its
/// name, a long name broken onto two lines; the first column as wide as its longest row name,
/// up to a limit beyond which the names are cut (and shown whole when hovered).
std::vector<PresentationColumn> presentationColumns(const CellTable& table,
                                                    const TextMeasure& measure,
                                                    const PresentationMetrics& metrics);

/// The help panes that the presentation layout keeps in its drawer.
bool isDrawerPane(Control control);

/// The presentation layout's own settings: whether it is on, and which help pane its drawer
/// shows. Help > Overview, Instructions and About open their pane in the drawer, and close it
/// when it is the one shown; Escape closes it.
class Presentation {
  public:
    bool on() const { return m_on; }
    /// Turned off, the drawer closes.
    void setOn(bool on);
    const std::optional<Control>& drawer() const { return m_drawer; }
    /// A Help command asked for `pane` (Overview, Instruction or About): while on, the drawer
    /// shows it, or closes when it shows it already. Off, or for another control, nothing.
    void helpAsked(Control pane);
    /// Escape: closes the drawer; false when there was none to close.
    bool closeDrawer();

  private:
    bool m_on = false;
    std::optional<Control> m_drawer;
};

/// Escape in the main window: closes the presentation layout's drawer when it is open, else
/// ends the highlight of a legend entry.
void escapePressed(Trends& window, Presentation& presentation);

/// F6 in the presentation layout: as in the design, but the charts are entered at the chart in
/// the large place.
Control presentationRegionEntry(const Trends& window, Region region);

}  // namespace vorn
