// The one source of every chart series' colour, dash and marker.

#include "charts/series_style.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>
#include <utility>

namespace vorn {
namespace {

TEST(SeriesStyles, EveryItemAndTheUncertaintyStandOutOnWhiteAndApartWithoutColour) {
    std::set<std::tuple<int, int, int>> colors;
    std::set<std::pair<LineDash, SeriesMarker>> shapes;
    for (int i = 0; i < kSeriesStyles; ++i) {
        const SeriesStyle style = seriesStyle(i);
        EXPECT_GE(contrastRatio(style.color, Rgb{255, 255, 255}), 3.0) << i;
        colors.insert({style.color.red, style.color.green, style.color.blue});
        shapes.insert({style.dash, style.marker});
    }
    EXPECT_EQ(colors.size(), std::size_t(kSeriesStyles));
    EXPECT_EQ(shapes.size(), std::size_t(kSeriesStyles));
    EXPECT_EQ(seriesStyle(kSeriesStyles + 2), seriesStyle(2));
    EXPECT_EQ(seriesStyle(-1), seriesStyle(0));
}

// A comparison line behind a series keeps the series' hue, lighter where the contrast allows,
// and is told apart from every series' line by a dash of its own and the missing marker.
TEST(SeriesStyles, ComparisonLinesStandOutOnWhiteAndApartFromTheSeries) {
    std::set<LineDash> seriesDashes;
    for (int i = 0; i < kSeriesStyles; ++i) {
        seriesDashes.insert(seriesStyle(i).dash);
    }
    for (ComparisonKind kind : {ComparisonKind::Reference, ComparisonKind::WithoutPolicies}) {
        for (int i = 0; i < kSeriesStyles; ++i) {
            const SeriesStyle style = comparisonStyle(i, kind);
            EXPECT_GE(contrastRatio(style.color, Rgb{255, 255, 255}), 3.0) << i;
            EXPECT_GE(relativeLuminance(style.color), relativeLuminance(seriesStyle(i).color));
            EXPECT_EQ(seriesDashes.count(style.dash), 0u) << i;
            EXPECT_EQ(style.marker, SeriesMarker::None);
            EXPECT_EQ(style.dash, comparisonLegendStyle(kind).dash);
        }
    }
    EXPECT_NE(comparisonStyle(0, ComparisonKind::Reference).dash,
              comparisonStyle(0, ComparisonKind::WithoutPolicies).dash);
    EXPECT_NE(comparisonStyle(9, ComparisonKind::Reference).color, seriesStyle(9).color)
        << "a dark colour is lightened";
}

}  // namespace
}  // namespace vorn
