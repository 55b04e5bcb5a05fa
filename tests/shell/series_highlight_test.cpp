// A legend click highlights an item in every chart; arrows step through a chart's series.

#include "shell/series_highlight.h"

#include <gtest/gtest.h>

#include "shell/presentation_layout.h"
#include "support/started_window.h"

namespace vorn {
namespace {

using testing::StartedWindow;
using Kind = HighlightTarget::Kind;

TEST(SeriesHighlight, AClickHighlightsUntilClickedAgainOrAnotherIsClicked) {
    SeriesHighlight highlight;
    EXPECT_EQ(highlight.emphasis(Control::mscTrends, 0, 8, 8), SeriesEmphasis::Normal);
    highlight.click(Control::mscTrends, 2, 8);
    EXPECT_EQ(highlight.target(), (HighlightTarget{Kind::Item, 3}));
    // The item in both charts that show items; the Spread chart's runs stay as they are.
    EXPECT_EQ(highlight.emphasis(Control::mscTrends, 2, 8, 8), SeriesEmphasis::Highlighted);
    EXPECT_EQ(highlight.emphasis(Control::mscTrends, 0, 8, 8), SeriesEmphasis::Faded);
    EXPECT_EQ(highlight.emphasis(Control::MscXImpacts, 2, 9, 8), SeriesEmphasis::Highlighted);
    EXPECT_EQ(highlight.emphasis(Control::MscXImpacts, 8, 9, 8), SeriesEmphasis::Faded);
    EXPECT_EQ(highlight.emphasis(Control::MscVary, 2, 20, 8), SeriesEmphasis::Normal);
    // The same item from the other chart's legend: the highlight ends.
    highlight.click(Control::MscXImpacts, 2, 8);
    EXPECT_FALSE(highlight.target());
    // The fluctuations are the Contributions chart's last series.
    highlight.click(Control::MscXImpacts, 8, 8);
    EXPECT_EQ(highlight.target(), (HighlightTarget{Kind::Uncertainty, 0}));
    EXPECT_EQ(highlight.emphasis(Control::MscXImpacts, 8, 9, 8), SeriesEmphasis::Highlighted);
    EXPECT_EQ(highlight.emphasis(Control::mscTrends, 0, 8, 8), SeriesEmphasis::Normal);
    highlight.click(Control::MscVary, 4, 8);
    EXPECT_EQ(highlight.target(), (HighlightTarget{Kind::Run, 5}));
    EXPECT_EQ(highlight.emphasis(Control::MscVary, 4, 20, 8), SeriesEmphasis::Highlighted);
    EXPECT_EQ(highlight.emphasis(Control::MscVary, 3, 20, 8), SeriesEmphasis::Faded);
    EXPECT_EQ(highlight.emphasis(Control::MscVary, 0, 1, 8), SeriesEmphasis::Normal);  // one run
    EXPECT_EQ(highlight.emphasis(Control::MscXImpacts, 0, 9, 8), SeriesEmphasis::Normal);
    highlight.clear();
    EXPECT_FALSE(highlight.target());
}

TEST(SeriesHighlight, AnItemThatIsGoneHighlightsNothing) {
    SeriesHighlight highlight;
    highlight.click(Control::mscTrends, 7, 8);
    EXPECT_EQ(highlight.emphasis(Control::mscTrends, 0, 7, 7), SeriesEmphasis::Normal);
    // Item 8 of seven items is not the fluctuations, which are the seventh series now.
    EXPECT_EQ(highlight.emphasis(Control::MscXImpacts, 7, 8, 7), SeriesEmphasis::Normal);
    EXPECT_EQ(highlight.emphasis(Control::mscTrends, 7, 8, 8), SeriesEmphasis::Highlighted);
}

TEST(SeriesHighlight, ArrowsStepThroughTheSeriesAndPastTheEndsToNone) {
    SeriesHighlight highlight;
    highlight.step(Control::MscXImpacts, true, 3, 2);
    EXPECT_EQ(highlight.target(), (HighlightTarget{Kind::Item, 1}));
    highlight.step(Control::MscXImpacts, true, 3, 2);
    highlight.step(Control::MscXImpacts, true, 3, 2);
    EXPECT_EQ(highlight.target(), (HighlightTarget{Kind::Uncertainty, 0}));
    highlight.step(Control::MscXImpacts, true, 3, 2);
    EXPECT_FALSE(highlight.target());
    highlight.step(Control::MscVary, false, 20, 2);
    EXPECT_EQ(highlight.target(), (HighlightTarget{Kind::Run, 20}));
    // A target another chart does not show: that chart starts from its own first series.
    highlight.step(Control::mscTrends, true, 2, 2);
    EXPECT_EQ(highlight.target(), (HighlightTarget{Kind::Item, 1}));
    highlight.step(Control::mscTrends, false, 2, 2);
    EXPECT_FALSE(highlight.target());
    highlight.step(Control::mscTrends, true, 0, 0);
    EXPECT_FALSE(highlight.target());
}

TEST_F(StartedWindow, LegendClicksHighlightAndEscapeEndsIt) {
    openExample("Example1.txt");
    const long long before = window.projectionCount();
    window.legendEntry_Click(Control::mscTrends, 1);
    EXPECT_EQ(window.seriesEmphasis(Control::mscTrends, 1), SeriesEmphasis::Highlighted);
    EXPECT_EQ(window.seriesEmphasis(Control::MscXImpacts, 1), SeriesEmphasis::Highlighted);
    EXPECT_EQ(window.seriesEmphasis(Control::MscXImpacts, 8), SeriesEmphasis::Faded);
    EXPECT_EQ(window.projectionCount(), before);  // nothing recalculated
    EXPECT_EQ(window.seriesCount(Control::mscTrends), 8);
    EXPECT_EQ(window.seriesCount(Control::MscXImpacts), 9);
    EXPECT_EQ(window.seriesCount(Control::MscVary), 1);
    window.legendEntry_Click(Control::mscTrends, 40);  // no such entry: nothing
    EXPECT_EQ(window.seriesEmphasis(Control::mscTrends, 1), SeriesEmphasis::Highlighted);

    clickTotals(0, 1);
    EXPECT_EQ(window.seriesCount(Control::MscVary), 20);
    window.stepHighlight(Control::MscVary, false);
    EXPECT_EQ(window.seriesEmphasis(Control::MscVary, 19), SeriesEmphasis::Highlighted);
    EXPECT_EQ(window.seriesEmphasis(Control::mscTrends, 1), SeriesEmphasis::Normal);
    Presentation presentation;
    escapePressed(window, presentation);
    EXPECT_FALSE(window.highlight().target());

    // With the drawer open Escape closes it first.
    window.legendEntry_Click(Control::MscXImpacts, 0);
    presentation.setOn(true);
    presentation.helpAsked(Control::Overview);
    escapePressed(window, presentation);
    EXPECT_FALSE(presentation.drawer());
    EXPECT_TRUE(window.highlight().target());
    escapePressed(window, presentation);
    EXPECT_FALSE(window.highlight().target());
}

}  // namespace
}  // namespace vorn
