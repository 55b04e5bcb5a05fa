// Bars side by side while they are wide enough, stacked beyond; category names level, on end,
// on two lines, and shortened only when nothing else lets them stand whole.

#include "charts/bar_layout.h"

#include <gtest/gtest.h>

namespace vorn {
namespace {

TEST(BarArrangement, SideBySideWhileEveryBarIsThreePixelsWide) {
    // Eight items and the fluctuations in eight categories of 60 pixels: 48 / 9 = 5.3 pixels.
    EXPECT_EQ(barArrangement(480, 8, 9), (BarArrangement{false, 0.8 / 9}));
    // Twenty items on the design's chart at 100 %: 21 bars in 12 pixels.
    const BarArrangement twenty = barArrangement(250, 20, 21);
    EXPECT_TRUE(twenty.stacked);
    EXPECT_GE(twenty.barShare * 250 / 20, kThinnestBar);
    // Exactly three pixels is wide enough; a hair less is not.
    EXPECT_FALSE(barArrangement(3.75 * 4, 1, 4).stacked);
    EXPECT_TRUE(barArrangement(3.74 * 4, 1, 4).stacked);
    EXPECT_FALSE(barArrangement(100, 0, 0).stacked);  // nothing to draw
}

TEST(CategoryLabels, StandWholeLevelOnEndOrOnTwoLines) {
    struct Case {
        const char* name;
        std::vector<int> oneLine, twoLines;
        int line;
        double category;
        int room;
        LabelFit fit;
    };
    const Case cases[] = {
        {"level", {40, 50}, {30, 30}, 12, 60, 40, {LabelPlacement::Level, true}},
        {"on end", {80, 90}, {50, 50}, 12, 20, 100, {LabelPlacement::Upright, true}},
        {"two lines", {150, 90}, {80, 50}, 12, 30, 100, {LabelPlacement::UprightTwoLines, true}},
        {"too narrow for two", {150, 90}, {80, 50}, 12, 20, 100, {LabelPlacement::Upright, false}},
        {"too long even broken", {300}, {160}, 12, 40, 100, {LabelPlacement::Upright, false}},
        {"none", {}, {}, 12, 10, 10, {LabelPlacement::Level, true}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fitCategoryLabels(c.oneLine, c.twoLines, c.line, c.category, c.room), c.fit)
            << c.name;
    }
}

}  // namespace
}  // namespace vorn
