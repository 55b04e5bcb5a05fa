// The presentation layout: where it places the controls on screens of several sizes, the chart
// it makes large, its drawer for the help panes, its side panels, and its table columns.

#include "shell/presentation_layout.h"

#include <gtest/gtest.h>

#include <string>

#include "support/started_window.h"

namespace vorn {
namespace {

using testing::StartedWindow;

constexpr Control kCharts[] = {Control::mscTrends, Control::MscXImpacts, Control::MscVary};
constexpr int kMenuBar = 25;

// Ten pixels to the letter: widths that are easy to reckon with.
int tenPerLetter(std::string_view text) {
    return static_cast<int>(text.size()) * 10;
}

PresentationPlaces layoutOn(PixelSize screen, PresentationInput input = {}) {
    const PixelSize area{screen.width, screen.height - kMenuBar};
    return presentationLayout(area, presentationMetrics(screen, 16), input);
}

std::vector<Control> shownControls(const PresentationPlaces& places) {
    std::vector<Control> shown;
    for (const ControlLayout& layout : windowLayout()) {
        if (places.shown(layout.id)) {
            shown.push_back(layout.id);
        }
    }
    return shown;
}

TEST(PresentationLayout, TextIsSizedForTheScreen) {
    EXPECT_EQ(presentationMetrics({1920, 1080}, 16).textPixels, 18);
    EXPECT_EQ(presentationMetrics({3840, 2160}, 16).textPixels, 36);
    EXPECT_EQ(presentationMetrics({1280, 720}, 16).textPixels, 12);
    EXPECT_EQ(presentationMetrics({1366, 768}, 16).textPixels, 13);
    EXPECT_EQ(presentationMetrics({1920, 1200}, 16).textPixels, 18);  // the width decides
    EXPECT_EQ(presentationMetrics({640, 480}, 16).textPixels, 11);    // never below the design
    const PresentationMetrics metrics = presentationMetrics({1920, 1080}, 17);
    EXPECT_GE(metrics.rowPixels, metrics.textPixels + 4);  // a line of text and its margins
    EXPECT_EQ(metrics.scrollBar, 17);
}

// On every screen and with any chart large: everything inside the area and apart, the large
// chart on more than a third of the screen, the captions over their charts, the matrices
// overlapping by all but the edge of the one behind.
TEST(PresentationLayout, UsesTheWholeScreenWithoutOverlaps) {
    for (const PixelSize screen : {PixelSize{1920, 1080}, PixelSize{1280, 720},
                                   PixelSize{1366, 768}, PixelSize{2560, 1600}}) {
        for (Control large : kCharts) {
            SCOPED_TRACE(std::to_string(screen.width) + "x" + std::to_string(screen.height) + " " +
                         std::string(layoutOf(large).name));
            const PresentationPlaces places = layoutOn(screen, {large, std::nullopt, 0});
            const PixelRect area{0, 0, places.area.width, places.area.height};
            EXPECT_EQ(places.largeChart, large);
            EXPECT_GE(3 * places.place(large).area(),
                      static_cast<long long>(screen.width) * screen.height);
            for (Control other : kCharts) {
                if (other != large) {
                    EXPECT_LT(2 * places.place(other).area(), places.place(large).area());
                }
            }
            const std::vector<Control> shown = shownControls(places);
            EXPECT_EQ(shown.size(), std::size_t(kControlCount - 4));
            for (Control hidden :
                 {Control::Overview, Control::Instruction, Control::About, Control::Label2}) {
                EXPECT_FALSE(places.shown(hidden));
            }
            std::vector<PixelRect> rects;
            for (Control control : shown) {
                EXPECT_TRUE(area.contains(places.place(control))) << layoutOf(control).name;
                rects.push_back(places.place(control));
            }
            for (const PixelRect& value : places.sliderValues) {
                EXPECT_TRUE(area.contains(value));
                rects.push_back(value);
            }
            for (std::size_t a = 0; a < rects.size(); ++a) {
                for (std::size_t b = a + 1; b < rects.size(); ++b) {
                    const bool allowed = [&] {
                        // A caption lies over its chart; the matrices over each other.
                        for (auto [x, y] :
                             {std::pair{Control::TextAnnual, Control::mscTrends},
                              std::pair{Control::TextGrowth, Control::MscXImpacts},
                              std::pair{Control::TextVary, Control::MscVary},
                              std::pair{Control::MSFlexPolicy, Control::MSFlexXImpact}}) {
                            const PixelRect& p = places.place(x);
                            const PixelRect& q = places.place(y);
                            if ((rects[a] == p && rects[b] == q) ||
                                (rects[a] == q && rects[b] == p)) {
                                return true;
                            }
                        }
                        return false;
                    }();
                    if (!allowed) {
                        EXPECT_FALSE(rects[a].intersects(rects[b])) << a << " and " << b;
                    }
                }
            }
            for (auto [caption, chart] : {std::pair{Control::TextAnnual, Control::mscTrends},
                                          std::pair{Control::TextGrowth, Control::MscXImpacts},
                                          std::pair{Control::TextVary, Control::MscVary}}) {
                EXPECT_TRUE(places.place(chart).contains(places.place(caption)));
                EXPECT_EQ(places.place(caption).top, places.place(chart).top);
            }
            const PixelRect& policy = places.place(Control::MSFlexPolicy);
            const PixelRect& trend = places.place(Control::MSFlexXImpact);
            EXPECT_EQ(trend.top - policy.top, places.metrics.rowPixels);
            EXPECT_EQ(trend.width, policy.width);
            // The charts above the tables, the sliders above both, the Hints strip below.
            EXPECT_LE(places.place(large).bottom(), policy.top);
            EXPECT_LE(places.place(Control::HScrollTime).bottom(), places.place(large).top);
            EXPECT_LE(places.place(Control::MSFlexTotals).bottom(),
                      places.place(Control::Hints).top);
            EXPECT_GE(places.place(Control::Hints).width, places.area.width * 9 / 10);
            // The sliders in one row, each with its caption above, its scale below and its
            // position in words beside it.
            for (Control slider : {Control::HScrollUncert, Control::HScrollLags}) {
                EXPECT_EQ(places.place(slider).top, places.place(Control::HScrollTime).top);
            }
            EXPECT_EQ(places.place(Control::TextHorizon).bottom(),
                      places.place(Control::HScrollTime).top);
            EXPECT_EQ(places.place(Control::TextFuture).top,
                      places.place(Control::HScrollTime).bottom());
            EXPECT_EQ(places.sliderValues[0].top, places.place(Control::HScrollTime).top);
            EXPECT_GT(places.sliderValues[0].left, places.place(Control::HScrollTime).right());
        }
    }
}

// Eight items leave the charts more than their third; twenty take all the tables can get.
TEST_F(StartedWindow, TheTablesTakeTheRowsTheyNeedAndTheChartsTheRest) {
    const PresentationInput eight = presentationInput(window, {}, 0, 1);
    EXPECT_EQ(eight.matrixRows, 9);
    EXPECT_EQ(eight.totalsRows, 4);
    const PresentationPlaces places = layoutOn({1920, 1080}, eight);
    const PresentationMetrics& metrics = places.metrics;
    const int frame = metrics.scrollBar + 2;
    EXPECT_GE(places.place(Control::MSFlexXImpact).height, 9 * metrics.rowPixels + frame);
    EXPECT_GE(places.place(Control::MSFlexTotals).height, 4 * metrics.rowPixels + frame);
    EXPECT_GT(places.place(Control::mscTrends).height,
              layoutOn({1920, 1080}).place(Control::mscTrends).height);

    for (int added = 0; added < 12; ++added) {
        clickTrend(0, 0);
    }
    const PresentationInput twenty = presentationInput(window, {}, 0, 2);
    EXPECT_EQ(twenty.matrixRows, 22);
    EXPECT_EQ(twenty.totalsRows, 5);
    EXPECT_EQ(layoutOn({1920, 1080}, twenty), layoutOn({1920, 1080}));
}

TEST(PresentationLayout, AnalysisWindowsTakeSidePanelsBesideTheChartsAndTables) {
    const PresentationPlaces without = layoutOn({1920, 1080});
    for (int panels : {1, 2, 3}) {
        SCOPED_TRACE(panels);
        const PresentationPlaces places = layoutOn({1920, 1080}, {Control::mscTrends, {}, panels});
        ASSERT_EQ(places.panels.size(), std::size_t(panels));
        for (std::size_t i = 0; i < places.panels.size(); ++i) {
            const PixelRect& panel = places.panels[i];
            EXPECT_GE(panel.width, places.area.width / 5);
            for (const ControlLayout& layout : windowLayout()) {
                EXPECT_FALSE(panel.intersects(places.place(layout.id))) << layout.name;
            }
            if (i > 0) {
                EXPECT_EQ(panel.left, places.panels[0].left);
                EXPECT_GT(panel.top, places.panels[i - 1].bottom() - 1);
            }
        }
        EXPECT_LT(places.place(Control::MSFlexXImpact).width,
                  without.place(Control::MSFlexXImpact).width);
        EXPECT_EQ(places.place(Control::Hints), without.place(Control::Hints));
    }
}

TEST(PresentationLayout, TheDrawerShowsOneHelpPaneOverTheRightSide) {
    for (Control pane : {Control::Overview, Control::Instruction, Control::About}) {
        const PresentationPlaces places = layoutOn({1280, 720}, {Control::MscVary, pane, 1});
        EXPECT_TRUE(places.shown(pane));
        EXPECT_EQ(shownControls(places).size(), std::size_t(kControlCount - 3));
        EXPECT_EQ(places.place(pane).right(), places.place(Control::Hints).right());
        EXPECT_TRUE(places.place(pane).intersects(places.panels[0]));
        EXPECT_GE(places.place(pane).height, places.place(Control::MscVary).height);
    }
    // Only the three panes go into the drawer.
    EXPECT_FALSE(
        layoutOn({1280, 720}, {Control::mscTrends, Control::Hints, 0}).place(Control::Hints) ==
        PixelRect{});
    EXPECT_EQ(shownControls(layoutOn({1280, 720}, {Control::mscTrends, Control::Label2, 0})).size(),
              std::size_t(kControlCount - 4));
}

TEST(Presentation, HelpCommandsOpenAndCloseTheDrawerWhileOn) {
    Presentation presentation;
    presentation.helpAsked(Control::Overview);
    EXPECT_FALSE(presentation.drawer());  // off: the design shows the panes itself
    presentation.setOn(true);
    presentation.helpAsked(Control::Overview);
    EXPECT_EQ(presentation.drawer(), Control::Overview);
    presentation.helpAsked(Control::About);
    EXPECT_EQ(presentation.drawer(), Control::About);
    presentation.helpAsked(Control::About);
    EXPECT_FALSE(presentation.drawer());
    presentation.helpAsked(Control::Hints);
    EXPECT_FALSE(presentation.drawer());
    presentation.helpAsked(Control::Instruction);
    EXPECT_TRUE(presentation.closeDrawer());
    EXPECT_FALSE(presentation.closeDrawer());
    presentation.helpAsked(Control::Instruction);
    presentation.setOn(false);
    EXPECT_FALSE(presentation.drawer());
}

TEST_F(StartedWindow, TheLargeChartIsTheOneBroughtForwardLast) {
    const auto large = [this] { return presentationInput(window, {}, 0, 1).largeChart; };
    EXPECT_EQ(large(), Control::mscTrends);
    MscXImpacts_Click(window);
    EXPECT_EQ(large(), Control::MscXImpacts);
    window.HScrollTime_Change(3);  // every recalculation raises that chart: it stays as it is
    EXPECT_EQ(large(), Control::MscXImpacts);
    MscVary_Click(window);
    EXPECT_EQ(large(), Control::MscVary);
    window.HScrollUncert_Change(2);
    EXPECT_EQ(large(), Control::MscVary);
    MscXImpacts_Click(window);
    clickTrend(1, 2);  // a table click brings the Scenario Trends chart forward
    EXPECT_EQ(large(), Control::mscTrends);
    clickTotals(0, 2);  // the twenty runs bring the Spread chart forward
    EXPECT_EQ(large(), Control::MscVary);
    mscTrends_Click(window);
    EXPECT_EQ(large(), Control::mscTrends);
    // The design's stacking is as it always was.
    EXPECT_TRUE(window.isAbove(Control::MscXImpacts, Control::mscTrends));

    EXPECT_EQ(presentationRegionEntry(window, Region::Charts), Control::mscTrends);
    MscXImpacts_Click(window);
    EXPECT_EQ(presentationRegionEntry(window, Region::Charts), Control::MscXImpacts);
    EXPECT_EQ(regionEntry(window, Region::Charts), Control::mscTrends);
    EXPECT_EQ(presentationRegionEntry(window, Region::Tables), Control::MSFlexXImpact);
}

TEST(PresentationColumns, AreAsWideAsTheirNamesOnOneOrTwoLines) {
    const PresentationMetrics metrics = presentationMetrics({1920, 1080}, 16);  // wrap above 144
    const int padding = metrics.textPixels / 2 + 4;
    CellTable table(3, 4);
    table.setText(0, 0, "Trend Matrix");
    table.setText(0, 1, "Food");
    table.setText(0, 2, "Atmospheric CO2 concentration");
    table.setText(0, 3, "Ahundredandtwentyletterswithoutablank");
    table.setText(1, 0, "Food");
    table.setText(2, 0, "A row name of forty letters, quite long..");
    table.setText(1, 1, "%   ");
    table.setText(2, 1, "-12345.678");
    const std::vector<PresentationColumn> columns =
        presentationColumns(table, tenPerLetter, metrics);
    ASSERT_EQ(columns.size(), std::size_t(4));
    EXPECT_EQ(columns[0].width, 16 * 18 + padding);  // the row names, cut at the limit
    EXPECT_EQ(columns[0].firstLine, "Trend Matrix");
    EXPECT_EQ(columns[1].width, 100 + padding);  // its widest value
    EXPECT_EQ(columns[1].secondLine, "");
    EXPECT_EQ(columns[2].firstLine, "Atmospheric CO2");
    EXPECT_EQ(columns[2].secondLine, "concentration");
    EXPECT_EQ(columns[2].width, 150 + padding);
    EXPECT_EQ(columns[3].firstLine, "Ahundredandtwentyletterswithoutablank");
    EXPECT_EQ(columns[3].secondLine, "");

    const auto lines = twoLines("  a  bb ccc  ", tenPerLetter);
    EXPECT_EQ(lines.first, "a  bb");
    EXPECT_EQ(lines.second, "ccc");
    EXPECT_EQ(twoLines("short", tenPerLetter).first, "short");
}

}  // namespace
}  // namespace vorn
