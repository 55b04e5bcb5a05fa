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

}  // namespace
}  // namespace vorn
