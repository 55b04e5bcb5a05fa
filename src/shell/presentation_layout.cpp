#include "shell/presentation_layout.h"

#include <algorithm>
#include <cmath>

#include "shell/trends.h"
#include "tables/number_text.h"

namespace vorn {
namespace {

// The screen the text size is stated for, and the size there.
constexpr double kReferenceWidth = 1920;
constexpr double kReferenceHeight = 1080;
constexpr double kReferenceTextPixels = 18;
// The design's 8.25 point font at 96 dots per inch.
constexpr int kDesignTextPixels = 11;

// Shares of the width: the file name at the top right, the small charts beside the large one,
// a column of side panels, the drawer.
constexpr double kFileShare = 0.22;
constexpr double kSmallChartShare = 0.22;
constexpr double kPanelShare = 0.3;
constexpr double kDrawerShare = 0.36;
// The large chart covers this share of the whole client area, but leaves the tables at least
// the rest of this share of the band between the sliders and the Hints strip.
constexpr double kLargeChartArea = 0.35;
constexpr double kMostChartsShare = 0.62;
// Rows of the Hints strip.
constexpr int kHintRows = 3;
// Names wider than this many text pixels times the text size break onto two lines; the first
// column of a table is at most as wide as this many.
constexpr int kWrapWidth = 8;
constexpr int kMostLabelWidth = 16;

// The controls beside each slider: the caption above it and the scale below it.
struct SliderGroup {
    Control caption;
    Control slider;
    Control scale;
};
constexpr std::array<SliderGroup, 3> kSliderGroups = {{
    {Control::TextHorizon, Control::HScrollTime, Control::TextFuture},
    {Control::TextUncertainty, Control::HScrollUncert, Control::TextHigh},
    {Control::TextChange, Control::HScrollLags, Control::TextLarge},
}};

PixelRect rect(int left, int top, int width, int height) {
    return {left, top, std::max(width, 1), std::max(height, 1)};
}

}  // namespace

PresentationMetrics presentationMetrics(PixelSize screen, int scrollBar) {
    const double scale = std::min(screen.width / kReferenceWidth, screen.height / kReferenceHeight);
    const int text =
        std::max(kDesignTextPixels, static_cast<int>(std::lround(kReferenceTextPixels * scale)));
    PresentationMetrics metrics;
    metrics.textPixels = text;
    metrics.rowPixels = static_cast<int>(std::lround(text * 4.0 / 3.0));
    metrics.gap = std::max(4, text / 3);
    metrics.scrollBar = std::max(scrollBar, 0);
    return metrics;
}

PresentationPlaces presentationLayout(PixelSize area, const PresentationMetrics& metrics,
                                      const PresentationInput& input) {
    PresentationPlaces places;
    places.area = area;
    places.metrics = metrics;
    places.largeChart = input.largeChart;
    const int gap = metrics.gap;
    const int row = metrics.rowPixels;
    const int width = area.width - 2 * gap;
    const auto place = [&places](Control control, PixelRect where) {
        places.controls[static_cast<std::size_t>(index(control))] = where;
    };

    // The sliders in a row across the top, the file name at the right end.
    const int fileWidth = static_cast<int>(std::lround(width * kFileShare));
    const int groupWidth = (width - fileWidth - 3 * gap) / 3;
    const int sliderWidth = groupWidth / 2;
    for (std::size_t i = 0; i < kSliderGroups.size(); ++i) {
        const SliderGroup& group = kSliderGroups[i];
        const int left = gap + static_cast<int>(i) * (groupWidth + gap);
        place(group.caption, rect(left, gap, groupWidth, row));
        place(group.slider, rect(left, gap + row, sliderWidth, row));
        place(group.scale, rect(left, gap + 2 * row, sliderWidth, row));
        places.sliderValues[i] =
            rect(left + sliderWidth + gap, gap + row, groupWidth - sliderWidth - gap, 2 * row);
    }
    place(Control::MatrixFile, rect(area.width - gap - fileWidth, gap, fileWidth, row));

    // The Hints strip along the bottom; the charts and tables in the band between.
    const int hintsHeight = kHintRows * row;
    const int hintsTop = area.height - gap - hintsHeight;
    place(Control::Hints, rect(gap, hintsTop, width, hintsHeight));
    const int bandTop = gap + 3 * row + gap;
    const int bandHeight = std::max(hintsTop - gap - bandTop, 0);

    int mainWidth = width;
    if (input.panels > 0) {
        const int panelWidth = static_cast<int>(std::lround(width * kPanelShare));
        mainWidth = width - panelWidth - gap;
        const int panelHeight = (bandHeight - (input.panels - 1) * gap) / input.panels;
        for (int i = 0; i < input.panels; ++i) {
            places.panels.push_back(rect(gap + mainWidth + gap, bandTop + i * (panelHeight + gap),
                                         panelWidth, panelHeight));
        }
    }

    // The large chart on its share of the area, the two others beside it.
    const int smallWidth = static_cast<int>(std::lround(mainWidth * kSmallChartShare));
    const int largeWidth = mainWidth - smallWidth - gap;
    // The tables' frame and horizontal scroll bar besides their rows.
    const int tableFrame = metrics.scrollBar + 2;
    const int totalsHeight = input.totalsRows * row + tableFrame;
    // As high as without side panels: they take from the width, the tables keep their rows.
    const int widestLarge = width - static_cast<int>(std::lround(width * kSmallChartShare)) - gap;
    const int least = static_cast<int>(
        std::ceil(kLargeChartArea * area.width * area.height / std::max(widestLarge, 1)));
    const int leftByTables = input.matrixRows > 0 ? bandHeight - (input.matrixRows + 1) * row -
                                                        tableFrame - totalsHeight - 2 * gap
                                                  : 0;
    const int chartsHeight = std::min(std::max(least, leftByTables),
                                      static_cast<int>(std::lround(bandHeight * kMostChartsShare)));
    const PixelRect large = rect(gap, bandTop, largeWidth, chartsHeight);
    place(input.largeChart, large);
    place(chartCaption(input.largeChart), rect(large.left, large.top, large.width, row));
    const int smallHeight = (chartsHeight - gap) / 2;
    int smallTop = bandTop;
    for (Control chart : {Control::mscTrends, Control::MscXImpacts, Control::MscVary}) {
        if (chart == input.largeChart) {
            continue;
        }
        const PixelRect small = rect(large.right() + gap, smallTop, smallWidth, smallHeight);
        place(chart, small);
        // Two lines: a long item name in the Spread caption wraps.
        place(chartCaption(chart), rect(small.left, small.top, small.width, 2 * row));
        smallTop += smallHeight + gap;
    }

    // The tables across the width below the charts: the Policy Matrix one row higher than the
    // Trend Matrix, as in the design, so that the edge of the one behind shows; the Totals under.
    const int tablesTop = bandTop + chartsHeight + gap;
    const int totalsTop = std::max(hintsTop - gap - totalsHeight, tablesTop);
    place(Control::MSFlexTotals, rect(gap, totalsTop, mainWidth, totalsHeight));
    const int matrixHeight = totalsTop - gap - tablesTop - row;
    place(Control::MSFlexPolicy, rect(gap, tablesTop, mainWidth, matrixHeight));
    place(Control::MSFlexXImpact, rect(gap, tablesTop + row, mainWidth, matrixHeight));

    if (input.drawer && isDrawerPane(*input.drawer)) {
        const int drawerWidth = static_cast<int>(std::lround(area.width * kDrawerShare));
        place(*input.drawer,
              rect(area.width - gap - drawerWidth, bandTop, drawerWidth, hintsTop - gap - bandTop));
    }
    return places;
}

PresentationInput presentationInput(const Trends& window, std::optional<Control> drawer, int panels,
                                    int topRowLines) {
    PresentationInput input;
    input.largeChart = window.chartForward();
    input.drawer = drawer;
    input.panels = std::max(panels, 0);
    const int names = std::max(topRowLines, 1);
    input.matrixRows = window.MSFlexXImpact().rows() - 1 + names;
    input.totalsRows = window.MSFlexTotals().rows() - 1 + names;
    return input;
}

std::vector<PresentationColumn> presentationColumns(const CellTable& table,
                                                    const TextMeasure& measure,
                                                    const PresentationMetrics& metrics) {
    const int padding = metrics.textPixels / 2 + 4;
    const int wrapAbove = kWrapWidth * metrics.textPixels;
    std::vector<PresentationColumn> columns;
    for (int c = 0; c < table.columns(); ++c) {
        PresentationColumn column;
        const std::string_view name = trimBlanks(table.text(0, c));
        int widest = 0;
        if (c > 0 && measure(name) > wrapAbove) {
            const auto [first, second] = twoLines(name, measure);
            column.firstLine = first;
            column.secondLine = second;
            widest = std::max(measure(first), measure(second));
        } else {
            column.firstLine = name;
            widest = measure(name);
        }
        for (int r = 1; r < table.rows(); ++r) {
            widest = std::max(widest, measure(trimBlanks(table.text(r, c))));
        }
        if (c == 0) {
            widest = std::min(widest, kMostLabelWidth * metrics.textPixels);
        }
        column.width = widest + padding;
        columns.push_back(std::move(column));
    }
    return columns;
}

bool isDrawerPane(Control control) {
    return control == Control::Overview || control == Control::Instruction ||
           control == Control::About;
}

void Presentation::setOn(bool on) {
    m_on = on;
    if (!on) {
        m_drawer.reset();
    }
}

void Presentation::helpAsked(Control pane) {
    if (!m_on || !isDrawerPane(pane)) {
        return;
    }
    if (m_drawer == pane) {
        m_drawer.reset();
    } else {
        m_drawer = pane;
    }
}

bool Presentation::closeDrawer() {
    const bool open = m_drawer.has_value();
    m_drawer.reset();
    return open;
}

void escapePressed(Trends& window, Presentation& presentation) {
    if (!presentation.closeDrawer()) {
        window.clearHighlight();
    }
}

Control presentationRegionEntry(const Trends& window, Region region) {
    return region == Region::Charts ? window.chartForward() : regionEntry(window, region);
}

}  // namespace vorn
